// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/markerfile.h"

#include "core/config/recordfile.h"
#include "core/platform/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace marker {

QString folderFor(const QString& programFolder, bool writable, const QString& runtime,
                  const QString& state)
{
    const QString folder = QDir::cleanPath(programFolder) + QLatin1Char('/');
    // An installed layout (the data in PREFIX/share/optiphane) is the package's, wherever its
    // prefix: the package manager removes it without knowing the marker.
    const bool system = folder.startsWith(QLatin1String("/usr/")) ||
                        folder.startsWith(QLatin1String("/opt/")) ||
                        folder.endsWith(QLatin1String("/share/optiphane/")) || !writable;
    if (!system)
        return folder;
    for (const QString& base : {runtime, state})
        if (!base.isEmpty())
            return QDir::cleanPath(base) + QStringLiteral("/optiphane/");
    return QString();
}

QString path()
{
    const QString program = programfolder::path();
    const QFileInfo info(program);
    const QString real = info.canonicalFilePath().isEmpty() ? program : info.canonicalFilePath();
    // A folder that is not there is not a system one: the write fails and is ignored.
    const bool writable =
        !info.exists() || ::access(QFile::encodeName(real).constData(), W_OK) == 0;
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() && !QDir::homePath().isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder =
        folderFor(real, writable, qEnvironmentVariable("XDG_RUNTIME_DIR"), state);
    return folder.isEmpty() ? QString() : folder + QLatin1String(FileName);
}

bool write(const QString& state)
{
    const QString file = path();
    if (file.isEmpty())
        return false;
    // The user's own folder is made when missing; the program's folder never is.
    const QString folder = QFileInfo(file).absolutePath();
    const bool programs = QDir::cleanPath(folder) == QDir::cleanPath(programfolder::path());
    if (!programs && !QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    return writeRecord(file, Record, state);
}

} // namespace marker
