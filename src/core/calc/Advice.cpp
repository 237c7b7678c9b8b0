#include "core/calc/Advice.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

int necessaryColumn(int d) { return d == 0 ? JudgeNecessary0 : JudgeNecessary1; }
int sumColumn(int d) { return d == 0 ? JudgeSum0 : JudgeSum1; }
int resultColumn(int d) { return d == 0 ? JudgeResult0 : JudgeResult1; }

} // namespace

QStringList AdviceLengthTexts(int module)
{
    switch (module) {
    case 1: // 6.3 尺 (1910 mm)
        return {QStringLiteral("0.955"), QStringLiteral("1.4325"), QStringLiteral("1.91")};
    case 2: // 6.5 尺 (1970 mm)
        return {QStringLiteral("0.985"), QStringLiteral("1.4775"), QStringLiteral("1.97")};
    case 3: // metre module
        return {QStringLiteral("1.0"), QStringLiteral("1.5"), QStringLiteral("2.0")};
    default: // 6.0 尺 (1820 mm)
        return {QStringLiteral("0.91"), QStringLiteral("1.365"), QStringLiteral("1.82")};
    }
}

bool AdviceCalculable(const JudgementRow &row, int d)
{
    if (row[necessaryColumn(d)].isEmpty())
        return false;
    return TextValue(row[sumColumn(d)]) != 0.0;
}

AdviceResult EvaluateAdvice(const JudgementRow &row, int d, float length)
{
    AdviceResult result;
    if (row[resultColumn(d)] == QLatin1String("OK")) {
        result.text = Str(S::LengthSatisfied);
        result.listEnabled = false;
        return result;
    }
    const auto notCalculable = [&result] {
        result.text = Str(S::NotCalculable);
        result.listEnabled = false;
        return result;
    };
    if (!AdviceCalculable(row, d))
        return notCalculable();

    // Shortfall and quotient in single precision, as the sheet's sums are.
    const float shortfall =
        static_cast<float>(TextValue(row[necessaryColumn(d)]) - TextValue(row[sumColumn(d)]));
    float q = shortfall / length;
    if (q == 0.0f)
        q = 1.0f;
    // A zero or absurd length gives no quotient worth advising on.
    if (!std::isfinite(q))
        return notCalculable();
    // Shown sums are never above the necessary length unless the judgement
    // reads "OK"; should they be, one place is the least that can be advised.
    const double places = std::max(1.0, std::floor(static_cast<double>(q)) + 1.0);
    result.text = Str(S::PlacesBefore) + QString::number(places, 'f', 0) + Str(S::PlacesAfter);
    return result;
}

AdviceResult EvaluateAdvice(const CalcSheet &sheet, int s, int d, float length)
{
    return EvaluateAdvice(sheet.judgement[static_cast<size_t>(s)], d, length);
}

QString AdviceHeading(const QString &pageCaption)
{
    return pageCaption + Str(S::AdviceHeading);
}

} // namespace quiren
