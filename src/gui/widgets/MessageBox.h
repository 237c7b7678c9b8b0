#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through ShowMessage, so that tests
// can read what the user would be told and answer in the user's place.
namespace quiren {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

// Shows a modal message box (title "Quiren" unless given) and returns the
// button chosen. Closing the box without a button counts as Cancel (or No
// for Yes/No boxes, Ok for an OK box).
MsgAnswer ShowMessage(QWidget *parent, const QString &text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::None, const QString &title = QString());

// Tests answer message boxes through a responder; an empty one brings back
// the real QMessageBox.
using MessageResponder = std::function<MsgAnswer(const MessageRequest &)>;
void SetMessageResponder(MessageResponder responder);

} // namespace quiren
