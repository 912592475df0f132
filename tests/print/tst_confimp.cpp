// SPDX-License-Identifier: GPL-3.0-or-later
// The print window `confimp` and the printouts started from the windows: the start states, the
// greying of the bench's options for the table, the copies, the printer set-up dialog, printing
// into a PDF file when no printer is installed or when the set-up dialog chose a file, cancelled
// names, files that cannot be written, "&Imprimer" on the main window and "Imprimer le graphe".
#include "core/platform/surface.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/bench/benchcontrols.h"
#include "gui/graph/grapheur.h"
#include "gui/print/confimp.h"
#include "gui/print/printers.h"
#include "support/modalwatchdog.h"
#include "support/named.h"
#include "support/poppler.h"
#include "support/responder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

using Kind = dialogs::Request::Kind;

namespace {

print::BenchPrintout someBench()
{
    print::BenchPrintout out;
    out.picture = QImage(404, 404, QImage::Format_RGB32);
    out.picture.fill(Qt::black);
    out.parameters.discMaterial = QStringLiteral("Verre Crown");
    out.parameters.outerMaterial = QStringLiteral("Air");
    return out;
}

print::TablePrintout someTable()
{
    return print::tablePrintout(TableModel{}, 270, 1015);
}

int countOf(const RecordingResponder& r, Kind kind)
{
    int n = 0;
    for (const auto& q : r.requests)
        n += q.kind == kind;
    return n;
}

dialogs::Reply fileReply(const QString& path)
{
    dialogs::Reply reply;
    reply.text = path;
    return reply;
}

} // namespace

