// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with the keyboard alone and as assistive technology sees it: the protractor's
// reading recorded into the table from the keyboard, the panels opened from their icons and
// closed with the focus given back, and a name on every control of the window and its dialogs.
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/loupe.h"
#include "gui/calc/avancalc.h"
#include "gui/calc/machine.h"
#include "gui/config/configdialogs.h"
#include "gui/exercises/fichexo.h"
#include "gui/graph/grapheur.h"
#include "gui/help/helpwindow.h"
#include "gui/platform/dialogs.h"
#include "gui/print/confimp.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/arith.h"
#include "gui/table/fnblignes.h"
#include "gui/table/formatdonnees.h"
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/named.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <memory>

namespace {

// Keys pressed on the widget that has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// Where an accessible object lies, by the object names from the window down.
QString pathOf(QAccessibleInterface* iface)
{
    QStringList names;
    for (QObject* o = iface->object(); o; o = o->parent())
        names.prepend(o->objectName().isEmpty() ? QLatin1String(o->metaObject()->className())
                                                : o->objectName());
    return names.join(u'/') + QStringLiteral(" (role %1)").arg(int(iface->role()));
}

// What a user acts on: anything that takes the focus, and the usual controls even when only the
// pointer reaches them.
bool interactive(QAccessibleInterface* iface)
{
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::Cell:
    case QAccessible::Grip:
        return true;
    default:
        return iface->state().focusable;
    }
}

// Every shown interactive control under the interface that has no accessible name.
void collectNameless(QAccessibleInterface* iface, QStringList& nameless, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 40 || iface->state().invisible)
        return;
    if (interactive(iface) && iface->text(QAccessible::Name).trimmed().isEmpty())
        nameless << pathOf(iface);
    const int children = std::min(iface->childCount(), 200); // a long table: its first cells
    for (int i = 0; i < children; ++i)
        collectNameless(iface->child(i), nameless, depth + 1);
}

// The shown controls that the pointer shows as clickable and that Tab does not reach.
QStringList unreachableControls(QWidget* window)
{
    QStringList unreachable;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isVisible() && w->cursor().shape() == Qt::PointingHandCursor &&
            !(w->focusPolicy() & Qt::TabFocus))
            unreachable << w->objectName();
    }
    return unreachable;
}

QStringList namelessControls(QWidget* window)
{
    QStringList nameless;
    collectNameless(QAccessible::queryAccessibleInterface(window), nameless);
    return nameless;
}

} // namespace

