// SPDX-License-Identifier: GPL-3.0-or-later
// The copy menu on the real main window: the bench picture with its incident ray and lamp and
// never the protractor, a picture of the table as displayed, the table's text with line feeds
// only, each offered in the types other programs ask for, and the copy message after each.
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/named.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestClipboard : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<Prisme> w;

    const QMimeData* clip() { return QGuiApplication::clipboard()->mimeData(); }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        w = std::make_unique<Prisme>(Prisme::StartMode::CommandLine);
        w->show();
        named<QPushButton>(*w, QStringLiteral("Check1"))->setChecked(true);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        w.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // State: the protractor open over the bench. Action: "Copier le schéma de l'expérience".
    // Expected: exactly the composed bench picture (ray and lamp in, no protractor), as PNG too.
    void bench_picture()
    {
        w->Image3_Click(5);
        named<QAction>(*w, QStringLiteral("cop001"))->trigger();
        const QImage expected = w->benchPicture.composed().convertToFormat(QImage::Format_RGB32);
        const QImage got = qvariant_cast<QImage>(clip()->imageData());
        QCOMPARE(got.convertToFormat(QImage::Format_RGB32), expected);
        QVERIFY(clip()->hasFormat(QStringLiteral("image/png")));
        QImage png;
        QVERIFY(png.loadFromData(clip()->data(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32), expected);
        // The lamp is in it; the protractor's white arc at the box's top is not.
        const QPoint lamp = w->benchPicture.lampeTopLeft.toPoint() + QPoint(16, 13);
        QVERIFY(qRed(got.pixel(lamp)) > 200 && qGreen(got.pixel(lamp)) > 150);
        QVERIFY(got.pixel(201, 102) != qRgb(255, 255, 255));
        QCOMPARE(w->hint(), Prisme::CopiedMessage);
    }

    // Action: "Copier le contenu du tableau". Expected: the text with tabs and line feeds only,
    // the whole table shown selected, the first cell current, the copy message.
    void table_text()
    {
        w->table.setRowCount(3);
        w->table.setCell(1, 0, QStringLiteral("1,000"));
        w->table.setCell(2, 0, QStringLiteral("2,000"));
        w->table.setCurrentCell(2, 3);
        w->tableControls->showCurrentCell();
        named<QAction>(*w, QStringLiteral("cop003"))->trigger();
        const QString text = clip()->text();
        QCOMPARE(text, QStringLiteral("C1\tC2\tC3\tC4\tC5\n1,000\t\t\t\t\n2,000\t\t\t\t"));
        QVERIFY(!text.contains(u'\r'));
        QVERIFY(clip()->hasFormat(QStringLiteral("text/plain")));
        QCOMPARE(
            w->tableControls->widgets().MSFlexGrid1->selectionModel()->selectedIndexes().size(),
            10);
        QCOMPARE(w->tableControls->widgets().MSFlexGrid1->currentIndex().row(), 0);
        QCOMPARE(w->tableControls->widgets().MSFlexGrid1->currentIndex().column(), 0);
        QCOMPARE(w->table.currentRow(), 1);
        QCOMPARE(w->hint(), Prisme::CopiedMessage);
    }

    // Action: "Copier une image du tableau". Expected: the grid as displayed, without its
    // selection.
    void table_picture()
    {
        w->table.setCell(1, 0, QStringLiteral("1,500"));
        named<QAction>(*w, QStringLiteral("cop002"))->trigger();
        const QImage got = qvariant_cast<QImage>(clip()->imageData());
        QCOMPARE(got.size(), w->tableControls->widgets().MSFlexGrid1->size() *
                                 w->tableControls->widgets().MSFlexGrid1->devicePixelRatio());
        w->tableControls->widgets().MSFlexGrid1->clearSelection();
        QCOMPARE(got.convertToFormat(QImage::Format_RGB32),
                 w->tableControls->widgets().MSFlexGrid1->grab().toImage().convertToFormat(
                     QImage::Format_RGB32));
        QVERIFY(clip()->hasFormat(QStringLiteral("image/png")));
        QCOMPARE(w->hint(), Prisme::CopiedMessage);
    }

    // Expected: "Co&pier" offers the three copies, all enabled.
    void copy_menu()
    {
        for (QAction* a : {named<QAction>(*w, QStringLiteral("cop001")),
                           named<QAction>(*w, QStringLiteral("cop002")),
                           named<QAction>(*w, QStringLiteral("cop003"))})
            QVERIFY(a->isEnabled());
        QCOMPARE(named<QAction>(*w, QStringLiteral("cop001"))->text(),
                 QStringLiteral("Copier le schéma de l'expérience"));
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
