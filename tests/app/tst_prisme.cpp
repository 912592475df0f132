// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: start-up, the marker file, the size rule, the hint
// bar, the panels, the help commands, the text box rules, closing, and the --image command.
#include "core/app/experimentsetup.h"
#include "core/app/markerfile.h"
#include "core/config/recordfile.h"
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/config/configdialogs.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/platform/dialogs.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/named.h"
#include "support/smalldisc.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

using dialogs::Answer;
using dialogs::Request;

class TestPrisme : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startup_prepares_the_experiment();
    void an_exercise_is_read_beside_the_bench_alone();
    void a_configuration_opens_into_the_controls();
    void a_refused_configuration_changes_nothing_data();
    void a_refused_configuration_changes_nothing();
    void opening_asks_before_dropping_measurements();
    // Before the closing questions: once the application was asked to quit, no dialog runs.
    void save_on_a_full_disc_keeps_the_file_and_the_title();

    void marker_is_OUI_while_running_and_NON_after_closing();
    void marker_leaves_the_rest_of_an_existing_file();
    void marker_failures_are_ignored();
    void marker_folder_data();
    void marker_folder();
    void command_line_start_leaves_the_marker_alone();

    void size_rule_data();
    void size_rule();

    void maximized_layout_fills_the_window_data();
    void maximized_layout_fills_the_window();
    void f11_goes_to_full_screen_and_back();

    void closing_questions_data();
    void closing_questions();

    void hint_over_each_control_data();
    void hint_over_each_control();
    void copied_message_stays_over_copy_button();

    void icons_show_panels_and_titles_hide_them_data();
    void icons_show_panels_and_titles_hide_them();
    void table_panel_covers_material_panels();

    void help_commands_open_program_files_data();
    void help_commands_open_program_files();

    void file_name_box_shows_its_whole_text();
    void editing_marks_text_modified_only_when_named_data();
    void editing_marks_text_modified_only_when_named();

    void image_command_writes_the_bench_picture();
    void image_command_fails_on_unwritable_path();

private:
    QString markerPath() const { return m_dir->filePath(QLatin1String(marker::FileName)); }
    QByteArray markerBytes() const;
    QStringList requestTitles() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    QList<Request> m_requests;
    QList<Answer> m_answers; // answers given in turn; Cancel once they run out
    QList<QUrl> m_opened;
};

namespace {
// The control's centre, in its own coordinates.
QPoint centreOf(const QWidget* w)
{
    return w->rect().center();
}

// A move of the pointer to a point of a control, as the windowing system delivers it.
void hover(QWidget* control, QPoint local)
{
    QTest::mouseMove(control, local);
    QCoreApplication::processEvents();
}

bool covers(const QWidget* panel, const QWidget* found)
{
    return found && (found == panel || panel->isAncestorOf(found));
}
} // namespace

QByteArray TestPrisme::markerBytes() const
{
    QFile f(markerPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TestPrisme::requestTitles() const
{
    QStringList titles;
    for (const Request& r : m_requests)
        titles << r.title;
    return titles;
}

void TestPrisme::init()
{
    module1() = Module1{};
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    programfolder::setPath(m_dir->path());
    Prisme::setScreenSizeOverride(QSize(1024, 768));
    m_requests.clear();
    m_answers.clear();
    m_opened.clear();
    dialogs::setResponder([this](const Request& r) {
        m_requests << r;
        dialogs::Reply reply;
        reply.answer = m_answers.isEmpty() ? Answer::Cancel : m_answers.takeFirst();
        return reply;
    });
    Prisme::setUrlOpener([this](const QUrl& url) {
        m_opened << url;
        return true;
    });
}

void TestPrisme::cleanup()
{
    dialogs::setResponder({});
    Prisme::setUrlOpener({});
    Prisme::setScreenSizeOverride(QSize());
    programfolder::setPath(QString());
    m_dir.reset();
    m_watchdog.reset();
}

void TestPrisme::startup_prepares_the_experiment()
{
    // State: a fresh start. Expected: Crown glass in air, monochromatic 589 nm on a black
    // background, the start hint, every panel hidden, the lamp at 135 degrees.
    Prisme w;
    const QStringList materials = {QStringLiteral("Air"), QStringLiteral("Eau"),
                                   QStringLiteral("Verre Crown"), QStringLiteral("Verre Flint"),
                                   QStringLiteral("Autre")};
    for (QComboBox* combo : {w.bench->widgets().Combo1, w.bench->widgets().Combo2}) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, materials);
    }
    QCOMPARE(w.bench->widgets().Combo1->currentText(), QStringLiteral("Verre Crown"));
    QCOMPARE(w.bench->widgets().Combo2->currentText(), QStringLiteral("Air"));
    QCOMPARE(w.bench->widgets().Label20->text(),
             QStringLiteral("Pour une longueur d'onde dans le vide de 589 nm"));
    QCOMPARE(w.bench->widgets().Label14->text(), w.bench->widgets().Label20->text());
    QCOMPARE(w.bench->widgets().Label4->text(), QStringLiteral("n = 1,506516"));
    QCOMPARE(w.bench->widgets().Label16->text(), QStringLiteral("n = 1,000277"));

    const BenchState& bench = w.experiment.bench;
    QCOMPARE(bench.discA, 1.472363f);
    QCOMPARE(bench.discB, 11848.408f);
    QCOMPARE(bench.outerA, 1.0002747f);
    QCOMPARE(bench.outerB, 0.74f);
    QCOMPARE(bench.discMaterialIndex, std::int16_t(2));
    QCOMPARE(bench.outerMaterialIndex, false);
    QCOMPARE(bench.lampAngle, 135.0);
    QVERIFY(bench.benchDrawnFor != 0); // the redraw drew the static picture

    const BenchOptions o = w.bench->benchOptions();
    QCOMPARE(o.source, Source::Monochromatic);
    QCOMPARE(o.wavelength, 589);
    QVERIFY(o.blackBackground && o.halfDisc && o.partialReflection && o.arrows);
    QVERIFY(!o.protractorShown);

    QCOMPARE(w.hint(), QStringLiteral("Vous pouvez modifier les paramètres,\r\nouvrir une "
                                      "configuration ou un exercice"));
    for (QWidget* panel :
         {named<QFrame>(w, QStringLiteral("Picture4")),
          named<QFrame>(w, QStringLiteral("Picture5")),
          named<QFrame>(w, QStringLiteral("Picture6")), named<QFrame>(w, QStringLiteral("Frame1")),
          named<QFrame>(w, QStringLiteral("Picture2")), named<QFrame>(w, QStringLiteral("Frame4"))})
        QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
    QVERIFY(!named<QPushButton>(w, QStringLiteral("Check1"))->isChecked());
    QVERIFY(!w.bench->widgets().Timer1->isActive());
    QCOMPARE(w.exercisesMenu->textModified(), false);
    QVERIFY(named<QLineEdit>(w, QStringLiteral("fich"))->text().isEmpty());
    QVERIFY(named<QTextEdit>(w, QStringLiteral("supertext"))->isReadOnly());
    QVERIFY(named<QTextEdit>(w, QStringLiteral("supertext"))
                ->toPlainText()
                .startsWith(QStringLiteral("Optiphane\n")));
    QVERIFY(m_requests.isEmpty());
}

