// SPDX-License-Identifier: GPL-3.0-or-later
// Optiphane: the optical bench simulator. Without arguments it opens the main window; the
// command-line modes build the same windows off-screen, do their work and exit.
#include "core/app/experimentsetup.h"
#include "core/calc/calculcommand.h"
#include "core/config/configuration.h"
#include "core/exercises/exercisefile.h"
#include "core/platform/files.h"
#include "core/print/printlayout.h"
#include "core/state/module1.h"
#include "core/table/tablecsv.h"
#include "gui/app/prisme.h"
#include "gui/app/prismeicons.h"
#include "gui/exercises/exercisecontrols.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTextDocument>
#include <QTextStream>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

const QString WriteFailed = QStringLiteral("Ecriture impossible sur disque");
const QString OutputLost = QStringLiteral("Ecriture impossible sur la sortie standard");

// Says on standard error "optiphane MODE : WHAT : NAME" (without a mode, "optiphane : …"), the name
// in the bytes the file system holds (a name that is not UTF-8 comes out as it was given).
void report(const QString& mode, const QString& what, const QString& name = {})
{
    QByteArray line =
        (QStringLiteral("optiphane ") + (mode.isEmpty() ? QString() : mode + QLatin1Char(' ')) +
         QStringLiteral(": ") + what)
            .toUtf8();
    if (!name.isNull())
        line += " : " + files::encodeName(name);
    line += '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

// Says that an output could not be written: the file named, or standard output for "-".
void reportWriteFailure(const QString& mode, const QString& output)
{
    if (output == files::StandardOutput)
        report(mode, OutputLost);
    else
        report(mode, WriteFailed, output);
}

// Loads the configuration named on the command line into the window; on failure says why on
// standard error, as "optiphane --tableau : Lecture impossible sur disque : CONF.P02".
bool loadForCommand(Experiment& experiment, const QString& mode, const QString& path)
{
    const std::optional<QString> error = experimentsetup::open(experiment, path);
    if (!error)
        return true;
    report(mode, *error, path);
    return false;
}

// Sends text to standard output; false (said on standard error) when it did not all get there.
bool writeOut(const QString& mode, QTextStream& out, const QString& text)
{
    out << text;
    out.flush();
    if (out.status() == QTextStream::Ok && files::flushStandardOutput())
        return true;
    report(mode, OutputLost);
    return false;
}

// Checks a mode's arguments: the first one (a file name) present and not empty, at most `most`
// in all. Says what is wrong otherwise.
bool argumentsFit(const QString& mode, const QStringList& arguments, qsizetype most,
                  const QString& missing)
{
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        report(mode, missing);
        return false;
    }
    if (arguments.size() > most) {
        report(mode, QStringLiteral("argument en trop"), arguments.at(most));
        return false;
    }
    return true;
}

const QString MissingOutput = QStringLiteral("nom du fichier de sortie manquant");

// The largest scale a picture is drawn at: 8 × 404 pixels, a 600 dpi page's width.
constexpr double MostScale = 8;

// "--echelle K" taken out of the arguments: K with a decimal comma or point, from 1 to 8. False,
// with the message said, for a missing or wrong K.
bool takeScale(const QString& mode, QStringList& arguments, double& scale)
{
    scale = 1;
    const qsizetype at = arguments.indexOf(QStringLiteral("--echelle"));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        report(mode, QStringLiteral("--echelle : facteur manquant"));
        return false;
    }
    QString text = arguments.at(at + 1);
    bool ok = false;
    const double k = text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !(k >= 1 && k <= MostScale)) {
        report(mode, QStringLiteral("--echelle : facteur de 1 à 8 attendu"), arguments.at(at + 1));
        return false;
    }
    scale = k;
    arguments.remove(at, 2);
    return true;
}

// `optiphane --image SORTIE.png [CONFIGURATION.P02]`: the bench picture as a copy takes it,
// white light fully drawn.
int runImageCommand(QStringList arguments)
{
    const QString mode = QStringLiteral("--image");
    double scale = 1;
    if (!takeScale(mode, arguments, scale) || !argumentsFit(mode, arguments, 2, MissingOutput))
        return 2;
    const QString output = arguments.first();
    Experiment experiment;
    experimentsetup::start(experiment);
    if (arguments.size() == 2 && !loadForCommand(experiment, mode, arguments.at(1)))
        return 2;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !experimentsetup::benchImage(experiment, scale).save(&buffer, "PNG") ||
        !files::writeWhole(output, png)) {
        reportWriteFailure(mode, output);
        return 2;
    }
    return 0;
}

