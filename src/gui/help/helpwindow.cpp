// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help/helpwindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& title, const QString& index, QWidget* parent)
    : QWidget(parent, Qt::Window), m_index(index)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(760, 600);

    auto* tools = new QHBoxLayout;
    auto tool = [this, tools](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        tools->addWidget(b);
        return b;
    };
    home = tool("home", QStringLiteral("Sommaire"), QStyle::SP_DirHomeIcon);
    back = tool("back", QStringLiteral("Précédent"), QStyle::SP_ArrowBack);
    forward = tool("forward", QStringLiteral("Suivant"), QStyle::SP_ArrowForward);
    tools->addSpacing(16);
    tools->addWidget(new QLabel(QStringLiteral("Rechercher :"), this));
    search = new QLineEdit(this);
    search->setAccessibleName(QStringLiteral("Rechercher"));
    search->setObjectName(QStringLiteral("search"));
    search->setPlaceholderText(QStringLiteral("mot à chercher dans la page"));
    search->setClearButtonEnabled(true);
    tools->addWidget(search, 1);
    searchStatus = new QLabel(this);
    searchStatus->setObjectName(QStringLiteral("searchStatus"));
    tools->addWidget(searchStatus);

    browser = new QTextBrowser(this);
    browser->setAccessibleName(title);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenLinks(false);
    browser->setSearchPaths({QFileInfo(index).absolutePath()});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(tools);
    layout->addWidget(browser, 1);

    back->setEnabled(false);
    forward->setEnabled(false);
    connect(home, &QToolButton::clicked, browser, &QTextBrowser::home);
    connect(back, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(browser->documentTitle().isEmpty() ? windowTitle()
                                                          : browser->documentTitle());
        searchStatus->clear();
    });
    connect(search, &QLineEdit::returnPressed, this, [this] { find(search->text()); });
    connect(search, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Typing searches from the top of the page.
        browser->moveCursor(QTextCursor::Start);
        find(text);
    });
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        search->setFocus();
        search->selectAll();
    });
    auto* nextShortcut = new QShortcut(QKeySequence::FindNext, this);
    connect(nextShortcut, &QShortcut::activated, this, [this] { find(search->text()); });
    auto* previousShortcut = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previousShortcut, &QShortcut::activated, this, [this] { find(search->text(), true); });

    browser->setSource(QUrl::fromLocalFile(index));
}

bool HelpWindow::find(const QString& text, bool backwards)
{
    searchStatus->clear();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser->find(text, flags))
        return true;
    // From the other end of the page once.
    const QTextCursor kept = browser->textCursor();
    browser->moveCursor(backwards ? QTextCursor::End : QTextCursor::Start);
    if (browser->find(text, flags))
        return true;
    browser->setTextCursor(kept);
    searchStatus->setText(NotFound);
    return false;
}

void HelpWindow::followLink(const QUrl& url)
{
    if (url.scheme() == QLatin1String("exercice")) {
        emit exerciseRequested(url.path());
        return;
    }
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
        url.scheme() == QLatin1String("mailto")) {
        emit externalLinkRequested(url);
        return;
    }
    browser->setSource(url);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
