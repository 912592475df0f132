// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its folder's files: share/optiphane beside the "bin" folder of an
// installed executable, else the executable's own folder.
#include "core/platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void installed_folder_data()
    {
        QTest::addColumn<QString>("executable"); // relative to a scratch root
        QTest::addColumn<QStringList>("made");   // folders made; "f:" a file
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed")
            << "usr/bin" << QStringList{"usr/bin", "usr/share/optiphane"} << "usr/share/optiphane";
        QTest::newRow("a local prefix")
            << "opt/optiphane/bin"
            << QStringList{"opt/optiphane/bin", "opt/optiphane/share/optiphane"}
            << "opt/optiphane/share/optiphane";
        QTest::newRow("bin without share") << "usr/bin" << QStringList{"usr/bin"} << "";
        QTest::newRow("a build folder") << "build" << QStringList{"build", "share/optiphane"} << "";
        QTest::newRow("share/optiphane is a file")
            << "usr/bin" << QStringList{"usr/bin", "usr/share", "f:usr/share/optiphane"} << "";
    }
    void installed_folder()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, made);
        QFETCH(QString, expected);
        QTemporaryDir root;
        for (const QString& m : made) {
            if (m.startsWith(QStringLiteral("f:"))) {
                QFile f(root.filePath(m.mid(2)));
                QVERIFY(f.open(QIODevice::WriteOnly));
            } else {
                QVERIFY(QDir().mkpath(root.filePath(m)));
            }
        }
        const QString got = programfolder::installedFolder(root.filePath(executable));
        QCOMPARE(got, expected.isEmpty() ? QString() : root.filePath(expected));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
