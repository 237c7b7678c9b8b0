#include "core/print/JointDrawing.h"
#include "core/calc/ColumnJoint.h"
#include "core/print/CheckPages.h"

#include "core/calc/ColumnJointReport.h"

#include <algorithm>

namespace quiren {

namespace {

// Column widths in twips; the hardware takes the rest of the sheet's width
// (10206 twips). Texts that do not fit are set smaller by PutFitted.
constexpr float Widths[] = {650, 850, 350, 1250, 1250, 1100, 750, 350, 750, 500, 600, 0, 450};
constexpr float SheetWidth = 10206.0f;
constexpr int HardwareColumn = 11;

const QStringList &headings()
{
    static const QStringList texts{
        QStringLiteral("柱"),  QStringLiteral("位置"), QStringLiteral("方向"), QStringLiteral("一方の側の軸組"),
        QStringLiteral("他方の側の軸組"), QStringLiteral("A (補正)"), QStringLiteral("B"), QStringLiteral("L"),
        QStringLiteral("H (m)"), QStringLiteral("N"), QStringLiteral("接合部"), QStringLiteral("金物"),
        QStringLiteral("判定"),
    };
    return texts;
}

} // namespace

JointDrawing::JointDrawing(SheetPainter &painter, const CalcSheet &sheet) : m_p(painter), m_sheet(sheet) {}

float JointDrawing::ColumnX(int column) const
{
    const float left = m_p.ColX(0);
    const float right = left + SheetWidth * m_p.Scale();
    if (column >= ColumnCount - 1)
        return right;
    // Columns after the hardware are measured from the right edge.
    if (column > HardwareColumn) {
        float x = right;
        for (int c = ColumnCount - 2; c >= column; --c)
            x -= Widths[c] * m_p.Scale();
        return x;
    }
    float x = left;
    for (int c = 0; c < column; ++c)
        x += Widths[c] * m_p.Scale();
    return x;
}

void JointDrawing::PutLeft(int column, int row, const QString &text)
{
    const float margin = m_p.CharWidth(8) / 4.0f;
    const float x = ColumnX(column) + margin;
    m_p.PutFitted(x, m_p.RowTextTop(row, 2), text, ColumnX(column + 1) - x - margin, 2,
                  SheetPainter::Anchor::Start, row);
}

void JointDrawing::PutRight(int column, int row, const QString &text)
{
    const float margin = m_p.CharWidth(8) / 4.0f;
    const float room = ColumnX(column + 1) - ColumnX(column) - 2 * margin;
    const float width = std::min(room, m_p.TextWidthOf(text, 2));
    m_p.PutFitted(ColumnX(column + 1) - margin - width, m_p.RowTextTop(row, 2), text, room, 2,
                  SheetPainter::Anchor::End, row);
}

void JointDrawing::PutCentred(int from, int to, int row, const QString &text)
{
    const float span = ColumnX(to) - ColumnX(from);
    const float width = std::min(span, m_p.TextWidthOf(text, 2));
    m_p.PutFitted(ColumnX(from) + (span - width) / 2.0f, m_p.RowTextTop(row, 2), text, span, 2,
                  SheetPainter::Anchor::Start, row);
}

std::vector<JointDrawing::Item> JointDrawing::items() const
{
    std::vector<Item> list;
    const int n = std::clamp(m_sheet.storeyIndex, 0, StoreyCount - 1);
    for (int s = 0; s <= n; ++s) {
        const JointStorey &storey = m_sheet.joints[s];
        if (storey.isBlank())
            continue;
        list.push_back({s, -1});
        for (int c = 0; c < static_cast<int>(storey.columns.size()); ++c)
            list.push_back({s, c});
    }
    return list;
}

int JointDrawing::PageCount() const
{
    int pages = 0, row = LastRow + 1;
    for (const Item &item : items()) {
        if (row + item.rows() > LastRow + 1) {
            ++pages;
            row = FirstRow;
        }
        row += item.rows();
    }
    return pages;
}

void JointDrawing::BeginTablePage(int page, int pages)
{
    m_p.NewPage();
    m_p.SetSheetFont(10, 4);
    QString title = QStringLiteral("柱頭・柱脚の接合 (N値計算)");
    if (pages > 1)
        title += QStringLiteral("  %1/%2").arg(page).arg(pages);
    m_p.PutText(m_p.ColX(0), m_p.CharHeight(12), title);
    m_p.SetSheetFont(9, 3);
    m_p.PutProjectLine(m_sheet.titleName);
    m_p.SetSheetFont(8, 2);
    DrawHeadings();
}

void JointDrawing::DrawHeadings()
{
    const QStringList &texts = headings();
    for (int c = 0; c < ColumnCount - 1; ++c)
        PutCentred(c, c + 1, HeadingRow, texts.value(c));
    PutCentred(10, 11, HeadingRow + 1, QStringLiteral("必要kN"));
    PutCentred(11, 12, HeadingRow + 1, QStringLiteral("入力した金物"));
    PutCentred(5, 6, HeadingRow + 1, QStringLiteral("1階: A1 / A2"));
}

void JointDrawing::CloseTable(int lastRow)
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
    // Column lines, broken where a storey's label runs across the table.
    m_p.SetPen(1);
    std::vector<std::pair<int, int>> runs;
    int from = HeadingRow;
    for (int label : m_labelRows) {
        if (label > from)
            runs.push_back({from, label});
        from = label + 1;
    }
    if (lastRow > from)
        runs.push_back({from, lastRow});
    for (int c = 1; c < ColumnCount - 1; ++c)
        for (const auto &[first, last] : runs)
            m_p.DrawLine(ColumnX(c), m_p.RowY(first), ColumnX(c), m_p.RowY(last));
    m_labelRows.clear();
    // The formula and the marks, under the table.
    m_p.SetSheetFont(8, 2);
    const float x = ColumnX(0);
    m_p.PutText(x, m_p.RowTextTop(lastRow + 1, 2),
                QStringLiteral("N = A1×B1×H1/2.7 − L (平屋・最上階)、N = A1×B1×H1/2.7 + A2×B2×H2/2.7 − L "
                               "(2階建ての1階)。H は 3.2m 以下なら 2.7。"));
    m_p.PutText(x, m_p.RowTextTop(lastRow + 2, 2),
                QStringLiteral("A: 両側の壁倍率の差 + 筋かいの補正。※ 補正値の表にない組合せ(値を確かめ、"
                               "必要なら入力して下さい)。"));
}

