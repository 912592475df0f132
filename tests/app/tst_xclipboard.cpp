// SPDX-License-Identifier: GPL-3.0-or-later
// The copies as another program pastes them: the main window runs on a real X server (Xvfb) and
// xclip, a separate process, asks the clipboard for each type.
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/table/tablecontrols.h"

#include "support/named.h"
#include <QAction>
#include <QClipboard>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <QtTest>
#include <memory>

namespace {

// What xclip pastes for the type; the event loop runs meanwhile, so that this process, the
// clipboard's owner, answers the request.
QByteArray paste(const QString& target)
{
    QProcess xclip;
    QEventLoop loop;
    QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), target, QStringLiteral("-o")});
    loop.exec();
    if (xclip.state() != QProcess::NotRunning) {
        xclip.kill();
        xclip.waitForFinished();
        return QByteArray("<timeout>");
    }
    return xclip.readAllStandardOutput();
}

} // namespace

class TestXClipboard : public QObject {
    Q_OBJECT

    std::unique_ptr<Prisme> w;

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
                 "run under an X server (xvfb-run)");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty(),
                 "xclip is not installed");
    }
    void init()
    {
        module1() = Module1{};
        w = std::make_unique<Prisme>(Prisme::StartMode::CommandLine);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    // State: the protractor open. Action: "Copier le schéma de l'expérience". Expected: another
    // program pastes a PNG of the bench picture: the lamp in, the protractor out.
    void bench_picture_as_png()
    {
        w->Image3_Click(5);
        named<QAction>(*w, QStringLiteral("cop001"))->trigger();
        const QByteArray targets = paste(QStringLiteral("TARGETS"));
        QVERIFY2(targets.contains("image/png"), targets.constData());
        const QByteArray png = paste(QStringLiteral("image/png"));
        QVERIFY(png.startsWith("\x89PNG"));
        QImage got;
        QVERIFY(got.loadFromData(png, "PNG"));
        const QImage expected = w->benchPicture.composed().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(got.convertToFormat(QImage::Format_RGB32), expected);
        const QPoint lamp = w->benchPicture.lampeTopLeft.toPoint() + QPoint(16, 13);
        QVERIFY(qRed(got.pixel(lamp)) > 200 && qGreen(got.pixel(lamp)) > 150);
        QVERIFY(got.pixel(201, 102) != qRgb(255, 255, 255)); // the protractor's arc is not there
    }

    // Action: "Copier le contenu du tableau". Expected: the exact bytes, UTF-8, tabs and line
    // feeds only.
    void table_text_bytes()
    {
        w->table.setRowCount(3);
        w->table.setCell(0, 0, QStringLiteral("Angle i (°)"));
        w->table.setCell(0, 1, QStringLiteral("sin r"));
        w->table.setCell(1, 0, QStringLiteral("30,000"));
        w->table.setCell(2, 1, QStringLiteral("0,500"));
        named<QAction>(*w, QStringLiteral("cop003"))->trigger();
        const QByteArray expected = "Angle i (\xc2\xb0)\tsin r\tC3\tC4\tC5\n"
                                    "30,000\t\t\t\t\n"
                                    "\t0,500\t\t\t";
        QCOMPARE(paste(QStringLiteral("UTF8_STRING")), expected);
        QCOMPARE(paste(QStringLiteral("text/plain")), expected);
    }

    // Action: "Copier une image du tableau". Expected: a PNG as large as the grid on the screen.
    void table_picture_as_png()
    {
        named<QPushButton>(*w, QStringLiteral("Check1"))->setChecked(true);
        named<QAction>(*w, QStringLiteral("cop002"))->trigger();
        QImage got;
        QVERIFY(got.loadFromData(paste(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(got.size(), w->tableControls->widgets().MSFlexGrid1->size() *
                                 w->tableControls->widgets().MSFlexGrid1->devicePixelRatio());
    }
};

QTEST_MAIN(TestXClipboard)
#include "tst_xclipboard.moc"
