// qrn show: what the window's header and judgement grid show for each file.
#include "cli/CliSheet.h"
#include "core/calc/Balance.h"
#include "core/calc/Framing.h"
#include "core/text/NumberText.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/SheetChecks.h"
#include "cli/ShowJson.h"
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

QString rulesKey(const CalcSheet &sheet)
{
    return RuleSetKey(sheet.ruleSetKind());
}

QString lwMethodKey(LwMethod method)
{
    return ChoiceKey(method);
}

// Where the 2025 seismic requirement comes from, every step of the tool's
// method included when it was used.
QString seismicJson(const CalcSheet &sheet)
{
    const WeightRuleResults &r = sheet.weightResults;
    const LwBreakdown &b = r.breakdown;
    const int storeys = std::min(sheet.storeyIndex + 1, WeightRuleStoreys);
    JsonObject seismic(2);
    seismic.add("method", jsonString(lwMethodKey(sheet.weightInputs.seismic.method)));
    if (sheet.weightInputs.seismic.method == LwMethod::Typed)
        seismic.add("lwSource", jsonString(sheet.weightInputs.seismic.lwSource));
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
    const WeightRuleResults &r = sheet.weightResults;
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
        for (size_t index = 0; index < sheet.framing[s].size(); ++index) {
            const FramingRow &row = sheet.framing[s][index];
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
                const SideCounts &c = sheet.balance[s].counts(int(index));
                r.add("sideCounts", QLatin1Char('[') + jsonPair(c[0][0], c[0][1])
                                        + QStringLiteral(", ") + jsonPair(c[1][0], c[1][1])
                                        + QLatin1Char(']'));
            }
            rows << r.text();
        }
        storey.add("rows", jsonArray(rows, 6));
        if (rules2025 && s < WeightRuleStoreys)
            addStorey2025(storey, sheet, s);
        for (const CliCheck &check : CliChecks()) {
            if (check.hasData(sheet))
                storey.add(check.jsonKey, check.storeyJson(sheet, s));
        }
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
    const WeightRuleResults &r = sheet.weightResults;
    const LwBreakdown &b = r.breakdown;
    QString out = QStringLiteral("\n地震力 (床面積に乗ずる数値 Lw)\n");
    TextTable table({false, true, false});
    table.addRow({QStringLiteral("求め方"), lwMethodName(sheet.weightInputs.seismic.method), QString()});
    if (sheet.weightInputs.seismic.method == LwMethod::Typed && !sheet.weightInputs.seismic.lwSource.isEmpty())
        table.addRow({QStringLiteral("出典"), sheet.weightInputs.seismic.lwSource, QString()});
    if (b.valid) {
        // The lines as the sheet and the window show them.
        for (const ReportLine &line : LwReportLines(b))
            table.addRow({line.label, line.value, line.unit});
    } else {
        const int storeys = std::min(sheet.storeyIndex + 1, WeightRuleStoreys);
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
    const WeightRuleResults &r = sheet.weightResults;
    QString out;
    out += QStringLiteral("  ") + AfEquation(sheet, s) + QLatin1Char('\n');
    out += QStringLiteral("  ") + FloorRequirementEquation(sheet, s) + QLatin1Char('\n');
    if (!r.refusal[s].isEmpty())
        out += QStringLiteral("  判定不可: ") + r.refusal[s] + QLatin1Char('\n');
    // A tall storey's reduced braces: H and αh beside each multiplier.
    if (r.tallStorey[s]) {
        out += QStringLiteral("  横架材間距離 H = %1 m (3.2m 超): 筋かいの倍率 × αh = 3.5 × 長さ / H\n")
                   .arg(sheet.weightInputs.memberDistance[s].trimmed());
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
                                                    TextValue(sheet.weightInputs.memberDistance[s]));
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

// The walls of each kind the storey uses: multiplier, source, provision.
QString kindSourcesText(const CalcSheet &sheet, int s)
{
    TextTable table({false, false, true, false, false});
    table.addRow({QStringLiteral("軸組の種類"), QStringLiteral("壁・筋かい"), QStringLiteral("倍率"),
                  QStringLiteral("出典"), QStringLiteral("根拠")});
    QStringList seen;
    for (const FramingRow &row : sheet.framing[s]) {
        if (!row.inUse())
            continue;
        const QString key = row[ColKind] + QLatin1Char('\t') + row[ColSection] + QLatin1Char('\t') + row[ColXBracing];
        if (seen.contains(key))
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
        if (rules2025 && s < WeightRuleStoreys) {
            // Af × Lw, the product's own factors.
            const WeightRuleResults &r = sheet.weightResults;
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
        if (rules2025 && s < WeightRuleStoreys) {
            out += QLatin1Char('\n');
            out += storey2025Text(sheet, s);
        }
        for (const CliCheck &check : CliChecks())
            out += check.storeyText(sheet, s);
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
    CommandLine line(QStringLiteral("show"));
    line.addFlag(QStringLiteral("json"));
    if (const std::optional<int> done = line.parse(args))
        return *done;
    const bool json = line.isSet(QStringLiteral("json"));
    const QStringList files = line.positional();
    if (files.isEmpty()) {
        line.refuse(QStringLiteral("ファイルを指定して下さい。"), QStringLiteral("no file given."));
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
