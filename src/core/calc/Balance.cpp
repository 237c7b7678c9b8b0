#include "core/calc/Balance.h"

#include "core/calc/CalcSheet.h"
#include "core/calc/CoefficientTable.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <cmath>

namespace quiren {

namespace {

// The fill ratios are quotients of the four-decimal length texts, held as
// doubles: a ratio that is exactly 1 or 0.5 in decimals may land a few ulps
// either side. Exceeding 1 must be a real excess (the tolerance counts
// against it); reaching 0.5 is met within the tolerance.
constexpr double RatioTolerance = 1e-9;

// A count text as a number of places; empty counts none. Kept as a double:
// a file may hold any whole number, and two counts near the int limit would
// wrap round when added as ints.
double countOf(const QString &text)
{
    if (text.isEmpty())
        return 0.0;
    const double value = TextValue(text);
    return std::isfinite(value) ? value : 0.0;
}

// Places a row gives direction d; none without a kind, a length or places.
double placesOf(const FramingRow &row, int d)
{
    if (!row.inUse() || row[ColLength0 + 4 * d].isEmpty())
        return 0;
    return countOf(row[ColPlaces0 + 4 * d]);
}

} // namespace

QString FormatRatioDown(double ratio)
{
    if (!std::isfinite(ratio) || ratio < 0.0)
        ratio = 0.0;
    const double hundredths = std::floor(ratio * 100.0 + RatioTolerance * 100.0);
    return QString::number(hundredths / 100.0, 'f', 2);
}

QString BalanceResult::judgementText() const
{
    switch (verdict) {
    case BalanceVerdict::NotChecked:
        return {};
    case BalanceVerdict::CountsTooMany:
        return Str(S::BalanceCountsTooMany);
    case BalanceVerdict::BothFilled:
        return Str(S::BalanceBothFilled);
    case BalanceVerdict::RatioMet:
        return Str(S::BalanceRatioMet).arg(FormatRatioDown(wallRatio));
    case BalanceVerdict::RatioShort:
        return Str(S::BalanceRatioShort).arg(FormatRatioDown(wallRatio));
    }
    return {};
}

QString BalanceResult::verdictText() const
{
    if (!checked())
        return {};
    return passed() ? QStringLiteral("OK") : QStringLiteral("NG");
}

SidePartMultiplier SidePartMultiplierOf(const CalcSheet &sheet, int s, int d, int p)
{
    const SidePart &part = sheet.balance[s].parts[d][p];
    SidePartMultiplier m;
    if (sheet.ruleSetKind() == RuleSetKind::Rules2025) {
        // The storey's Lw (cm/m²) unless the user typed another: sources
        // differ on what a side part takes, so the user may decide.
        if (!part.multiplier.trimmed().isEmpty()) {
            m.text = PlainSingleText(part.multiplier.trimmed());
            m.typed = true;
        } else if (s < WeightRuleStoreys && sheet.weightResults.lwKnown[s]) {
            m.text = QString::number(sheet.weightResults.lw[s]);
        }
        m.metresPerSquareMetre = TextValue(m.text) / 100.0;
        m.unit = QStringLiteral("cm/㎡");
        return m;
    }
    // The floor coefficient of the table; a side part of the ground storey
    // with nothing above it is taken as a one-storey building.
    const int storeys = part.oneStorey && sheet.OneStoreyPartsAllowed(s) ? 0 : sheet.storeyIndex;
    const int storey = storeys == 0 ? 0 : s;
    m.text = SingleText(CoefficientTable::value(sheet.weightType, storey, storeys));
    m.metresPerSquareMetre = TextValue(m.text);
    m.unit = QStringLiteral("m/㎡");
    return m;
}

namespace {

// The multiplier text a row counts with in direction d: as displayed, or
// with fullSums as its kinds add up, beyond the cap.
QString rowMultiplier(const CalcSheet &sheet, int s, int d, const FramingRow &row, bool fullSums)
{
    if (!fullSums)
        return row[ColMultiplier0 + 4 * d];
    return sheet.rules().multiplierText(sheet.rules().framingFullSum(sheet, s, d, row));
}

} // namespace

std::vector<SidePartRowLine> SidePartRows(const CalcSheet &sheet, int s, int d, int p, bool fullSums)
{
    std::vector<SidePartRowLine> lines;
    for (size_t r = 0; r < sheet.framing[s].size(); ++r) {
        const FramingRow &row = sheet.framing[s][r];
        const std::array<QString, SidePartCount> &counts = sheet.balance[s].counts(int(r))[d];
        const int places = placesOf(row, d);
        const int count = countOf(counts[p]);
        if (places == 0 || count == 0 || countOf(counts[0]) + countOf(counts[1]) > places)
            continue;
        SidePartRowLine line;
        line.kind = row[ColKind];
        line.length = row[ColLength0 + 4 * d].trimmed();
        line.places = count;
        line.multiplier = rowMultiplier(sheet, s, d, row, fullSums);
        line.effective = FormatFixed4(TextValue(line.length) * TextValue(line.multiplier) * count);
        lines.push_back(line);
    }
    return lines;
}

bool BalanceNeedsFullSums(const CalcSheet &sheet, int s)
{
    if (sheet.ruleSetKind() != RuleSetKind::Rules2025)
        return false;
    for (const FramingRow &row : sheet.framing[s]) {
        for (int d = 0; d < 2; ++d) {
            if (placesOf(row, d) > 0
                && rowMultiplier(sheet, s, d, row, true) != row[ColMultiplier0 + 4 * d])
                return true;
        }
    }
    return false;
}

bool BalancePassed(const CalcSheet &sheet, int s, int d)
{
    return CheckBalance(sheet, s, d).passed()
           && (!BalanceNeedsFullSums(sheet, s) || CheckBalance(sheet, s, d, true).passed());
}

bool StoreyHasBalanceData(const CalcSheet &sheet, int s)
{
    return !sheet.balance[s].isBlank();
}

BalanceResult CheckBalance(const CalcSheet &sheet, int s, int d, bool fullSums)
{
    BalanceResult result;
    bool tooMany = false;
    std::array<double, SidePartCount> existing{};
    for (size_t r = 0; r < sheet.framing[s].size(); ++r) {
        const FramingRow &row = sheet.framing[s][r];
        const double places = placesOf(row, d);
        const std::array<QString, SidePartCount> &counts = sheet.balance[s].counts(int(r))[d];
        if (countOf(counts[0]) + countOf(counts[1]) > places) {
            tooMany = true;
            continue;
        }
        if (places == 0)
            continue;
        // The multiplier as displayed, as in the storey's sum.
        const double perPlace =
            TextValue(row[ColLength0 + 4 * d]) * TextValue(rowMultiplier(sheet, s, d, row, fullSums));
        for (int p = 0; p < SidePartCount; ++p)
            existing[p] += perPlace * countOf(counts[p]);
    }

    bool allAreas = true;
    for (int p = 0; p < SidePartCount; ++p) {
        SidePartResult &part = result.parts[p];
        part.multiplier = SidePartMultiplierOf(sheet, s, d, p);
        const double area = TextValue(sheet.balance[s].parts[d][p].floorArea);
        part.hasArea = area > 0.0;
        allAreas = allAreas && part.hasArea;
        part.necessary = FormatFixed4(area * part.multiplier.metresPerSquareMetre);
        part.existing = FormatFixed4(existing[p]);
        const double necessary = TextValue(part.necessary);
        part.fillRatio = necessary > 0.0 ? TextValue(part.existing) / necessary : 0.0;
    }

    if (tooMany) {
        result.verdict = BalanceVerdict::CountsTooMany;
        return result;
    }
    if (!allAreas || TextValue(result.parts[0].necessary) <= 0.0
        || TextValue(result.parts[1].necessary) <= 0.0)
        return result;

    const double a = result.parts[0].fillRatio;
    const double b = result.parts[1].fillRatio;
    const double larger = std::max(a, b);
    result.wallRatio = larger > 0.0 ? std::min(a, b) / larger : 0.0;
    if (a > 1.0 + RatioTolerance && b > 1.0 + RatioTolerance)
        result.verdict = BalanceVerdict::BothFilled;
    else if (result.wallRatio >= 0.5 - RatioTolerance)
        result.verdict = BalanceVerdict::RatioMet;
    else
        result.verdict = BalanceVerdict::RatioShort;
    return result;
}

bool HasBalanceData(const CalcSheet &sheet)
{
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        if (StoreyHasBalanceData(sheet, s))
            return true;
    }
    return false;
}

