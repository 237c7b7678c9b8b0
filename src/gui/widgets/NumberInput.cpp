#include "gui/widgets/NumberInput.h"

#include "core/text/NumberText.h"

#include <QLineEdit>

namespace quiren {

QValidator::State HalfWidthNumberValidator::validate(QString &input, int &) const
{
    // One character for one: the cursor stays where it was.
    input = HalfWidthNumber(input);
    return Acceptable;
}

void AcceptFullWidthDigits(QLineEdit *box)
{
    box->setValidator(new HalfWidthNumberValidator(box));
}

QValidator::State NumberSpinBox::validate(QString &input, int &pos) const
{
    input = HalfWidthNumber(input);
    return QSpinBox::validate(input, pos);
}

int NumberSpinBox::valueFromText(const QString &text) const
{
    return QSpinBox::valueFromText(HalfWidthNumber(text));
}

} // namespace quiren
