#include "gui/calcwindow/NumberBox.h"

#include "core/text/NumberText.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/widgets/Twips.h"

namespace quiren {

NumberBox::NumberBox(const QString &name, int widthTwips, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignRight);
    setFixedWidth(TwipsToPixelsX(widthTwips, parent));
    connect(this, &QLineEdit::textChanged, this, &NumberBox::onTextChanged);
}

void NumberBox::show(const QString &text)
{
    m_showing = true;
    setText(text);
    m_showing = false;
}

void NumberBox::onTextChanged(const QString &text)
{
    if (m_showing || m_telling)
        return;
    if (!text.isEmpty()) {
        const NumberCheck check = CheckNumberText(text);
        if (check != NumberCheck::Number) {
            m_telling = true;
            if (check == NumberCheck::NotANumber)
                TellNotANumber(window());
            else
                TellInvalidNumber(window());
            clear();
            m_telling = false;
            emit edited(QString());
            return;
        }
    }
    emit edited(text);
}

} // namespace quiren
