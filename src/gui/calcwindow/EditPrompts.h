#pragma once

#include "core/calc/CalcSheet.h"

class QWidget;

// The calculation window's messages about typed numbers, shown through the
// program's message boxes.
namespace quiren {

// "単精度浮動小数点を入力して下さい。", OK, titled "Quiren".
void TellNotANumber(QWidget *parent);
// "入力数値が不正です。", error icon, OK, titled "Quiren".
void TellInvalidNumber(QWidget *parent);
// The 10 m question: error icon, Yes/No, titled "Quiren" & "入力数値が不正です。".
// True when the user goes on with the typed length.
bool AskLongLength(QWidget *parent);

// The after-edit steps' questions answered by the user.
class MessagePrompter : public EditPrompter {
public:
    explicit MessagePrompter(QWidget *parent) : m_parent(parent) {}
    void notANumber() override;
    void invalidNumber() override;
    bool confirmLongLength() override;

private:
    QWidget *m_parent;
};

// A double quote cannot be kept in a calculation file; typed texts carry the
// full-width "＂" in its place.
QString WithoutDoubleQuotes(const QString &text);

} // namespace quiren
