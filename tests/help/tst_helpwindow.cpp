// SPDX-License-Identifier: GPL-3.0-or-later
// The help and the course: every link and picture of the shipped pages leads to a file that
// ships; "&Aide" and "&Voir le cours" open the program's own window when the old viewers' files
// are missing or cannot be opened, and hand those files over when they can; the window's links,
// back and forward, search, Escape, and the links that open an exercise.
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/help/helpwindow.h"
#include "support/modalwatchdog.h"
#include "support/named.h"
#include "support/responder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

QString shipped(const QString& name)
{
    return QDir::cleanPath(qEnvironmentVariable("OPTIPHANE_TEST_DATA") +
                           QStringLiteral("/../data/") + name);
}

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool hasAnchor(const QString& html, const QString& anchor)
{
    return html.contains(QStringLiteral("id=\"") + anchor + QLatin1Char('"')) ||
           html.contains(QStringLiteral("name=\"") + anchor + QLatin1Char('"'));
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    QList<QUrl> opened;
    bool openerSucceeds = true;

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        opened.clear();
        openerSucceeds = true;
        Prisme::setUrlOpener([this](const QUrl& url) {
            opened << url;
            return openerSucceeds;
        });
    }
    void cleanup()
    {
        QVERIFY(!QFileInfo::exists(shipped(QStringLiteral("TEMPO.SPC"))));
        Prisme::setUrlOpener({});
        programfolder::setPath(QString());
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // Every page of the help and of the course: each link leads to a page that ships (and to an
    // anchor it holds), an exercise that ships, or the web; each picture ships.
    void links_resolve_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& folder : {QStringLiteral("aide"), QStringLiteral("cours")}) {
            QDirIterator it(shipped(folder), {QStringLiteral("*.html")}, QDir::Files,
                            QDirIterator::Subdirectories);
            int pages = 0;
            while (it.hasNext()) {
                const QString page = it.next();
                QTest::newRow(qPrintable(folder + QLatin1Char('/') + QFileInfo(page).fileName()))
                    << page;
                ++pages;
            }
            QVERIFY2(pages >= 5, qPrintable(folder));
        }
    }
    void links_resolve()
    {
        QFETCH(QString, page);
        const QString html = readAll(page);
        QVERIFY(html.contains(QStringLiteral("<title>")));
        const QDir here = QFileInfo(page).absoluteDir();
        static const QRegularExpression attribute(QStringLiteral("(href|src)=\"([^\"]*)\""));
        int links = 0;
        for (auto it = attribute.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString target = m.captured(2);
            ++links;
            if (target.startsWith(QStringLiteral("http://")) ||
                target.startsWith(QStringLiteral("https://")))
                continue;
            if (target.startsWith(QStringLiteral("exercice:"))) {
                QVERIFY2(QFileInfo::exists(shipped(QStringLiteral("exercices/") + target.mid(9))),
                         qPrintable(target));
                continue;
            }
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString path = file.isEmpty() ? page : here.absoluteFilePath(file);
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(page + QStringLiteral(" -> ") + target));
            if (!anchor.isEmpty())
                QVERIFY2(hasAnchor(readAll(path), anchor),
                         qPrintable(page + QStringLiteral(" -> ") + target));
        }
        QVERIFY(links > 0);
    }

    // The old viewers' files are missing: both commands open the program's own window on its
    // contents page; pressed again, the same window comes back.
    void own_window_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("index");
        QTest::newRow("help") << "Command7"
                              << "aide/index.html";
        QTest::newRow("course") << "Command9"
                                << "cours/index.html";
    }
    void own_window()
    {
        QFETCH(QString, button);
        QFETCH(QString, index);
        programfolder::setPath(shipped(QString()));
        // Started as the command line starts it: the shipped folder gets no marker file.
        Prisme w(Prisme::StartMode::CommandLine);
        w.show();
        w.findChild<QPushButton*>(button)->click();
        HelpWindow* help = button == QLatin1String("Command7") ? w.helpWindow : w.courseWindow;
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->browser->source(), QUrl::fromLocalFile(shipped(index)));
        QVERIFY(help->browser->toPlainText().size() > 200);
        QVERIFY(opened.isEmpty());
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        w.findChild<QPushButton*>(button)->click();
        QCOMPARE(button == QLatin1String("Command7") ? w.helpWindow : w.courseWindow, help);
        QVERIFY(help->isVisible());
    }

    // The old file ships: handed to the desktop; when the desktop cannot open it, the program's
    // own window opens instead.
    void old_file_first_data()
    {
        QTest::addColumn<bool>("desktopOpensIt");
        QTest::newRow("the desktop opens it") << true;
        QTest::newRow("no viewer for it") << false;
    }
    void old_file_first()
    {
        QFETCH(bool, desktopOpensIt);
        QTemporaryDir dir;
        write(dir.filePath(QStringLiteral("KV8.hlp")), "?_\x03");
        write(dir.filePath(QStringLiteral("aide/index.html")),
              "<html><head><title>Aide</title></head><body><p>Sommaire</p></body></html>");
        programfolder::setPath(dir.path());
        openerSucceeds = desktopOpensIt;
        Prisme w(Prisme::StartMode::CommandLine);
        named<QPushButton>(w, QStringLiteral("Command7"))->click();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir.filePath(QStringLiteral("KV8.hlp")))});
        QCOMPARE(w.helpWindow != nullptr, !desktopOpensIt);
    }

    // The window itself: links, back and forward, the contents page, search, the web, exercises.
    void browsing()
    {
        QTemporaryDir dir;
        write(dir.filePath(QStringLiteral("index.html")),
              "<html><head><title>Sommaire</title></head><body><p>Le banc optique.</p>"
              "<a href=\"page.html#suite\">page</a></body></html>");
        write(dir.filePath(QStringLiteral("page.html")),
              "<html><head><title>Page</title></head><body><p>La lampe tourne.</p>"
              "<p id=\"suite\">La lampe encore.</p></body></html>");
        HelpWindow h(QStringLiteral("Aide"), dir.filePath(QStringLiteral("index.html")));
        h.show();
        QString exercise;
        QList<QUrl> web;
        connect(&h, &HelpWindow::exerciseRequested, this,
                [&](const QString& name) { exercise = name; });
        connect(&h, &HelpWindow::externalLinkRequested, this, [&](const QUrl& url) { web << url; });
        QVERIFY(!h.back->isEnabled() && !h.forward->isEnabled());
        emit h.browser->anchorClicked(QUrl(QStringLiteral("page.html#suite")));
        QCOMPARE(h.browser->source().fileName(), QStringLiteral("page.html"));
        QCOMPARE(h.windowTitle(), QStringLiteral("Page"));
        QVERIFY(h.back->isEnabled());
        h.back->click();
        QCOMPARE(h.browser->source().fileName(), QStringLiteral("index.html"));
        QVERIFY(h.forward->isEnabled());
        h.forward->click();
        QCOMPARE(h.browser->source().fileName(), QStringLiteral("page.html"));
        h.home->click();
        QCOMPARE(h.browser->source().fileName(), QStringLiteral("index.html"));

        // Search: found, found again from the top, not found (the page says so).
        h.browser->setSource(QUrl::fromLocalFile(dir.filePath(QStringLiteral("page.html"))));
        QVERIFY(h.find(QStringLiteral("lampe")));
        const int first = h.browser->textCursor().position();
        QVERIFY(h.find(QStringLiteral("lampe")));
        QVERIFY(h.browser->textCursor().position() > first);
        QVERIFY(h.find(QStringLiteral("lampe"))); // wraps to the first one
        QCOMPARE(h.browser->textCursor().position(), first);
        QVERIFY(!h.find(QStringLiteral("prisme")));
        QCOMPARE(h.searchStatus->text(), HelpWindow::NotFound);
        h.search->setText(QStringLiteral("encore"));
        QTest::keyClick(h.search, Qt::Key_Return);
        QCOMPARE(h.browser->textCursor().selectedText(), QStringLiteral("encore"));

        emit h.browser->anchorClicked(QUrl(QStringLiteral("exercice:REFRACTION.E02")));
        QCOMPARE(exercise, QStringLiteral("REFRACTION.E02"));
        emit h.browser->anchorClicked(
            QUrl(QStringLiteral("https://fr.wikipedia.org/wiki/Optique")));
        QCOMPARE(web.size(), 1);
        QCOMPARE(h.browser->source().fileName(), QStringLiteral("page.html"));
    }

    // From the course, "À vous" opens the shipped exercise on the main window.
    void course_opens_an_exercise()
    {
        programfolder::setPath(shipped(QString()));
        Prisme w(Prisme::StartMode::CommandLine);
        named<QPushButton>(w, QStringLiteral("Command9"))->click();
        QVERIFY(w.courseWindow);
        RecordingResponder r;
        emit w.courseWindow->exerciseRequested(QStringLiteral("REFRACTION.E02"));
        QCOMPARE(named<QLineEdit>(w, QStringLiteral("fich"))->text(),
                 shipped(QStringLiteral("exercices/REFRACTION.E02")));
        QVERIFY(r.requests.isEmpty());
        // A name that does not ship changes nothing.
        emit w.courseWindow->exerciseRequested(QStringLiteral("../OPTIPHANE.PEM"));
        QCOMPARE(named<QLineEdit>(w, QStringLiteral("fich"))->text(),
                 shipped(QStringLiteral("exercices/REFRACTION.E02")));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
