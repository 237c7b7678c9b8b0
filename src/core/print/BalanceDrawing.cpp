#include "core/print/BalanceDrawing.h"
#include "core/calc/Balance.h"
#include "core/print/CheckPages.h"

#include "core/calc/Balance.h"
#include "core/text/StringTable.h"

#include <algorithm>

namespace quiren {

namespace {

// Column widths in twips of the printed table; the judgement takes the rest
// of the sheet's width (10206 twips). Wide enough for "充足率がいずれも1を超える"
// at 8 points.
constexpr float Widths[] = {600, 900, 1300, 900, 900, 1100, 1100, 1000};
constexpr float SheetWidth = 10206.0f;
constexpr int RowsPerStorey = 4;   // two directions of two side parts

} // namespace

BalanceDrawing::BalanceDrawing(SheetPainter &painter, const CalcSheet &sheet)
    : m_p(painter), m_sheet(sheet), m_n(std::clamp(sheet.storeyIndex, 0, StoreyCount - 1)),
      m_columns(painter, std::vector<float>(std::begin(Widths), std::end(Widths)))
{
}

float BalanceDrawing::ColumnX(int column) const
{
    return m_columns.x(column);
}

void BalanceDrawing::PutLeft(int column, int row, const QString &text)
{
    m_columns.putLeft(column, row, text);
}

void BalanceDrawing::PutRight(int column, int row, const QString &text)
{
    m_columns.putRight(column, row, text);
}

void BalanceDrawing::PutCentred(int from, int to, int row, const QString &text)
{
    m_columns.putCentred(from, to, row, text);
}

void BalanceDrawing::DrawPage()
{
    const int lastRow = FirstRow + RowsPerStorey * (m_n + 1);

    // Title and project line, placed as on the sheet.
    m_p.SetSheetFont(10, 4);
    m_p.PutText(m_p.ColX(0), m_p.CharHeight(12), Str(S::BalanceTitle));
    m_p.SetSheetFont(9, 3);
    m_p.PutProjectLine(m_sheet.titleName);

    DrawRules(lastRow);
    m_p.SetSheetFont(8, 2);
    DrawHeadings();
    for (int s = 0; s <= m_n; ++s)
        DrawStorey(s, FirstRow + RowsPerStorey * s);
    DrawRetrace(lastRow + 1);
}

// Below the table, per side part: what its floor area was multiplied by
// and the rows counted in it (length × places × multiplier), so that every
// necessary and existing length can be retraced; where a framing adds up
// beyond 7, the check made again with the full sums.
void BalanceDrawing::DrawRetrace(int row)
{
    const float left = m_p.ColX(0);
    const float width = SheetWidth * m_p.Scale();
    auto line = [&](const QString &text) {
        if (row >= SheetPainter::RowCount - 1)
            return;
        m_p.PutText(left, m_p.RowTextTop(row, 2), text);
        ++row;
    };
    // Long lists are broken where the next term would run off the page.
    auto wrapped = [&](const QString &head, const QStringList &terms, const QString &tail) {
        QString current = head;
        for (int i = 0; i < terms.size(); ++i) {
            const QString term = (i > 0 ? QStringLiteral(" ＋ ") : QString()) + terms[i];
            if (m_p.TextWidthOf(current + term, 2) > width && current != head) {
                line(current);
                current = QStringLiteral("　　　　");
            }
            current += term;
        }
        line(current + tail);
    };
    for (int s = 0; s <= m_n; ++s) {
        if (!StoreyHasBalanceData(m_sheet, s))
            continue;
        for (int d = 0; d < 2; ++d) {
            for (int p = 0; p < SidePartCount; ++p) {
                const BalanceResult result = CheckBalance(m_sheet, s, d);
                const SidePartResult &part = result.parts[p];
                const QString where = StoreyName(s) + QStringLiteral(" ") + StrItems(S::BalanceDirections).value(d)
                                      + QStringLiteral(" ") + StrItems(S::SidePartNames + d).value(p);
                const QString source = m_sheet.ruleSetKind() == RuleSetKind::Rules2025
                                           ? (part.multiplier.typed ? QStringLiteral("入力した数値")
                                                                    : QStringLiteral("階のLw"))
                                           : QStringLiteral("床面積に乗ずる数値");
                line(where + QStringLiteral("：必要壁量＝") + m_sheet.balance[s].parts[d][p].floorArea.trimmed()
                     + QStringLiteral("㎡×") + source + QStringLiteral(" ") + part.multiplier.text + part.multiplier.unit
                     + QStringLiteral("＝") + part.necessary + QStringLiteral("m"));
                QStringList terms;
                for (const SidePartRowLine &r : SidePartRows(m_sheet, s, d, p))
                    terms << r.kind + QStringLiteral(" ") + r.length + QStringLiteral("m×") + QString::number(r.places)
                                 + QStringLiteral("×") + r.multiplier;
                wrapped(QStringLiteral("　存在壁量＝"), terms.isEmpty() ? QStringList{QStringLiteral("0")} : terms,
                        QStringLiteral("＝") + part.existing + QStringLiteral("m"));
            }
            if (BalanceNeedsFullSums(m_sheet, s)) {
                const BalanceResult full = CheckBalance(m_sheet, s, d, true);
                QString text = StoreyName(s) + QStringLiteral(" ") + StrItems(S::BalanceDirections).value(d)
                               + QStringLiteral("：倍率7を超える軸組を合計の倍率で：存在壁量 ") + full.parts[0].existing
                               + QStringLiteral("m／") + full.parts[1].existing + QStringLiteral("m　");
                text += full.checked() ? full.judgementText() + QStringLiteral("　判定：") + full.verdictText()
                                       : QStringLiteral("未入力");
                line(text);
            }
        }
    }
}

void BalanceDrawing::DrawRules(int lastRow)
{
    const float top = m_p.RowY(HeadingRow);
    const float bottom = m_p.RowY(lastRow);
    const float left = ColumnX(0);
    const float right = ColumnX(ColumnCount - 1);

    m_p.SetPen(4);
    m_p.DrawLine(left, top, right, top);
    m_p.DrawLine(right, top, right, bottom);
    m_p.DrawLine(right, bottom, left, bottom);
    m_p.DrawLine(left, bottom, left, top);

    m_p.SetPen(2);
    m_p.DrawLine(left, m_p.RowY(FirstRow), right, m_p.RowY(FirstRow));
    for (int s = 1; s <= m_n; ++s) {
        const float y = m_p.RowY(FirstRow + RowsPerStorey * s);
        m_p.DrawLine(left, y, right, y);
    }

    m_p.SetPen(1);
    for (int c = 1; c < ColumnCount - 1; ++c)
        m_p.DrawLine(ColumnX(c), top, ColumnX(c), bottom);
    for (int s = 0; s <= m_n; ++s) {
        const int first = FirstRow + RowsPerStorey * s;
        // Between the directions, from the direction column on.
        const float between = m_p.RowY(first + 2);
        m_p.DrawLine(ColumnX(1), between, right, between);
        // Between the side parts, up to the judgement.
        for (int d = 0; d < 2; ++d) {
            const float y = m_p.RowY(first + 2 * d + 1);
            m_p.DrawLine(ColumnX(2), y, ColumnX(ColumnCount - 2), y);
        }
    }
}

void BalanceDrawing::DrawHeadings()
{
    const QStringList headings = StrItems(S::BalanceHeadings);
    for (int c = 0; c < ColumnCount - 1; ++c) {
        QString text = headings.value(c);
        if (c == 3)
            text += QStringLiteral("(㎡)");
        else if (c == 5 || c == 6)
            text += QStringLiteral("(m)");
        PutCentred(c, c + 1, HeadingRow, text);
    }
}

void BalanceDrawing::DrawStorey(int s, int top)
{
    PutCentred(0, 1, top + 1, StoreyName(s));
    // A storey without any input is not checked: it says so, not zeros.
    if (!StoreyHasBalanceData(m_sheet, s)) {
        PutLeft(2, top + 1, QStringLiteral("未入力"));
        return;
    }
    for (int d = 0; d < 2; ++d) {
        const int first = top + 2 * d;
        const BalanceResult result = CheckBalance(m_sheet, s, d);
        PutCentred(1, 2, first, StrItems(S::BalanceDirections).value(d));
        for (int p = 0; p < SidePartCount; ++p) {
            const int row = first + p;
            const SidePart &input = m_sheet.balance[s].parts[d][p];
            const SidePartResult &part = result.parts[p];
            QString name = StrItems(S::SidePartNames + d).value(p);
            if (input.oneStorey && m_sheet.OneStoreyPartsAllowed(s))
                name += QStringLiteral(" ") + Str(S::OneStoreyPart);
            PutLeft(2, row, name);
            PutRight(3, row, input.floorArea);
            PutRight(4, row, part.multiplier.text.isEmpty() ? QString()
                                                             : part.multiplier.text + part.multiplier.unit);
            PutRight(5, row, part.necessary);
            PutRight(6, row, part.existing);
            if (result.checked() && result.verdict != BalanceVerdict::CountsTooMany)
                PutRight(7, row, FormatRatioDown(part.fillRatio));
        }
        PutLeft(8, first, result.checked() ? result.judgementText() : QStringLiteral("未入力"));
        // With a framing beyond 7 the check must hold with the full sums too.
        const bool passed = BalancePassed(m_sheet, s, d);
        const QString verdict = result.checked() ? (passed ? QStringLiteral("OK") : QStringLiteral("NG")) : QString();
        if (!verdict.isEmpty())
            PutLeft(8, first + 1, QStringLiteral("判定：") + verdict);
    }
}

CheckPages BalancePages()
{
    // A page of its own, so the sheet's pages stay as they have always been
    // printed.
    return {HasBalanceData, [](SheetPainter &painter, const CalcSheet &sheet) {
                painter.NewPage();
                BalanceDrawing(painter, sheet).DrawPage();
            }};
}

} // namespace quiren
