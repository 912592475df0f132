// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog facade's message boxes as the user sees them (no responder): the button that Enter
// presses, and a width that leaves the title whole.
#include "gui/platform/dialogs.h"
#include "support/modalwatchdog.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QStyle>
#include <QtTest>
#include <memory>
#include <optional>

using dialogs::Answer;
using dialogs::Buttons;

Q_DECLARE_METATYPE(dialogs::Answer)
Q_DECLARE_METATYPE(dialogs::Buttons)
Q_DECLARE_METATYPE(std::optional<dialogs::Answer>)

class TestDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;

private slots:
    void init() { watchdog = std::make_unique<ModalWatchdog>(); }
    void cleanup()
    {
        dialogs::setResponder({});
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    void enter_presses_the_default_button_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<std::optional<Answer>>("asked");
        QTest::addColumn<Answer>("pressed");
        QTest::newRow("OK and Annuler")
            << Buttons::OkCancel << std::optional<Answer>() << Answer::Ok;
        QTest::newRow("Annuler asked")
            << Buttons::OkCancel << std::optional(Answer::Cancel) << Answer::Cancel;
        QTest::newRow("Oui and Non") << Buttons::YesNo << std::optional<Answer>() << Answer::Yes;
        QTest::newRow("Non asked") << Buttons::YesNo << std::optional(Answer::No) << Answer::No;
    }
    // Action: a message box, then Enter on it. Expected: Enter answers with the default button,
    // and a responder is told the same default.
    void enter_presses_the_default_button()
    {
        QFETCH(Buttons, buttons);
        QFETCH(std::optional<Answer>, asked);
        QFETCH(Answer, pressed);
        watchdog->expect([](QWidget* modal) {
            QVERIFY(qobject_cast<QMessageBox*>(modal));
            QTest::keyClick(modal, Qt::Key_Return);
            if (modal->isVisible())
                static_cast<QDialog*>(modal)->reject();
        });
        QCOMPARE(dialogs::msgBox(QStringLiteral("Ecraser le fichier existant?"), buttons,
                                 dialogs::Icon::Exclamation,
                                 QStringLiteral("Ce fichier existe déjà!"), nullptr, asked),
                 pressed);

        Answer told = Answer::Cancel;
        dialogs::setResponder([&told](const dialogs::Request& q) {
            told = q.defaultButton;
            return dialogs::Reply{};
        });
        dialogs::msgBox(QStringLiteral("Question"), buttons, dialogs::Icon::Question,
                        QStringLiteral("Titre"), nullptr, asked);
        QCOMPARE(told, pressed);
    }

    void wide_enough_for_the_title_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("column formula") << "Expression de C3"
                                        << "C3 = C1 * C2";
        QTest::newRow("overwrite question") << "Ce fichier existe déjà!"
                                            << "Ecraser le fichier existant?";
    }
    // Action: a message box. Expected: it is at least as wide as its title in the bold title
    // font with room for the frame's icon and three buttons.
    void wide_enough_for_the_title()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        font.setBold(true);
        const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY(dialogs::titleBarWidth(title) >=
                QFontMetrics(font).horizontalAdvance(title) + 3 * bar);
        int width = 0;
        watchdog->expect([&width](QWidget* modal) {
            width = modal->width();
            static_cast<QDialog*>(modal)->reject();
        });
        dialogs::msgBox(text, Buttons::YesNo, dialogs::Icon::Exclamation, title);
        QVERIFY(width >= dialogs::titleBarWidth(title));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
