// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog facade's message boxes as the user sees them (no responder): the button that Enter
// presses.
#include "gui/platform/dialogs.h"
#include "support/modalwatchdog.h"

#include <QMessageBox>
#include <QPushButton>
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
        QTest::newRow("OK alone") << Buttons::Ok << std::optional<Answer>() << Answer::Ok;
        QTest::newRow("OK and Annuler")
            << Buttons::OkCancel << std::optional<Answer>() << Answer::Ok;
        QTest::newRow("Annuler asked")
            << Buttons::OkCancel << std::optional(Answer::Cancel) << Answer::Cancel;
        QTest::newRow("Oui and Non") << Buttons::YesNo << std::optional<Answer>() << Answer::Yes;
        QTest::newRow("Non asked") << Buttons::YesNo << std::optional(Answer::No) << Answer::No;
        QTest::newRow("Non asked of three")
            << Buttons::YesNoCancel << std::optional(Answer::No) << Answer::No;
        QTest::newRow("a button the box has not")
            << Buttons::YesNo << std::optional(Answer::Ok) << Answer::Yes;
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
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