void TestPrisme::marker_is_OUI_while_running_and_NON_after_closing()
{
    // State: no TEMPO.SPC. Action: start, then close with OK. Expected: 384 zero bytes, 03 00 and
    // "OUI" while running; the same with "NON" after closing.
    Prisme w;
    QCOMPARE(markerBytes(), QByteArray(384, '\0') + QByteArray("\x03\x00OUI", 5));
    w.show();
    m_answers = {Answer::Ok};
    QTest::mouseClick(named<QPushButton>(w, QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(markerBytes(), QByteArray(384, '\0') + QByteArray("\x03\x00NON", 5));
}

void TestPrisme::marker_leaves_the_rest_of_an_existing_file()
{
    // State: a 700-byte TEMPO.SPC written by another program. Expected: only the record's five
    // bytes change.
    QByteArray before(700, '\x5A');
    {
        QFile f(markerPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    Prisme w;
    before.replace(384, 5, QByteArray("\x03\x00OUI", 5));
    QCOMPARE(markerBytes(), before);
}

void TestPrisme::marker_failures_are_ignored()
{
    // State: the program's folder does not exist. Expected: the program starts and closes as
    // usual, without a message.
    const QString missing = m_dir->filePath(QStringLiteral("absent/dossier"));
    programfolder::setPath(missing);
    Prisme w;
    w.show();
    QCOMPARE(w.bench->widgets().Combo1->currentText(), QStringLiteral("Verre Crown"));
    m_answers = {Answer::Ok};
    QVERIFY(w.close());
    QCOMPARE(requestTitles(), QStringList{QStringLiteral("Fermer")});
    QVERIFY(!QFileInfo::exists(missing));
}

void TestPrisme::marker_folder_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<QString>("folder");
    QTest::newRow("a build") << "/home/prof/optiphane/build" << true << "/run/user/1000"
                             << "/home/prof/optiphane/build/";
    QTest::newRow("installed, run as root") << "/usr/share/optiphane" << true << "/run/user/0"
                                            << "/run/user/0/optiphane/";
    QTest::newRow("installed, no runtime folder") << "/usr/share/optiphane" << false << ""
                                                  << "/home/eleve/.local/state/optiphane/";
    QTest::newRow("under /opt") << "/opt/optiphane/share/optiphane" << true << "/run/user/1000"
                                << "/run/user/1000/optiphane/";
    QTest::newRow("a package unpacked into a scratch root, as root")
        << "/tmp/racine/usr/share/optiphane" << true << "/run/user/0"
        << "/run/user/0/optiphane/";
    QTest::newRow("a user's folder named share, not an installation")
        << "/home/prof/share/optiphane-essai" << true << ""
        << "/home/prof/share/optiphane-essai/";
    QTest::newRow("a school's shared folder, read-only")
        << "/srv/logiciels/optiphane" << false << "/run/user/1000"
        << "/run/user/1000/optiphane/";
}

void TestPrisme::marker_folder()
{
    // Expected: the marker stays in a folder the user owns; an installed program's goes to the
    // user's runtime folder, else the state folder, never under /usr.
    QFETCH(QString, program);
    QFETCH(bool, writable);
    QFETCH(QString, runtime);
    QFETCH(QString, folder);
    QCOMPARE(
        marker::folderFor(program, writable, runtime, QStringLiteral("/home/eleve/.local/state")),
        folder);
}

void TestPrisme::command_line_start_leaves_the_marker_alone()
{
    Prisme w(Prisme::StartMode::CommandLine);
    QCOMPARE(w.bench->widgets().Combo1->currentText(), QStringLiteral("Verre Crown"));
    QVERIFY(!QFile::exists(markerPath()));
}

void TestPrisme::size_rule_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("small");
    QTest::addColumn<QPoint>("centredAt");
    QTest::newRow("800 x 600 screen") << QSize(800, 600) << true << QPoint(0, 0);
    QTest::newRow("849 pixels is still narrow") << QSize(849, 700) << true << QPoint(24, 50);
    QTest::newRow("850 pixels is wide enough") << QSize(850, 700) << false << QPoint();
    QTest::newRow("1024 x 768 screen") << QSize(1024, 768) << false << QPoint();
}

void TestPrisme::size_rule()
{
    // Action: start, then show, resize and maximise the window. Expected: on a narrow screen it is
    // always 800 x 600 and centred; on a wide one the designed 791 x 565, then as the user sizes
    // it.
    QFETCH(QSize, screen);
    QFETCH(bool, small);
    QFETCH(QPoint, centredAt);
    Prisme::setScreenSizeOverride(screen);
    Prisme w;
    if (small) {
        QCOMPARE(w.frameGeometry().size(), QSize(800, 600));
        QCOMPARE(w.pos(), centredAt);
    } else {
        QCOMPARE(w.size(), QSize(Prisme::DesignWidth, Prisme::DesignHeight));
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(640, 480);
    QCoreApplication::processEvents();
    QCOMPARE(small ? w.frameGeometry().size() : w.size(),
             small ? QSize(800, 600) : QSize(640, 480));
    if (small) {
        QCOMPARE(w.pos(), centredAt);
        w.showMaximized();
        QTRY_VERIFY(!(w.windowState() & Qt::WindowMaximized));
        QTRY_COMPARE(w.frameGeometry().size(), QSize(800, 600));
        QCOMPARE(w.pos(), centredAt);
    }
}

namespace {
// Where the window's named controls are, and the size of their type.
struct Place {
    QRect rect; // in the window
    double type;
    bool operator==(const Place&) const = default;
};
QMap<QString, Place> places(const Prisme& w)
{
    QMap<QString, Place> out;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")) ||
            c->isWindow())
            continue;
        const QFont f = c->font();
        out[c->objectName()] = {QRect(c->mapTo(&w, QPoint(0, 0)), c->size()),
                                f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF()};
    }
    return out;
}

// A lamp drag on the bench from the lamp's centre to a point of the drawing (1× pixels).
void dragLamp(BenchView* view, QPointF to)
{
    const double z = view->width() / double(BenchView::OuterSize);
    auto send = [view, z](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        const QPointF local = QPointF(view->contentsRect().topLeft()) + p * z;
        QMouseEvent e(type, local, view->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    const QPointF lamp = QRectF(view->lampRect()).center();
    send(QEvent::MouseButtonPress, lamp, Qt::LeftButton);
    send(QEvent::MouseMove, (lamp + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// The sphere dragged to a point of the protractor's box (1× pixels); the read-out.
QString measure(ProtractorControls* protractor, QPointF inBox)
{
    ProtractorHandle* sphere = protractor->Imageboule;
    const double z = protractor->picturap->width() / double(protractor::Size);
    const QPointF local = inBox * z - QPointF(sphere->pos());
    QMouseEvent e(QEvent::MouseMove, local, sphere->mapToGlobal(local), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(sphere, &e);
    return protractor->Label10->text();
}
} // namespace

void TestPrisme::maximized_layout_fills_the_window_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QPoint>("offset");
    // The layout is 791 × 565: the narrower side decides, the other is shared on both sides.
    QTest::newRow("twice, wide screen") << QSize(1782, 1130) << 2.0 << QPoint(100, 0);
    QTest::newRow("1,5, tall screen") << QSize(1187, 948) << 1187 / 791.0 << QPoint(0, 50);
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << 1280 / 791.0 << QPoint(0, 55);
    QTest::newRow("too low for the layout: as designed") << QSize(1280, 540) << 1.0 << QPoint();
}

void TestPrisme::maximized_layout_fills_the_window()
{
    // Action: maximize the window on a large screen, drag the lamp and measure with the
    // protractor as at the designed size, then restore it. Expected: every control at its place
    // times the factor (within a pixel of rounding), its type too, the bench drawn at the factor,
    // the same drags giving the same angles, the statement laid out larger but unchanged;
    // restored, every control back exactly where it was.
    QFETCH(QSize, window);
    QFETCH(double, factor);
    QFETCH(QPoint, offset);
    Prisme w;
    named<QPushButton>(w, QStringLiteral("Check1"))->setChecked(true); // the table
    BenchView* view = named<BenchView>(w, QStringLiteral("dessin"));
    auto* text = named<QTextEdit>(w, QStringLiteral("supertext"));
    const QString statement = text->toHtml();
    auto measureOnce = [&] {
        w.experiment.bench.lampAngle = 135;
        w.bench->redrawBench();
        dragLamp(view, QPointF(40, 300));
        w.protractor->open();
        return std::make_pair(w.experiment.bench.lampAngle,
                              measure(w.protractor, QPointF(177.94228634059948, 55.0)));
    };
    const auto atOne = measureOnce();
    QVERIFY(atOne.first != 135);
    QCOMPARE(atOne.second, QStringLiteral("30,0"));
    const QMap<QString, Place> designed = places(w);

    w.resize(window); // as the window manager does it, before saying it is maximized
    w.setWindowState(Qt::WindowMaximized);
    w.fitLayout();
    QCOMPARE(w.layoutFactor(), factor);
    QCOMPARE(w.benchPicture.scale(), factor);
    QCOMPARE(measureOnce(), atOne);
    const QMap<QString, Place> large = places(w);
    auto times = [factor](int length) { return int(std::lround(length * factor)); };
    for (auto it = designed.begin(); it != designed.end(); ++it) {
        const QRect& d = it->rect;
        const QRect& l = large[it.key()].rect;
        const QRect wanted(times(d.x()) + offset.x(), times(d.y()) + offset.y(), times(d.width()),
                           times(d.height()));
        const bool near = std::abs(l.left() - wanted.left()) <= 1 &&
                          std::abs(l.top() - wanted.top()) <= 1 &&
                          std::abs(l.right() - wanted.right()) <= 1 &&
                          std::abs(l.bottom() - wanted.bottom()) <= 1;
        QVERIFY2(near, qPrintable(it.key() + QDebug::toString(l) + QDebug::toString(wanted)));
        // The statement box keeps its type: its text is laid out at the factor instead.
        if (it.key() != QLatin1String("supertext"))
            QVERIFY2(std::abs(large[it.key()].type - it->type * factor) <= 0.5,
                     qPrintable(it.key()));
    }
    QCOMPARE(w.tableControls->widgets().MSFlexGrid1->columnWidth(0), times(67));
    const QPaintDevice* device = text->document()->documentLayout()->paintDevice();
    if (factor > 1)
        QCOMPARE(device ? device->logicalDpiY() : 0, times(96));
    else
        QVERIFY(!device); // the screen's own
    QCOMPARE(text->toHtml(), statement);

    w.setWindowState(Qt::WindowNoState);
    w.resize(Prisme::DesignWidth, Prisme::DesignHeight);
    w.fitLayout();
    QCOMPARE(places(w), designed);
    QCOMPARE(w.benchPicture.scale(), 1.0);
    QVERIFY(!text->document()->documentLayout()->paintDevice());
}

void TestPrisme::f11_goes_to_full_screen_and_back()
{
    // Action: F11, then F11 again. Expected: full screen with the layout at the factor that fits
    // the screen, then the designed size again.
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F11);
    QTRY_VERIFY(w.isFullScreen());
    QTRY_VERIFY(w.layoutFactor() > 1);
    QTest::keyClick(&w, Qt::Key_F11);
    QTRY_VERIFY(!w.isFullScreen());
    QTRY_COMPARE(w.layoutFactor(), 1.0);
    QTRY_COMPARE(w.size(), QSize(Prisme::DesignWidth, Prisme::DesignHeight));
}

void TestPrisme::an_exercise_is_read_beside_the_bench_alone()
{
    // Action: the table, a panel and the protractor shown, an exercise opened.
    // Expected: its configuration in the lists and on the bench, the table and every panel gone.
    Prisme w;
    named<QPushButton>(w, QStringLiteral("Check1"))->setChecked(true);
    w.Image3_Click(1);
    w.Image3_Click(5);
    QVERIFY(w.exercisesMenu->openExercise(qEnvironmentVariable("OPTIPHANE_TEST_DATA") +
                                              QStringLiteral("/exercises/data/exo/SIMPLE.E02"),
                                          &w));
    QCOMPARE(w.bench->widgets().Combo1->currentText(), QStringLiteral("Verre Flint"));
    QCOMPARE(w.experiment.bench.lampAngle, 150.0);
    QVERIFY(!named<QPushButton>(w, QStringLiteral("Check1"))->isChecked());
    for (const char* panel : {"Picture4", "Picture5", "Picture6", "Frame1", "Picture2", "Frame4"})
        QVERIFY2(named<QFrame>(w, QLatin1String(panel))->isHidden(), panel);
}

void TestPrisme::a_configuration_opens_into_the_controls()
{
    // State: a file written from an experiment with a custom disc, white light at 650 nm and no
    // arrows. Action: open it in the window. Expected: the controls show it, white light drawn,
    // no dialog, the title names the file, and saving it again gives the same bytes.
    Experiment written;
    experimentsetup::start(written);
    written.bench.discA = 1.7f;
    written.bench.discB = 12345.67f;
    written.settings.discMaterial = QStringLiteral("Autre");
    written.settings.source = Source::WhiteLight;
    written.settings.wavelength = 650;
    written.settings.arrows = false;
    written.table.setCell(1, 0, QStringLiteral("30,000"));
    const QString path = m_dir->filePath(QStringLiteral("full.P02"));
    QVERIFY(config::writeFile(path, config::fromExperiment(written)));

    Prisme w;
    const int whiteLight = w.benchPicture.counts.whiteLight;
    QCOMPARE(w.openConfiguration(path), std::optional<QString>());
    QVERIFY(w.benchPicture.counts.whiteLight >= whiteLight + 2);
    const BenchWidgets& c = w.bench->widgets();
    QCOMPARE(c.Combo1->currentText(), QStringLiteral("Autre"));
    QVERIFY(c.Option2->isChecked());
    QCOMPARE(c.HScroll1->value(), 650);
    QVERIFY(!c.propa->isChecked());
    QCOMPARE(w.windowTitle(), "Optiphane - " + path);
    QVERIFY(m_requests.isEmpty()); // no custom-material dialog, no message
    QCOMPARE(config::fileBytes(w.currentConfiguration()),
             config::fileBytes(config::fromExperiment(written)));
    QVERIFY(w.writeConfiguration(m_dir->filePath(QStringLiteral("again.P02"))));
    QCOMPARE(w.windowTitle(), "Optiphane - " + m_dir->filePath(QStringLiteral("again.P02")));
}

void TestPrisme::a_refused_configuration_changes_nothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString damaged = QStringLiteral("Lecture impossible sur disque");
    const QString loading = QStringLiteral("Erreur lors du chargement du fichier");
    QTest::newRow("no source") << "damaged-no-source.P02" << damaged << loading;
    QTest::newRow("missing") << "missing.P02" << damaged << loading;
    QTest::newRow("another program's")
        << "wrong-header.P02" << QStringLiteral("Ce fichier ne correspond pas à cette application")
        << QStringLiteral("Fichier non valide");
}

void TestPrisme::a_refused_configuration_changes_nothing()
{
    // Action: open a refused file over an experiment the user changed. Expected: the message with
    // its title and the error icon; the experiment, the controls and the title as they were.
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Prisme w;
    w.table.setCell(1, 0, QStringLiteral("4,000"));
    w.bench->widgets().Option4->setChecked(true);
    const auto before = config::fileBytes(w.currentConfiguration());
    const QString title0 = w.windowTitle();
    w.loadConfiguration(qEnvironmentVariable("OPTIPHANE_TEST_DATA") + "/config/data/" + file);
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests.last().text, message);
    QCOMPARE(m_requests.last().title, title);
    QCOMPARE(m_requests.last().icon, dialogs::Icon::Stop);
    QCOMPARE(config::fileBytes(w.currentConfiguration()), before);
    QVERIFY(w.bench->widgets().Option4->isChecked());
    QCOMPARE(w.windowTitle(), title0);
    QVERIFY(!w.benchPicture.hidden);
}

void TestPrisme::opening_asks_before_dropping_measurements()
{
    // Action: "&Ouvrir" with a measurement typed, answered Non; then once the table is saved.
    // Expected: the question first, Non cancels the command (no dialog); a saved table opens the
    // dialog unasked.
    Prisme w;
    w.table.setCell(1, 0, QStringLiteral("24,930"));
    m_answers << Answer::No;
    named<QPushButton>(w, QStringLiteral("Command2"))->click();
    QCOMPARE(requestTitles(), QStringList{QStringLiteral("Mesures non enregistrées")});
    QCOMPARE(m_requests.first().defaultButton, Answer::No);
    QCOMPARE(w.table.getCell(1, 0), QStringLiteral("24,930"));

    m_requests.clear();
    QVERIFY(w.writeConfiguration(m_dir->filePath(QStringLiteral("mesures.P02"))));
    bool opened = false;
    m_watchdog->expect([&opened](QWidget* dialog) {
        opened = dialog->objectName() == QLatin1String("ouvrir");
        static_cast<QDialog*>(dialog)->reject();
    });
    named<QPushButton>(w, QStringLiteral("Command2"))->click();
    QVERIFY(opened);
    QVERIFY(m_requests.isEmpty());
}

void TestPrisme::closing_questions_data()
{
    QTest::addColumn<int>("modified");
    QTest::addColumn<QList<int>>("answers"); // dialogs::Answer values
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("closed");
    const QString drop = QStringLiteral("Abandon des données?");
    const QString close = QStringLiteral("Fermer");
    QTest::newRow("unchanged text, OK")
        << 0 << QList<int>{int(Answer::Ok)} << QStringList{close} << true;
    QTest::newRow("unchanged text, Cancel")
        << 0 << QList<int>{int(Answer::Cancel)} << QStringList{close} << false;
    QTest::newRow("edited text, OK and OK")
        << 1 << QList<int>{int(Answer::Ok), int(Answer::Ok)} << QStringList{drop, close} << true;
    QTest::newRow("edited text, OK then Cancel")
        << 1 << QList<int>{int(Answer::Ok), int(Answer::Cancel)} << QStringList{drop, close}
        << false;
    QTest::newRow("edited text, Cancel at once")
        << 1 << QList<int>{int(Answer::Cancel)} << QStringList{drop} << false;
}

void TestPrisme::closing_questions()
{
    // Action: "&Fermer" with the text edited or not, answering the questions in turn.
    // Expected: the questions asked, the window open after any Cancel with nothing changed.
    QFETCH(int, modified);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, questions);
    QFETCH(bool, closed);
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (modified) {
        named<QLineEdit>(w, QStringLiteral("fich"))->setText(QStringLiteral("TEXTE.RTF"));
        named<QTextEdit>(w, QStringLiteral("supertext"))->insertPlainText(QStringLiteral("x"));
    }
    for (int a : answers)
        m_answers << Answer(a);
    QTest::mouseClick(named<QPushButton>(w, QStringLiteral("Command1")), Qt::LeftButton);

    QCOMPARE(requestTitles(), questions);
    for (const Request& r : m_requests) {
        QCOMPARE(r.kind, Request::Kind::Message);
        QCOMPARE(r.buttons, dialogs::Buttons::OkCancel);
        QCOMPARE(r.icon, dialogs::Icon::Question);
        QCOMPARE(r.text, r.title == QLatin1String("Fermer")
                             ? QStringLiteral("Fermer vraiment ce simulateur ?")
                             : QStringLiteral("Attention: perte des modifications du texte."));
    }
    QCOMPARE(w.isVisible(), !closed);
    QCOMPARE(w.exercisesMenu->textModified(), bool(modified));
    QCOMPARE(readRecord(markerPath(), 4), std::optional<QString>(closed ? "NON" : "OUI"));
}

void TestPrisme::hint_over_each_control_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at"); // (-1, -1): the control's centre
    QTest::addColumn<QString>("text");
    const QPoint centre(-1, -1);
    QTest::newRow("background") << "Prisme" << QPoint(420, 200)
                                << QStringLiteral("Vous pouvez modifier les paramètres,\r\nouvrir "
                                                  "une configuration ou un exercice");
    QTest::newRow("Command2")
        << "Command2" << centre
        << QStringLiteral("Retrouver une situation enregistrée et un tableau de valeurs");
    QTest::newRow("Command11")
        << "Command11" << centre
        << QStringLiteral("Pour enregistrer les paramètres actuels et le tableau de valeurs");
    QTest::newRow("Command4")
        << "Command4" << centre
        << QStringLiteral("Copier pour placer dans le presse-papiers l'image ou le tableau.");
    QTest::newRow("Command10") << "Command10" << centre
                               << QStringLiteral(
                                      "Configurer l'imprimante et imprimer l'image ou le tableau");
    QTest::newRow("Check1") << "Check1" << centre
                            << QStringLiteral("Pour afficher ou cacher le tableau de valeurs");
    QTest::newRow("Command8") << "Command8" << centre
                              << QStringLiteral("Activer la machine à calculer");
    QTest::newRow("Command7") << "Command7" << centre
                              << QStringLiteral(
                                     "Si vous rencontrez une difficulté avec cette application");
    QTest::newRow("Command1")
        << "Command1" << centre
        << QStringLiteral("Pour retrouver le module principal et quitter cette application");
    QTest::newRow("dessin") << "dessin" << QPoint(330, 60)
                            << QStringLiteral(
                                   "Pour déplacer la source lumineuse, utiliser la souris "
                                   "en maintenant le bouton gauche enfoncé");
    QTest::newRow("Frame1") << "Frame1" << QPoint(2, 40)
                            << QStringLiteral(
                                   "Les paramètres d'affichage interviennent également sur "
                                   "l'image copiée ou imprimée.");
    QTest::newRow("its caption's group")
        << "optionsGroup" << QPoint(104, 20)
        << QStringLiteral("Les paramètres d'affichage interviennent également sur "
                          "l'image copiée ou imprimée.");
    QTest::newRow("Image1 above the scroll bar")
        << "Image1" << QPoint(80, 2)
        << QStringLiteral(
               "Pour affiner le réglage de la longueur d'onde, utiliser les boutons < et >");
    const QString index = QStringLiteral("Pour connaître l'indice avec une autre longueur d'onde: "
                                         "déplacer le curseur de la source");
    QTest::newRow("Picture4") << "Picture4" << QPoint(3, 40) << index;
    QTest::newRow("Picture5") << "Picture5" << QPoint(3, 40) << index;
    QTest::newRow("Picture6") << "Picture6" << QPoint(300, 30)
                              << QStringLiteral("La longueur d'onde de la lumière émise par la "
                                                "source monochromatique varie de 400 à 800 nm");
    QTest::newRow("Image3(1)")
        << "Image3_1" << centre
        << QStringLiteral("Vous pouvez choisir le demi-disque: eau, verre Flint ou Crown...");
    QTest::newRow("Image3(2)")
        << "Image3_2" << centre
        << QStringLiteral(
               "Vous pouvez choisir le milieu extérieur au demi-disque: air, eau, verre...");
    QTest::newRow("Image3(3)") << "Image3_3" << centre
                               << QStringLiteral(
                                      "Modifier le fond, afficher le sens de propagation...");
    QTest::newRow("Image3(4)") << "Image3_4" << centre
                               << QStringLiteral("Vous pouvez paramétrer la source lumineuse: "
                                                 "monochromatique ou polychromatique...");
    QTest::newRow("Image3(5)")
        << "Image3_5" << centre
        << QStringLiteral("Activer le rapporteur pour mesurer\r\nun angle sur la figure");
    QTest::newRow("Image5") << "Image5" << centre
                            << QStringLiteral("Menu tableau pour modifier le nombre de lignes, "
                                              "obtenir une représentation graphique...");
    QTest::newRow("btexo") << "btexo" << centre
                           << QStringLiteral("Ouvrir un énoncé d'exercice, enregistrer le texte, "
                                             "obtenir la correction, imprimer ou fermer.");
}

void TestPrisme::hint_over_each_control()
{
    // State: the control visible (its panel shown). Action: the pointer moves onto it.
    // Expected: its hint in the hint bar.
    QFETCH(QString, control);
    QFETCH(QPoint, at);
    QFETCH(QString, text);
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Panels that cover the icons are shown only for their own rows.
    if (!control.startsWith(QLatin1String("Image3"))) {
        for (QWidget* panel : {named<QFrame>(w, QStringLiteral("Picture4")),
                               named<QFrame>(w, QStringLiteral("Picture5")),
                               named<QFrame>(w, QStringLiteral("Picture6")),
                               named<QFrame>(w, QStringLiteral("Frame1"))})
            panel->show();
    }
    if (control == QLatin1String("Image5"))
        named<QPushButton>(w, QStringLiteral("Check1"))->setChecked(true);
    QWidget* target = control == QLatin1String("Prisme") ? &w : w.findChild<QWidget*>(control);
    QVERIFY(target);
    if (at == QPoint(-1, -1))
        at = centreOf(target);
    // The point must really lie on the control, not on something over it.
    QCOMPARE(w.childAt(target->mapTo(&w, at)), target == &w ? nullptr : target);

    hover(named<QWidget>(w, QStringLiteral("Frame3")),
          QPoint(408, 5)); // somewhere without a hint first
    w.setHint(QStringLiteral("-"));
    hover(target, at);
    QCOMPARE(w.hint(), text);
}

void TestPrisme::copied_message_stays_over_copy_button()
{
    // State: the hint bar shows the message of a copy. Action: the pointer goes onto "Copier",
    // away, and back. Expected: the message stays the first time, the copy hint comes the second.
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setHint(Prisme::CopiedMessage);
    hover(named<QPushButton>(w, QStringLiteral("Command4")), QPoint(10, 10));
    hover(named<QPushButton>(w, QStringLiteral("Command4")), QPoint(20, 12));
    QCOMPARE(w.hint(), Prisme::CopiedMessage);
    hover(named<QPushButton>(w, QStringLiteral("Command10")), QPoint(10, 10));
    hover(named<QPushButton>(w, QStringLiteral("Command4")), QPoint(10, 10));
    QCOMPARE(w.hint(),
             QStringLiteral("Copier pour placer dans le presse-papiers l'image ou le tableau."));
}

void TestPrisme::icons_show_panels_and_titles_hide_them_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("closer");
    QTest::newRow("half-disc") << 1 << "Picture4"
                               << "Label19";
    QTest::newRow("outer medium") << 2 << "Picture5"
                                  << "Label32";
    QTest::newRow("display options") << 3 << "Frame1"
                                     << "Label2";
    QTest::newRow("light source") << 4 << "Picture6"
                                  << "Label23";
    QTest::newRow("protractor by its title") << 5 << "Picture2"
                                             << "Label25";
    QTest::newRow("protractor by its close picture") << 5 << "Picture2"
                                                     << "Image4";
}

