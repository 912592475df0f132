// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a real X server (Xvfb), driven as a pupil drives it with xdotool: the lamp
// dragged, then turned with the keys, a value typed in the table, an answer typed in the
// getting-started text, and the program closed with its two questions answered. The screen is
// read with ImageMagick's import and xclip: the refracted ray at the angle Snell's law gives,
// the typed value in the table, and "NON" in the marker file at the end. A second session uses
// the keyboard alone: the refracted ray measured with the protractor and recorded in the table.
#include "core/app/markerfile.h"
#include "core/config/recordfile.h"

#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>

namespace {

// The bench's centre on the screen: the main window at the screen's corner (no window manager),
// the drawing inside its 2-pixel border at (8, 48).
constexpr int kCentreX = 211;
constexpr int kCentreY = 251;

// Runs a helper program to its end while this process's events go on.
QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    p.start(program, arguments);
    loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return p.readAllStandardOutput();
}

void xdotool(const QStringList& arguments)
{
    run(QStringLiteral("xdotool"), arguments);
    QTest::qWait(250);
}

void click(int x, int y)
{
    xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y),
             QStringLiteral("click"), QStringLiteral("1")});
}

void key(const QString& name)
{
    xdotool({QStringLiteral("key"), name});
}

// The message box of that title takes the keyboard and is answered with a key (Enter: its
// default button).
void answer(const QString& title, const QString& keys = QStringLiteral("Return"))
{
    const QByteArray window =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--name"), title})
            .trimmed();
    QVERIFY2(!window.isEmpty(), qPrintable(title));
    xdotool({QStringLiteral("windowfocus"), QString::fromLatin1(window.split('\n').last())});
    key(keys);
}

QByteArray clipboardText()
{
    return run(QStringLiteral("xclip"),
               {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")});
}

QImage screenshot()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ecran.png"));
    run(QStringLiteral("import"),
        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-depth"),
         QStringLiteral("8"), QStringLiteral("PNG24:") + path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The row nearest to y, within a window of ±window rows, where column x is brightest.
int brightestRow(const QImage& image, int x, int y, int window)
{
    int best = y;
    int bestValue = -1;
    for (int row = y - window; row <= y + window; ++row) {
        const QRgb p = image.pixel(x, row);
        const int value = qRed(p) + qGreen(p);
        if (value > bestValue) {
            bestValue = value;
            best = row;
        }
    }
    return best;
}

} // namespace

// The program and its files in a folder of their own, as installed beside each other, started
// on the X server; its window shown, then a moment for the first drawing.
bool startProgram(const QTemporaryDir& folder, QProcess& optiphane)
{
    const QString program = folder.filePath(QStringLiteral("optiphane"));
    if (!QFile::copy(QStringLiteral(OPTIPHANE_EXECUTABLE), program))
        return false;
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    for (const QString& name : {QStringLiteral("OPTIPHANE.PEM"), QStringLiteral("PRISENMAIN.RTF"),
                                QStringLiteral("PRISENMAIN.P02")}) {
        if (!QFile::copy(QStringLiteral(OPTIPHANE_SOURCE_DIR "/data/") + name,
                         folder.filePath(name)))
            return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    optiphane.setProcessEnvironment(env);
    optiphane.start(program, {});
    if (!optiphane.waitForStarted())
        return false;
    const bool shown =
        !run(QStringLiteral("xdotool"),
             {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
              QStringLiteral("--name"), QStringLiteral("^Optiphane")})
             .isEmpty();
    QTest::qWait(1500);
    return shown;
}

void keys(const QString& name, int times)
{
    for (int i = 0; i < times; ++i)
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), name});
    QTest::qWait(250);
}

