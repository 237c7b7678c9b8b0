#pragma once

#include <QSpinBox>
#include <QValidator>

class QLineEdit;

// Numeric inputs that take what an input method in full-width mode types:
// "１．８２" is turned into "1.82" as it is typed or pasted, before any check
// sees it.
namespace quiren {

// Rewrites full-width digits, point and minus in place; judges nothing else
// (the window's own checks answer wrong input with their messages).
class HalfWidthNumberValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Gives `box` the half-width conversion.
void AcceptFullWidthDigits(QLineEdit *box);

// A spin box whose typed number may be written in full-width digits.
class NumberSpinBox : public QSpinBox {
    Q_OBJECT

public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
};

} // namespace quiren
