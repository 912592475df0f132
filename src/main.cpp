// SPDX-License-Identifier: GPL-3.0-or-later
// Optiphane: the optical bench simulator. Without arguments it opens the main window; the
// command-line modes build the same windows off-screen, do their work and exit.
#include "app/prisme.h"
#include "app/prismeicons.h"
#include "calc/calculcommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>
#include <cstring>
#include <unistd.h>

namespace
{
// `optiphane --image SORTIE.png`: the bench picture as a copy takes it, white light fully drawn.
int runImageCommand(const QStringList& arguments, QTextStream& err)
{
    if (arguments.isEmpty()) {
        err << "optiphane --image : nom du fichier de sortie manquant\n";
        return 2;
    }
    const QString output = arguments.first();
    Prisme window(Prisme::StartMode::CommandLine);
    const QImage picture = window.benchPicture.composed();
    if (!picture.save(output, "PNG")) {
        err << "Impossible d'écrire le fichier : " << output << '\n';
        return 2;
    }
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    // The command-line modes never show a window: they need no display.
    const bool commandLine = argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
    if (commandLine && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Without a session's runtime folder Qt makes its own and says so on standard error, which
    // would mix with the command-line modes' output: make it quietly.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/runtime-")
                                + QString::number(getuid());
        if (QDir().mkpath(runtime)) {
            QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner);
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
        if (mode == QLatin1String("--calcul")) {
            const int status = runCalculCommand(arguments.mid(1), out, err);
            out.flush();
            return status;
        }
        err << "optiphane : option inconnue : " << mode << '\n';
        return 2;
    }

    Prisme window;
    window.show();
    return app.exec();
}