class TestAccess : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Prisme> w;

    void showWindow()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        dir = std::make_unique<QTemporaryDir>();
        programfolder::setPath(dir->path());
        Prisme::setScreenSizeOverride(QSize(1024, 768));
        dialogs::setResponder([](const dialogs::Request&) {
            dialogs::Reply reply;
            reply.answer = dialogs::Answer::Cancel;
            return reply;
        });
        w = std::make_unique<Prisme>(Prisme::StartMode::CommandLine);
    }
    void cleanup()
    {
        w.reset();
        dialogs::setResponder({});
        Prisme::setScreenSizeOverride(QSize());
        programfolder::setPath(QString());
        dir.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // Action: from the protractor's icon, Space, then Tab to the sphere, lay the line at 37,5°,
    // press Enter, Right, Enter, the table panel hidden; then twice Enter on the last row.
    // Expected: both read-outs typed into the current cell and the one below, in the table's
    // format, the third row current; on the last row, the reading replaces the cell's text.
    void a_reading_goes_into_the_table_by_keys()
    {
        showWindow();
        named<QWidget>(w.get(), "Image3_5")->setFocus();
        press(Qt::Key_Space);
        QVERIFY(w->protractor->isOpen());
        QCOMPARE(QApplication::focusWidget(), w->protractor->Imagecroix);
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        QCOMPARE(QApplication::focusWidget(), w->protractor->Imageboule);
        press(Qt::Key_Left, Qt::ShiftModifier, 525);
        QCOMPARE(w->protractor->Label10->text(), QStringLiteral("37,5"));
        QVERIFY(named<QWidget>(w.get(), "Frame4")->isHidden());
        press(Qt::Key_Return);
        press(Qt::Key_Right);
        press(Qt::Key_Enter);
        QCOMPARE(w->table.getCell(1, 0), table::normalisedCell("37,5", w->table.numberFormat()));
        QCOMPARE(w->table.getCell(2, 0), table::normalisedCell("38,5", w->table.numberFormat()));
        QCOMPARE(w->table.currentRow(), 3);
        QCOMPARE(w->table.currentColumn(), 0);
        // On the last row the reading replaces the cell's value, and the hint says so.
        w->table.setCurrentCell(w->table.dataRows(), 1);
        w->table.typeKey(u'7');
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(w->table.getCell(w->table.dataRows(), 1),
                 table::normalisedCell("38,5", w->table.numberFormat()));
        QCOMPARE(w->table.currentRow(), w->table.dataRows());
        QCOMPARE(w->hint(), TableControls::LastRowHint);
        // The cell as a screen reader reads it.
        const QModelIndex cell = w->tableControls->itemModel()->index(0, 0);
        QCOMPARE(cell.data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("C1, ligne 1 : ") + w->table.getCell(1, 0));
    }

    void panels_open_and_close_by_keys_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("firstControl");
        QTest::addColumn<QString>("closer");
        QTest::newRow("half-disc") << "Image3_1"
                                   << "Picture4"
                                   << "Combo1"
                                   << "Label19";
        QTest::newRow("outer medium") << "Image3_2"
                                      << "Picture5"
                                      << "Combo2"
                                      << "Label32";
        QTest::newRow("options") << "Image3_3"
                                 << "Frame1"
                                 << "Option3"
                                 << "Label2";
        QTest::newRow("source") << "Image3_4"
                                << "Picture6"
                                << "Option1"
                                << "Label23";
        QTest::newRow("protractor, its title") << "Image3_5"
                                               << "Picture2"
                                               << "Imagecroix"
                                               << "Label25";
        QTest::newRow("protractor, its close box") << "Image3_5"
                                                   << "Picture2"
                                                   << "Imagecroix"
                                                   << "Image4";
    }
    // Action: Enter on a panel's icon, then Tab to its title or close box and Space.
    // Expected: the panel opens with the focus on its first control, the icon under it is out
    // of Tab's way; closed, the focus is back on the icon.
    void panels_open_and_close_by_keys()
    {
        QFETCH(QString, icon);
        QFETCH(QString, panel);
        QFETCH(QString, firstControl);
        QFETCH(QString, closer);
        showWindow();
        auto* opener = named<QWidget>(w.get(), icon);
        opener->setFocus();
        press(Qt::Key_Return);
        QVERIFY(!named<QWidget>(w.get(), panel)->isHidden());
        QCOMPARE(QApplication::focusWidget()->objectName(), firstControl);
        QCOMPARE(opener->focusPolicy(), Qt::NoFocus);
        auto* close = named<QWidget>(w.get(), closer);
        for (int i = 0; i < 40 && QApplication::focusWidget() != close; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), close);
        press(Qt::Key_Space);
        QVERIFY(named<QWidget>(w.get(), panel)->isHidden());
        QCOMPARE(QApplication::focusWidget(), opener);
        QCOMPARE(opener->focusPolicy(), Qt::TabFocus);
    }

    // Action: show the table, Tab in it, Ctrl+Tab. Expected: the three panels and the icons
    // under it are out of Tab's way until it is hidden again; Ctrl+Tab leaves the grid and the
    // text.
    void the_table_covers_what_lies_under_it()
    {
        showWindow();
        w->Image3_Click(1);
        auto* tableButton = named<QPushButton>(w.get(), "Check1");
        tableButton->setFocus();
        press(Qt::Key_Space);
        QVERIFY(!named<QWidget>(w.get(), "Frame4")->isHidden());
        QVERIFY(!named<QWidget>(w.get(), "Combo1")->isEnabled());
        QCOMPARE(named<QWidget>(w.get(), "Image3_2")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(named<QWidget>(w.get(), "Image3_3")->focusPolicy(), Qt::TabFocus);
        // Tab goes from cell to cell; Ctrl+Tab leaves the grid for the exercises' tab.
        named<QWidget>(w.get(), "MSFlexGrid1")->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("MSFlexGrid1"));
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btexo"));
        // The same out of the text, where Tab is typed into an answer.
        auto* text = named<QTextEdit>(w.get(), "supertext");
        text->setReadOnly(false);
        text->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), text);
        press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("fich"));
        tableButton->setFocus();
        press(Qt::Key_Space);
        QVERIFY(named<QWidget>(w.get(), "Combo1")->isEnabled());
        QCOMPARE(named<QWidget>(w.get(), "Image3_2")->focusPolicy(), Qt::TabFocus);
        QCOMPARE(named<QWidget>(w.get(), "Image3_1")->focusPolicy(), Qt::NoFocus);
    }

    void a_closed_dialog_gives_the_focus_back_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Ouvrir") << "Command2";
        QTest::newRow("Enregistrer") << "Command11";
        QTest::newRow("Imprimer") << "Command10";
        QTest::newRow("Calculatrice") << "Command8";
    }
    // Action: Space on a command button, the dialog closed with Escape. Expected: the dialog
    // had the focus, and the button has it again.
    void a_closed_dialog_gives_the_focus_back()
    {
        QFETCH(QString, button);
        showWindow();
        auto* command = named<QPushButton>(w.get(), button);
        command->setFocus();
        bool dialogHadFocus = false;
        watchdog->expect([&](QWidget* dialog) {
            dialogHadFocus = QTest::qWaitFor(
                [dialog] { return dialog->isAncestorOf(QApplication::focusWidget()); }, 2000);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            if (dialog->isVisible())
                dialog->close();
        });
        press(Qt::Key_Space);
        QCOMPARE(watchdog->pending(), 0);
        QVERIFY(dialogHadFocus);
        QTRY_COMPARE(QApplication::focusWidget(), command);
    }

    // Expected: what the pointer can click, Tab reaches (the panels closed: nothing covers the
    // icons); with every panel open (then the table over them), every control has a name; a
    // picture that only decorates is passed over.
    void every_control_of_the_window_is_named()
    {
        showWindow();
        const QStringList unreachable = unreachableControls(w.get());
        QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(u'\n')));
        for (int i = 1; i <= 5; ++i)
            w->Image3_Click(i);
        QStringList nameless = namelessControls(w.get());
        named<QPushButton>(w.get(), "Check1")->click();
        nameless << namelessControls(w.get());
        nameless.removeDuplicates();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
        // The spectrum behind the wavelength's scroll bar only decorates: white space, no name.
        QAccessibleInterface* strip =
            QAccessible::queryAccessibleInterface(named<QLabel>(w.get(), "Image1"));
        QCOMPARE(strip->role(), QAccessible::Whitespace);
        QVERIFY(strip->text(QAccessible::Name).isEmpty());
    }

    void every_control_of_the_dialogs_is_named_data()
    {
        using Make = std::function<QWidget*(Prisme&, const QString& folder)>;
        QTest::addColumn<Make>("make");
        QTest::newRow("LOUPE") << Make([](Prisme& p, const QString&) -> QWidget* {
            return new LOUPE(p.experiment.bench, &p);
        });
        QTest::newRow("fnblignes") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new fnblignes(p.table, &p); });
        QTest::newRow("Formatdonnees") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new Formatdonnees(p.table, &p); });
        QTest::newRow("arith") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new arith(p.table, &p); });
        QTest::newRow("grapheur") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new grapheur(p.table, &p); });
        QTest::newRow("confimp") << Make([](Prisme& p, const QString&) -> QWidget* {
            return new confimp(p.benchPrintout(), p.tablePrintout(), &p);
        });
        QTest::newRow("ouvrir") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new ouvrir(&p); });
        QTest::newRow("enregistrer")
            << Make([](Prisme& p, const QString&) -> QWidget* { return new enregistrer(&p); });
        QTest::newRow("Machine") << Make([](Prisme& p, const QString&) -> QWidget* {
            return new Machine(module1().memoryValue, &p);
        });
        QTest::newRow("avancalc") << Make(
            [](Prisme& p, const QString&) -> QWidget* { return new avancalc(&p); });
        QTest::newRow("Fichexo") << Make([](Prisme& p, const QString&) -> QWidget* {
            return new Fichexo(*p.exercisesMenu, &p);
        });
        QTest::newRow("HelpWindow") << Make([](Prisme& p, const QString& folder) -> QWidget* {
            const QString index = folder + QStringLiteral("/index.html");
            QFile page(index);
            if (page.open(QIODevice::WriteOnly))
                page.write("<html><body><h1>Aide</h1><p><a href=\"index.html\">Lien</a></p>"
                           "</body></html>");
            page.close();
            return new HelpWindow(QStringLiteral("Aide"), index, &p);
        });
    }
    // Expected: every control of each dialog, shown, has a name, and Tab reaches what the
    // pointer can click.
    void every_control_of_the_dialogs_is_named()
    {
        using Make = std::function<QWidget*(Prisme&, const QString& folder)>;
        QFETCH(Make, make);
        std::unique_ptr<QWidget> dialog(make(*w, dir->path()));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QStringList nameless = namelessControls(dialog.get());
        const QStringList unreachable = unreachableControls(dialog.get());
        dialog->close();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
        QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(u'\n')));
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
