// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped exercises done as their texts say: each one opened in the main window, its first
// measuring instruction performed with the protractor as a pupil would (the sphere dragged to a
// pixel of the ray, then the arrow keys), and the reading compared with its correction's table.
// The rays are found in the bench picture itself, never computed here. Also: the non-breaking
// spaces of the shipped texts survive the program's reader and writer.
#include "core/app/experimentsetup.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"
#include "core/platform/programfolder.h"
#include "core/protractor/protractor.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/bench/benchcontrols.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/platform/dialogs.h"
#include "gui/protractor/protractorcontrols.h"
#include "support/modalwatchdog.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace {

constexpr double Pi = 3.14159265358979323846;

QString shipped(const QString& name)
{
    return qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/../data/") + name;
}

// The direction of a ray of the bench picture, in degrees anticlockwise from the normal's right
// half, within [from, to]: the median over several radii of where the pixels differ from the
// background of that arc. Nothing when no ray crosses it.
std::optional<double> rayDirection(const QImage& bench, double from, double to)
{
    std::vector<double> found;
    for (int radius = 110; radius <= 160; radius += 5) {
        std::map<QRgb, int> counts;
        std::vector<std::pair<double, QRgb>> arc;
        for (double a = from; a <= to; a += 0.05) {
            const double t = a * Pi / 180;
            const QPoint p(int(std::lround(BenchPicture::Centre + radius * std::cos(t))),
                           int(std::lround(BenchPicture::Centre - radius * std::sin(t))));
            const QRgb c = bench.pixel(p);
            arc.emplace_back(a, c);
            ++counts[c];
        }
        const QRgb background =
            std::max_element(counts.begin(), counts.end(), [](const auto& x, const auto& y) {
                return x.second < y.second;
            })->first;
        double sum = 0;
        int n = 0;
        for (const auto& [a, c] : arc)
            if (c != background) {
                sum += a;
                ++n;
            }
        if (n > 0 && n < 60) // a ray is a few pixels wide; more is something else
            found.push_back(sum / n);
    }
    if (found.size() < 5)
        return std::nullopt;
    std::sort(found.begin(), found.end());
    return found[found.size() / 2];
}

double readout(const ProtractorControls& p)
{
    return p.Label10->text().replace(u',', u'.').toDouble();
}

// The line's direction on the screen, degrees anticlockwise from the right.
double lineDirection()
{
    const ProtractorState& s = module1().protractor;
    return std::fmod((double(s.protractorAngle) + double(s.lineAngle)) * 180 / Pi + 720, 360);
}

// As a pupil lays the line: the sphere dragged to the whole pixel nearest the ray at the
// sphere's radius, then Shift+arrows on the sphere until the line is as close to the ray as
// 0,1° steps bring it.
void layLineOn(ProtractorControls& p, double direction)
{
    const double t = direction * Pi / 180;
    const QPointF inBox(std::round(protractor::Centre + 90 * std::cos(t)),
                        std::round(protractor::Centre - 90 * std::sin(t)));
    p.Imageboule_MouseMove(Qt::LeftButton, inBox - QPointF(p.Imageboule->pos()));
    for (int step = 0; step < 100; ++step) {
        const double off = std::remainder(direction - lineDirection(), 360);
        if (std::abs(off) <= 0.05)
            break;
        const double before = lineDirection();
        p.Imageboule_KeyDown(off > 0 ? Qt::Key_Left : Qt::Key_Right, Qt::ShiftModifier);
        if (lineDirection() == before)
            break; // refused: the base side, or an end
    }
}

} // namespace

class TestExerciseMeasures : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    QStringList m_questions;

    // The cell of a corrected configuration's table, as a number.
    static double corrected(const QString& correction, int row, int column)
    {
        Experiment e;
        experimentsetup::start(e);
        if (experimentsetup::open(e, shipped(QStringLiteral("exercices/") + correction)))
            return std::nan("");
        return e.table.getCell(row, column).replace(u',', u'.').toDouble();
    }

