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

// A 16 × 16 handle picture (times the window's factor), drawn at the screen's resolution. Pointer
// moves, with or without a button, are handed on in pixels
// from the handle's corner; while a button is held they keep coming to the handle that was
// pressed, wherever the pointer goes; they are given in 1× pixels at every factor. A handle is also
// a focus region of its own: the arrow keys, Enter and Return are handed on (never to the bench
// under it), and a frame shows the focus.
class ProtractorHandle : public QWidget {
    Q_OBJECT
public:
    using Icon = QImage (*)(double scale);
    ProtractorHandle(Icon icon, QWidget* parent);

    // What a screen reader reads as the handle's value, from 0 to valueMaximum (degrees); a
    // handle with no maximum has no value.
    double value = 0;
    double valueMaximum = 0;

signals:
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Icon m_icon;
    QImage m_drawn; // the icon at m_drawnScale pixels per 1× pixel
    double m_drawnScale = 0;
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

    // The handles' accessible names.
    static inline const QString CrossName = QStringLiteral("Croix de déplacement du rapporteur");
    static inline const QString TurnName = QStringLiteral("Poignée de rotation du rapporteur");
    static inline const QString SphereName = QStringLiteral("Sphère de mesure du rapporteur");

signals:
    // The hint bar's text for what the pointer is on.
    void hintChanged(const QString& text);
    // Enter on the sphere: the read-out as shown ("37,5"), to be recorded.
    void readingEntered(const QString& readout);

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

    // Keys on the handles, through the same steps as the pointer. The cross: the arrows move the
    // box by 1 pixel (Shift: 10), kept on the bench. The turning handle: Left and Right turn the
    // protractor by 1° anticlockwise and clockwise (Shift: 0,1°). The sphere: Left and Right turn
    // the line the same way, the ends catching it and the base side refused; Enter gives the
    // read-out to be recorded.
    void Imagecroix_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Imaged_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Imageboule_KeyDown(int key, Qt::KeyboardModifiers modifiers);

private:
    void moveBoxTo(QPointF wanted);
    void showReadout();
    void describe();
    void showDrawing();
    QPointF inBox(const ProtractorHandle* handle, QPointF pos) const;

    BenchView* m_view;
    QFrame* m_panel;
    ProtractorState& m_state;
    BenchPicture& m_bench;
};
