#include "core/calc/CellInput.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QRegularExpression>

#include <cmath>

namespace quiren {

namespace {

CellReading verdict(CellVerdict v)
{
    CellReading reading;
    reading.verdict = v;
    return reading;
}

CellReading taken(const QString &text, double value)
{
    return {CellVerdict::Taken, text, value};
}

} // namespace

CellReading ReadLengthText(const QString &text)
{
    if (text.isEmpty())
        return verdict(CellVerdict::Empty);
    const QString typed = text.trimmed();
    const NumberCheck check = CheckNumberText(typed);
    if (check == NumberCheck::NotANumber)
        return verdict(CellVerdict::NotANumber);
    const double value = TextValue(typed);
    // A negative length would silently take framing off the sum.
    if (check == NumberCheck::OutOfRange || value < 0 || value > MaxFramingLength)
        return verdict(CellVerdict::Invalid);
    return taken(QString(LeadingSpaces(value), QLatin1Char(' ')) + FormatLength(value), value);
}

CellReading ReadPlacesText(const QString &text)
{
    if (text.isEmpty())
        return verdict(CellVerdict::Empty);
    const NumberCheck check = CheckNumberText(text);
    if (check == NumberCheck::NotANumber)
        return verdict(CellVerdict::NotANumber);
    // Places are counted, never rounded: "1.82" typed into a places cell is
    // a length in the wrong cell, and taking it as 2 would say nothing.
    const double value = check == NumberCheck::Number ? TextValue(text) : -1.0;
    const std::optional<int> places = value == std::floor(value) ? RoundPlaces(value) : std::nullopt;
    if (!places || *places < 0)
        return verdict(CellVerdict::Invalid);
    return taken(QString::number(*places), *places);
}

CellReading ReadAreaText(const QString &text)
{
    if (text.isEmpty())
        return verdict(CellVerdict::Empty);
    const NumberCheck check = CheckNumberText(text);
    if (check == NumberCheck::NotANumber)
        return verdict(CellVerdict::NotANumber);
    const double value = TextValue(text);
    if (check == NumberCheck::OutOfRange || value < 0)
        return verdict(CellVerdict::Invalid);
    return taken(text, value);
}

TypedNumber CheckTypedNumber(const QString &field, NumberRule rule, const QString &text)
{
    TypedNumber result;
    result.text = HalfWidthNumber(text).trimmed();
    if (result.text.isEmpty())
        return result;
    CellReading reading;
    switch (rule) {
    case NumberRule::Any:
        reading.verdict = CheckNumberText(result.text) == NumberCheck::Number ? CellVerdict::Taken : CellVerdict::Invalid;
        break;
    case NumberRule::NotNegative:
        reading = ReadAreaText(result.text);
        break;
    case NumberRule::Places:
        reading = ReadPlacesText(result.text);
        if (reading.verdict == CellVerdict::Taken)
            result.text = reading.text;
        break;
    }
    if (reading.verdict != CellVerdict::Taken) {
        result.usable = false;
        result.message = NumberRefusal(field, rule);
    }
    return result;
}

QString NumberRefusal(const QString &field, NumberRule rule)
{
    static const QRegularExpression unit(QStringLiteral("\\s*[(（][^()（）]*[)）]\\s*$"));
    QString name = field.trimmed();
    name.remove(unit);
    const int what = rule == NumberRule::Any           ? S::NeedsNumber
                     : rule == NumberRule::NotNegative ? S::NeedsNotNegative
                                                       : S::NeedsPlaces;
    return Str(what).arg(name.trimmed());
}

} // namespace quiren