class TestConfimp : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY2(poppler::available(), "poppler-utils is not installed"); }
    void init()
    {
        module1() = Module1{};
        printing::systemPrinter().setOutputFileName(QString());
        watchdog = std::make_unique<ModalWatchdog>();
    }
    void cleanup()
    {
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
        printing::systemPrinter().setOutputFileName(QString());
    }

    // Expected: the captions and start states, the copies from 1 to 99 read on Label4, and no
    // printer named on this machine.
    void start_states()
    {
        confimp c(someBench(), someTable(), nullptr);
        QCOMPARE(c.windowTitle(), QStringLiteral("Imprimer"));
        QCOMPARE(c.Frame1->title(), QStringLiteral("Options"));
        QVERIFY(c.Option2->isChecked());
        QVERIFY(!c.Option1->isChecked());
        const bool ticked[] = {true, false, true, false};
        const char* const captions[] = {"Centrer l'image horizontalement",
                                        "Centrer l'image verticalement", "Imprimer les paramètres",
                                        "Imprimer l'image en miniature"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(c.Chec[i]->isChecked(), ticked[i]);
            QCOMPARE(c.Chec[i]->text(), QString::fromUtf8(captions[i]));
            QVERIFY(c.Chec[i]->isEnabled());
        }
        QCOMPARE(c.fondblanc->text(), QStringLiteral("Imprimer sur fond blanc"));
        QVERIFY(!c.fondblanc->isChecked() && !c.benchLayout().onWhite);
        QCOMPARE(c.Label3->text(), QStringLiteral("Nombre d'exemplaires:"));
        QCOMPARE(c.Label4->text(), QStringLiteral("1"));
        QCOMPARE(c.UpDown1->minimum(), 1);
        QCOMPARE(c.UpDown1->maximum(), 99);
        QCOMPARE(c.Command1->text(), QStringLiteral("&OK"));
        QCOMPARE(c.Command2->text(), QStringLiteral("&Imprimantes"));
        QCOMPARE(c.Command3->text(), QStringLiteral("&Annuler"));
        QVERIFY(c.Frame2->isHidden());
        QCOMPARE(c.Label1->text(), QStringLiteral("Veuillez patienter quelques instants..."));
        QCOMPARE(c.defaut->text(), printing::NoPrinterText);
        QVERIFY(!printing::hasPrinter());

        c.UpDown1->setValue(42);
        QCOMPARE(c.Label4->text(), QStringLiteral("42"));
        c.UpDown1->setValue(500);
        QCOMPARE(c.Label4->text(), QStringLiteral("99"));
        QCOMPARE(c.benchLayout().copies, 99);
    }

    // Action: choosing "Le tableau", then the bench again. Expected: the four boxes grey
    // (palette colour 8) and disabled, then black and enabled, their ticks kept.
    void table_greys_the_bench_options()
    {
        confimp c(someBench(), someTable(), nullptr);
        c.show();
        QTest::mouseClick(c.Option1, Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(c.tableChosen());
        for (QCheckBox* check : {c.Chec[0], c.Chec[1], c.Chec[2], c.Chec[3], c.fondblanc}) {
            QVERIFY(!check->isEnabled());
            QCOMPARE(check->palette().color(QPalette::WindowText), paletteQColour(8));
        }
        QTest::mouseClick(c.Option2, Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(!c.tableChosen());
        for (QCheckBox* check : c.Chec) {
            QVERIFY(check->isEnabled());
            QCOMPARE(check->palette().color(QPalette::WindowText), paletteQColour(0));
        }
        QVERIFY(c.Chec[0]->isChecked() && c.Chec[2]->isChecked());
    }

    // "&Imprimantes": the set-up dialog's answer is kept for the deferred redraw (1 accepted,
    // 0 cancelled) and the printer's name is read again.
    void printer_setup_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("pending");
        QTest::newRow("accepted") << int(dialogs::Answer::Ok) << 1;
        QTest::newRow("cancelled") << int(dialogs::Answer::Cancel) << 0;
    }
    void printer_setup()
    {
        QFETCH(int, answer);
        QFETCH(int, pending);
        RecordingResponder r;
        dialogs::Reply reply;
        reply.answer = dialogs::Answer(answer);
        r.answers << reply;
        confimp c(someBench(), someTable(), nullptr);
        int printRedrawPending = 7;
        connect(&c, &confimp::printerSetUp, this,
                [&printRedrawPending](bool chosen) { printRedrawPending = chosen ? 1 : 0; });
        c.Command2->click();
        QCOMPARE(countOf(r, Kind::PrintSetup), 1);
        QCOMPARE(printRedrawPending, pending);
        QCOMPARE(c.defaut->text(), printing::NoPrinterText);
    }

    // No printer installed: "&OK" asks for a PDF file's name (".pdf" added when missing) and
    // prints the chosen printout into it, then the window closes.
    void ok_without_printer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("text");
        QTest::newRow("bench") << "fiche.pdf"
                               << "fiche.pdf" << false << "Source lumineuse";
        QTest::newRow("bench, name without extension")
            << "fiche"
            << "fiche.pdf" << false << "Source lumineuse";
        QTest::newRow("table, upper-case extension") << "tableau.PDF"
                                                     << "tableau.PDF" << true << "Optiphane";
    }
    void ok_without_printer()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(bool, table);
        QFETCH(QString, text);
        QTemporaryDir here;
        RecordingResponder r;
        r.answers << fileReply(here.filePath(typed));
        confimp c(someBench(), someTable(), nullptr);
        if (table)
            c.Option1->setChecked(true);
        c.Command1->click();
        QCOMPARE(countOf(r, Kind::SaveFile), 1);
        QCOMPARE(r.requests.first().filter, QStringLiteral("Document PDF (*.pdf)"));
        QCOMPARE(c.result(), int(QDialog::Accepted));
        QVERIFY(r.messages().isEmpty());
        const QString path = here.filePath(written);
        QCOMPARE(poppler::pages(path), 1);
        QVERIFY(poppler::text(path).contains(text));
        QCOMPARE(QDir(here.path()).entryList(QDir::Files).size(), 1);
    }

    // A name without ".pdf" whose completed name exists: the overwrite question, "Non" by
    // default; "Non" prints nothing and leaves the file as it was.
    void completed_name_asks_before_replacing()
    {
        QTemporaryDir here;
        QFile old(here.filePath(QStringLiteral("fiche.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        RecordingResponder r;
        r.answers << fileReply(here.filePath(QStringLiteral("fiche")));
        dialogs::Reply no;
        no.answer = dialogs::Answer::No;
        r.answers << no;
        confimp c(someBench(), someTable(), nullptr);
        c.Command1->click();
        QCOMPARE(r.messages(), QStringList{QStringLiteral("Ecraser le fichier existant?")});
        QCOMPARE(r.requests.last().title, QStringLiteral("Ce fichier existe déjà!"));
        QCOMPARE(r.requests.last().defaultButton, dialogs::Answer::No); // Enter keeps the file
        QCOMPARE(QFileInfo(old.fileName()).size(), 3);
        QVERIFY(c.Command1->isVisible() || !c.isVisible());
        QCOMPARE(c.result(), 0); // still open: nothing printed, nothing closed
    }

    // The file dialog cancelled: nothing printed, the window stays with its buttons.
    void cancelled_file_name()
    {
        RecordingResponder r;
        r.answers << fileReply(QString());
        confimp c(someBench(), someTable(), nullptr);
        c.show();
        c.Command1->click();
        QVERIFY(c.isVisible());
        QVERIFY(c.Command1->isVisible() && c.Frame1->isVisible());
        QVERIFY(c.Frame2->isHidden());
        QVERIFY(r.messages().isEmpty());
    }

    // A file that cannot be written: the stop message, once, and the window closes.
    void unwritable_file()
    {
        RecordingResponder r;
        r.answers << fileReply(QStringLiteral("/nonexistent-folder/fiche.pdf"));
        confimp c(someBench(), someTable(), nullptr);
        c.UpDown1->setValue(3);
        c.Option1->setChecked(true);
        c.Command1->click();
        QCOMPARE(r.messages(),
                 QStringList{QStringLiteral("Vérifier l'imprimante ou le nom du fichier.")});
        QCOMPARE(r.requests.last().title, QStringLiteral("Impression impossible"));
        QCOMPARE(r.requests.last().icon, dialogs::Icon::Stop);
        QCOMPARE(c.result(), int(QDialog::Accepted));
    }

    // The set-up dialog chose a file: the window names it, and "&OK" prints there without
    // asking; several copies of the bench are pages of that one file.
    void printer_output_file()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("imprimante.pdf"));
        printing::systemPrinter().setOutputFileName(path);
        RecordingResponder r;
        confimp c(someBench(), someTable(), nullptr);
        QVERIFY(c.defaut->text().endsWith(QStringLiteral("imprimante.pdf")));
        c.UpDown1->setValue(3);
        c.Command1->click();
        QVERIFY(r.requests.isEmpty());
        QCOMPARE(poppler::pages(path), 3);
        QCOMPARE(poppler::text(path).count(QStringLiteral("Source lumineuse")), 3);
    }

    // "Imprimer sur fond blanc" ticked: the white picture is printed, not the black one.
    void print_on_white()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("blanc.pdf"));
        RecordingResponder r;
        r.answers << fileReply(path);
        print::BenchPrintout bench = someBench();
        bench.whitePicture = QImage(404, 404, QImage::Format_RGB32);
        bench.whitePicture.fill(Qt::white);
        confimp c(std::move(bench), someTable(), nullptr);
        c.Chec[2]->setChecked(false);
        c.fondblanc->setChecked(true);
        QVERIFY(c.benchLayout().onWhite);
        c.Command1->click();
        QVERIFY(poppler::darkBox(poppler::render(path, 1, 36)).isEmpty());
    }

    // A file chosen in the printer set-up serves the printout it was chosen for only: the next
    // printout asks for its file again (with "Non" before replacing one), and the first file is
    // never replaced unasked, even when the set-up was closed without printing.
    void chosen_file_serves_one_printout_data()
    {
        QTest::addColumn<QString>("first");
        QTest::newRow("the graph, then the table") << "graph";
        QTest::newRow("the bench, then the table") << "bench";
        QTest::newRow("set-up then Annuler, then the table") << "cancelled";
    }
    void chosen_file_serves_one_printout()
    {
        QFETCH(QString, first);
        QTemporaryDir here;
        const QString chosen = here.filePath(QStringLiteral("premier.pdf"));
        const QString second = here.filePath(QStringLiteral("second.pdf"));
        QList<dialogs::Request> requests;
        // The set-up dialog's "Imprimer dans un fichier": the printer's output file name.
        dialogs::setResponder([&](const dialogs::Request& q) {
            requests << q;
            if (q.kind == Kind::PrintSetup)
                printing::systemPrinter().setOutputFileName(chosen);
            return q.kind == Kind::SaveFile ? fileReply(second) : dialogs::Reply{};
        });
        if (first == QLatin1String("graph")) {
            TableModel table;
            grapheur g(table, nullptr);
            g.Image2->click();
        } else {
            confimp c(someBench(), someTable(), nullptr);
            c.Command2->click();
            QVERIFY(c.defaut->text().endsWith(QStringLiteral("premier.pdf")));
            if (first == QLatin1String("bench"))
                c.Command1->click();
            else
                c.Command3->click();
        }
        const int saves = int(std::count_if(requests.begin(), requests.end(), [](const auto& q) {
            return q.kind == Kind::SaveFile;
        }));
        QCOMPARE(saves, 0);
        const bool printed = first != QLatin1String("cancelled");
        QCOMPARE(QFileInfo::exists(chosen), printed);
        const QByteArray before = printed ? poppler::text(chosen).toUtf8() : QByteArray();
        requests.clear();
        {
            confimp c(someBench(), someTable(), nullptr);
            QCOMPARE(c.defaut->text(), printing::NoPrinterText);
            c.Option1->setChecked(true);
            c.Command1->click();
        }
        dialogs::setResponder({});
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].kind, Kind::SaveFile);
        QCOMPARE(poppler::pages(second), 1);
        QVERIFY(poppler::text(second).contains(QStringLiteral("C1")));
        if (printed)
            QCOMPARE(poppler::text(chosen).toUtf8(), before);
    }

    // The printer cannot be reached (here: its output file cannot be written): the stop
    // message, nothing asked, nothing left.
    void failing_printer()
    {
        printing::systemPrinter().setOutputFileName(QStringLiteral("/nonexistent-folder/x.pdf"));
        RecordingResponder r;
        confimp c(someBench(), someTable(), nullptr);
        c.Command1->click();
        QCOMPARE(r.messages(),
                 QStringList{QStringLiteral("Vérifier l'imprimante ou le nom du fichier.")});
        QCOMPARE(countOf(r, Kind::SaveFile), 0);
    }

    // "&Imprimer" on the main window: the window opens 20 pixels below the main window's top,
    // with the bench's parameters of the experiment as shown.
    void main_window_print()
    {
        Prisme w(Prisme::StartMode::CommandLine);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.bench->widgets().Option2->click(); // white light
        const print::BenchPrintout printout = w.benchPrintout();
        QCOMPARE(printout.parameters.source, Source::WhiteLight);
        QCOMPARE(printout.parameters.discMaterial, w.bench->widgets().Combo1->currentText());
        QCOMPARE(printout.parameters.discIndex, w.bench->widgets().Label4->text());
        QCOMPARE(printout.parameters.outerIndex, w.bench->widgets().Label16->text());
        QCOMPARE(printout.picture, w.benchPicture.composed());
        // The white printout's picture: white background, black drawing, whatever the screen.
        QCOMPARE(printout.whitePicture.size(), printout.picture.size());
        const auto share = [](const QImage& image, Qt::GlobalColor colour) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += image.pixelColor(x, y) == QColor(colour);
            return double(n) / (image.width() * image.height());
        };
        QVERIFY(share(printout.picture, Qt::black) > 0.5);
        QVERIFY(share(printout.whitePicture, Qt::white) > 0.5);
        const double black = share(printout.whitePicture, Qt::black);
        QVERIFY2(black > 0 && black < 0.1, qPrintable(QString::number(black)));
        QVERIFY(w.experiment.settings.blackBackground); // the bench itself is left as it was

        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("banc.pdf"));
        RecordingResponder r;
        r.answers << fileReply(path);
        int top = 0;
        watchdog->expect([&](QWidget* dialog) {
            auto* c = qobject_cast<confimp*>(dialog);
            QVERIFY(c);
            top = c->frameGeometry().top() - w.frameGeometry().top();
            c->Command1->click();
        });
        named<QPushButton>(w, QStringLiteral("Command10"))->click();
        QCOMPARE(top, 20);
        QVERIFY(poppler::text(path).contains(
            QStringLiteral("polychromatique blanche (de 400 à 800 nm).")));
    }

    // The table printed from the main window holds the cell being typed.
    void main_window_table_settles_the_cell()
    {
        Prisme w(Prisme::StartMode::CommandLine);
        w.table.setCell(1, 0, QStringLiteral("2,5"));
        const print::TablePrintout t = w.tablePrintout();
        QCOMPARE(t.rows.size(), 11);
        QCOMPARE(t.rows[0][0], QStringLiteral("C1"));
        QCOMPARE(t.rows[1][0], QStringLiteral("2,500"));
        QCOMPARE(t.columnWidth, 1015);
        QCOMPARE(t.rowHeight, 270);
    }

    // "Imprimer le graphe": cancelling the set-up dialog prints nothing; accepting it prints the
    // graph on one page.
    void graph_print()
    {
        TableModel table;
        grapheur g(table, nullptr);
        QVERIFY(g.Image2->isEnabled());
        {
            RecordingResponder r;
            dialogs::Reply cancel;
            cancel.answer = dialogs::Answer::Cancel;
            r.answers << cancel;
            g.Image2->click();
            QCOMPARE(countOf(r, Kind::PrintSetup), 1);
            QCOMPARE(countOf(r, Kind::SaveFile), 0);
        }
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("graphe"));
        RecordingResponder r;
        r.answers << dialogs::Reply{} << fileReply(path);
        g.Image2->click();
        QCOMPARE(countOf(r, Kind::SaveFile), 1);
        QCOMPARE(poppler::pages(path + QStringLiteral(".pdf")), 1);
        QVERIFY(r.messages().isEmpty());
    }
};

QTEST_MAIN(TestConfimp)
#include "tst_confimp.moc"
