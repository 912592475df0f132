// SPDX-License-Identifier: GPL-3.0-or-later
// The protractor on the main window: its box `picturap` over the bench, its three handles, and the
// handlers that open and close it, move it with its cross, turn it with its handle and lay its
// cyan line with the sphere, showing the measured angle in the read-out `Label10`.
#pragma once

#include "core/protractor/protractor.h"

#include <QObject>
#include <QWidget>
#include <functional>

class BenchView;
class QFrame;
class QLabel;

// The box: shows the protractor's surface as it was last drawn.
class ProtractorBox : public QWidget {
    Q_OBJECT
public:
    ProtractorBox(const ProtractorPicture& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ProtractorPicture& m_picture;
};

// A 16 × 16 handle picture. Pointer moves, with or without a button, are handed on in pixels
// from the handle's corner; while a button is held they keep coming to the handle that was
// pressed, wherever the pointer goes.
class ProtractorHandle : public QWidget {
    Q_OBJECT
public:
    ProtractorHandle(const QImage& icon, QWidget* parent);

signals:
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const QImage& m_icon;
};

// Where the protractor goes: over the bench, and its read-out in the panel the main window made.
struct ProtractorPanel {
    BenchView* bench = nullptr; // the box is its child
    QFrame* panel = nullptr;    // "Mesurer un angle"
};

class ProtractorControls : public QObject {
    Q_OBJECT
public:
    static inline const QString OpenHint =
        QStringLiteral("Le rapporteur peut pivoter et être déplacé. Il mesure l'angle entre la "
                       "droite cyan et sa base.");
    static inline const QString CrossHint =
        QStringLiteral("Utiliser la croix pour déplacer le rapporteur");
    static inline const QString TurnHint =
        QStringLiteral("Utiliser la souris pour faire pivoter le rapporteur");
    static inline const QString SphereHint =
        QStringLiteral("Utiliser la sphère cyan pour déplacer la droite et mesurer un angle");

    ProtractorControls(const ProtractorPanel& panel, ProtractorState& state, BenchPicture& bench,
                       QObject* parent = nullptr);

signals:
    // The hint bar's text for what the pointer is on.
    void hintChanged(const QString& text);

public:
    ProtractorPicture picture;
    ProtractorBox* picturap = nullptr;
    ProtractorHandle* Imaged = nullptr;     // turning handle
    ProtractorHandle* Imagecroix = nullptr; // moving cross
    ProtractorHandle* Imageboule = nullptr; // the cyan sphere
    QLabel* Label5 = nullptr;               // "Angle mesuré:"
    QLabel* Label10 = nullptr;              // the angle read-out
    QLabel* Label17 = nullptr;              // "degrés"

    // The icon opens it at the bench centre; the panel's title and close icon close it.
    void open();
    void close();
    bool isOpen() const;

    // The background copied again from the bench under the box, then the drawing (every bench
    // redraw calls it while the protractor is open).
    void fondrap();
    // The drawing over the current background.
    void majrap();

    // Pointer moves on the handles, in pixels from the handle's corner.
    void Imagecroix_MouseMove(Qt::MouseButtons buttons, QPointF pos);
    void Imaged_MouseMove(Qt::MouseButtons buttons, QPointF pos);
    void Imageboule_MouseMove(Qt::MouseButtons buttons, QPointF pos);

private:
    void showDrawing();
    QPointF inBox(const ProtractorHandle* handle, QPointF pos) const;

    BenchView* m_view;
    QFrame* m_panel;
    ProtractorState& m_state;
    BenchPicture& m_bench;
};