void JointDrawing::DrawPages()
{
    const std::vector<Item> list = items();
    if (list.empty())
        return;
    const int pages = PageCount();
    int page = 0, row = LastRow + 1;
    int storeyShown = -1;
    JointStoreyResult result;
    std::vector<JointReportRow> rows;
    for (const Item &item : list) {
        if (item.storey != storeyShown) {
            result = CheckColumnJoints(m_sheet, item.storey);
            rows = JointReportRows(m_sheet, item.storey, result);
            storeyShown = item.storey;
        }
        if (row + item.rows() > LastRow + 1) {
            if (page > 0)
                CloseTable(row);
            BeginTablePage(++page, pages);
            row = FirstRow;
        }
        m_p.SetSheetFont(8, 2);
        if (item.column < 0) {
            QString label = StoreyName(item.storey) + QStringLiteral("  ")
                            + JointMethodName(m_sheet.joints[item.storey].method);
            if (result.checked())
                label += QStringLiteral("  判定：") + result.verdictText();
            if (!result.refusal.isEmpty())
                label += QStringLiteral("  ") + result.refusal;
            m_p.SetPen(1);
            m_p.DrawLine(ColumnX(0), m_p.RowY(row), ColumnX(ColumnCount - 1), m_p.RowY(row));
            const float margin = m_p.CharWidth(8) / 4.0f;
            m_p.PutFitted(ColumnX(0) + margin, m_p.RowTextTop(row, 2), label,
                          ColumnX(ColumnCount - 1) - ColumnX(0) - 2 * margin, 2, SheetPainter::Anchor::Start, row);
            m_labelRows.push_back(row);
        } else {
            const JointReportRow &r = rows[static_cast<size_t>(item.column)];
            m_p.SetPen(1);
            m_p.DrawLine(ColumnX(0), m_p.RowY(row), ColumnX(ColumnCount - 1), m_p.RowY(row));
            PutLeft(0, row, r.name);
            const qsizetype slash = r.position.indexOf(QStringLiteral(" / "));
            PutLeft(1, row, slash < 0 ? r.position : r.position.left(slash));
            if (slash >= 0)
                PutLeft(1, row + 1, r.position.mid(slash + 3));
            for (int d = 0; d < 2; ++d) {
                const JointReportDirection &dir = r.directions[d];
                const int y = row + d;
                PutCentred(2, 3, y, d == 0 ? QStringLiteral("X") : QStringLiteral("Y"));
                PutLeft(3, y, dir.sides[0]);
                PutLeft(4, y, dir.sides[1]);
                PutRight(5, y, dir.a);
                PutRight(6, y, dir.b);
                PutRight(7, y, dir.l);
                PutRight(8, y, dir.h);
                PutRight(9, y, dir.n);
            }
            PutCentred(10, 11, row, r.joint);
            PutCentred(10, 11, row + 1, r.kn.isEmpty() ? QString() : r.kn + QStringLiteral("kN"));
            // The hardware on two lines where nothing was typed, else the
            // typed hardware under it.
            qsizetype orAt = r.hardware.indexOf(QStringLiteral("又は"));
            if (orAt < 0)
                orAt = r.hardware.lastIndexOf(QLatin1Char('('));
            if (r.fitted.isEmpty() && orAt > 0) {
                PutLeft(11, row, r.hardware.left(orAt));
                PutLeft(11, row + 1, r.hardware.mid(orAt));
            } else {
                PutLeft(11, row, r.hardware);
                PutLeft(11, row + 1, r.fitted.isEmpty() ? QString() : QStringLiteral("入力: ") + r.fitted);
            }
            PutCentred(12, 13, row, r.verdict);
        }
        row += item.rows();
    }
    CloseTable(row);
}

CheckPages JointPages()
{
    // The N値 table on as many pages as it needs, each begun by DrawPages.
    return {HasJointData, [](SheetPainter &painter, const CalcSheet &sheet) {
                JointDrawing(painter, sheet).DrawPages();
            }};
}

} // namespace quiren
