#include "core/calc/RuleSet.h"

#include "core/calc/CalcSheet.h"
#include "core/calc/CoefficientTable.h"
#include "core/calc/Framing.h"
#include "core/calc/SheetWalls.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {


// The direction of a quasi-bearing row's length, as its warnings name it.
QString DirectionCaption2025(int d)
{
    return StrItems(S::Directions2025).value(d);
}

const QString OkText = QStringLiteral("OK");

// A length text ("0.0000", metres) in ten-thousandths, so that comparisons
// and percentages are made on the figures as printed. An absurd length from
// a file is held at a bound that leaves the percentage's arithmetic room,
// instead of overflowing.
qint64 tenThousandths(const QString &text)
{
    constexpr double bound = 9e15;
    const double scaled = std::floor(TextValue(text) * 10000.0 + 0.5);
    if (std::isnan(scaled))
        return 0;
    return static_cast<qint64>(std::clamp(scaled, -bound, bound));
}

// The rules the sheet has always followed: the light/heavy coefficient
// table, multipliers up to 5, bearing walls only.
class OldRules final : public RuleSet {
public:
    RuleSetKind kind() const override { return RuleSetKind::Old; }
    int maxStoreys() const override { return StoreyCount; }
    QString storeyRefusal(int) const override { return {}; }

    void showCoefficients(CalcSheet &sheet) const override
    {
        for (int s = 0; s <= sheet.storeyIndex; ++s) {
            sheet.coefficient[s] =
                SingleText(CoefficientTable::value(sheet.weightType, s, sheet.storeyIndex));
            if (!sheet.floorArea[s].isEmpty())
                sheet.FloorLong_calc(s);
        }
    }

    void updateFloorRequirements(CalcSheet &sheet, int s) const override
    {
        sheet.floorRequirement[s] =
            FormatFixed4(TextValue(sheet.floorArea[s]) * TextValue(sheet.coefficient[s]));
    }

    double framingMultiplier(const CalcSheet &sheet, int, int, const FramingRow &row) const override
    {
        const float sum = ResolveSheetRow(sheet, row).shares.sum();
        return sum > 5.0f ? 5.0f : sum;
    }

    QString multiplierText(double multiplier) const override
    {
        return MultiplierText(static_cast<float>(multiplier));
    }

    double framingFullSum(const CalcSheet &sheet, int s, int d, const FramingRow &row) const override
    {
        return framingMultiplier(sheet, s, d, row);
    }

    QString judgementText(const QString &, const QString &, float ratio) const override
    {
        if (ratio >= 100.0f)
            return OkText;
        // Rounded as the sheet always printed it, except that a storey short
        // of its requirement never reads 100.0 %.
        const QString text = FormatPercent(ratio);
        return text.startsWith(QStringLiteral("100.0")) ? FormatPercent(99.9f) : text;
    }

    void addExistingExtras(CalcSheet &, int) const override {}
    bool prepareJudgement(CalcSheet &, int) const override { return true; }
    QString judgementRefusal(const CalcSheet &, int) const override { return {}; }
};

// The rules in force since 2025: Lw from the building's weight, multipliers
// up to 7 with braces weakened in tall storeys, quasi-bearing walls counted
// up to half the necessary length; one or two storeys.
class Rules2025 final : public RuleSet {
public:
    RuleSetKind kind() const override { return RuleSetKind::Rules2025; }
    int maxStoreys() const override { return WeightRuleStoreys; }

    QString storeyRefusal(int storeys) const override
    {
        if (storeys <= WeightRuleStoreys)
            return {};
        return Str(S::ThreeStoreysRefused2025);
    }

    void showCoefficients(CalcSheet &sheet) const override
    {
        updateSeismic(sheet);
        for (int s = 0; s <= storeyIndex(sheet); ++s) {
            sheet.Long_calc(s);
            sheet.RecalcStorey(s);
        }
    }

    void updateFloorRequirements(CalcSheet &sheet, int) const override { updateSeismic(sheet); }

    double framingMultiplier(const CalcSheet &sheet, int s, int d, const FramingRow &row) const override
    {
        return std::min(MultiplierCap, framingFullSum(sheet, s, d, row));
    }

    double framingFullSum(const CalcSheet &sheet, int s, int d, const FramingRow &row) const override
    {
        const FramingShares shares = ResolveSheetRow(sheet, row).shares;
        double braces = shares.braces();
        if (s < WeightRuleStoreys && braces > 0) {
            const double alpha = BraceReduction(TextValue(row[ColLength0 + 4 * d]),
                                                TextValue(sheet.weightInputs.memberDistance[s]));
            if (alpha < 1)
                braces = TruncateHundredths(braces * alpha);
        }
        return static_cast<double>(shares.wall) + braces;
    }