void TestPrisme::icons_show_panels_and_titles_hide_them()
{
    // Action: click the icon, then the panel's title. Expected: the panel shows over its icon,
    // then hides and uncovers it.
    QFETCH(int, icon);
    QFETCH(QString, panel);
    QFETCH(QString, closer);
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* p = w.findChild<QWidget*>(panel);
    QWidget* image = named<ClickLabel>(w, QStringLiteral("Image3_%1").arg(icon));
    const QPoint iconCentre = image->geometry().center();
    QVERIFY(p->geometry().contains(image->geometry()));

    QTest::mouseClick(image, Qt::LeftButton);
    QVERIFY(p->isVisible());
    QVERIFY(covers(p, w.childAt(iconCentre)));
    if (p == named<QFrame>(w, QStringLiteral("Frame1"))) {
        // The options frame shows its caption under its title strip, above its controls.
        QVERIFY(w.bench->widgets().optionsGroup->isVisible());
        QCOMPARE(w.bench->widgets().optionsGroup->title(), QStringLiteral("Options"));
        QCOMPARE(w.bench->widgets().Option3->parentWidget(), w.bench->widgets().optionsGroup);
        QVERIFY(w.bench->widgets().optionsGroup->geometry().top() >=
                named<ClickLabel>(w, QStringLiteral("Label2"))->geometry().bottom());
    }

    QWidget* title = w.findChild<QWidget*>(closer);
    QCOMPARE(title->toolTip(), closer == QLatin1String("Image4")
                                   ? QStringLiteral("Fermer rapporteur")
                                   : QStringLiteral("Fermer"));
    QTest::mouseClick(title, Qt::LeftButton);
    QVERIFY(p->isHidden());
    QCOMPARE(w.childAt(iconCentre), image);
}

