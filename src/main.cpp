// SPDX-License-Identifier: GPL-3.0-or-later
// Optiphane: the optical bench simulator. Without arguments it opens the main window; the
// command-line modes build the same windows off-screen, do their work and exit.
#include "app/prisme.h"
#include "app/prismeicons.h"
#include "calc/calculcommand.h"
#include "exercises/exercisecontrols.h"
#include "exercises/exercisefile.h"
#include "print/printlayout.h"
#include "state/module1.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Loads the configuration named on the command line into the window; on failure says why on
// standard error, as "optiphane --tableau : Lecture impossible sur disque : CONF.P02".
bool loadForCommand(Prisme& window, const QString& mode, const QString& path, QTextStream& err)
{
    const std::optional<QString> error = window.openConfiguration(path);
    if (!error)
        return true;
    err << "optiphane " << mode << " : " << *error << " : " << path << '\n';
    return false;
}

// Writes bytes aside and puts them in place only when complete: a failed write (a full disc) is
// seen, and leaves no half file.
bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.commit();
}

// `optiphane --image SORTIE.png [CONFIGURATION.P02]`: the bench picture as a copy takes it,
// white light fully drawn.
int runImageCommand(const QStringList& arguments, QTextStream& err)
{
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        err << "optiphane --image : nom du fichier de sortie manquant\n";
        return 2;
    }
    if (arguments.size() > 2) {
        err << "optiphane --image : argument en trop : " << arguments.at(2) << '\n';
        return 2;
    }
    const QString output = arguments.first();
    Prisme window(Prisme::StartMode::CommandLine);
    if (arguments.size() == 2 &&
        !loadForCommand(window, QStringLiteral("--image"), arguments.at(1), err))
        return 2;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !window.benchPicture.composed().save(&buffer, "PNG") || !writeWhole(output, png)) {
        err << "Impossible d'écrire le fichier : " << output << '\n';
        return 2;
    }
    return 0;
}

// `optiphane --tableau CONFIGURATION.P02`: the table's text, as "Copier le contenu du tableau"
// puts it on the clipboard, on standard output.
int runTableCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        err << "optiphane --tableau : nom du fichier de configuration manquant\n";
        return 2;
    }
    if (arguments.size() > 1) {
        err << "optiphane --tableau : argument en trop : " << arguments.at(1) << '\n';
        return 2;
    }
    Prisme window(Prisme::StartMode::CommandLine);
    if (!loadForCommand(window, QStringLiteral("--tableau"), arguments.first(), err))
        return 2;
    out << window.table.contentText() << '\n';
    out.flush();
    return 0;
}

// `optiphane --enregistrer SORTIE.P02 [CONFIGURATION.P02]`: the start-up experiment, or the
// configuration given, written as "&Enregistrer" writes it.
int runSaveCommand(const QStringList& arguments, QTextStream& err)
{
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        err << "optiphane --enregistrer : nom du fichier de sortie manquant\n";
        return 2;
    }
    if (arguments.size() > 2) {
        err << "optiphane --enregistrer : argument en trop : " << arguments.at(2) << '\n';
        return 2;
    }
    Prisme window(Prisme::StartMode::CommandLine);
    if (arguments.size() == 2 &&
        !loadForCommand(window, QStringLiteral("--enregistrer"), arguments.at(1), err))
        return 2;
    if (!window.writeConfiguration(arguments.first())) {
        err << "optiphane --enregistrer : Ecriture impossible sur disque : " << arguments.first()
            << '\n';
        return 2;
    }
    return 0;
}

// `optiphane --pdf SORTIE.pdf [CONFIGURATION.P02] [--tableau]`: what "&OK" of the print window
// prints with its start options (the bench with its parameters, or the table), into a PDF file.
int runPdfCommand(const QStringList& arguments, QTextStream& err)
{
    QStringList rest = arguments;
    const bool table = rest.removeAll(QStringLiteral("--tableau")) > 0;
    if (rest.isEmpty() || rest.first().isEmpty()) {
        err << "optiphane --pdf : nom du fichier de sortie manquant\n";
        return 2;
    }
    if (rest.size() > 2) {
        err << "optiphane --pdf : argument en trop : " << rest.at(2) << '\n';
        return 2;
    }
    Prisme window(Prisme::StartMode::CommandLine);
    if (rest.size() == 2 && !loadForCommand(window, QStringLiteral("--pdf"), rest.at(1), err))
        return 2;
    print::PdfTarget target(rest.first());
    const bool printed = table ? print::Cletab(target, window.tablePrintout(), 1)
                               : print::printBench(target, window.benchPrintout(), {});
    if (!printed) {
        err << "optiphane --pdf : Impression impossible : " << rest.first() << '\n';
        return 2;
    }
    return 0;
}

