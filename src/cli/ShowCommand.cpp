// qrn show: what the window's header and judgement grid show for each file.
#include "cli/CliSheet.h"
#include "core/calc/Balance.h"
#include "core/calc/Framing.h"
#include "core/calc/ColumnCheck.h"
#include "core/text/NumberText.h"
#include "cli/Command.h"
#include "cli/JointShow.h"
#include "cli/TextTable.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/LwReport.h"
#include "core/calc/QuasiReport.h"
#include "core/calc/LawWalls.h"
#include "core/calc/SheetWalls.h"
#include "core/text/JsonWriter.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QLocale>

#include <cmath>

namespace quiren::cli {

namespace {

// ---- JSON -------------------------------------------------------------------
// Written by hand so that the keys keep the documented order.

QString jsonString(const QString &text)
{
    return JsonString(text);
}

QString jsonPair(const QString &a, const QString &b)
{
    return QLatin1Char('[') + jsonString(a) + QStringLiteral(", ") + jsonString(b) + QLatin1Char(']');
}

class JsonObject {
public:
    explicit JsonObject(int indent) : m_indent(indent) {}
    void add(const char *key, const QString &rawValue) { m_members.append({QLatin1String(key), rawValue}); }
    QString text() const
    {
        const QString inner(m_indent + 2, QLatin1Char(' '));
        QString out = QStringLiteral("{\n");
        for (int i = 0; i < m_members.size(); ++i) {
            out += inner + jsonString(m_members[i].first) + QStringLiteral(": ") + m_members[i].second;
            out += i + 1 < m_members.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
        }
        return out + QString(m_indent, QLatin1Char(' ')) + QLatin1Char('}');
    }

private:
    int m_indent;
    QList<QPair<QString, QString>> m_members;
};

QString jsonArray(const QStringList &items, int indent)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    const QString inner(indent + 2, QLatin1Char(' '));
    return QStringLiteral("[\n") + inner + items.join(QStringLiteral(",\n") + inner) + QLatin1Char('\n')
           + QString(indent, QLatin1Char(' ')) + QLatin1Char(']');
}

QString jsonNumber(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', QLocale::FloatingPointShortest)
                                : QStringLiteral("null");
}

QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString jsonNumbers(const std::array<double, 2> &values, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << jsonNumber(values[i]);
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString rulesKey(const CalcSheet &sheet)
{
    return sheet.ruleSetKind() == RuleSetKind::Rules2025 ? QStringLiteral("2025") : QStringLiteral("old");
}

QString lwMethodKey(LwMethod method)
{
    return ChoiceKey(method);
}

// Where the 2025 seismic requirement comes from, every step of the tool's
// method included when it was used.
QString seismicJson(const CalcSheet &sheet)
{
    const Sheet2025Results &r = sheet.results2025;
    const LwBreakdown &b = r.breakdown;
    const int storeys = std::min(sheet.storeyIndex + 1, Storeys2025);
    JsonObject seismic(2);
    seismic.add("method", jsonString(lwMethodKey(sheet.inputs2025.seismic.method)));
    if (sheet.inputs2025.seismic.method == LwMethod::Typed)
        seismic.add("lwSource", jsonString(sheet.inputs2025.seismic.lwSource));
    QStringList lw;
    for (int s = 0; s < storeys; ++s)
        lw << (r.lwKnown[s] ? QString::number(r.lw[s]) : QStringLiteral("null"));
    seismic.add("lw", QLatin1Char('[') + lw.join(QStringLiteral(", ")) + QLatin1Char(']'));
    if (b.valid) {
        seismic.add("lwRaw", jsonNumbers(b.lwRaw, b.storeys));
        seismic.add("roofFactor", jsonNumber(b.roofFactor));
        seismic.add("areaRatio", jsonNumber(b.areaRatio));
        JsonObject lines(4);
        lines.add("roof", jsonNumber(b.roofLoad));
        lines.add("walls2", jsonNumber(b.walls2));
        lines.add("floor2", jsonNumber(b.floor2));
        lines.add("walls1", jsonNumber(b.walls1));
        lines.add("lowerRoof", jsonNumber(b.lowerRoof));
        seismic.add("loadLines", lines.text());
        seismic.add("w", jsonNumbers(b.w, b.storeys));
        seismic.add("alpha", jsonNumber(b.alpha));
        seismic.add("height", jsonNumber(b.height));
        seismic.add("t", jsonNumber(b.t));
        seismic.add("ai", jsonNumbers(b.ai, b.storeys));
    }
    QStringList warnings;
    for (const QString &w : r.warnings)
        warnings << jsonString(w);
    seismic.add("warnings", jsonArray(warnings, 4));
    seismic.add("totalFloorArea", jsonNumber(r.totalFloorArea));
    seismic.add("beyondRoute", jsonBool(r.beyondRoute));
    return seismic.text();
}

// The 2025 members of one storey: Af, Lw, the sums and the quasi-bearing rows.
void addStorey2025(JsonObject &storey, const CalcSheet &sheet, int s)
{
    const Sheet2025Results &r = sheet.results2025;
    const FloorAreaResult &f = r.floor[s];
    JsonObject af(6);
    af.add("floorArea", jsonNumber(f.floorArea));
    af.add("voids", jsonNumber(f.voids));
    af.add("ownLoft", jsonNumber(f.ownLoft));
    af.add("loftFromAbove", jsonNumber(f.loftFromAbove));
    af.add("loftAddition", jsonNumber(f.loftAddition));
    af.add("loftExempted", jsonBool(f.loftExempted));
    af.add("loftIsStorey", jsonBool(f.loftIsStorey));
    af.add("af", jsonNumber(f.af));
    af.add("terms", jsonString(AfTermsText(sheet, s)));
    storey.add("af", af.text());
    storey.add("refusal", r.refusal[s].isEmpty() ? QStringLiteral("null") : jsonString(r.refusal[s]));
    storey.add("lw", r.lwKnown[s] ? QString::number(r.lw[s]) : QStringLiteral("null"));
    storey.add("seismicLength", jsonNumber(r.seismicLength[s]));
    storey.add("tallStorey", jsonBool(r.tallStorey[s]));
    storey.add("bearingSum", jsonNumbers(r.bearingSum[s], 2));
    storey.add("quasiSum", jsonNumbers(r.quasiSum[s], 2));
    storey.add("quasiCounted", jsonNumbers(r.quasiCounted[s], 2));
    storey.add("necessaryLength", jsonNumbers(r.necessary[s], 2));
    QStringList rows;
    for (const QuasiWallRow &row : sheet.quasiWalls[s]) {
        if (!row.inUse())
            continue;
        JsonObject q(8);
        q.add("kind", jsonString(row.kind));
        q.add("wallKind", jsonString(QuasiKindKey(row.wallKind)));
        q.add("bothSides", jsonBool(row.bothSides));
        q.add("base", jsonString(row.base));
        q.add("panelHeight", jsonString(row.panelHeight));
        q.add("clearHeight", jsonString(row.clearHeight));
        q.add("length", jsonPair(row.length[0], row.length[1]));
        q.add("places", jsonPair(row.places[0], row.places[1]));
        q.add("multiplier", jsonString(row.multiplier));
        q.add("effective", jsonPair(row.effective[0], row.effective[1]));
        q.add("refusal", row.refusal.isEmpty() ? QStringLiteral("null") : jsonString(row.refusal));
        q.add("widthRefusal", jsonPair(row.widthRefusal[0], row.widthRefusal[1]));
        rows << q.text();
    }
    storey.add("quasiWalls", jsonArray(rows, 6));
    QStringList warnings;
    for (const QString &w : r.quasiWarnings[s])
        warnings << jsonString(w);
    storey.add("quasiWarnings", jsonArray(warnings, 6));
}

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
            const SidePart &input = sheet.sideParts[s][d][p];
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

// Where a row's multiplier comes from: the sources of its walls ("法令"
// for braces alone), "不明" when a wall is known nowhere; empty for a row
// not in use.
QString rowSource(const CalcSheet &sheet, const FramingRow &row)
{
    if (!row.inUse() || row[ColKind].trimmed().isEmpty())
        return {};
    const FramingResolution resolved = ResolveSheetRow(sheet, row);
    if (!resolved.resolved)
        return QStringLiteral("不明");
    QStringList sources;
    for (const FramingWallPiece &piece : resolved.walls) {
        const QString name = MultiplierSourceName(piece.source);
        if (!sources.contains(name))
            sources << name;
    }
    if (sources.isEmpty())
        sources << MultiplierSourceName(MultiplierSource::Law);
    return sources.join(QStringLiteral("、"));
}

QString rowWallsJson(const CalcSheet &sheet, const FramingRow &row)
{
    QStringList walls;
    if (row.inUse()) {
        for (const FramingWallPiece &piece : ResolveSheetRow(sheet, row).walls) {
            JsonObject w(10);
            w.add("name", jsonString(piece.name));
            w.add("multiplier", jsonString(FormatDecimal(piece.multiplier, 2, 1)));
            w.add("source", jsonString(MultiplierSourceName(piece.source)));
            w.add("provision", jsonString(piece.provision));
            w.add("unverified", piece.unverified ? QStringLiteral("true") : QStringLiteral("false"));
            walls << w.text();
        }
    }
    return jsonArray(walls, 8);
}

QString sheetJson(const QString &path, const CalcSheet &sheet)
{
    const bool balance = HasBalanceData(sheet);
    const bool rules2025 = sheet.ruleSetKind() == RuleSetKind::Rules2025;
    JsonObject root(0);
    root.add("file", jsonString(path));
    root.add("rules", jsonString(rulesKey(sheet)));
    root.add("title", jsonString(sheet.titleName));
    root.add("storeyCount", QString::number(sheet.storeyIndex + 1));
    root.add("weight", QString::number(sheet.weightType));
    root.add("strongWind", sheet.strongWind ? QStringLiteral("true") : QStringLiteral("false"));
    root.add("certifiedWall", QString::number(sheet.certifiedChoice));

    QStringList storeys;
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        const JudgementRow &j = sheet.judgement[s];
        JsonObject storey(4);
        storey.add("floorArea", jsonString(sheet.floorArea[s]));
        storey.add("coefficient", jsonString(sheet.coefficient[s]));
        storey.add("floorRequirement", jsonString(sheet.floorRequirement[s]));
        storey.add("projectedArea", jsonPair(sheet.projectedArea[s], sheet.projectedArea[s + 3]));
        storey.add("windFactor", jsonPair(sheet.windFactor[s], sheet.windFactor[s + 3]));
        storey.add("projectedRequirement",
                   jsonPair(sheet.projectedRequirement[s], sheet.projectedRequirement[s + 3]));
        storey.add("necessary", jsonPair(j[JudgeNecessary0], j[JudgeNecessary1]));
        storey.add("sum", jsonPair(j[JudgeSum0], j[JudgeSum1]));
        storey.add("judgement", jsonPair(j[JudgeResult0], j[JudgeResult1]));
        QStringList rows;
        for (const FramingRow &row : sheet.framing[s]) {
            JsonObject r(8);
            r.add("kind", jsonString(row[ColKind]));
            r.add("section", jsonString(row[ColSection]));
            r.add("xBracing", jsonString(row[ColXBracing]));
            r.add("length", jsonPair(row[ColLength0], row[ColLength1]));
            r.add("places", jsonPair(row[ColPlaces0], row[ColPlaces1]));
            r.add("multiplier", jsonPair(row[ColMultiplier0], row[ColMultiplier1]));
            r.add("effective", jsonPair(row[ColEffective0], row[ColEffective1]));
            r.add("source", jsonString(rowSource(sheet, row)));
            r.add("walls", rowWallsJson(sheet, row));
            if (balance) {
                r.add("sideCounts", QLatin1Char('[') + jsonPair(row.sideCounts[0][0], row.sideCounts[0][1])
                                        + QStringLiteral(", ") + jsonPair(row.sideCounts[1][0], row.sideCounts[1][1])
                                        + QLatin1Char(']'));
            }
            rows << r.text();
        }
        storey.add("rows", jsonArray(rows, 6));
        if (rules2025 && s < Storeys2025)
            addStorey2025(storey, sheet, s);
        if (balance)
            storey.add("balance", balanceJson(sheet, s));
        if (HasColumnData(sheet))
            storey.add("columns", columnsJson(sheet, s));
        if (HasJointData(sheet))
            storey.add("joints", JointsJson(sheet, s));
        storeys << storey.text();
    }
    if (rules2025)
        root.add("seismic", seismicJson(sheet));
    QStringList notices;
    for (const QString &notice : WallNotices(sheet))
        notices << jsonString(notice);
    root.add("wallNotices", jsonArray(notices, 2));
    root.add("storeys", jsonArray(storeys, 2));
    return root.text() + QLatin1Char('\n');
}

// ---- text ---------------------------------------------------------------------

QString certifiedText(const CalcSheet &sheet)
{
    if (sheet.walls().isEmpty())
        return Str(S::NotRegistered);   // "未登録です"
    if (const CertifiedWall *wall = sheet.chosenWall())
        return wall->displayLine;
    return {};
}

QString fixed(double value, int places)
{
    return QString::number(value, 'f', places);
}

QString lwMethodName(LwMethod method)
{
    switch (method) {
    case LwMethod::Typed: return QStringLiteral("入力値 (早見表・表計算ツール)");
    case LwMethod::Tool: return QStringLiteral("表計算ツールの方法 (仕上げから)");
    case LwMethod::Loads: return QStringLiteral("荷重入力");
    }
    return {};
}

// The seismic breakdown of the 2025 rules, every step of the tool's method.
QString seismicText(const CalcSheet &sheet)
{
    const Sheet2025Results &r = sheet.results2025;
    const LwBreakdown &b = r.breakdown;
    QString out = QStringLiteral("\n地震力 (床面積に乗ずる数値 Lw)\n");
    TextTable table({false, true, false});
    table.addRow({QStringLiteral("求め方"), lwMethodName(sheet.inputs2025.seismic.method), QString()});
    if (sheet.inputs2025.seismic.method == LwMethod::Typed && !sheet.inputs2025.seismic.lwSource.isEmpty())
        table.addRow({QStringLiteral("出典"), sheet.inputs2025.seismic.lwSource, QString()});
    if (b.valid) {
        // The lines as the sheet shows them, each storey's on a line of its own.
        bool ratioShown = b.storeys < 2;
        for (const LwBreakdownLine &line : LwBreakdownLines(b)) {
            if (!line.perStorey) {
                table.addRow({line.caption, line.values[0], line.unit});
                // The floor-area ratio follows the roof factor.
                if (!ratioShown) {
                    table.addRow({AreaRatioLabel + QStringLiteral(" (小屋裏物置を含まない)"), fixed(b.areaRatio, 4), QString()});
                    ratioShown = true;
                }
                continue;
            }
            for (int i = 0; i < b.storeys; ++i)
                table.addRow({StoreyName(i) + QLatin1Char(' ') + line.caption, line.values[i], line.unit});
        }
    } else {
        const int storeys = std::min(sheet.storeyIndex + 1, Storeys2025);
        for (int s = 0; s < storeys; ++s) {
            table.addRow({StoreyName(s) + QStringLiteral(" Lw"),
                          r.lwKnown[s] ? QString::number(r.lw[s]) : QStringLiteral("-"), QStringLiteral("cm/m²")});
        }
    }
    out += table.render(2);
    for (const QString &warning : r.warnings)
        out += QStringLiteral("  注意: ") + warning + QLatin1Char('\n');
    return out;
}

// Af, the seismic requirement and the quasi-bearing rows of storey s.
QString storey2025Text(const CalcSheet &sheet, int s)
{
    const Sheet2025Results &r = sheet.results2025;
    const FloorAreaResult &f = r.floor[s];
    QString out;
    out += QStringLiteral("  Af = ") + AfTermsText(sheet, s) + QStringLiteral(" = ") + AfText(f.af) + QStringLiteral(" m²\n");
    if (!r.refusal[s].isEmpty())
        out += QStringLiteral("  判定不可: ") + r.refusal[s] + QLatin1Char('\n');
    // A tall storey's reduced braces: H and αh beside each multiplier.
    if (r.tallStorey[s]) {
        out += QStringLiteral("  横架材間距離 H = %1 m (3.2m 超): 筋かいの倍率 × αh = 3.5 × 長さ / H\n")
                   .arg(sheet.inputs2025.memberDistance[s].trimmed());
        for (const FramingRow &row : sheet.framing[s]) {
            if (!row.inUse() || !(FramingMultiplierShares(row[ColKind], row[ColSection], row[ColXBracing], sheet.walls(),
                                                          static_cast<int>(sheet.walls().size()) - 1)
                                      .braces() > 0))
                continue;
            QStringList parts;
            for (int d = 0; d < 2; ++d) {
                if (row[ColLength0 + 4 * d].isEmpty())
                    continue;
                const double alpha = BraceReduction(TextValue(row[ColLength0 + 4 * d]),
                                                    TextValue(sheet.inputs2025.memberDistance[s]));
                parts << DirectionCaption(d) + QStringLiteral(" 長さ ") + row[ColLength0 + 4 * d].trimmed()
                             + QStringLiteral(" αh ") + FormatFixed4(alpha) + QStringLiteral(" 倍率 ")
                             + row[ColMultiplier0 + 4 * d];
            }
            if (!parts.isEmpty())
                out += QStringLiteral("    ") + row[ColKind] + QStringLiteral(": ") + parts.join(QStringLiteral(", "))
                       + QLatin1Char('\n');
        }
    }

    TextTable rows({false, true, true, true, true, true, true, true, true, true, true});
    rows.addGroup(5, DirectionCaption(0));
    rows.addGroup(8, DirectionCaption(1));
    rows.addRow({QStringLiteral("種別: 材"), QStringLiteral("基準倍率"), QStringLiteral("材高さ"),
                 QStringLiteral("内法高さ"), QStringLiteral("倍率"), QStringLiteral("長さ"), QStringLiteral("箇所"),
                 QStringLiteral("有効長さ"), QStringLiteral("長さ"), QStringLiteral("箇所"), QStringLiteral("有効長さ")});
    int used = 0;
    for (const QuasiWallRow &row : sheet.quasiWalls[s]) {
        if (!row.inUse())
            continue;
        ++used;
        rows.addRow({QuasiKindName(row.wallKind) + QStringLiteral(": ") + row.kind, QuasiBaseText(row), row.panelHeight,
                     row.clearHeight, row.multiplier, row.length[0].trimmed(), row.places[0].trimmed(),
                     row.widthRefusal[0].isEmpty() && row.refusal.isEmpty() ? row.effective[0] : QStringLiteral("算入せず"),
                     row.length[1].trimmed(), row.places[1].trimmed(),
                     row.widthRefusal[1].isEmpty() && row.refusal.isEmpty() ? row.effective[1] : QStringLiteral("算入せず")});
    }
    if (used > 0) {
        out += QLatin1Char('\n') + rows.render(2);
        TextTable sums({false, true, true});
        sums.addRow({QString(), DirectionCaption(0), DirectionCaption(1)});
        sums.addRow({QStringLiteral("準耐力壁等の合計"), fixed(r.quasiSum[s][0], 4), fixed(r.quasiSum[s][1], 4)});
        sums.addRow({QStringLiteral("算入 (必要長さの1/2まで)"), fixed(r.quasiCounted[s][0], 4),
                     fixed(r.quasiCounted[s][1], 4)});
        out += sums.render(2);
    }
    for (const QString &warning : r.quasiWarnings[s])
        out += QStringLiteral("  注意: ") + warning + QLatin1Char('\n');
    return out;
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
    for (const FramingRow &row : sheet.framing[s]) {
        const SideCounts &c = row.sideCounts;
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
            const SidePart &input = sheet.sideParts[s][d][p];
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

// The walls of each kind the storey uses: multiplier, source, provision.
QString kindSourcesText(const CalcSheet &sheet, int s)
{
    TextTable table({false, false, true, false, false});
    table.addRow({QStringLiteral("軸組の種類"), QStringLiteral("壁・筋かい"), QStringLiteral("倍率"),
                  QStringLiteral("出典"), QStringLiteral("根拠")});
    QStringList seen;
    for (const FramingRow &row : sheet.framing[s]) {
        const QString key = row[ColKind] + QLatin1Char('\t') + row[ColSection] + QLatin1Char('\t') + row[ColXBracing];
        if (!row.inUse() || seen.contains(key))
            continue;
        seen << key;
        const FramingResolution resolved = ResolveSheetRow(sheet, row);
        if (!resolved.resolved) {
            table.addRow({row[ColKind], resolved.missing, QStringLiteral("-"), QStringLiteral("不明"), QString()});
            continue;
        }
        for (const FramingWallPiece &piece : resolved.walls) {
            table.addRow({row[ColKind], piece.name,
                          FormatDecimal(piece.multiplier, 2, 1) + (piece.unverified ? UnverifiedMark : QString()),
                          MultiplierSourceName(piece.source), piece.provision});
        }
        const QString braces = FormatDecimal(resolved.shares.braces(), 2, 1);
        if (resolved.woodBrace) {
            const bool crossed = row[ColXBracing] == framing::Crossed;
            table.addRow({row[ColKind], QStringLiteral("筋かい ") + row[ColSection] + (crossed ? QStringLiteral(" たすき") : QString()),
                          braces, MultiplierSourceName(MultiplierSource::Law), WoodBraceProvision(row[ColSection], crossed)});
        } else if (resolved.rebar) {
            table.addRow({row[ColKind], QStringLiteral("鉄筋"), braces, MultiplierSourceName(MultiplierSource::Law),
                          RebarProvision()});
        }
    }
    return table.render(2);
}

QString sheetText(const QString &path, const CalcSheet &sheet)
{
    const bool rules2025 = sheet.ruleSetKind() == RuleSetKind::Rules2025;
    QString out;
    TextTable header({false, false});
    header.addRow({HeadingCaption(Str(S::MenuFile)), path});   // "ﾌｧｲﾙ"
    header.addRow({HeadingCaption(Str(S::ProjectName)), sheet.titleName});
    header.addRow({QStringLiteral("基準"), RuleSetName(sheet.ruleSetKind())});
    header.addRow({Str(S::Storeys), HeadingCaption(Str(S::StoreyChoices + sheet.storeyIndex))});
    // The light/heavy table is not part of the 2025 rules.
    if (!rules2025)
        header.addRow({Str(S::RoofWeight), HeadingCaption(Str(S::WeightChoices + sheet.weightType))});
    header.addRow({Str(S::StrongWindArea), Str(sheet.strongWind ? S::Applies : S::DoesNotApply)});   // "する" / "しない"
    header.addRow({HeadingCaption(Str(S::CertifiedWallChoice)), certifiedText(sheet)});
    out += header.render();
    for (const QString &notice : WallNotices(sheet))
        out += QStringLiteral("注意: ") + notice + QLatin1Char('\n');
    if (rules2025)
        out += seismicText(sheet);

    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        out += QLatin1Char('\n') + StoreyName(s) + QLatin1Char('\n');

        // The three area lines of the storey's page.
        TextTable areas({false, true, false, true, false, true, false});
        if (rules2025 && s < Storeys2025) {
            // Af × Lw, the product's own factors.
            const Sheet2025Results &r = sheet.results2025;
            areas.addRow({QStringLiteral("Af"), AfText(r.floor[s].af), QStringLiteral("m² × Lw"),
                          r.lwKnown[s] ? QString::number(r.lw[s]) : QStringLiteral("-"), QStringLiteral("cm/m² / 100 ="),
                          sheet.floorRequirement[s], Str(S::Metres)});
        } else {
            areas.addRow({Str(S::FloorArea), sheet.floorArea[s], Str(S::SquareMetresTimes), sheet.coefficient[s],
                          Str(S::EqualsFloorRequirement), sheet.floorRequirement[s], Str(S::Metres)});
        }
        for (int w : {s, s + 3}) {
            areas.addRow({AreaCaption(w), sheet.projectedArea[w], Str(S::SquareMetresTimes), sheet.windFactor[w], Str(S::EqualsProjectedRequirement),
                          sheet.projectedRequirement[w], Str(S::Metres)});
        }
        out += areas.render(2);

        // The framing rows in use.
        TextTable rows({false, false, false, true, true, true, true, true, true, true, true});
        rows.addGroup(3, DirectionCaption(0));
        rows.addGroup(7, DirectionCaption(1));
        QStringList headings;
        for (int c = 0; c < FramingColumnCount; ++c)
            headings << HeadingCaption(Str(S::FramingColumnHeaders + c));
        rows.addRow(headings);
        int used = 0;
        for (const FramingRow &row : sheet.framing[s]) {
            if (!row.inUse())
                continue;
            ++used;
            QStringList cells;
            for (int c = 0; c < FramingColumnCount; ++c)
                cells << row[c].trimmed();
            rows.addRow(cells);
        }
        if (used > 0) {
            out += QLatin1Char('\n');
            out += rows.render(2);
            out += QLatin1Char('\n');
            out += kindSourcesText(sheet, s);
        }
        if (rules2025 && s < Storeys2025) {
            out += QLatin1Char('\n');
            out += storey2025Text(sheet, s);
        }
        if (HasBalanceData(sheet))
            out += balanceText(sheet, s);
        if (HasColumnData(sheet))
            out += columnsText(sheet, s);
        out += JointsText(sheet, s);
    }

    // The judgement grid.
    TextTable judgement({false, true, true, true, true, true, true});
    judgement.addGroup(1, DirectionCaption(0));
    judgement.addGroup(4, DirectionCaption(1));
    judgement.addRow({Str(S::JudgementRows), Str(S::JudgementNecessary), Str(S::JudgementEffective), Str(S::JudgementRatio), Str(S::JudgementNecessary), Str(S::JudgementEffective), Str(S::JudgementRatio)});
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        const JudgementRow &j = sheet.judgement[s];
        judgement.addRow({j[0], j[1], j[2], j[3].trimmed(), j[4], j[5], j[6].trimmed()});
    }
    out += QLatin1Char('\n') + judgement.render();
    return out;
}

int runShow(const QStringList &args)
{
    bool json = false;
    QStringList files;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--json")) {
            if (json) {
                Err() << QStringLiteral("qrn show: --json は 1 回だけ指定して下さい。 / --json given twice.\n");
                return ExitError;
            }
            json = true;
        } else {
            files << arg;
        }
    }
    if (files.isEmpty()) {
        Err() << QStringLiteral("qrn show: ファイルを指定して下さい。 / no file given.\n");
        return ExitError;
    }

    int status = ExitOk;
    bool firstShown = true;
    for (const QString &path : files) {
        const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(path);
        if (!sheet) {
            status = ExitError;
            continue;
        }
        if (!json && !firstShown)
            Out() << QStringLiteral("\n") << QString(40, QLatin1Char('-')) << QStringLiteral("\n\n");
        Out() << (json ? sheetJson(path, *sheet) : sheetText(path, *sheet));
        Out().flush();
        firstShown = false;
    }
    return status;
}

const bool registered = RegisterCommand({
    QStringLiteral("show"),
    QStringLiteral("qrn show [--json] ファイル...  各階の床面積・係数・必要長さ・見付面積・使用軸組・判定\n"
                   "                 (4分割法のデータがあれば、その表も) を表示します。\n"
                   "                 --json: 1 ファイルにつき JSON オブジェクト 1 つ (値は画面と同じ文字列)。"),
    QStringLiteral("qrn show [--json] FILE...  Shows each storey's areas, coefficient, requirements, framing rows\n"
                   "                 in use and judgement. --json: one JSON object per file (values are the\n"
                   "                 texts the window shows)."),
    runShow,
});

} // namespace

} // namespace quiren::cli