void TestPrisme::table_panel_covers_material_panels()
{
    // State: the half-disc and light-source panels shown. Action: tick "&Tableau", then hide the
    // table by its title, by "Cacher le tableau" and by unticking. Expected: the table covers the
    // panels while shown; they are there again once it is hidden.
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(named<ClickLabel>(w, QStringLiteral("Image3_%1").arg(1)), Qt::LeftButton);
    QTest::mouseClick(named<ClickLabel>(w, QStringLiteral("Image3_%1").arg(4)), Qt::LeftButton);
    const QPoint inPicture4 = named<QFrame>(w, QStringLiteral("Picture4"))->geometry().center();
    const QPoint inPicture6 = named<QFrame>(w, QStringLiteral("Picture6"))->geometry().center();

    auto hideBy = [&](const std::function<void()>& action) {
        QTest::mouseClick(named<QPushButton>(w, QStringLiteral("Check1")), Qt::LeftButton);
        QVERIFY(named<QPushButton>(w, QStringLiteral("Check1"))->isChecked());
        QVERIFY(named<QFrame>(w, QStringLiteral("Frame4"))->isVisible());
        QVERIFY(covers(named<QFrame>(w, QStringLiteral("Frame4")), w.childAt(inPicture4)));
        QVERIFY(covers(named<QFrame>(w, QStringLiteral("Frame4")), w.childAt(inPicture6)));
        action();
        QVERIFY(!named<QPushButton>(w, QStringLiteral("Check1"))->isChecked());
        QVERIFY(named<QFrame>(w, QStringLiteral("Frame4"))->isHidden());
        QVERIFY(covers(named<QFrame>(w, QStringLiteral("Picture4")), w.childAt(inPicture4)));
        QVERIFY(covers(named<QFrame>(w, QStringLiteral("Picture6")), w.childAt(inPicture6)));
    };
    hideBy(
        [&] { QTest::mouseClick(named<ClickLabel>(w, QStringLiteral("Label3")), Qt::LeftButton); });
    hideBy([&] { w.tableControls->widgets().fermtab->trigger(); });
    hideBy([&] {
        QTest::mouseClick(named<QPushButton>(w, QStringLiteral("Check1")), Qt::LeftButton);
    });
    // Image5 opens the table's menu at the panel's top-left corner.
    QTest::mouseClick(named<QPushButton>(w, QStringLiteral("Check1")), Qt::LeftButton);
    QTest::mouseClick(named<ClickLabel>(w, QStringLiteral("Image5")), Qt::LeftButton);
    QTRY_VERIFY(w.tableControls->widgets().menutableau->isVisible());
    QCOMPARE(w.tableControls->widgets().menutableau->pos(),
             named<QFrame>(w, QStringLiteral("Frame4"))->mapToGlobal(QPoint(0, 0)));
    w.tableControls->widgets().menutableau->close();
}

