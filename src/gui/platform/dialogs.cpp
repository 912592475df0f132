// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace dialogs {

namespace {
Responder& responder()
{
    static Responder r;
    return r;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

bool offers(Buttons buttons, Answer answer)
{
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::OkCancel:
        return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer != Answer::Ok;
    }
    return false;
}

// The button that Enter presses: the one asked for when the box has it, else the first one.
Answer defaultFor(Buttons buttons, std::optional<Answer> asked)
{
    if (asked && offers(buttons, *asked))
        return *asked;
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}
} // namespace

int titleBarWidth(const QString& title)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The icon and three buttons (close, maximise, minimise), each about as wide as the bar is
    // high, and a margin at each end.
    const int bar = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight),
                             metrics.height() + 12);
    return metrics.horizontalAdvance(title) + 4 * bar + 2 * metrics.height();
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}
bool hasResponder()
{
    return bool(responder());
}

Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
              QWidget* parent, std::optional<Answer> defaultButton)
{
    const Answer enter = defaultFor(buttons, defaultButton);
    if (responder()) {
        Request q;
        q.kind = Request::Kind::Message;
        q.text = text;
        q.title = title;
        q.buttons = buttons;
        q.icon = icon;
        q.defaultButton = enter;
        return responder()(q).answer;
    }
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(toQt(enter));
    // Qt sizes the box from its text and lets the window manager cut a longer title ("Ce
    // fichie…ste déjà!"): a spacer as wide as the title bar needs holds the box open, whenever Qt
    // sizes it again.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        int needed = titleBarWidth(title);
        if (const QScreen* screen = box.screen())
            needed = std::min(needed, screen->availableGeometry().width());
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(needed - margins.left() - margins.right(), 0,
                                      QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

QString inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                 QWidget* parent)
{
    if (responder()) {
        Request q;
        q.kind = Request::Kind::Input;
        q.text = prompt;
        q.title = title;
        q.defaultText = defaultText;
        return responder()(q).text;
    }
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

void beep()
{
    if (responder()) {
        Request q;
        q.kind = Request::Kind::Beep;
        responder()(q);
        return;
    }
    QApplication::beep();
}

QString openFileName(const QString& caption, const QString& folder, const QString& filter,
                     QWidget* parent)
{
    if (responder()) {
        Request q;
        q.kind = Request::Kind::OpenFile;
        q.text = caption;
        q.defaultText = folder;
        q.filter = filter;
        return responder()(q).text;
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString saveFileName(const QString& caption, const QString& startName, const QString& filter,
                     QWidget* parent, bool askOverwrite)
{
    if (responder()) {
        Request q;
        q.kind = Request::Kind::SaveFile;
        q.text = caption;
        q.defaultText = startName;
        q.filter = filter;
        return responder()(q).text;
    }
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if (!askOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    return QFileDialog::getSaveFileName(parent, caption, startName, filter, nullptr, options);
}

bool printSetup(QPrinter& printer, QWidget* parent)
{
    if (responder()) {
        Request q;
        q.kind = Request::Kind::PrintSetup;
        q.defaultText = printer.printerName();
        return responder()(q).answer == Answer::Ok;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace dialogs