// `optiphane --tableau CONFIGURATION.P02`: the table's text, as "Copier le contenu du tableau"
// puts it on the clipboard, on standard output.
int runTableCommand(const QStringList& arguments, QTextStream& out)
{
    const QString mode = QStringLiteral("--tableau");
    if (!argumentsFit(mode, arguments, 1,
                      QStringLiteral("nom du fichier de configuration manquant")))
        return 2;
    Experiment experiment;
    experimentsetup::start(experiment);
    if (!loadForCommand(experiment, mode, arguments.first()))
        return 2;
    return writeOut(mode, out, experiment.table.contentText() + QLatin1Char('\n')) ? 0 : 2;
}

// `optiphane --enregistrer SORTIE.P02 [CONFIGURATION.P02]`: the start-up experiment, or the
// configuration given, written as "&Enregistrer" writes it.
int runSaveCommand(const QStringList& arguments)
{
    const QString mode = QStringLiteral("--enregistrer");
    if (!argumentsFit(mode, arguments, 2, MissingOutput))
        return 2;
    Experiment experiment;
    experimentsetup::start(experiment);
    if (arguments.size() == 2 && !loadForCommand(experiment, mode, arguments.at(1)))
        return 2;
    if (!config::writeFile(arguments.first(), config::fromExperiment(experiment))) {
        reportWriteFailure(mode, arguments.first());
        return 2;
    }
    return 0;
}

// `optiphane --csv SORTIE.csv CONFIGURATION.P02`: the table as "Exporter le tableau (CSV)…"
// writes it ("-" for standard output).
int runCsvCommand(const QStringList& arguments)
{
    const QString mode = QStringLiteral("--csv");
    if (!argumentsFit(mode, arguments, 2, MissingOutput))
        return 2;
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) {
        report(mode, QStringLiteral("nom du fichier de configuration manquant"));
        return 2;
    }
    Experiment experiment;
    experimentsetup::start(experiment);
    if (!loadForCommand(experiment, mode, arguments.at(1)))
        return 2;
    if (!files::writeWhole(arguments.first(), table::csvText(experiment.table))) {
        reportWriteFailure(mode, arguments.first());
        return 2;
    }
    return 0;
}

// `optiphane --pdf SORTIE.pdf [CONFIGURATION.P02] [--tableau]`: what "&OK" of the print window
// prints with its start options (the bench with its parameters, or the table), into a PDF file.
int runPdfCommand(const QStringList& arguments)
{
    const QString mode = QStringLiteral("--pdf");
    QStringList rest = arguments;
    const bool table = rest.removeAll(QStringLiteral("--tableau")) > 0;
    if (!argumentsFit(mode, rest, 2, MissingOutput))
        return 2;
    Experiment experiment;
    experimentsetup::start(experiment);
    if (rest.size() == 2 && !loadForCommand(experiment, mode, rest.at(1)))
        return 2;
    print::PdfTarget target(rest.first());
    const print::TablePrintout tablePrintout =
        print::tablePrintout(experiment.table, table::RowHeightTwips, table::ColumnWidthTwips);
    // The command line prints the picture as it is drawn: no white copy.
    const print::BenchPrintout benchPrintout{.picture = experimentsetup::benchImage(experiment),
                                             .parameters = experimentsetup::parameters(experiment),
                                             .whitePicture = QImage(),
                                             .drawAt = experimentsetup::benchDrawer(experiment)};
    const bool printed = table ? print::Cletab(target, tablePrintout, 1)
                               : print::printBench(target, benchPrintout, {});
    if (!printed) {
        report(mode, QStringLiteral("Impression impossible"), rest.first());
        return 2;
    }
    return 0;
}