    // Compared and cut on the printed figures: 9.9990 m against 10.0000 m is
    // 99.9 %, never 100.0 %.
    QString judgementText(const QString &sum, const QString &necessary, float) const override
    {
        const qint64 have = tenThousandths(sum);
        const qint64 need = tenThousandths(necessary);
        if (need <= 0 || have >= need)
            return OkText;
        const qint64 tenths = std::max<qint64>(0, have) * 1000 / need;
        return QStringLiteral("%1.%2% ").arg(tenths / 10).arg(tenths % 10);
    }

    // Two decimals: certified walls and reduced braces are not rounded to
    // a tenth before they are multiplied.
    QString multiplierText(double multiplier) const override
    {
        return FormatDecimal(multiplier, 2, 2);
    }

    void addExistingExtras(CalcSheet &sheet, int s) const override
    {
        if (s >= WeightRuleStoreys)
            return;
        WeightRuleResults &results = sheet.weightResults;
        results.quasiWarnings[s].clear();
        const std::array<double, 2> quasi =
            recalcQuasiRows(sheet.quasiWalls[s], s, results.quasiWarnings[s]);
        for (int d = 0; d < 2; ++d) {
            QString &sumCell = sheet.judgement[s][JudgeSum0 + 3 * d];
            const double bearing = TextValue(sumCell);
            const double necessary = TextValue(sheet.judgement[s][JudgeNecessary0 + 3 * d]);
            const double counted = CountedQuasiLength(quasi[d], necessary);
            results.bearingSum[s][d] = bearing;
            results.quasiSum[s][d] = quasi[d];
            results.necessary[s][d] = necessary;
            results.quasiCounted[s][d] = counted;
            sumCell = FormatFixed4(bearing + counted);
        }
    }

    QString judgementRefusal(const CalcSheet &sheet, int s) const override
    {
        return s < WeightRuleStoreys ? sheet.weightResults.refusal[s] : QString();
    }

    bool prepareJudgement(CalcSheet &sheet, int s) const override
    {
        if (s < WeightRuleStoreys && sheet.weightResults.lwKnown[s] && sheet.weightResults.refusal[s].isEmpty())
            return true;
        for (int d = 0; d < 2; ++d) {
            sheet.judgement[s][JudgeResult0 + 3 * d].clear();
            sheet.judgement[s].bars[d] = JudgementBar{};
        }
        return false;
    }

private:
    static constexpr double MultiplierCap = 7.0;

    static int storeyIndex(const CalcSheet &sheet)
    {
        return std::min(sheet.storeyIndex, WeightRuleStoreys - 1);
    }

    // Af, Lw and the seismic requirement of every storey, into the sheet's
    // results, coefficient texts and floor-area requirements.
    static void updateSeismic(CalcSheet &sheet)
    {
        const int storeys = storeyIndex(sheet) + 1;
        WeightRuleResults &results = sheet.weightResults;
        const WeightRuleInputs &inputs = sheet.weightInputs;
        results.warnings.clear();
        results.breakdown = LwBreakdown{};
        results.lw = {};
        results.lwKnown = {};
        results.seismicLength = {};
        results.refusal = {};
        results.floor = ComputeFloorAreas({sheet.floorArea[0], sheet.floorArea[1]}, inputs, storeys,
                                          &results.warnings);
        if (HoldsVoids(inputs))
            results.warnings << VoidsNotDeductedNote();
        // Beyond 300 m² (or with a loft that is a storey) the prescriptive
        // route does not apply: nothing may read "OK".
        results.totalFloorArea = 0;
        for (int s = 0; s < storeys; ++s)
            results.totalFloorArea += results.floor[s].floorArea;
        // Compared in whole mm² as doubles: an area of 1e31 m² has no 64-bit
        // integer form.
        results.beyondRoute = std::round(results.totalFloorArea * 1e6) > std::round(RouteAreaLimit * 1e6);
        if (results.beyondRoute)
            results.warnings << BeyondRouteText();
        // A "loft" that is a storey adds a storey to the building: the
        // storey below it is not what the sheet describes, and the storeys
        // under it carry more than the sheet gives them.
        int loftStorey = -1;
        for (int s = 0; s < storeys; ++s) {
            if (results.floor[s].loftIsStorey)
                loftStorey = s;
        }
        for (int s = 0; s < storeys; ++s) {
            if (results.beyondRoute)
                results.refusal[s] = BeyondRouteText();
            else if (s == loftStorey)
                results.refusal[s] = Str(S::LoftIsStorey);
            else if (loftStorey >= 0)
                results.refusal[s] = Str(S::LoftStoreyNotJudged).arg(loftStorey + 1);
        }
        for (int s = 0; s < WeightRuleStoreys; ++s)
            results.tallStorey[s] = BraceReduction(0, TextValue(inputs.memberDistance[s])) < 1;

        const SeismicInputs &seismic = inputs.seismic;
        if (seismic.method == LwMethod::Typed) {
            for (int s = 0; s < storeys; ++s) {
                const QString &typed = seismic.typedLw[s];
                if (CheckNumberText(typed) == NumberCheck::Number && TextValue(typed) > 0
                    && TextValue(typed) <= MaxLw) {
                    results.lw[s] = RoundUpLw(TextValue(typed));
                    results.lwKnown[s] = true;
                    if (results.lw[s] != TextValue(typed))
                        results.warnings << Str(S::LwRoundedUp)
                                                .arg(s + 1)
                                                .arg(results.lw[s]);
                } else {
                    results.warnings << Str(S::LwToBeTyped).arg(s + 1);
                }
            }
        } else if (const std::optional<LwInput> in = LwInputFromTexts(
                       seismic, storeys, results.floor[0].floorArea, results.floor[1].floorArea,
                       &results.warnings)) {
            results.breakdown = ComputeLw(*in);
            results.warnings << results.breakdown.warnings;
            for (int s = 0; s < storeys && results.breakdown.valid; ++s) {
                results.lw[s] = results.breakdown.lw[s];
                results.lwKnown[s] = true;
            }
        }

        for (int s = 0; s < storeys; ++s) {
            results.seismicLength[s] = results.lw[s] * results.floor[s].af / 100.0;
            sheet.coefficient[s] =
                results.lwKnown[s] ? FormatFixed2(results.lw[s] / 100.0) : QStringLiteral("0.0");
            sheet.floorRequirement[s] = FormatFixed4(results.seismicLength[s]);
        }
    }

