// SPDX-License-Identifier: GPL-3.0-or-later
// The one dialog facade: message boxes, input boxes, beeps and the file dialogs go through here,
// so that tests can install a responder that records every request and answers it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace dialogs {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Stop, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No };

struct Request {
    enum class Kind { Message, Input, Beep, OpenFile, SaveFile, PrintSetup };
    Kind kind = Kind::Message;
    QString text; // message, prompt, or the file dialog's caption
    QString title;
    QString defaultText; // input default, or the file dialog's start folder or name
    QString filter;      // file dialogs: "Texte au format RTF (*.RTF)" …
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::Ok; // message boxes: the button that Enter presses
};

struct Reply {
    Answer answer = Answer::Ok; // message boxes
    QString text;               // input box text, or the chosen file ("" = cancelled)
};

using Responder = std::function<Reply(const Request&)>;

// Installs a responder (tests); an empty function restores the real dialogs.
void setResponder(Responder responder);
bool hasResponder();

// A message box; returns the button pressed (Cancel, or No, when the box is closed otherwise).
// defaultButton is the button that Enter presses, one of buttons; without it, the first one (OK
// or Oui). A question whose first answer destroys something (replacing a file) has Non, or
// Annuler, as its default.
Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
              QWidget* parent = nullptr, std::optional<Answer> defaultButton = std::nullopt);
// The width a window needs for the title bar to show title whole: the text in the system's title
// font (bold, as window managers often draw it) and room for the frame's icon and buttons. Every
// message box is at least this wide, within the screen.
int titleBarWidth(const QString& title);
// An input box; returns the typed text, or "" when cancelled.
QString inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                 QWidget* parent = nullptr);
// The system's warning sound.
void beep();
// File dialogs (Qt's own, never the desktop's); return "" when cancelled.
QString openFileName(const QString& caption, const QString& folder, const QString& filter,
                     QWidget* parent = nullptr);
// Qt's dialog asks before replacing a file, unless askOverwrite is false (the caller asks).
QString saveFileName(const QString& caption, const QString& startName, const QString& filter,
                     QWidget* parent = nullptr, bool askOverwrite = true);

// The printer set-up dialog (Qt's own) on the printer; true when it was accepted (a responder
// accepts with Ok).
bool printSetup(QPrinter& printer, QWidget* parent = nullptr);

} // namespace dialogs
