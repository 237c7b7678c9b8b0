#pragma once

#include "core/calc/CalcSheet.h"

#include <QString>
#include <QStringList>

// The framing advice: how many places of framing of one standard length
// still cover the shortfall of a storey in one direction. The advice window
// shows these results; nothing here needs a window.
namespace quiren {

// The three standard lengths offered for planning module `module` ("Mod"),
// in list order: half, three quarters and one whole 間 of the module. The
// metre module (3) offers 1.0, 1.5 and 2.0; an unknown module counts as 0.
QStringList AdviceLengthTexts(int module);

// True when the direction can be evaluated at all: it has a judgement, its
// necessary length is shown and its effective length, read as a number, is
// not 0.
bool AdviceCalculable(const JudgementRow &row, int d);

struct AdviceResult {
    QString text;             // what the result label shows
    bool listEnabled = true;  // false: the length list of the direction is disabled
};

// The advice for direction d (0, 1) of one judgement row with framing of
// `length` metres (the chosen list entry, in single precision):
//   judgement "OK"          -> "必要長さを満足しています。", list disabled
//   not calculable          -> "計算出来ません。", list disabled
//   otherwise               -> "が " & n & " 箇所でOK!"
// where q = (necessary - effective) / length in single precision, q = 0
// counts as 1, and n = the integer part of q plus 1.
AdviceResult EvaluateAdvice(const JudgementRow &row, int d, float length);

// The same for storey s (0..2) of a sheet.
AdviceResult EvaluateAdvice(const CalcSheet &sheet, int s, int d, float length);

// The heading of the advice window: the storey page's caption & "ｱﾄﾞﾊﾞｲｽ".
QString AdviceHeading(const QString &pageCaption);

} // namespace quiren
