#include "gui/calcwindow/EditPrompts.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"

#include <QWidget>

namespace quiren {

void TellNotANumber(QWidget *parent)
{
    ShowMessage(parent, Str(S::EnterSingleNumber), MsgButtons::Ok, MsgIcon::None, Str(S::AppTitle));
}

void TellInvalidNumber(QWidget *parent)
{
    ShowMessage(parent, Str(S::InvalidNumber), MsgButtons::Ok, MsgIcon::Critical, Str(S::AppTitle));
}

bool AskLongLength(QWidget *parent)
{
    const QString text = Str(S::LengthsInMetres) + QLatin1Char('\n') + Str(S::ContinueCalculation);
    return ShowMessage(parent, text, MsgButtons::YesNo, MsgIcon::Critical, Str(S::AppTitle) + Str(S::InvalidNumber))
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