// `optiphane --texte TEXTE.RTF [SORTIE.RTF]`: the text as the rich-text box loads it, in plain
// text on standard output; with SORTIE, saved as the program saves a statement (with "-" as
// SORTIE, the RTF alone goes to standard output).
int runTextCommand(const QStringList& arguments, QTextStream& out)
{
    const QString mode = QStringLiteral("--texte");
    if (!argumentsFit(mode, arguments, 2, QStringLiteral("nom du fichier RTF manquant")))
        return 2;
    if (arguments.size() == 2 && arguments.at(1).isEmpty()) {
        report(mode, MissingOutput);
        return 2;
    }
    QTextDocument document;
    switch (exercises::loadRichText(arguments.first(), document)) {
    case exercises::LoadResult::Missing:
        report(mode, QStringLiteral("Lecture impossible sur disque"), arguments.first());
        return 2;
    case exercises::LoadResult::NotRichText:
        report(mode, QStringLiteral("ce fichier n'est pas au format RTF"), arguments.first());
        return 2;
    case exercises::LoadResult::TooLarge:
        report(mode, exercises::tooLargeMessage(), arguments.first());
        return 2;
    case exercises::LoadResult::Loaded:
        break;
    }
    if (arguments.size() == 2) {
        if (!exercises::saveRichText(arguments.at(1), document)) {
            reportWriteFailure(mode, arguments.at(1));
            return 2;
        }
        if (arguments.at(1) == files::StandardOutput)
            return 0;
    }
    // Line separators inside a paragraph come out as line feeds too.
    QString text = document.toPlainText();
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    return writeOut(mode, out, text + QLatin1Char('\n')) ? 0 : 2;
}

// The command-line modes print the program's own messages only: Qt's warnings (a missing
// runtime folder, an image writer's complaint) would mix with them in English.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        QTextStream(stderr) << message << '\n';
        std::abort();
    }
}

// What --help prints.
const char* const Usage =
    "Utilisation : optiphane [--echelle K] [FICHIER]\n"
    "              optiphane MODE ARGUMENTS\n"
    "\n"
    "Simulateur d'optique : réflexion et réfraction de la lumière.\n"
    "\n"
    "  FICHIER                  une configuration (.P02), un exercice (.E02) ou un texte (.RTF),\n"
    "                           ouvert au démarrage\n"
    "  --echelle K              la fenêtre K fois plus grande (de 1 à 8 : un projecteur, un\n"
    "                           tableau interactif), nette à toute taille\n"
    "  --image SORTIE.png [CONFIG.P02] [--echelle K]\n"
    "                           le schéma de l'expérience, en PNG ; K (de 1 à 8) : dessiné\n"
    "                           K fois plus fin\n"
    "  --tableau CONFIG.P02     le contenu du tableau, en texte\n"
    "  --enregistrer SORTIE.P02 [CONFIG.P02]\n"
    "                           réécrit une configuration\n"
    "  --csv SORTIE.csv CONFIG.P02\n"
    "                           le tableau en fichier CSV\n"
    "  --pdf SORTIE.pdf [CONFIG.P02] [--tableau]\n"
    "                           le schéma et ses paramètres, ou le tableau, en PDF\n"
    "  --texte TEXTE.RTF [SORTIE.RTF]\n"
    "                           le texte brut ; SORTIE : réenregistré en RTF\n"
    "  --calcul [--radians] [--scientifique] EXPRESSION | -\n"
    "                           calcule une expression (- : une par ligne sur l'entrée)\n"
    "  --help                   affiche cette aide\n"
    "  --version                affiche la version\n"
    "\n"
    "Une sortie « - » est la sortie standard. Code de sortie : 0 en cas de succès, 2 en cas\n"
    "d'échec (avec un message sur la sortie d'erreur).\n";

} // namespace

