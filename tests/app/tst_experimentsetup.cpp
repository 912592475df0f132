// SPDX-License-Identifier: GPL-3.0-or-later
// The experiment without a window (what the command-line modes run) against the main window:
// for the start-up and every configuration shipped or kept as a sample, the same refusal, or the
// same table, the same saved bytes, the same bench picture and the same printout parameters.
#include "core/app/experimentsetup.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/bench/benchcontrols.h"
#include "support/modalwatchdog.h"
#include "support/responder.h"

#include <QDir>
#include <QTest>

class TestExperimentSetup : public QObject {
    Q_OBJECT

private slots:
    void init() { module1() = Module1{}; }

    void window_and_core_agree_data()
    {
        QTest::addColumn<QString>("file"); // empty: the start-up experiment
        QTest::newRow("start-up") << QString();
        const QString tests = qEnvironmentVariable("OPTIPHANE_TEST_DATA");
        for (const QString& folder : {tests + QStringLiteral("/config/data"),
                                      tests + QStringLiteral("/../data/exercices")}) {
            QDir dir(folder);
            for (const QString& name : dir.entryList({QStringLiteral("*.P02")}, QDir::Files))
                QTest::newRow(qPrintable(name)) << dir.filePath(name);
        }
    }
    void window_and_core_agree()
    {
        QFETCH(QString, file);
        ModalWatchdog watchdog;
        RecordingResponder responder;
        Prisme window(Prisme::StartMode::CommandLine);
        Experiment experiment;
        experimentsetup::start(experiment);
        if (!file.isEmpty()) {
            const std::optional<QString> shown = window.openConfiguration(file);
            QCOMPARE(experimentsetup::open(experiment, file), shown);
            if (shown)
                return;
        }
        QCOMPARE(config::fileBytes(config::fromExperiment(experiment)),
                 config::fileBytes(window.currentConfiguration()));
        QCOMPARE(experiment.table.contentText(), window.table.contentText());
        QCOMPARE(experimentsetup::benchImage(experiment), window.benchPicture.composed());
        const print::BenchParameters core = experimentsetup::parameters(experiment);
        const print::BenchParameters shown = window.benchPrintout().parameters;
        QCOMPARE(print::parameterLines(core).size(), print::parameterLines(shown).size());
        for (qsizetype i = 0; i < print::parameterLines(core).size(); ++i)
            QCOMPARE(print::parameterLines(core).at(i).text,
                     print::parameterLines(shown).at(i).text);
        // The window's read-outs are the parameters' indices.
        QCOMPARE(window.bench->widgets().Label4->text(), core.discIndex);
        QCOMPARE(window.bench->widgets().Label16->text(), core.outerIndex);
    }
};

QTEST_MAIN(TestExperimentSetup)
#include "tst_experimentsetup.moc"
