#include "cli/JointShow.h"

#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetChecks.h"
#include "cli/TextTable.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnJointReport.h"
#include "core/text/JsonWriter.h"

namespace quiren::cli {

QString JointsText(const CalcSheet &sheet, int s)
{
    const JointStorey &storey = sheet.joints[s];
    if (storey.isBlank())
        return {};
    const JointStoreyResult result = CheckColumnJoints(sheet, s);
    QString out = QLatin1Char('\n') + JointTitle(storey.method) + QLatin1Char('\n');
    if (!result.refusal.isEmpty())
        out += QStringLiteral("  ") + result.refusal + QLatin1Char('\n');
    TextTable table({false, false, false, false, false, true, true, true, true, true, false, false, true, false, false});
    table.addRow({QStringLiteral("柱"), QStringLiteral("位置"), QStringLiteral("方向"), QStringLiteral("一方の側"),
                  QStringLiteral("他方の側"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("L"),
                  QStringLiteral("H"), QStringLiteral("N"), QStringLiteral("接合部"), QStringLiteral("金物"),
                  QStringLiteral("必要kN"), QStringLiteral("入力金物"), QStringLiteral("判定")});
    QString notes;
    for (const JointReportRow &row : JointReportRows(sheet, s, result)) {
        for (int d = 0; d < 2; ++d) {
            const JointReportDirection &r = row.directions[d];
            const bool first = d == 0;
            table.addRow({first ? row.name : QString(), first ? row.position : QString(), JointDirectionName(d),
                          r.sides[0], r.sides[1], r.a, r.b, r.l, r.h, r.n, first ? row.joint : QString(),
                          first ? row.hardware : QString(), first ? row.kn : QString(),
                          first ? row.fitted : QString(), first ? row.verdict : QString()});
        }
        if (!row.problem.isEmpty())
            notes += QStringLiteral("  注意: %1  %2\n").arg(row.name, row.problem);
    }
    out += table.render(2) + notes;
    if (result.checked())
        out += QStringLiteral("  判定: %1\n").arg(result.verdictText());
    return out;
}

QString JointsJson(const CalcSheet &sheet, int s)
{
    const JointStorey &storey = sheet.joints[s];
    const JointStoreyResult result = CheckColumnJoints(sheet, s);
    const std::vector<JointReportRow> rows = JointReportRows(sheet, s, result);
    JsonWriter w;
    w.beginObject();
    w.key(u"method");
    w.string(JointMethodKey(storey.method));
    w.key(u"refusal");
    w.string(result.refusal);
    w.key(u"result");
    w.string(result.verdictText());
    w.key(u"columns");
    w.beginArray();
    for (size_t i = 0; i < rows.size(); ++i) {
        const JointReportRow &row = rows[i];
        const JointColumnResult &c = result.columns[i];
        w.beginObject(JsonWriter::Inline);
        w.key(u"name");
        w.string(row.name);
        w.key(u"corner");
        w.boolean(storey.columns[i].corner);
        w.key(u"position");
        w.string(row.position);
        w.key(u"directions");
        w.beginArray(JsonWriter::Inline);
        for (const JointReportDirection &d : row.directions) {
            w.beginObject(JsonWriter::Inline);
            w.key(u"sides");
            w.beginArray(JsonWriter::Inline);
            w.string(d.sides[0]);
            w.string(d.sides[1]);
            w.endArray();
            for (const auto &[key, value] : {std::pair{u"a", d.a}, {u"b", d.b}, {u"l", d.l}, {u"h", d.h}, {u"n", d.n}}) {
                w.key(key);
                w.string(value);
            }
            w.endObject();
        }
        w.endArray();
        w.key(u"governing");
        w.string(JointDirectionName(c.governing));
        for (const auto &[key, value] : {std::pair{u"n", row.n}, {u"joint", row.joint}, {u"kn", row.kn},
                                         {u"hardware", row.hardware}, {u"fitted", row.fitted},
                                         {u"result", row.verdict}, {u"problem", row.problem}}) {
            w.key(key);
            w.string(value);
        }
        w.endObject();
    }
    w.endArray();
    w.endObject();
    // The writer ends its document in a line break; the caller places it.
    QString text = QString::fromUtf8(w.bytes()).trimmed();
    return text.replace(QLatin1Char('\n'), QStringLiteral("\n      "));
}

namespace {

// Each column of storey s whose hardware does not reach what its N calls
// for, and why the storey cannot be worked out where it cannot.
QStringList jointShortfalls(const QString &path, const CalcSheet &sheet, int s)
{
    QStringList lines;
    if (sheet.joints[s].isBlank())
        return lines;
    const JointStoreyResult result = CheckColumnJoints(sheet, s);
    const QString where = path + QStringLiteral(": ") + StoreyName(s) + QStringLiteral("  柱頭・柱脚の接合 ");
    if (!result.refusal.isEmpty())
        lines << Visible(where + result.refusal);
    for (size_t c = 0; c < result.columns.size(); ++c) {
        if (!result.columns[c].passed)
            lines << Visible(where + sheet.joints[s].columns[c].name + QStringLiteral(": ") + result.columns[c].problem);
    }
    return lines;
}

} // namespace

CliCheck JointCliCheck()
{
    return {"joints", HasJointData, JointsJson, JointsText, jointShortfalls};
}

} // namespace quiren::cli