int main(int argc, char* argv[])
{
    // The program's own arguments, read before Qt sees any (a file named "-reverse" is a file),
    // in the names the file system holds.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << files::decodeName(QByteArray(argv[i]));

    // The command-line modes never show a window: they need no display, and run on the
    // off-screen platform whatever the environment names (a cron job, ssh without a display).
    // The two questions about the program itself are answered before anything starts.
    if (arguments.size() == 1 &&
        (arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h") ||
         arguments.first() == QLatin1String("--version"))) {
        const QByteArray text = arguments.first() == QLatin1String("--version")
                                    ? QByteArray("optiphane " OPTIPHANE_VERSION "\n")
                                    : QByteArray(Usage);
        return std::fwrite(text.constData(), 1, size_t(text.size()), stdout) ==
                           size_t(text.size()) &&
                       std::fflush(stdout) == 0
                   ? 0
                   : 2;
    }
    // `optiphane --echelle K [FICHIER]`: the whole window K times larger, drawn at that size
    // (Qt scales every widget and font; the bench, the protractor and the graph are drawn at the
    // resulting pixel ratio).
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--echelle")) {
        double scale = 1;
        if (!takeScale({}, arguments, scale))
            return 2;
        bool given = false;
        const double screen = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale * (given && screen > 0 ? screen : 1)));
    }
    const bool commandLine = !arguments.isEmpty() && arguments.first().startsWith(u"--");
    if (commandLine) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietMessages);
    } else {
        // A FIFO whose reader went away fails the write; it does not end the program.
        std::signal(SIGPIPE, SIG_IGN);
    }

    // A file given on the command line is opened at start: a configuration as "&Ouvrir" opens
    // it, an exercise as "Ouvrir l'exercice sélectionné", a text as "Retrouver un texte".
    enum class StartFile { None, Configuration, Exercise, Text };
    StartFile startFile = StartFile::None;
    if (!arguments.isEmpty() && !commandLine) {
        const QString& name = arguments.first();
        if (name.endsWith(QStringLiteral(".P02"), Qt::CaseInsensitive))
            startFile = StartFile::Configuration;
        else if (name.endsWith(QStringLiteral(".E02"), Qt::CaseInsensitive))
            startFile = StartFile::Exercise;
        else if (name.endsWith(QStringLiteral(".RTF"), Qt::CaseInsensitive))
            startFile = StartFile::Text;
        if (arguments.size() > 1 || startFile == StartFile::None) {
            report({},
                   QStringLiteral("un seul fichier .P02, .E02 ou .RTF peut être ouvert au "
                                  "démarrage"),
                   arguments.at(arguments.size() > 1 ? 1 : 0));
            return 2;
        }
    }

    // A closed standard input must be seen now: Qt would take descriptor 0 for its own use, and
    // reading it would read Qt's events. It is filled with /dev/null, and remembered as closed.
    const bool inputOpen = ::fcntl(STDIN_FILENO, F_GETFD) != -1;
    if (!inputOpen) {
        const int null = ::open("/dev/null", O_RDONLY);
        if (null > STDIN_FILENO)
            ::close(null);
    }

    // Without a session's runtime folder Qt makes its own and says so on standard error, which
    // would mix with the command-line modes' output: make it quietly.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(getuid());
        if (QDir().mkpath(runtime)) {
            QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        }
    }

    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    int qtArgc = 1; // Qt parses none of the arguments
    // The command-line modes create no widget: fonts, pictures and PDF need only the GUI layer.
    const std::unique_ptr<QGuiApplication> app =
        commandLine ? std::make_unique<QGuiApplication>(qtArgc, argv)
                    : std::make_unique<QApplication>(qtArgc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Optiphane"));

    // Qt's own buttons and dialogs in French, before the first widget.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

    QTextStream out(stdout);
    if (commandLine) {
        const QString mode = arguments.first();
        const QStringList rest = arguments.mid(1);
        if (mode == QLatin1String("--image"))
            return runImageCommand(rest);
        if (mode == QLatin1String("--tableau"))
            return runTableCommand(rest, out);
        if (mode == QLatin1String("--enregistrer"))
            return runSaveCommand(rest);
        if (mode == QLatin1String("--csv"))
            return runCsvCommand(rest);
        if (mode == QLatin1String("--pdf"))
            return runPdfCommand(rest);
        if (mode == QLatin1String("--texte"))
            return runTextCommand(rest, out);
        if (mode == QLatin1String("--calcul")) {
            QTextStream err(stderr);
            return runCalculCommand(rest, inputOpen, out, err);
        }
        report({}, QStringLiteral("option inconnue"), mode);
        return 2;
    }
    QApplication::setWindowIcon(prismeicons::windowIcon());
    Prisme window;
    window.show();
    switch (startFile) {
    case StartFile::Configuration:
        window.loadConfiguration(arguments.first());
        break;
    case StartFile::Exercise:
        window.exercisesMenu->openExercise(QFileInfo(arguments.first()).absoluteFilePath(),
                                           &window);
        break;
    case StartFile::Text:
        window.exercisesMenu->readText(QFileInfo(arguments.first()).absoluteFilePath());
        break;
    case StartFile::None:
        break;
    }
    return QApplication::exec();
}
