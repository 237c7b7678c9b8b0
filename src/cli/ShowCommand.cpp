// qrn show: what the window's header and judgement grid show for each file.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/TextTable.h"
#include "core/calc/CalcSheet.h"
#include "core/text/StringTable.h"

namespace quiren::cli {

namespace {

// ---- JSON -------------------------------------------------------------------
// Written by hand so that the keys keep the documented order.

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
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

QString sheetJson(const QString &path, const CalcSheet &sheet)
{
    JsonObject root(0);
    root.add("file", jsonString(path));
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
            rows << r.text();
        }
        storey.add("rows", jsonArray(rows, 6));
        storeys << storey.text();
    }
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

QString sheetText(const QString &path, const CalcSheet &sheet)
{
    QString out;
    TextTable header({false, false});
    header.addRow({HeadingCaption(Str(S::MenuFile)), path});   // "ﾌｧｲﾙ"
    header.addRow({HeadingCaption(Str(S::ProjectName)), sheet.titleName});
    header.addRow({Str(S::Storeys), HeadingCaption(Str(S::StoreyChoices + sheet.storeyIndex))});
    header.addRow({Str(S::RoofWeight), HeadingCaption(Str(S::WeightChoices + sheet.weightType))});
    header.addRow({Str(S::StrongWindArea), Str(sheet.strongWind ? S::Applies : S::DoesNotApply)});   // "する" / "しない"
    header.addRow({HeadingCaption(Str(S::CertifiedWallChoice)), certifiedText(sheet)});
    out += header.render();

    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        out += QLatin1Char('\n') + StoreyName(s) + QLatin1Char('\n');

        // The three area lines of the storey's page.
        TextTable areas({false, true, false, true, false, true, false});
        areas.addRow({Str(S::FloorArea), sheet.floorArea[s], Str(S::SquareMetresTimes), sheet.coefficient[s], Str(S::EqualsFloorRequirement),
                      sheet.floorRequirement[s], Str(S::Metres)});
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
        }
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
    QStringLiteral("qrn show [--json] ファイル...  各階の床面積・係数・必要長さ・見付面積・使用軸組・判定を表示します。\n"
                   "                 --json: 1 ファイルにつき JSON オブジェクト 1 つ (値は画面と同じ文字列)。"),
    QStringLiteral("qrn show [--json] FILE...  Shows each storey's areas, coefficient, requirements, framing rows\n"
                   "                 in use and judgement. --json: one JSON object per file (values are the\n"
                   "                 texts the window shows)."),
    runShow,
});

} // namespace

} // namespace quiren::cli
