#include "gui/calcwindow/EditPrompts.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"

#include <QWidget>

namespace quiren {

void TellNotANumber(QWidget *parent)
{
    ShowMessage(parent, Str(5017), MsgButtons::Ok, MsgIcon::None, Str(6100));
}

void TellInvalidNumber(QWidget *parent)
{
    ShowMessage(parent, Str(4012), MsgButtons::Ok, MsgIcon::Critical, Str(6100));
}

bool AskLongLength(QWidget *parent)
{
    const QString text = Str(6111) + QLatin1Char('\n') + Str(6112);
    return ShowMessage(parent, text, MsgButtons::YesNo, MsgIcon::Critical, Str(6100) + Str(4012))
        == MsgAnswer::Yes;
}

void MessagePrompter::notANumber() { TellNotANumber(m_parent ? m_parent->window() : nullptr); }

void MessagePrompter::invalidNumber() { TellInvalidNumber(m_parent ? m_parent->window() : nullptr); }

bool MessagePrompter::confirmLongLength()
{
    return AskLongLength(m_parent ? m_parent->window() : nullptr);
}

QString WithoutDoubleQuotes(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('"'), QChar(0xFF02));
    return result;
}

} // namespace quiren