void TestPrisme::help_commands_open_program_files_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("folderEndsInSlash");
    QTest::newRow("help") << "Command7"
                          << "KV8.hlp" << true << false;
    QTest::newRow("help, folder ending in /") << "Command7"
                                              << "KV8.hlp" << true << true;
    QTest::newRow("course") << "Command9"
                            << "Voirlecours.chm" << true << false;
    QTest::newRow("course, folder ending in /") << "Command9"
                                                << "Voirlecours.chm" << true << true;
    QTest::newRow("missing help") << "Command7"
                                  << "KV8.hlp" << false << false;
    QTest::newRow("missing course") << "Command9"
                                    << "Voirlecours.chm" << false << true;
}

void TestPrisme::help_commands_open_program_files()
{
    // Action: "&Aide" or "&Voir le cours". Expected: the file of the program's folder handed to
    // the viewer, with a single separator; when it is missing, the program's own pages, here
    // missing too: the installation message.
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(bool, present);
    QFETCH(bool, folderEndsInSlash);
    const QString path = m_dir->path() + QLatin1Char('/') + file;
    if (present) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    programfolder::setPath(m_dir->path() + (folderEndsInSlash ? "/" : ""));
    Prisme w;
    w.show();
    QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(m_opened, present ? QList<QUrl>{QUrl::fromLocalFile(path)} : QList<QUrl>{});
    QCOMPARE(programfolder::file(QStringLiteral("TEMPO.SPC")), markerPath());
    if (present) {
        QVERIFY(m_requests.isEmpty());
    } else {
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests.first().text,
                 QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."));
    }
}