private slots:
    void init()
    {
        module1() = Module1{};
        m_watchdog = std::make_unique<ModalWatchdog>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        // The program's folder: a copy of the shipped activity and exercises.
        QDir().mkpath(m_dir->filePath(QStringLiteral("exercices")));
        for (const char* name : {"OPTIPHANE.PEM", "PRISENMAIN.RTF", "PRISENMAIN.P02"})
            QVERIFY(
                QFile::copy(shipped(QLatin1String(name)), m_dir->filePath(QLatin1String(name))));
        const QDir exercises(shipped(QStringLiteral("exercices")));
        for (const QString& name : exercises.entryList(QDir::Files))
            QVERIFY(QFile::copy(exercises.filePath(name),
                                m_dir->filePath(QStringLiteral("exercices/") + name)));
        programfolder::setPath(m_dir->path());
        Prisme::setScreenSizeOverride(QSize(1024, 768));
        m_questions.clear();
        dialogs::setResponder([this](const dialogs::Request& r) {
            m_questions << r.title;
            dialogs::Reply reply;
            reply.answer = dialogs::Answer::Cancel;
            return reply;
        });
        Prisme::setUrlOpener([](const QUrl&) { return true; });
    }
    void cleanup()
    {
        dialogs::setResponder({});
        Prisme::setUrlOpener({});
        Prisme::setScreenSizeOverride(QSize());
        programfolder::setPath(QString());
        m_dir.reset();
        m_watchdog.reset();
    }

    void first_measure_as_the_text_says_data()
    {
        QTest::addColumn<QString>("exercise");   // .E02, or the getting-started activity
        QTest::addColumn<int>("lampSteps");      // Right-arrow presses on the bench (clockwise)
        QTest::addColumn<int>("wavelength");     // a monochromatic source chosen first, or 0
        QTest::addColumn<QString>("correction"); // the corrected configuration
        QTest::addColumn<int>("row");            // its row for this incidence
        // Each measure: the quarter of the bench where the ray is ("haut-gauche", "haut-droite",
        // "bas-gauche"), "demi-tour:" first when the text turns the protractor half a turn
        // with its keys, and the column of the corrected table the reading must match.
        QTest::addColumn<QStringList>("measures");

        // "Remettre la lampe à gauche, à i = 30°" (as loaded): i on the reflected ray, then r.
        QTest::newRow("PRISENMAIN, question 10")
            << "PRISENMAIN" << 0 << 0 << "REFRACTION_C.P02" << 3
            << QStringList{"haut-gauche=0", "haut-droite=1"};
        // "Placer la lampe de façon que i = 10°": i' on the reflected ray, then i after an
        // exact half turn, on the incident ray.
        QTest::newRow("REFLEXION, question 3")
            << "REFLEXION.E02" << 20 << 0 << "REFLEXION_C.P02" << 1
            << QStringList{"haut-gauche=1", "demi-tour:bas-gauche=0"};
        QTest::newRow("REFRACTION, question 3")
            << "REFRACTION.E02" << 0 << 0 << "REFRACTION_C.P02" << 1
            << QStringList{"haut-gauche=0", "haut-droite=1"};
        // The lamp on the right below the normal: i on the ray reflected in the glass (upper
        // right), r on the refracted one (upper left).
        QTest::newRow("REFLEXTOT, question 2")
            << "REFLEXTOT.E02" << 0 << 0 << "REFLEXTOT_C.P02" << 1
            << QStringList{"haut-droite=0", "haut-gauche=1"};
        QTest::newRow("EAUAIR, question 3") << "EAUAIR.E02" << 0 << 0 << "EAUAIR_C.P02" << 1
                                            << QStringList{"haut-gauche=0", "haut-droite=1"};
        // "régler successivement λ = 400 …": r in the Crown at 400 nm.
        QTest::newRow("DISPERSION, question 5")
            << "DISPERSION.E02" << 0 << 400 << "DISPERSION_C.P02" << 1
            << QStringList{"haut-droite=2"};
        QTest::newRow("INCONNU, question 2") << "INCONNU.E02" << 0 << 0 << "INCONNU_C.P02" << 1
                                             << QStringList{"haut-gauche=0", "haut-droite=1"};
    }
    // State: the shipped exercise opened, its instruction's lamp and source set. Action: the
    // protractor opened as it comes, its line laid on each ray the text names (after a half
    // turn by 180 presses of Left on its turning handle where it says so). Expected: the line
    // lies on the ray found in the bench picture, and the reading is the correction's within
    // the few tenths of a degree the texts give; with the protractor as it opens, the line
    // cannot go onto the incident ray when the lamp is below the normal.
    void first_measure_as_the_text_says()
    {
        QFETCH(QString, exercise);
        QFETCH(int, lampSteps);
        QFETCH(int, wavelength);
        QFETCH(QString, correction);
        QFETCH(int, row);
        QFETCH(QStringList, measures);

        Prisme w;
        if (exercise == QLatin1String("PRISENMAIN"))
            w.exercisesMenu->PRISENMAIN_Click();
        else
            QVERIFY(w.exercisesMenu->openExercise(
                m_dir->filePath(QStringLiteral("exercices/") + exercise), &w));
        QVERIFY2(m_questions.isEmpty(), qPrintable(m_questions.join(u',')));
        for (int k = 0; k < lampSteps; ++k) {
            w.bench->lampe_KeyDown(Qt::Key_Right, Qt::NoModifier);
            w.bench->lampe_KeyUp(false);
        }
        if (wavelength) {
            w.bench->widgets().Option1->setChecked(true);
            w.bench->Option1_Click();
            w.bench->widgets().HScroll1->setValue(wavelength);
            w.bench->HScroll1_Change();
        }
        const double incidence = corrected(correction, row, 0);
        const QImage bench = w.benchPicture.composed();
        ProtractorControls& p = *w.protractor;
        p.open();
        QCOMPARE(module1().protractor.protractorAngle, 0.0f);

        const std::map<QString, std::pair<double, double>> quarters{
            {QStringLiteral("haut-droite"), {0.5, 89.5}},
            {QStringLiteral("haut-gauche"), {90.5, 179.5}},
            {QStringLiteral("bas-gauche"), {180.5, 269.5}}};
        const double lampAngle = w.experiment.bench.lampAngle;
        if (lampAngle > 90 && lampAngle < 270 && std::sin(lampAngle * Pi / 180) > 0) {
            // The lamp is below the normal on the left: the incident ray's quarter is the base
            // side of the protractor as it opens; a drag there leaves the line where it was.
            const std::optional<double> incident = rayDirection(bench, 180.5, 269.5);
            QVERIFY(incident);
            layLineOn(p, *incident);
            QVERIFY2(lineDirection() <= 180.0001 &&
                         std::abs(std::remainder(lineDirection() - *incident, 360)) > 5,
                     qPrintable(QString::number(lineDirection())));
        }
        for (QString measure : measures) {
            if (measure.startsWith(QLatin1String("demi-tour:"))) {
                measure = measure.mid(10);
                for (int k = 0; k < 180; ++k)
                    p.Imaged_KeyDown(Qt::Key_Left, Qt::NoModifier);
                // Back on the normal, exactly: the base's ends on the dotted line.
                QVERIFY(std::abs(double(module1().protractor.protractorAngle) - Pi) < 1e-5);
            }
            const QString quarter = measure.section(u'=', 0, 0);
            const int column = measure.section(u'=', 1).toInt();
            const auto [from, to] = quarters.at(quarter);
            const std::optional<double> ray = rayDirection(bench, from, to);
            QVERIFY2(ray, qPrintable(quarter));
            layLineOn(p, *ray);
            QVERIFY2(std::abs(std::remainder(lineDirection() - *ray, 360)) <= 0.1,
                     qPrintable(QStringLiteral("%1 : droite %2°, rayon %3°")
                                    .arg(quarter)
                                    .arg(lineDirection())
                                    .arg(*ray)));
            const double expected = corrected(correction, row, column);
            QVERIFY(!std::isnan(expected));
            QVERIFY2(std::abs(readout(p) - expected) <= 0.3,
                     qPrintable(QStringLiteral("%1 : lu %2, la correction donne %3 (i = %4)")
                                    .arg(quarter, p.Label10->text())
                                    .arg(expected)
                                    .arg(incidence)));
        }
    }

    void non_breaking_spaces_survive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("getting-started") << "PRISENMAIN.RTF";
        const QDir exercises(shipped(QStringLiteral("exercices")));
        for (const QString& name : exercises.entryList({QStringLiteral("*.RTF")}, QDir::Files))
            QTest::newRow(qPrintable(name)) << QStringLiteral("exercices/") + name;
    }
    // Expected: a shipped text writes its non-breaking spaces "\~"; the program reads each one
    // as U+00A0 (none before a colon or inside « » is an ordinary space), and a statement saved
    // by the program and read again still has them all.
    void non_breaking_spaces_survive()
    {
        QFETCH(QString, text);
        QFile f(shipped(text));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const int written = int(bytes.count("\\~"));
        QVERIFY(written > 0);
        QTextDocument document;
        QCOMPARE(rtf::read(bytes, document), rtf::ReadStatus::Read);
        const QString raw = document.toRawText();
        QCOMPARE(int(raw.count(QChar(0x00A0))), written);
        for (const QString& fault :
             {QStringLiteral(" :"), QStringLiteral(" ;"), QStringLiteral(" ?"),
              QStringLiteral(" !"), QStringLiteral("« "), QStringLiteral(" »")})
            QVERIFY2(!raw.contains(fault), qPrintable(fault));
        QTextDocument again;
        QCOMPARE(rtf::read(rtf::write(document), again), rtf::ReadStatus::Read);
        QCOMPARE(int(again.toRawText().count(QChar(0x00A0))), written);
    }
};

QTEST_MAIN(TestExerciseMeasures)
#include "tst_exercisemeasures.moc"
