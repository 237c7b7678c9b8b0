#include "gui/widgets/MessageBox.h"

#include <QMessageBox>

namespace quiren {

namespace {

MessageResponder &responder()
{
    static MessageResponder r;
    return r;
}

QMessageBox::Icon toIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MsgAnswer fromButton(int button, MsgButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
    }
}

} // namespace

MsgAnswer ShowMessage(QWidget *parent, const QString &text, MsgButtons buttons, MsgIcon icon,
                      const QString &title)
{
    const MessageRequest request{text, title.isEmpty() ? QStringLiteral("Quiren") : title, buttons, icon};
    if (responder())
        return responder()(request);

    QMessageBox box(toIcon(icon), request.title, request.text, toButtons(buttons), parent);
    if (buttons == MsgButtons::YesNoCancel || buttons == MsgButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    return fromButton(box.exec(), buttons);
}

void SetMessageResponder(MessageResponder r)
{
    responder() = std::move(r);
}

} // namespace quiren
