// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own help and course window: shipped HTML pages shown offline, with the contents
// page, links, back and forward, a search in the page, and Escape to close. It stays open beside
// the main window while the pupil works. A link "exercice:NOM.E02" opens that shipped exercise.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // index: the contents page's full path.
    HelpWindow(const QString& title, const QString& index, QWidget* parent = nullptr);

    QString index() const { return m_index; }
    // Finds the text in the page from the cursor on (backwards when asked), wrapping at the end;
    // false when the page does not hold it.
    bool find(const QString& text, bool backwards = false);

signals:
    // An "exercice:" link (the exercise file's name, e.g. "REFRACTION.E02"), and a link to the
    // web or a mail address, for the desktop's browser.
    void exerciseRequested(const QString& name);
    void externalLinkRequested(const QUrl& url);

public:
    QTextBrowser* browser = nullptr;
    QToolButton* home = nullptr;
    QToolButton* back = nullptr;
    QToolButton* forward = nullptr;
    QLineEdit* search = nullptr;
    QLabel* searchStatus = nullptr;

    static inline const QString NotFound = QStringLiteral("Texte introuvable dans la page");

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followLink(const QUrl& url);

    QString m_index;
};
