#include "core/calc/ColumnJointReport.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

namespace quiren {

namespace {

QString decimal(double value)
{
    return FormatDecimal(value, 2, 1);
}

QString signedDecimal(double value)
{
    return value < 0 ? QStringLiteral("−") + decimal(-value) : QStringLiteral("+") + decimal(value);
}

QString hText(double h)
{
    return HeightFactor(h) == 1.0 ? QStringLiteral("2.7") : decimal(h);
}

} // namespace

QString JointSideText(const JointSide &side, const JointSideResult &result)
{
    if (side.kind.isEmpty()) {
        if (side.typed.trimmed().isEmpty())
            return {};
        return side.typed.trimmed() + QStringLiteral(" (入力)");
    }
    QString text = side.kind;
    if (result.brace.size != BraceSize::None && JointKindHasWoodBrace(side.kind)) {
        text += QLatin1Char(' ') + side.section;
        if (result.brace.crossed)
            text += QStringLiteral(" たすき");
        else
            text += side.braceAtHead ? QStringLiteral(" 頭") : QStringLiteral(" 脚");
    } else if (result.brace.size == BraceSize::Bar) {
        text += side.braceAtHead ? QStringLiteral(" 頭") : QStringLiteral(" 脚");
    }
    return text + QLatin1Char(' ') + decimal(result.multiplier);
}

std::vector<JointReportRow> JointReportRows(const CalcSheet &sheet, int s, const JointStoreyResult &result)
{
    std::vector<JointReportRow> rows;
    const JointStorey &storey = sheet.joints[s];
    const bool table = storey.method == JointMethod::Table;
    for (size_t i = 0; i < storey.columns.size() && i < result.columns.size(); ++i) {
        const JointColumn &column = storey.columns[i];
        const JointColumnResult &c = result.columns[i];
        JointReportRow row;
        row.name = column.name;
        row.position = column.corner ? QStringLiteral("出隅") : QStringLiteral("その他");
        const bool ground = c.directions[0].withUpper;
        if (ground) {
            const bool upperCorner = c.directions[0].terms.b2 == 0.8;
            QString upper = c.upperName.isEmpty() ? QStringLiteral("上階") : QStringLiteral("上階 ") + c.upperName;
            if (column.upper == UpperPull::Carried)
                upper += QStringLiteral(" 他部材で処理");
            row.position += QStringLiteral(" / ") + upper + (upperCorner ? QStringLiteral(" 出隅") : QString());
        }
        for (int d = 0; d < 2; ++d) {
            const JointDirectionResult &r = c.directions[d];
            JointReportDirection &out = row.directions[d];
            for (int k = 0; k < 2; ++k)
                out.sides[k] = JointSideText(column.directions[d].sides[k], r.sides[k]);
            out.a = decimal(r.a1);
            if (r.correction.value != 0.0 || r.correctionTyped)
                out.a += QStringLiteral(" (補正 %1%2)")
                             .arg(signedDecimal(r.correction.value),
                                  r.correctionTyped ? QStringLiteral(" 入力") : QString());
            out.unverified = r.correction.unverified;
            if (out.unverified)
                out.a += QStringLiteral("※");
            if (ground)
                out.a += QStringLiteral(" / ") + decimal(r.a2);
            out.b = decimal(r.terms.b1) + (ground ? QStringLiteral(" / ") + decimal(r.terms.b2) : QString());
            out.l = decimal(r.terms.l);
            out.h = hText(r.h1) + (ground ? QStringLiteral(" / ") + hText(r.h2) : QString());
            out.n = NText(r.terms.n);
            // The table method reads a joint per direction instead of N.
            if (table)
                out.n = !r.inTable ? QStringLiteral("表外")
                        : r.tableIndex.value_or(-1) >= 0 ? JointTypes()[*r.tableIndex].symbol
                                                         : QStringLiteral("－");
        }
        row.n = table ? QString() : NText(c.n);
        row.joint = c.need.symbol;
        row.kn = c.need.symbol.isEmpty() ? QString() : KnText(c.need.kn);
        row.hardware = c.need.hardware;
        row.fitted = column.hardware.trimmed();
        row.verdict = c.passed ? QStringLiteral("OK") : QStringLiteral("NG");
        row.problem = c.problem;
        rows.push_back(row);
    }
    return rows;
}

QString JointTitle(JointMethod method)
{
    return QStringLiteral("柱頭・柱脚の接合 (%1)").arg(JointMethodName(method));
}

} // namespace quiren
