// SPDX-License-Identifier: GPL-3.0-or-later
// Fails the running test at once when a modal dialog appears that the test did not expect, and
// closes that dialog, so that a test never hangs on a window nobody answers. A test that expects a
// dialog says so with expect(): the next modal dialog is handed to that function.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

class ModalWatchdog : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalWatchdog()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    // The next modal dialog is answered by answer (it must close the dialog).
    void expect(Answer answer) { m_answers << std::move(answer); }
    // Expected dialogs that have not appeared.
    int pending() const { return int(m_answers.size()); }
    int unexpectedCount() const { return m_unexpected; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_handled)
            return;
        m_handled = modal;
        if (!m_answers.isEmpty()) {
            const Answer answer = m_answers.takeFirst();
            answer(modal);
            return;
        }
        ++m_unexpected;
        const QString what = modal->metaObject()->className() + QStringLiteral(" « ") +
                             modal->windowTitle() + QStringLiteral(" »");
        QTest::qFail(qPrintable(QStringLiteral("fenêtre modale inattendue : ") + what), __FILE__,
                     __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer m_timer;
    QList<Answer> m_answers;
    QPointer<QWidget> m_handled;
    int m_unexpected = 0;
};