void TestPrisme::file_name_box_shows_its_whole_text()
{
    // Action: a long path in the file-name box, then keys typed in it. Expected: its tool tip is
    // the whole text, the caret after the last character, and no key changes the name.
    Prisme w;
    const QString path = QStringLiteral("Texte: /home/élève/Documents/physique/optique/réfraction/"
                                        "exercice de la semaine.RTF");
    QLineEdit* fich = named<QLineEdit>(w, QStringLiteral("fich"));
    fich->setText(path);
    QCOMPARE(fich->toolTip(), path);
    QCOMPARE(fich->cursorPosition(), path.size());
    fich->selectAll();
    QTest::keyClicks(fich, QStringLiteral("x"));
    QTest::keyClick(fich, Qt::Key_Backspace);
    QCOMPARE(fich->text(), path);
    fich->clear();
    QCOMPARE(fich->toolTip(), QString());
}

void TestPrisme::editing_marks_text_modified_only_when_named_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("modified");
    QTest::newRow("unnamed text") << QString() << 0;
    QTest::newRow("exercise statement") << QStringLiteral("/tmp/exo1.E02") << 1;
}

void TestPrisme::editing_marks_text_modified_only_when_named()
{
    // Action: load a text, then type in it. Expected: loading never marks it; typing marks it
    // only when the file-name box names it.
    QFETCH(QString, name);
    QFETCH(int, modified);
    Prisme w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    named<QLineEdit>(w, QStringLiteral("fich"))->setText(name);
    if (name.isEmpty()) {
        named<QTextEdit>(w, QStringLiteral("supertext"))
            ->setPlainText(QStringLiteral("Un texte chargé"));
        QCOMPARE(w.exercisesMenu->textModified(), false);
    }
    named<QTextEdit>(w, QStringLiteral("supertext"))->setReadOnly(false);
    named<QTextEdit>(w, QStringLiteral("supertext"))->setFocus();
    QTest::keyClicks(named<QTextEdit>(w, QStringLiteral("supertext")), QStringLiteral("abc"));
    QTest::sendKeyEvent(QTest::KeyAction::Click, named<QTextEdit>(w, QStringLiteral("supertext")),
                        Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
    QVERIFY(named<QTextEdit>(w, QStringLiteral("supertext"))
                ->toPlainText()
                .contains(QStringLiteral("abcé")));
    QCOMPARE(w.exercisesMenu->textModified(), bool(modified));
}

void TestPrisme::image_command_writes_the_bench_picture()
{
    // Action: optiphane --image SORTIE.png. Expected: status 0, a 404 x 404 PNG whose lamp and
    // incident ray are painted in, nothing on the error output.
    const QString output = m_dir->filePath(QStringLiteral("SORTIE.png"));
    QProcess run;
    run.start(QStringLiteral(OPTIPHANE_EXECUTABLE), {QStringLiteral("--image"), output});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QVERIFY(!run.readAllStandardError().contains("Impossible"));
    QCOMPARE(run.exitCode(), 0);
    QImage picture(output);
    QCOMPARE(picture.size(), QSize(BenchPicture::Size, BenchPicture::Size));

    // The same start-up in this process gives the same picture.
    Prisme w(Prisme::StartMode::CommandLine);
    const QImage expected = w.benchPicture.composed();
    QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));
    // The lamp is in it, as a copy takes it.
    QVERIFY(picture.convertToFormat(QImage::Format_RGB32) !=
            w.benchPicture.dessin.image().convertToFormat(QImage::Format_RGB32));
}