// The angle above the horizontal, in degrees, of the bright ray leaving the centre to the right,
// read at two radii beyond the protractor's box.
double rayAngle(const QImage& screen, double guess)
{
    double angles = 0;
    for (int radius : {130, 170}) {
        const int x = int(std::lround(kCentreX + radius * std::cos(guess * M_PI / 180)));
        const int y = int(std::lround(kCentreY - radius * std::sin(guess * M_PI / 180)));
        const int found = brightestRow(screen, x, y, 12);
        angles += std::atan2(kCentreY - found, x - kCentreX) * 180 / M_PI;
    }
    return angles / 2;
}

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* tool : {"xdotool", "import", "xclip"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run under xvfb-run");
    }

    void a_pupil_session()
    {
        // The program and its files in a folder of their own, as installed beside each other.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("optiphane"));
        QVERIFY(QFile::copy(QStringLiteral(OPTIPHANE_EXECUTABLE), program));
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        for (const QString& name :
             {QStringLiteral("OPTIPHANE.PEM"), QStringLiteral("PRISENMAIN.RTF"),
              QStringLiteral("PRISENMAIN.P02")})
            QVERIFY(QFile::copy(QStringLiteral(OPTIPHANE_SOURCE_DIR "/data/") + name,
                                folder.filePath(name)));

        QProcess optiphane;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        optiphane.setProcessEnvironment(env);
        optiphane.start(program, {});
        QVERIFY(optiphane.waitForStarted());
        // Its window shown, then a moment for the first drawing.
        QVERIFY(!run(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--sync"),
                      QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      QStringLiteral("^Optiphane")})
                     .isEmpty());
        QTest::qWait(1500);
        const QString marker = folder.filePath(QString::fromLatin1(marker::FileName));
        QCOMPARE(readRecord(marker, marker::Record).value_or(QString()), QStringLiteral("OUI"));

        // The lamp, at 135° at start (190 pixels from the centre), dragged to 150°, then turned
        // by five degrees with the right arrow: 155°, an incidence of 24.93°.
        const int startX = kCentreX - 134;
        const int startY = kCentreY + 134;
        xdotool({QStringLiteral("mousemove"), QString::number(startX), QString::number(startY),
                 QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int k = 1; k <= 10; ++k) {
            const double a = (135 + 1.5 * k) * M_PI / 180;
            xdotool({QStringLiteral("mousemove"),
                     QString::number(std::lround(kCentreX + 190 * std::cos(a))),
                     QString::number(std::lround(kCentreY + 190 * std::sin(a)))});
        }
        // The last step exactly on the 150° line: 165 pixels left of the centre, 95 below.
        xdotool({QStringLiteral("mousemove"), QString::number(kCentreX - 165),
                 QString::number(kCentreY + 95), QStringLiteral("mouseup"), QStringLiteral("1")});
        for (int k = 0; k < 5; ++k)
            key(QStringLiteral("Right"));
        QTest::qWait(800);

        // Snell's law: sin r = 1.000277 × sin 24.93° / 1.506516, r = 16.25°. The refracted ray
        // leaves the centre up and to the right; were it undeviated it would lie 20 pixels
        // higher at 150 pixels.
        const QImage screen = screenshot();
        QVERIFY(!screen.isNull());
        const double r = std::asin(1.000277 * std::sin(24.93 * M_PI / 180) / 1.506516);
        for (int radius : {100, 125, 150, 170}) {
            const int x = int(std::lround(kCentreX + radius * std::cos(r)));
            const int y = int(std::lround(kCentreY - radius * std::sin(r)));
            const int found = brightestRow(screen, x, y, 12);
            QVERIFY2(qAbs(found - y) <= 2,
                     qPrintable(QStringLiteral("r = %1 px : ligne %2, attendue %3")
                                    .arg(radius)
                                    .arg(found)
                                    .arg(y)));
            const QRgb p = screen.pixel(x, found);
            QVERIFY2(qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) < 120,
                     qPrintable(QString::number(p, 16)));
        }

        // The table: its button, the first cell, two measurements typed with Enter between them
        // (Enter goes down, as in a spreadsheet); the table's text copied.
        click(396, 20);
        click(459, 93);
        xdotool({QStringLiteral("type"), QStringLiteral("24.93")});
        key(QStringLiteral("Return"));
        xdotool({QStringLiteral("type"), QStringLiteral("16.25")});
        key(QStringLiteral("Return"));

        // C2 = C1 × 2: the column's title opens its menu, "Calculer C2" (the first item) the
        // calculator in column mode; the C1 key, "*2" typed, Enter computes the column.
        click(526, 74);
        key(QStringLiteral("Down"));
        key(QStringLiteral("Return"));
        const QByteArray calculator =
            run(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--sync"),
                 QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                 QStringLiteral("^Calculer: C2")})
                .trimmed();
        QVERIFY(!calculator.isEmpty());
        const QString id = QString::fromLatin1(calculator.split('\n').last());
        const QByteArray geometry =
            run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id});
        const QRegularExpressionMatch at =
            QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)"))
                .match(QString::fromLatin1(geometry));
        QVERIFY2(at.hasMatch(), geometry.constData());
        xdotool({QStringLiteral("windowfocus"), id});
        click(at.captured(1).toInt() + 35, at.captured(2).toInt() + 98); // the C1 key
        xdotool({QStringLiteral("type"), QStringLiteral("*2")});
        key(QStringLiteral("Return"));
        // The eight empty rows are told.
        answer(QStringLiteral("^Calcul termin"));

        click(459, 93);
        key(QStringLiteral("ctrl+c"));
        const QByteArray measured = clipboardText();
        QVERIFY2(measured.startsWith("C1\tC2\tC3\tC4\tC5\n24,930\t49,860\t\t\t\n16,250\t32,500\t"),
                 measured.constData());

        // The getting-started activity would replace them: the question, Enter (its default,
        // Non) keeps the table as it was.
        click(466, 301);
        click(492, 322);
        answer(QStringLiteral("^Mesures non enregistr"));
        click(459, 93);
        key(QStringLiteral("ctrl+c"));
        QCOMPARE(clipboardText(), measured);

        // Asked again and answered Oui: the activity, and an answer typed in it.
        click(466, 301);
        click(492, 322);
        answer(QStringLiteral("^Mesures non enregistr"), QStringLiteral("alt+o"));
        click(600, 470);
        xdotool({QStringLiteral("type"), QStringLiteral("Ma reponse")});

        // "Fermer": the typed answer's question, then the closing one, both answered OK.
        // Each question is found by its title and given the keyboard (there is no window
        // manager to do it), then answered with Enter, its default button OK.
        click(748, 20);
        answer(QStringLiteral("^Abandon des donn"));
        answer(QStringLiteral("^Fermer$"));
        QTRY_VERIFY_WITH_TIMEOUT(optiphane.state() == QProcess::NotRunning, 10000);
        QCOMPARE(optiphane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(optiphane.exitCode(), 0);
        QCOMPARE(readRecord(marker, marker::Record).value_or(QString()), QStringLiteral("NON"));
    }

    void a_measurement_by_keys_alone()
    {
        QTemporaryDir folder;
        QProcess optiphane;
        QVERIFY(startProgram(folder, optiphane));
        const QByteArray window = run(QStringLiteral("xdotool"),
                                      {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), QStringLiteral("^Optiphane")})
                                      .trimmed();
        xdotool({QStringLiteral("windowfocus"), QString::fromLatin1(window.split('\n').last())});

        // The focus starts on "Ouvrir"; nine Tabs lead to the bench, where Right turns the lamp
        // from 135° to 140°: an incidence of 40°, a refracted ray 25,27° above the normal.
        keys(QStringLiteral("Tab"), 9);
        keys(QStringLiteral("Right"), 5);
        // Five Tabs on, past the other panels' icons, the protractor's icon: Space opens it with
        // the focus on its cross; two Tabs to its sphere. The line, upright at start, turned
        // down onto the ray by 64° and 7 tenths; Enter records the reading in the table.
        keys(QStringLiteral("Tab"), 5);
        keys(QStringLiteral("space"), 1);
        keys(QStringLiteral("Tab"), 2);
        keys(QStringLiteral("Right"), 64);
        keys(QStringLiteral("shift+Right"), 7);
        QTest::qWait(500);
        const QImage screen = screenshot();
        QVERIFY(!screen.isNull());
        const double ray = rayAngle(screen, 25.3);
        QVERIFY2(std::abs(ray - 25.3) < 0.5, qPrintable(QString::number(ray)));
        // The measuring line lies on the ray inside the box: cyan within a pixel or two of it.
        for (int radius : {40, 60, 80}) {
            const int x = int(std::lround(kCentreX + radius * std::cos(25.3 * M_PI / 180)));
            const int y = int(std::lround(kCentreY - radius * std::sin(25.3 * M_PI / 180)));
            bool cyan = false;
            for (int dy = -2; dy <= 2 && !cyan; ++dy) {
                const QRgb p = screen.pixel(x, y + dy);
                cyan = qBlue(p) > 150 && qGreen(p) > 150 && qRed(p) < 120;
            }
            QVERIFY2(cyan, qPrintable(QStringLiteral("r = %1 px").arg(radius)));
        }
        keys(QStringLiteral("Return"), 1);

        // "Copier" by its mnemonic, its first item: the table's text on the clipboard.
        keys(QStringLiteral("alt+p"), 1);
        keys(QStringLiteral("Down"), 1);
        keys(QStringLiteral("Return"), 1);
        const QByteArray table = clipboardText();
        QVERIFY2(table.startsWith("C1\tC2\tC3\tC4\tC5\n25,300\t\t\t\t\n"), table.constData());

        // "Fermer" by its mnemonic, the question answered with Enter.
        keys(QStringLiteral("alt+f"), 1);
        answer(QStringLiteral("^Fermer$"));
        QTRY_VERIFY_WITH_TIMEOUT(optiphane.state() == QProcess::NotRunning, 10000);
        QCOMPARE(optiphane.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