    // Multipliers and effective lengths of a storey's quasi-bearing rows;
    // their sums per direction (m).
    static std::array<double, 2> recalcQuasiRows(std::vector<QuasiWallRow> &rows, int s,
                                                  QStringList &warnings)
    {
        std::array<double, 2> sums{};
        int number = 0;
        for (QuasiWallRow &row : rows) {
            ++number;
            const QString where = Str(S::QuasiRowPlace).arg(s + 1).arg(number);
            row.multiplier.clear();
            row.effective = {};
            row.refusal.clear();
            row.widthRefusal = {};
            if (!row.inUse())
                continue;
            // A kind not in the list (from another program's file) is
            // taken as one whose base the user typed.
            const std::optional<QuasiPanel> panel = FindQuasiPanel(row.kind);
            const bool typedBase = !panel || row.kind == QuasiTypedBaseKind;
            const double base = typedBase ? TextValue(row.base) : panel->base;
            const std::optional<double> multiplier =
                QuasiMultiplier(base, panel && panel->lath, TextValue(row.panelHeight),
                                TextValue(row.clearHeight));
            if (!multiplier) {
                warnings << Str(S::QuasiHeightMissing).arg(where);
                continue;
            }
            const double panelHeight = TextValue(row.panelHeight);
            if (panelHeight > TextValue(row.clearHeight))
                warnings << Str(S::QuasiHeightBeyondClear)
                                .arg(where);
            row.multiplier = FormatDecimal(*multiplier, 2, 2);
            row.refusal = QuasiRefusal(row.wallKind, panelHeight, TextValue(row.clearHeight), row.bothSides);
            if (!row.refusal.isEmpty()) {
                warnings << Str(S::QuasiRowNotCounted).arg(where) + row.refusal;
                continue;
            }
            for (int d = 0; d < 2; ++d) {
                if (row.length[d].trimmed().isEmpty() || row.places[d].trimmed().isEmpty())
                    continue;
                // A negative length or count would quietly take walls off the sum.
                if (TextValue(row.length[d]) < 0 || TextValue(row.places[d]) < 0) {
                    warnings << Str(S::QuasiRowNegative).arg(where);
                    continue;
                }
                row.widthRefusal[d] = QuasiWidthRefusal(row.wallKind, TextValue(row.length[d]));
                if (!row.widthRefusal[d].isEmpty()) {
                    warnings << Str(S::QuasiDirectionNotCounted).arg(where, DirectionCaption2025(d))
                                    + row.widthRefusal[d];
                    continue;
                }
                row.effective[d] = FormatFixed4(TextValue(row.length[d]) * TextValue(row.places[d])
                                                * TextValue(row.multiplier));
                sums[d] += TextValue(row.effective[d]);
            }
        }
        return sums;
    }
};

} // namespace

QString RuleSetName(RuleSetKind kind)
{
    return Str(kind == RuleSetKind::Rules2025 ? S::RuleSet2025Name : S::RuleSetOldName);
}

QString RuleSetKey(RuleSetKind kind)
{
    return kind == RuleSetKind::Rules2025 ? QStringLiteral("2025") : QStringLiteral("old");
}

std::optional<RuleSetKind> RuleSetFromKey(const QString &key)
{
    for (RuleSetKind kind : AllRuleSets) {
        if (RuleSetKey(kind) == key)
            return kind;
    }
    return std::nullopt;
}

const RuleSet &RulesFor(RuleSetKind kind)
{
    static const OldRules oldRules;
    static const Rules2025 rules2025;
    if (kind == RuleSetKind::Rules2025)
        return rules2025;
    return oldRules;
}

} // namespace quiren
