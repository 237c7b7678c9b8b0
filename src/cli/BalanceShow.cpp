// qrn's lines of the quarter method (4分割法): the storey's table in show,
// its JSON, and the directions that fall short in check.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetChecks.h"
#include "cli/ShowJson.h"
#include "cli/TextTable.h"
#include "core/calc/Balance.h"
#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace quiren::cli {

namespace {

// The balance check of storey s: per direction the side parts, the wall
// ratio and the judgement (null while a side part has no floor area).
QString balanceJson(const CalcSheet &sheet, int s)
{
    QStringList directions;
    for (int d = 0; d < 2; ++d) {
        const BalanceResult result = CheckBalance(sheet, s, d);
        const bool judged = result.checked() && result.verdict != BalanceVerdict::CountsTooMany;
        QStringList parts;
        for (int p = 0; p < SidePartCount; ++p) {
            const SidePart &input = sheet.balance[s].parts[d][p];
            const SidePartResult &part = result.parts[p];
            JsonObject o(8);
            o.add("floorArea", jsonString(input.floorArea));
            o.add("multiplier", jsonString(part.multiplier.text));
            o.add("typedMultiplier", jsonString(input.multiplier));
            o.add("multiplierTyped", jsonBool(part.multiplier.typed));
            o.add("oneStorey", jsonBool(input.oneStorey && sheet.OneStoreyPartsAllowed(s)));
            o.add("necessary", jsonString(part.necessary));
            o.add("existing", jsonString(part.existing));
            o.add("fillRatio", judged ? jsonString(FormatRatioDown(part.fillRatio)) : QStringLiteral("null"));
            parts << o.text();
        }
        JsonObject direction(6);
        direction.add("sideParts", jsonArray(parts, 8));
        direction.add("wallRatio", judged ? jsonString(FormatRatioDown(result.wallRatio)) : QStringLiteral("null"));
        direction.add("judgement", result.checked() ? jsonString(result.judgementText()) : QStringLiteral("null"));
        // Where a framing adds up beyond 7, the check with the full sums too;
        // "result" is NG when either fails.
        if (BalanceNeedsFullSums(sheet, s)) {
            const BalanceResult full = CheckBalance(sheet, s, d, true);
            JsonObject o(8);
            o.add("existing", jsonPair(full.parts[0].existing, full.parts[1].existing));
            o.add("wallRatio", full.checked() ? jsonString(FormatRatioDown(full.wallRatio)) : QStringLiteral("null"));
            o.add("judgement", full.checked() ? jsonString(full.judgementText()) : QStringLiteral("null"));
            o.add("result", full.checked() ? jsonString(full.verdictText()) : QStringLiteral("null"));
            direction.add("fullSums", o.text());
        }
        const QString verdict = BalancePassed(sheet, s, d) ? QStringLiteral("OK") : QStringLiteral("NG");
        direction.add("result", result.checked() ? jsonString(verdict) : QStringLiteral("null"));
        directions << direction.text();
    }
    return jsonArray(directions, 6);
}

// The quarter-method table of storey s and the places of its framing rows
// in the side parts.
QString balanceText(const CalcSheet &sheet, int s)
{
    QString out = QLatin1Char('\n') + Str(S::BalanceTitle) + QLatin1Char('\n');
    if (!StoreyHasBalanceData(sheet, s))
        return out + QStringLiteral("  未入力\n");
    TextTable counts({false, true, true, true, true});
    counts.addGroup(1, StrItems(S::BalanceDirections).value(0));
    counts.addGroup(3, StrItems(S::BalanceDirections).value(1));
    counts.addRow({StrItems(S::SideCountHeadings).value(0), StrItems(S::SidePartNames).value(0), StrItems(S::SidePartNames).value(1), StrItems(S::SidePartNames + 1).value(0),
                   StrItems(S::SidePartNames + 1).value(1)});
    int placed = 0;
    for (size_t r = 0; r < sheet.framing[s].size(); ++r) {
        const FramingRow &row = sheet.framing[s][r];
        const SideCounts &c = sheet.balance[s].counts(int(r));
        if (c[0][0].isEmpty() && c[0][1].isEmpty() && c[1][0].isEmpty() && c[1][1].isEmpty())
            continue;
        ++placed;
        counts.addRow({row[ColKind], c[0][0], c[0][1], c[1][0], c[1][1]});
    }
    if (placed > 0)
        out += counts.render(2) + QLatin1Char('\n');

    const QStringList headings = StrItems(S::BalanceHeadings);   // storey, direction, side part, area, ...
    TextTable table({false, false, true, true, true, true, true, false});
    table.addRow({headings.value(1), headings.value(2), headings.value(3), headings.value(4), headings.value(5),
                  headings.value(6), headings.value(7), headings.value(8)});
    for (int d = 0; d < 2; ++d) {
        const BalanceResult result = CheckBalance(sheet, s, d);
        const bool judged = result.checked() && result.verdict != BalanceVerdict::CountsTooMany;
        for (int p = 0; p < SidePartCount; ++p) {
            const SidePart &input = sheet.balance[s].parts[d][p];
            const SidePartResult &part = result.parts[p];
            QString name = StrItems(S::SidePartNames + d).value(p);
            if (input.oneStorey && sheet.OneStoreyPartsAllowed(s))
                name += QLatin1Char(' ') + Str(S::OneStoreyPart);
            QString verdict;
            if (p == 0)
                verdict = result.checked() ? result.judgementText() : QStringLiteral("-");
            else if (result.checked())
                verdict = BalancePassed(sheet, s, d) ? QStringLiteral("OK") : QStringLiteral("NG");
            table.addRow({p == 0 ? StrItems(S::BalanceDirections).value(d) : QString(), name, input.floorArea,
                          part.multiplier.text.isEmpty() ? QString() : part.multiplier.text + part.multiplier.unit,
                          part.necessary, part.existing, judged ? FormatRatioDown(part.fillRatio) : QString(), verdict});
        }
    }
    out += table.render(2);
    // What each side part was multiplied by, and the rows counted in it.
    for (int d = 0; d < 2; ++d) {
        const BalanceResult result = CheckBalance(sheet, s, d);
        for (int p = 0; p < SidePartCount; ++p) {
            const SidePartResult &part = result.parts[p];
            QStringList terms;
            for (const SidePartRowLine &r : SidePartRows(sheet, s, d, p))
                terms << r.kind + QLatin1Char(' ') + r.length + QStringLiteral(" × ") + QString::number(r.places)
                             + QStringLiteral(" × ") + r.multiplier;
            out += QStringLiteral("  ") + StrItems(S::BalanceDirections).value(d) + QLatin1Char(' ')
                   + StrItems(S::SidePartNames + d).value(p) + QStringLiteral(": ")
                   + (sheet.ruleSetKind() == RuleSetKind::Rules2025
                          ? (part.multiplier.typed ? QStringLiteral("入力した数値 ") : QStringLiteral("階のLw "))
                          : QString())
                   + part.multiplier.text + part.multiplier.unit + QStringLiteral("; 存在 ")
                   + (terms.isEmpty() ? QStringLiteral("0") : terms.join(QStringLiteral(" + "))) + QStringLiteral(" = ")
                   + part.existing + QLatin1Char('\n');
        }
        if (BalanceNeedsFullSums(sheet, s)) {
            const BalanceResult full = CheckBalance(sheet, s, d, true);
            out += QStringLiteral("  ") + StrItems(S::BalanceDirections).value(d)
                   + QStringLiteral(": 倍率7を超える軸組を合計の倍率で: 存在 ") + full.parts[0].existing + QStringLiteral(" / ")
                   + full.parts[1].existing + QStringLiteral("  ")
                   + (full.checked() ? full.judgementText() + QLatin1Char(' ') + full.verdictText() : QStringLiteral("-"))
                   + QLatin1Char('\n');
        }
    }
    return out;
}

// The directions of storey s the check does not pass: a storey and direction
// not yet checked is not balanced either.
QStringList balanceShortfalls(const QString &path, const CalcSheet &sheet, int s)
{
    QStringList lines;
    if (!HasBalanceData(sheet))
        return lines;
    for (int d = 0; d < 2; ++d) {
        const BalanceResult result = CheckBalance(sheet, s, d);
        if (BalancePassed(sheet, s, d))
            continue;
        lines << VisibleName(path + QStringLiteral(": ") + StoreyName(s) + QLatin1Char(' ')
                             + StrItems(S::BalanceDirections).value(d) + QStringLiteral("  ")
                             + Str(S::BalanceTitle) + QLatin1Char(' ')
                             + (result.checked() ? result.judgementText()
                                                     + (result.passed() ? QStringLiteral(" (倍率の合計でNG)") : QString())
                                                 : QStringLiteral("-")));
    }
    return lines;
}

QString balanceTextIfAny(const CalcSheet &sheet, int s)
{
    return HasBalanceData(sheet) ? balanceText(sheet, s) : QString();
}

} // namespace

CliCheck BalanceCliCheck()
{
    return {"balance", HasBalanceData, balanceJson, balanceTextIfAny, balanceShortfalls};
}

} // namespace quiren::cli