void TestPrisme::image_command_fails_on_unwritable_path()
{
    const QString output = m_dir->filePath(QStringLiteral("absent/SORTIE.png"));
    QProcess run;
    run.start(QStringLiteral(OPTIPHANE_EXECUTABLE), {QStringLiteral("--image"), output});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 2);
    QVERIFY(
        QString::fromUtf8(run.readAllStandardError())
            .contains(QStringLiteral("optiphane --image : Ecriture impossible sur disque : %1\n")
                          .arg(output)));
    QVERIFY(!QFile::exists(output));
}

// State: an experiment saved on a small real file system, which is then filled; the lamp moved.
// Action: "&Enregistrer" over that file, then under a new name. Expected: "Ecriture impossible
// sur disque" each time, the dialog left open, the file byte for byte as it was, no new or
// temporary file, the title still naming the file saved.
void TestPrisme::save_on_a_full_disc_keeps_the_file_and_the_title()
{
    const QString folder = m_dir->filePath(QStringLiteral("disque"));
    SmallDisc disc(folder, 64);
    if (!disc.mounted())
        QSKIP(SmallDisc::skipReason());
    Prisme w;
    const QString saved = folder + QStringLiteral("/mesures.P02");
    QVERIFY(w.writeConfiguration(saved));
    const QString title = w.windowTitle();
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    disc.fill();
    const QStringList listing = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
    w.experiment.bench.lampAngle = 150;

    for (const QString& name : {saved, folder + QStringLiteral("/nouveau")}) {
        m_requests.clear();
        m_answers = {Answer::Yes, Answer::Ok}; // "Ecraser le fichier existant?", the failure
        bool stayedOpen = false;
        m_watchdog->expect([&](QWidget* modal) {
            auto* dialog = qobject_cast<enregistrer*>(modal);
            QVERIFY(dialog);
            dialog->Text1->setText(name);
            dialog->Command1->click();
            stayedOpen = dialog->isVisible();
            dialog->Command2->click();
        });
        named<QPushButton>(w, QStringLiteral("Command11"))->click();
        QVERIFY(stayedOpen);
        QCOMPARE(m_requests.last().text, QStringLiteral("Ecriture impossible sur disque"));
    }
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), listing);
}

QTEST_MAIN(TestPrisme)
#include "tst_prisme.moc"