// `optiphane --texte TEXTE.RTF [SORTIE.RTF]`: the text as the rich-text box loads it, in plain
// text on standard output; with SORTIE, saved as the program saves a statement.
int runTextCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        err << "optiphane --texte : nom du fichier RTF manquant\n";
        return 2;
    }
    if (arguments.size() > 2) {
        err << "optiphane --texte : argument en trop : " << arguments.at(2) << '\n';
        return 2;
    }
    QTextDocument document;
    switch (exercises::loadRichText(arguments.first(), document)) {
    case exercises::LoadResult::Missing:
        err << "optiphane --texte : Lecture impossible sur disque : " << arguments.first() << '\n';
        return 2;
    case exercises::LoadResult::NotRichText:
        err << "optiphane --texte : ce fichier n'est pas au format RTF : " << arguments.first()
            << '\n';
        return 2;
    case exercises::LoadResult::Loaded:
        break;
    }
    if (arguments.size() == 2 && !exercises::saveRichText(arguments.at(1), document)) {
        err << "optiphane --texte : Ecriture impossible sur disque : " << arguments.at(1) << '\n';
        return 2;
    }
    // Line separators inside a paragraph come out as line feeds too.
    QString text = document.toPlainText();
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    out << text << '\n';
    out.flush();
    return 0;
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

} // namespace

int main(int argc, char* argv[])
{
    // The command-line modes never show a window: they need no display.
    const bool commandLine = argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
    if (commandLine) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietMessages);
    }

    // A file given on the command line is opened at start: a configuration as "&Ouvrir" opens
    // it, an exercise as "Ouvrir l'exercice sélectionné", a text as "Retrouver un texte".
    enum class StartFile { None, Configuration, Exercise, Text };
    StartFile startFile = StartFile::None;
    if (argc > 1 && !commandLine) {
        const QString name = QString::fromLocal8Bit(argv[1]);
        if (name.endsWith(QStringLiteral(".P02"), Qt::CaseInsensitive))
            startFile = StartFile::Configuration;
        else if (name.endsWith(QStringLiteral(".E02"), Qt::CaseInsensitive))
            startFile = StartFile::Exercise;
        else if (name.endsWith(QStringLiteral(".RTF"), Qt::CaseInsensitive))
            startFile = StartFile::Text;
        if (argc > 2 || startFile == StartFile::None) {
            std::fprintf(stderr,
                         "optiphane : un seul fichier .P02, .E02 ou .RTF peut être ouvert au "
                         "démarrage : %s\n",
                         argv[argc > 2 ? 2 : 1]);
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Optiphane"));

    // Qt's own buttons and dialogs in French, before the first widget.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QApplication::setWindowIcon(prismeicons::windowIcon());

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (commandLine) {
        const QString mode = arguments.first();
        if (mode == QLatin1String("--image"))
            return runImageCommand(arguments.mid(1), err);
        if (mode == QLatin1String("--tableau"))
            return runTableCommand(arguments.mid(1), out, err);
        if (mode == QLatin1String("--enregistrer"))
            return runSaveCommand(arguments.mid(1), err);
        if (mode == QLatin1String("--pdf"))
            return runPdfCommand(arguments.mid(1), err);
        if (mode == QLatin1String("--texte"))
            return runTextCommand(arguments.mid(1), out, err);
        if (mode == QLatin1String("--calcul")) {
            const int status = runCalculCommand(arguments.mid(1), inputOpen, out, err);
            out.flush();
            return status;
        }
        err << "optiphane : option inconnue : " << mode << '\n';
        return 2;
    }
    Prisme window;
    window.show();
    switch (startFile) {
    case StartFile::Configuration:
        module1().currentConfigPath = arguments.first();
        window.loadConfiguration();
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
    return app.exec();
}