// ---- the sheet's side of the balance inputs ----------------------------------

SideCountCheck CalcSheet::SetSideCount(int s, int r, int d, int p, const QString &text)
{
    const FramingRow &row = framing[s][r];
    SideCounts &counts = balance[s].counts(r);
    QString &count = counts[d][p];
    const QString typed = HalfWidthNumber(text).trimmed();
    if (typed.isEmpty()) {
        count.clear();
        changed = true;
        return SideCountCheck::Accepted;
    }
    // A refused count leaves the one stored as it was.
    const NumberCheck check = CheckNumberText(typed);
    if (check == NumberCheck::NotANumber)
        return SideCountCheck::NotANumber;
    // A whole number of places, as a places cell takes it.
    const double value = check == NumberCheck::Number ? TextValue(typed) : -1.0;
    const std::optional<int> places =
        value == std::floor(value) ? RoundPlaces(value) : std::nullopt;
    if (!places || *places < 0)
        return SideCountCheck::Invalid;
    if (*places + countOf(counts[d][1 - p]) > placesOf(row, d))
        return SideCountCheck::TooMany;
    count = *places == 0 ? QString() : QString::number(*places);
    changed = true;
    return SideCountCheck::Accepted;
}

void CalcSheet::SetSidePartArea(int s, int d, int p, const QString &text)
{
    balance[s].parts[d][p].floorArea = text;
    changed = true;
}

void CalcSheet::SetSidePartMultiplier(int s, int d, int p, const QString &text)
{
    balance[s].parts[d][p].multiplier = text;
    changed = true;
}

void CalcSheet::SetSidePartOneStorey(int s, int d, int p, bool oneStorey)
{
    balance[s].parts[d][p].oneStorey = oneStorey;
    changed = true;
}

} // namespace quiren
