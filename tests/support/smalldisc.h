// SPDX-License-Identifier: GPL-3.0-or-later
// A real small file system for the tests of full discs: a tmpfs mounted on a folder of the test
// (root only), filled on request, unmounted at the end.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

class SmallDisc {
public:
    // Mounts a tmpfs of `kilobytes` on folder (made when missing). Check mounted() after.
    SmallDisc(const QString& folder, int kilobytes) : m_folder(folder)
    {
        if (::geteuid() != 0 || !QDir().mkpath(folder))
            return;
        m_mounted =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"),
                               folder}) == 0;
    }
    ~SmallDisc()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder});
    }
    SmallDisc(const SmallDisc&) = delete;
    SmallDisc& operator=(const SmallDisc&) = delete;

    bool mounted() const { return m_mounted; }
    static const char* skipReason()
    {
        return "a small file system can be mounted only as root, where mounting is permitted";
    }

    // Writes a file until the disc refuses any more byte.
    void fill() const
    {
        QFile filler(m_folder + QStringLiteral("/remplissage"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        // Whatever the buffers held at the end may still have found a page: fill the last bytes.
        QFile last(m_folder + QStringLiteral("/remplissage-fin"));
        if (last.open(QIODevice::WriteOnly))
            while (last.write("x", 1) == 1 && last.flush()) {
            }
    }

private:
    QString m_folder;
    bool m_mounted = false;
};
