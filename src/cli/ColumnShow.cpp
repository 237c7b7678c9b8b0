// qrn's lines of the column diameter check (柱の小径): the storey's lines
// and table in show, its JSON, and the storeys that fall short in check.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetChecks.h"
#include "cli/ShowJson.h"
#include "cli/TextTable.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnCheck.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <cmath>

namespace quiren::cli {

namespace {

// The column diameter check of storey s: the storey's inputs, the figures
// per direction as shown (null where not worked out) and the result.
QString columnsJson(const CalcSheet &sheet, int s)
{
    const StoreyColumnResult r = CheckStoreyColumns(sheet, s);
    const StoreyColumnInputs &in = sheet.columns[s];
    auto number = [](bool known, const QString &text) { return known ? text : QStringLiteral("null"); };
    QStringList directions;
    for (int d = 0; d < 2; ++d) {
        const ColumnDirectionResult &dir = r.direction[d];
        const ColumnFigures &f = dir.figures;
        const bool is2025 = !r.oldRules;
        JsonObject o(8);
        o.add("length", jsonString(in.direction[d].lengthMm));
        o.add("depth", jsonString(in.direction[d].depthMm));
        o.add("width", jsonString(in.direction[d].widthMm));
        o.add("lambda", number(dir.checked, TenthText(f.lambda)));
        o.add("eta", number(dir.checked && is2025, EtaText(f.eta)));
        o.add("na", number(dir.checked && is2025, KiloNewtonText(f.naKN)));
        o.add("aa", number(dir.checked && is2025, TenthText(f.aaM2)));
        o.add("ratioDp", number(dir.checked && is2025, TenthText(f.ratioDpMm)));
        o.add("bucklingD", number(dir.checked && is2025 && std::isfinite(f.bucklingDMm), TenthText(f.bucklingDMm)));
        o.add("oldDp", number(dir.checked && !is2025, TenthText(f.oldDpMm)));
        o.add("ok", dir.checked ? jsonBool(f.ok()) : QStringLiteral("null"));
        directions << o.text();
    }
    QStringList missing;
    for (const QString &m : r.missing)
        missing << jsonString(m);
    JsonObject columns(6);
    columns.add("method", jsonString(r.oldRules ? QStringLiteral("table") : ChoiceKey(r.method)));
    columns.add("methodText", jsonString(r.methodText()));
    columns.add("timber", jsonString(in.timber));
    columns.add("timberName", jsonString(r.timberName));
    columns.add("fc", number(r.fcKnown, FormatDecimal(r.fcNPerMm2, 2, 1)));
    columns.add("fcUnverified", jsonBool(r.fcUnverified));
    columns.add("wdSource", jsonString(ChoiceKey(r.wdSource)));
    columns.add("wd", number(r.wdKnown, FormatDecimal(r.wdNPerM2, 1, 0)));
    columns.add("wdNote", jsonString(r.wdNote));
    columns.add("wdFormula", jsonString(r.wdFormula));
    columns.add("area", jsonString(in.areaM2));
    columns.add("directions", jsonArray(directions, 8));
    columns.add("missing", jsonArray(missing, 8));
    columns.add("result", r.checked() ? jsonString(r.verdictText()) : QStringLiteral("null"));
    return columns.text();
}

// The column diameter check of storey s: the storey's lines, then the
// table per direction.
QString columnsText(const CalcSheet &sheet, int s)
{
    const StoreyColumnResult r = CheckStoreyColumns(sheet, s);
    QString out = QStringLiteral("\n柱の小径\n");
    for (const QString &line : ColumnHeaderLines(r))
        out += QStringLiteral("  ") + line + QLatin1Char('\n');
    if (!r.missing.isEmpty())
        out += QStringLiteral("  未入力: ") + r.missing.join(QStringLiteral("、")) + QLatin1Char('\n');
    TextTable table({false, true, true});
    table.addRow({QString(), ColumnDirectionName(0), ColumnDirectionName(1)});
    for (const ColumnTableRow &row : ColumnTableRows(r))
        table.addRow({row.caption, row.values[0], row.values[1]});
    out += table.render(2);
    return out;
}

// Storey s when its columns are not sufficient: a storey not yet worked out
// is not sufficient either.
QStringList columnShortfalls(const QString &path, const CalcSheet &sheet, int s)
{
    if (!HasColumnData(sheet))
        return {};
    const StoreyColumnResult result = CheckStoreyColumns(sheet, s);
    if (result.verdict == ColumnVerdict::Sufficient)
        return {};
    QStringList reasons;
    for (int d = 0; d < 2; ++d) {
        const ColumnDirectionResult &dir = result.direction[d];
        if (!dir.checked || dir.figures.ok())
            continue;
        QString reason = ColumnDirectionName(d) + QLatin1Char(' ');
        if (!dir.figures.slenderOk)
            reason += QStringLiteral("λ %1 > 150 ").arg(TenthText(dir.figures.lambda));
        if (!dir.figures.strengthOk) {
            const double need = dir.figures.required(dir.input);
            reason += result.method == ColumnMethod::Area && !result.oldRules
                          ? QStringLiteral("負担面積 %1 > Aa %2").arg(FormatDecimal(dir.input.tributaryM2, 2, 0), TenthText(need))
                          : QStringLiteral("d %1 < %2").arg(FormatDecimal(dir.input.depthMm, 2, 0), TenthText(need));
        }
        reasons << reason.trimmed();
    }
    if (result.verdict != ColumnVerdict::Short)
        reasons << QStringLiteral("未入力: ") + (result.missing.isEmpty() ? QStringLiteral("-") : result.missing.join(QStringLiteral("、")));
    return {Visible(path + QStringLiteral(": ") + StoreyName(s) + QStringLiteral("  柱の小径 ") + result.methodText()
                    + QStringLiteral("  ") + (result.verdict == ColumnVerdict::Short ? QStringLiteral("NG ") : QString())
                    + reasons.join(QStringLiteral("  ")))};
}

QString columnsTextIfAny(const CalcSheet &sheet, int s)
{
    return HasColumnData(sheet) ? columnsText(sheet, s) : QString();
}

} // namespace

CliCheck ColumnCliCheck()
{
    return {"columns", HasColumnData, columnsJson, columnsTextIfAny, columnShortfalls};
}

} // namespace quiren::cli
