#include "core/print/Sheet2025Drawing.h"

#include "core/calc/Balance.h"
#include "core/calc/CheckVerdicts.h"
#include "core/calc/Framing.h"
#include "core/calc/LawWalls.h"
#include "core/calc/LwReport.h"
#include "core/calc/QuasiReport.h"
#include "core/calc/SheetWalls.h"
#include "core/print/SheetDevice.h"
#include "core/print/SheetTexts.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>

namespace quiren {

namespace {

constexpr int LastRow = SheetPainter::RowCount - 1;
constexpr int OfficeRows = 6;
const QString NotAvailable = QStringLiteral("#N/A");

// Columns of the wall tables, as shares of the sheet's width: storey, kind,
// section or heights, then per direction length, places, multiplier and
// effective length.
constexpr double StoreyAt = 0.0, KindAt = 0.05, DetailAt = 0.29, BlockAt[2] = {0.42, 0.71};
constexpr double LengthW = 0.08, PlacesW = 0.05, MultiplierW = 0.06;   // effective: the rest of the block
constexpr double BlockW = 0.29;

QString orNa(const QString &text)
{
    return text.trimmed().isEmpty() ? NotAvailable : text.trimmed();
}

// Measures as a page would and draws nothing: the sheet's page breaks
// depend on its rows alone.
class CountingDevice final : public SheetDevice {
public:
    float printableWidth() const override { return 11000.0f; }
    float printableHeight() const override { return 15800.0f; }
    void setFontSize(int points) override { m_points = points; }
    int fontSize() const override { return m_points; }
    float textWidth(const QString &text) const override { return 20.0f * m_points * text.size(); }
    float textHeight(const QString &) const override { return 20.0f * m_points; }
    void beginPage() override {}
    void newPage() override {}
    void drawText(float, float, const QString &) override {}
    void drawLine(float, float, float, float) override {}
    void setLineWidth(int) override {}

private:
    int m_points = 10;
};

// "２" for 2: page numbers as the sheet's Japanese text writes them.
QString FullWidthNumber(int number)
{
    QString text = QString::number(number);
    for (QChar &c : text)
        c = QChar(c.unicode() - u'0' + 0xFF10);
    return text;
}

} // namespace

Sheet2025Drawing::Sheet2025Drawing(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings,
                                   int balancePage)
    : m_p(painter), m_sheet(sheet), m_settings(settings), m_balancePage(balancePage)
{
}

int Sheet2025Drawing::CountPages(const CalcSheet &sheet, const SheetSettings &settings)
{
    CountingDevice device;
    SheetPainter painter(device);
    Sheet2025Drawing drawing(painter, sheet, settings, 1);
    drawing.Draw();
    return drawing.Pages();
}

int Sheet2025Drawing::storeys() const
{
    return std::clamp(m_sheet.storeyIndex + 1, 1, WeightRuleStoreys);
}

QString Sheet2025Drawing::Title() const
{
    return Str(S::Sheet2025TitleHead)
           + (storeys() == 1 ? Str(S::Sheet2025OneStorey) : Str(S::Sheet2025TwoStoreys));
}

QString Sheet2025Drawing::directionName(int d) const
{
    // As the calculation window names the directions.
    if (m_settings.pafKind)
        return Str(d == 0 ? S::ToGirders : S::ToBeams) + Str(S::ParallelWallArea).left(5);
    return Str(d == 0 ? S::GirderDirectionWallArea : S::BeamDirectionWallArea).left(6);
}

float Sheet2025Drawing::X(double share) const
{
    return m_p.ColX(0) + static_cast<float>(share) * (m_p.ColX(26) - m_p.ColX(0));
}

void Sheet2025Drawing::text(double share, int row, const QString &t)
{
    m_p.PutText(X(share) + m_p.CharWidth(8) / 4.0f, m_p.RowTextTop(row, 2), t);
}

void Sheet2025Drawing::textRight(double share, int row, const QString &t)
{
    m_p.PutText(X(share) - m_p.TextWidthOf(t, 2) - m_p.CharWidth(8) / 4.0f, m_p.RowTextTop(row, 2), t);
}

void Sheet2025Drawing::centred(double from, double to, int row, const QString &t)
{
    const float middle = (X(from) + X(to)) / 2.0f;
    m_p.PutText(middle - m_p.TextWidthOf(t, 2) / 2.0f, m_p.RowTextTop(row, 2), t);
}

void Sheet2025Drawing::rule(int row, double from, double to)
{
    m_p.DrawLine(X(from), m_p.RowY(row), X(to), m_p.RowY(row));
}

void Sheet2025Drawing::column(double share, int fromRow, int toRow)
{
    m_p.DrawLine(X(share), m_p.RowY(fromRow), X(share), m_p.RowY(toRow));
}

void Sheet2025Drawing::box(int fromRow, int toRow)
{
    m_p.SetPen(3);
    rule(fromRow);
    rule(toRow);
    column(0.0, fromRow, toRow);
    column(1.0, fromRow, toRow);
    m_p.SetPen(1);
}

void Sheet2025Drawing::heading(const QString &t)
{
    m_p.SetSheetFont(9, 3);
    m_p.PutText(X(0), m_p.RowTextTop(m_row, 3), t);
    m_p.SetSheetFont(8, 2);
    ++m_row;
}

void Sheet2025Drawing::ensureRoom(int rows)
{
    if (m_row + rows <= LastRow)
        return;
    m_p.NewPage();
    ++m_page;
    m_row = 0;
    m_p.SetSheetFont(9, 3);
    m_p.PutText(X(0), m_p.CharHeight(12), Title() + Str(S::Sheet2025Continued));
    m_p.SetSheetFont(8, 2);
}

void Sheet2025Drawing::Draw()
{
    m_p.BeginPage();
    m_p.ComputeLayout();
    m_p.PutLineType();
    drawTitle();
    drawSeismic();
    drawWind();
    drawBearingWalls();
    drawQuasiWalls();
    drawJudgement();
    drawLegend();
    if (m_settings.office.printed())
        drawOffice();
}

// The two heading rows of a wall table at the current row: the storey, the
// kind and its detail, then each direction's length, places, multiplier and
// effective length.
void Sheet2025Drawing::wallTableHeadings(const QString &kind, const QString &detail)
{
    const int row = m_row;
    centred(StoreyAt, KindAt, row + 1, Str(S::Sheet2025Storey));
    centred(KindAt, DetailAt, row + 1, kind);
    centred(DetailAt, BlockAt[0], row + 1, detail);
    for (int d = 0; d < 2; ++d) {
        const double b = BlockAt[d];
        centred(b, b + BlockW, row, directionName(d));
        centred(b, b + LengthW, row + 1, Str(S::Sheet2025Length));
        centred(b + LengthW, b + LengthW + PlacesW, row + 1, Str(S::Sheet2025Places));
        centred(b + LengthW + PlacesW, b + LengthW + PlacesW + MultiplierW, row + 1, Str(S::Sheet2025Multiplier));
        centred(b + LengthW + PlacesW + MultiplierW, b + BlockW, row + 1, Str(S::Sheet2025Effective));
    }
}

// The line that closes a storey's rows of a wall table: the row of sums
// ends, and a thick rule follows.
void Sheet2025Drawing::endStoreyRows()
{
    ++m_row;
    m_p.SetPen(2);
    rule(m_row);
    m_p.SetPen(1);
}

// The kind column's rule below the headings and the table's frame.
void Sheet2025Drawing::closeWallTable(int top, int bodyTop)
{
    column(KindAt, top, bodyTop);
    box(top, m_row);
    m_row += 1;
}

void Sheet2025Drawing::drawTitle()
{
    m_p.SetSheetFont(10, 4);
    m_p.PutText(m_p.ColX(0), m_p.CharHeight(12), Title());
    m_p.SetSheetFont(9, 3);
    m_p.PutProjectLine(m_sheet.titleName.trimmed());
    m_row = 0;
}

void Sheet2025Drawing::drawSeismic()
{
    const WeightRuleResults &r = m_sheet.weightResults;
    const SeismicInputs &in = m_sheet.weightInputs.seismic;
    heading(Str(S::Sheet2025SeismicHeading));
    const int top = m_row;
    std::vector<ReportLine> left;
    std::vector<ReportLine> right;
    if (in.method == LwMethod::Typed) {
        left.push_back({Str(S::Sheet2025LwMethod), Str(S::Sheet2025LwTyped), {}});
        // A typed Lw without a source prints nothing there; a source too
        // long for its place goes on the lines below, broken to the frame.
        const QString label = Str(S::Sheet2025LwSource), source = in.lwSource.trimmed();
        const float gap = m_p.CharWidth(8) / 4.0f;
        if (m_p.TextWidthOf(label + source, 2) + 4.0f * gap <= X(0.40) - X(0.0)) {
            left.push_back({label, source, {}});
        } else {
            left.push_back({label, {}, {}});
            for (const QString &line : m_p.WrapText(source, X(0.49) - X(0.0) - 3.0f * gap, 2))
                left.push_back({line, {}, {}});
        }
    } else {
        left.push_back({Str(S::Sheet2025LwMethod),
                        in.method == LwMethod::Loads ? Str(S::Sheet2025LwFromLoads)
                                                     : Str(S::Sheet2025LwByTool),
                        {}});
        const std::vector<ReportLine> inputs = LwInputLines(m_sheet);
        left.insert(left.end(), inputs.begin(), inputs.end());
        right = LwBreakdownLines(m_sheet);
    }
    const int rows = static_cast<int>(std::max(left.size(), right.size()));
    ensureRoom(rows + 2 * storeys() + 1);
    auto put = [this](const std::vector<ReportLine> &lines, double at, double valueEnd, int row0) {
        for (size_t i = 0; i < lines.size(); ++i) {
            const int row = row0 + static_cast<int>(i);
            text(at, row, lines[i].label);
            textRight(valueEnd, row, lines[i].value);
            text(valueEnd, row, lines[i].unit);
        }
    };
    const int first = m_row;
    put(left, 0.0, 0.40, first);
    put(right, 0.50, 0.88, first);
    m_row += rows;
    m_p.SetPen(1);
    if (rows > 0) {
        column(0.49, first, m_row);
        rule(m_row);
    }
    // Af with its terms, then the product as printed: Lw × Af.
    for (int s = 0; s < storeys(); ++s) {
        text(0.0, m_row, Str(S::Sheet2025StoreyN).arg(s + 1));
        text(0.05, m_row, AfEquation(m_sheet, s));
        ++m_row;
        text(0.05, m_row, FloorRequirementEquation(m_sheet, s));
        ++m_row;
    }
    // What the figure is doubtful about (outside the tool's range, inputs
    // missing) is printed with it, as the window shows it.
    for (const QString &warning : r.warnings) {
        ensureRoom(1);
        text(0.0, m_row++, Str(S::Sheet2025Caution) + warning);
    }
    box(top, m_row);
    m_row += 1;
}

void Sheet2025Drawing::drawWind()
{
    ensureRoom(2 + storeys());
    heading(Str(S::Sheet2025WindHeading) + m_sheet.windFactor[0]
            + (m_sheet.strongWind ? Str(S::Sheet2025StrongWindArea) : QString()));
    const int top = m_row;
    for (int s = 0; s < storeys(); ++s) {
        text(0.0, m_row, Str(S::Sheet2025StoreyN).arg(s + 1));
        for (int d = 0; d < 2; ++d) {
            const int w = s + 3 * d;
            text(0.05 + 0.475 * d, m_row,
                 directionName(d) + QStringLiteral("：") + orNa(m_sheet.projectedArea[w]) + QStringLiteral("㎡×")
                     + m_sheet.windFactor[w] + QStringLiteral("＝") + m_sheet.projectedRequirement[w]
                     + QStringLiteral("m"));
        }
        ++m_row;
    }
    box(top, m_row);
    m_row += 1;
}

void Sheet2025Drawing::drawBearingWalls()
{
    // Headings: the storey, the kind, its section, then per direction.
    auto headings = [this](const QString &kind, const QString &detail) {
        wallTableHeadings(kind, detail);
        m_row += 2;
    };
    auto columns = [this](int from, int to) {
        m_p.SetPen(1);
        for (double c : {KindAt, DetailAt})
            column(c, from, to);
        for (int d = 0; d < 2; ++d) {
            const double b = BlockAt[d];
            m_p.SetPen(2);
            column(b, from - 1, to);
            m_p.SetPen(1);
            for (double c : {b + LengthW, b + LengthW + PlacesW, b + LengthW + PlacesW + MultiplierW})
                column(c, from, to);
        }
    };

    std::array<std::vector<const FramingRow *>, WeightRuleStoreys> used;
    for (int s = 0; s < storeys(); ++s) {
        for (const FramingRow &row : m_sheet.framing[s]) {
            if (row.inUse())
                used[s].push_back(&row);
        }
    }
    ensureRoom(4 + static_cast<int>(used[0].size()) + 1);
    heading(Str(S::Sheet2025FramingHeading));
    int top = m_row;
    headings(Str(S::Sheet2025FramingKind), Str(S::Sheet2025SectionBracing));
    rule(m_row - 1, BlockAt[0], 1.0);
    rule(m_row);
    int bodyTop = m_row;
    for (int s = 0; s < storeys(); ++s) {
        const int rows = (m_sheet.weightResults.tallStorey[s] ? 2 : 1)
                             * std::max<int>(1, static_cast<int>(used[s].size())) + 1;
        if (m_row + rows > LastRow) {
            columns(bodyTop, m_row);
            box(top, m_row);
            ensureRoom(rows + 3);
            top = m_row;
            headings(Str(S::Sheet2025FramingKind), Str(S::Sheet2025SectionBracing));
            rule(m_row);
            bodyTop = m_row;
        }
        text(StoreyAt, m_row, Str(S::Sheet2025StoreyN).arg(s + 1));
        if (used[s].empty())
            text(KindAt, m_row++, Str(S::Sheet2025None));
        for (const FramingRow *row : used[s]) {
            const FramingRow &f = *row;
            // A long kind is made smaller to fit its column; the legend
            // below gives it in full.
            const float kindX = X(KindAt) + m_p.CharWidth(8) / 4.0f;
            m_p.PutFitted(kindX, m_p.RowTextTop(m_row, 2), f[ColKind], X(DetailAt) - m_p.CharWidth(8) / 4.0f - kindX, 2,
                          SheetPainter::Anchor::Start, m_row);
            QString detail = f[ColSection];
            if (f[ColXBracing] == framing::Crossed)
                detail += Str(S::Sheet2025XBracing);
            text(DetailAt, m_row, detail);
            std::array<double, 2> alpha{1.0, 1.0};
            for (int d = 0; d < 2; ++d) {
                const double b = BlockAt[d];
                const int c = 4 * d;
                textRight(b + LengthW, m_row, f[ColLength0 + c].trimmed());
                textRight(b + LengthW + PlacesW, m_row, f[ColPlaces0 + c]);
                textRight(b + LengthW + PlacesW + MultiplierW, m_row, f[ColMultiplier0 + c]);
                textRight(b + BlockW, m_row, f[ColEffective0 + c]);
                if (m_sheet.weightResults.tallStorey[s] && !f[ColMultiplier0 + c].isEmpty()
                    && FramingMultiplierShares(f[ColKind], f[ColSection], f[ColXBracing], m_sheet.walls(),
                                               static_cast<int>(m_sheet.walls().size()) - 1)
                               .braces() > 0)
                    alpha[d] = BraceReduction(TextValue(f[ColLength0 + c]),
                                              TextValue(m_sheet.weightInputs.memberDistance[s]));
            }
            ++m_row;
            // A tall storey's reduced brace: H and αh beside the multiplier.
            if (alpha[0] < 1.0 || alpha[1] < 1.0) {
                text(KindAt, m_row, Str(S::Sheet2025BraceReduced)
                                         .arg(m_sheet.weightInputs.memberDistance[s].trimmed()));
                for (int d = 0; d < 2; ++d) {
                    if (alpha[d] < 1.0)
                        textRight(BlockAt[d] + LengthW + PlacesW + MultiplierW, m_row,
                                  QStringLiteral("αh＝") + FormatFixed4(alpha[d]));
                }
                ++m_row;
            }
        }
        rule(m_row, KindAt, 1.0);
        text(KindAt, m_row, Str(S::Sheet2025FramingSum));
        for (int d = 0; d < 2; ++d)
            textRight(BlockAt[d] + BlockW, m_row, FormatFixed4(m_sheet.weightResults.bearingSum[s][d]) + QStringLiteral("m"));
        endStoreyRows();
    }
    columns(bodyTop, m_row);
    closeWallTable(top, bodyTop);
}

void Sheet2025Drawing::drawQuasiWalls()
{
    std::array<std::vector<const QuasiWallRow *>, WeightRuleStoreys> used;
    bool any = false;
    for (int s = 0; s < storeys(); ++s) {
        for (const QuasiWallRow &row : m_sheet.quasiWalls[s]) {
            if (row.inUse()) {
                used[s].push_back(&row);
                any = true;
            }
        }
    }
    const QString title = Str(S::Sheet2025QuasiHeading);
    if (!any) {
        ensureRoom(2);
        heading(title);
        text(KindAt, m_row++, Str(S::Sheet2025QuasiNone));
        m_row += 1;
        return;
    }
    int total = 4;
    for (int s = 0; s < storeys(); ++s)
        total += 2 * std::max<int>(1, static_cast<int>(used[s].size())) + 2;
    ensureRoom(std::min(total, 12));
    heading(title);
    int top = m_row;
    auto headingRows = [this] {
        const int row = m_row;
        wallTableHeadings(Str(S::Sheet2025QuasiKind), Str(S::Sheet2025QuasiHeights));
        rule(row + 1, BlockAt[0], 1.0);
        m_row += 2;
        rule(m_row);
    };
    headingRows();
    int bodyTop = m_row;
    // The rows whose text runs from the kind's column to the frame: the
    // column lines right of the kind stop above them and go on below.
    std::vector<int> wideRows;
    auto columns = [this, &wideRows](int from, int to) {
        auto around = [&](double c, int a, int b) {
            for (int row : wideRows) {
                if (row < a || row >= b)
                    continue;
                if (row > a)
                    column(c, a, row);
                a = row + 1;
            }
            if (a < b)
                column(c, a, b);
        };
        m_p.SetPen(1);
        column(KindAt, from, to);
        around(DetailAt, from, to);
        for (int d = 0; d < 2; ++d) {
            const double b = BlockAt[d];
            around(b, from - 1, to);
            for (double c : {b + LengthW, b + LengthW + PlacesW, b + LengthW + PlacesW + MultiplierW})
                around(c, from, to);
        }
    };
    const WeightRuleResults &r = m_sheet.weightResults;
    for (int s = 0; s < storeys(); ++s) {
        const int rows = 2 * std::max<int>(1, static_cast<int>(used[s].size())) + 2;
        if (m_row + rows > LastRow) {
            columns(bodyTop, m_row);
            wideRows.clear();
            box(top, m_row);
            ensureRoom(rows + 3);
            top = m_row;
            headingRows();
            bodyTop = m_row;
        }
        text(StoreyAt, m_row, Str(S::Sheet2025StoreyN).arg(s + 1));
        if (used[s].empty())
            text(KindAt, m_row++, Str(S::Sheet2025None));
        for (const QuasiWallRow *row : used[s]) {
            const QuasiWallRow &q = *row;
            // The kind, the panel and its base multiplier, the heights.
            text(KindAt, m_row, q.kind);
            text(DetailAt, m_row, orNa(q.panelHeight) + QStringLiteral("／") + orNa(q.clearHeight) + QStringLiteral("cm"));
            for (int d = 0; d < 2; ++d) {
                const double b = BlockAt[d];
                textRight(b + LengthW, m_row, q.length[d].trimmed());
                textRight(b + LengthW + PlacesW, m_row, q.places[d].trimmed());
                textRight(b + LengthW + PlacesW + MultiplierW, m_row, q.multiplier);
                const bool refused = !q.refusal.isEmpty() || !q.widthRefusal[d].isEmpty();
                textRight(b + BlockW, m_row, refused && !q.length[d].trimmed().isEmpty() ? Str(S::Sheet2025NotCounted)
                                                                                        : q.effective[d]);
            }
            ++m_row;
            // Why a row (or a direction of it) does not count.
            QStringList reasons;
            if (!q.refusal.isEmpty())
                reasons << q.refusal;
            for (int d = 0; d < 2; ++d) {
                if (!q.widthRefusal[d].isEmpty())
                    reasons << directionName(d) + QStringLiteral("：") + q.widthRefusal[d];
            }
            // The kind and the base multiplier on the line below, with the
            // multiplier's formula or the reason the row does not count.
            const QString kind = QStringLiteral("　") + QuasiKindName(q.wallKind) + Str(S::Sheet2025BaseMultiplierOpen)
                                 + QuasiBaseText(q) + QStringLiteral("）");
            const QString line = kind
                                 + (reasons.isEmpty() ? Str(S::Sheet2025MultiplierIs) + QuasiFormulaText(q)
                                                      : Str(S::Sheet2025NotCountedBecause)
                                                            + reasons.join(QStringLiteral("　")));
            const float x = X(KindAt) + m_p.CharWidth(8) / 4.0f;
            m_p.PutFitted(x, m_p.RowTextTop(m_row, 2), line, X(1.0) - m_p.CharWidth(8) / 4.0f - x, 2,
                          SheetPainter::Anchor::Start, m_row);
            wideRows.push_back(m_row++);
        }
        rule(m_row, KindAt, 1.0);
        text(KindAt, m_row, Str(S::Sheet2025QuasiSum));
        for (int d = 0; d < 2; ++d)
            textRight(BlockAt[d] + BlockW, m_row, FormatFixed4(r.quasiSum[s][d]) + QStringLiteral("m"));
        ++m_row;
        rule(m_row, KindAt, 1.0);
        text(KindAt, m_row, Str(S::Sheet2025QuasiCounted));
        for (int d = 0; d < 2; ++d) {
            const bool capped = r.quasiSum[s][d] > r.quasiCounted[s][d] + 0.00005;
            const QString counted = (capped ? Str(S::Sheet2025CappedAt) : QString())
                                    + FormatFixed4(r.quasiCounted[s][d]) + QStringLiteral("m");
            // Made smaller where it would reach over the multiplier's column.
            const float gap = m_p.CharWidth(8) / 4.0f;
            const float end = X(BlockAt[d] + BlockW) - gap;
            const float room = end - X(BlockAt[d] + LengthW + PlacesW + MultiplierW) - 2.0f * gap;
            m_p.PutFitted(end - m_p.TextWidthOf(counted, 2), m_p.RowTextTop(m_row, 2), counted, room, 2,
                          SheetPainter::Anchor::End, m_row);
        }
        endStoreyRows();
    }
    columns(bodyTop, m_row);
    closeWallTable(top, bodyTop);
}

void Sheet2025Drawing::drawJudgement()
{
    int rows = 2 + 3 * storeys();
    for (int s = 0; s < storeys(); ++s)
        rows += m_sheet.weightResults.refusal[s].isEmpty() ? 0 : 1;
    ensureRoom(rows + 1);
    heading(Str(S::Sheet2025JudgementHeading));
    const int top = m_row;
    // Columns: storey, direction, seismic, wind, necessary, bearing, quasi, total, judgement.
    const double at[] = {0.0, 0.05, 0.25, 0.35, 0.45, 0.55, 0.65, 0.75, 0.85, 1.0};
    const QString heads[] = {Str(S::Sheet2025Storey),       Str(S::Sheet2025Direction),     Str(S::Sheet2025Seismic),
                             Str(S::Sheet2025Wind),   Str(S::Sheet2025Necessary), Str(S::Sheet2025BearingWalls),
                             Str(S::Sheet2025QuasiWalls), Str(S::Sheet2025Existing), Str(S::Sheet2025Judgement)};
    for (int c = 0; c < 9; ++c)
        centred(at[c], at[c + 1], m_row, heads[c]);
    ++m_row;
    rule(m_row);
    const WeightRuleResults &r = m_sheet.weightResults;
    for (int s = 0; s < storeys(); ++s) {
        for (int d = 0; d < 2; ++d) {
            const JudgementRow &judge = m_sheet.judgement[s];
            if (d == 0)
                text(at[0], m_row, Str(S::Sheet2025StoreyN).arg(s + 1));
            text(at[1], m_row, directionName(d));
            textRight(at[3], m_row, m_sheet.floorRequirement[s]);
            textRight(at[4], m_row, m_sheet.projectedRequirement[s + 3 * d]);
            textRight(at[5], m_row, orNa(judge[JudgeNecessary0 + 3 * d]));
            textRight(at[6], m_row, FormatFixed4(r.bearingSum[s][d]));
            const bool capped = r.quasiSum[s][d] > r.quasiCounted[s][d] + 0.00005;
            textRight(at[7], m_row, (capped ? QStringLiteral("※") : QString()) + FormatFixed4(r.quasiCounted[s][d]));
            textRight(at[8], m_row, judge[JudgeSum0 + 3 * d]);
            // The relation that holds, then the window's judgement text.
            const QString result = judge[JudgeResult0 + 3 * d].trimmed();
            const bool ok = result == QStringLiteral("OK");
            const bool refused = !r.refusal[s].isEmpty();
            const QString relation = refused ? Str(S::Sheet2025NotJudged)
                                     : result.isEmpty() ? QStringLiteral("―")
                                     : (ok ? Str(S::Sheet2025Sufficient) : Str(S::Sheet2025Short) + result);
            text(at[8], m_row, relation);
            ++m_row;
        }
        if (!r.refusal[s].isEmpty())
            text(at[1], m_row++, Str(S::Sheet2025StoreyNColon).arg(s + 1) + r.refusal[s]);
        drawBalanceVerdict(s);
        rule(m_row);
    }
    m_p.SetPen(1);
    for (int c = 1; c < 9; ++c)
        column(at[c], c == 1 ? top + 1 : top, m_row);
    box(top, m_row);
    m_row += 1;
}

// The quarter method's verdict of storey s, so that page 1 and the
// quarter-method page never disagree.
void Sheet2025Drawing::drawBalanceVerdict(int s)
{
    QString verdict = BalanceStoreyVerdict(m_sheet, s);
    if (verdict.isEmpty())
        verdict = Str(S::Sheet2025NotEntered);
    if (StoreyHasBalanceData(m_sheet, s) && m_balancePage > 0)
        verdict += Str(S::Sheet2025OnPage).arg(FullWidthNumber(m_balancePage));
    text(0.05, m_row++, Str(S::Sheet2025Balance) + verdict);
}

void Sheet2025Drawing::drawLegend()
{
    bool tall = false;
    for (int s = 0; s < storeys(); ++s)
        tall = tall || m_sheet.weightResults.tallStorey[s];
    // The kinds the sheet uses, each with its multiplier and where the law gives it.
    const std::vector<KindLegendLine> lines = KindLegend(m_sheet);
    const bool unverified = std::any_of(lines.begin(), lines.end(), [](const KindLegendLine &line) {
        return line.multiplier.contains(UnverifiedMark);
    });
    const int kindRows = std::max<int>(1, static_cast<int>(lines.size()));
    const int rows = 1 + kindRows + 4 + (tall ? 1 : 0) + (unverified ? 1 : 0);
    ensureRoom(std::min(rows, LastRow - 1));
    heading(Str(S::Sheet2025KindsHeading));
    int top = m_row;
    if (lines.empty())
        text(0.0, m_row++, Str(S::Sheet2025NoBearingWalls));
    const float gap = m_p.CharWidth(8) / 2.0f;
    for (const KindLegendLine &line : lines) {
        if (m_row >= LastRow) {
            box(top, m_row);
            ensureRoom(LastRow);
            top = m_row;
        }
        const float y = m_p.RowTextTop(m_row, 2);
        const float timesX = X(0.68) - m_p.TextWidthOf(line.multiplier, 2) - gap / 2.0f;
        m_p.PutFitted(X(0.0) + gap / 2.0f, y, line.kind, timesX - gap - X(0.0), 2, SheetPainter::Anchor::Start, m_row);
        m_p.PutText(timesX, y, line.multiplier);
        m_p.PutFitted(X(0.69), y, line.provision, X(1.0) - X(0.69) - gap / 2.0f, 2, SheetPainter::Anchor::Start, m_row);
        ++m_row;
    }
    // The office's block follows on the same page: the notes go over
    // with it rather than leave it a page of its own.
    const int notes = rows - kindRows - 1;
    const int after = notes + (m_settings.office.printed() ? 1 + OfficeRows : 0);
    if (m_row + after > LastRow) {
        box(top, m_row);
        ensureRoom(after);
        top = m_row;
    }
    rule(m_row);
    if (unverified)
        text(0.0, m_row++, QStringLiteral("・") + UnverifiedNote());
    text(0.0, m_row++, Str(S::Sheet2025NoteCombined));
    text(0.0, m_row++, Str(S::Sheet2025NoteQuasiFormula));
    text(0.0, m_row++, Str(S::Sheet2025NoteQuasiRounding));
    text(0.0, m_row++, Str(S::Sheet2025NoteQuasiHalf));
    if (tall)
        text(0.0, m_row++, Str(S::Sheet2025NoteTallStorey));
    box(top, m_row);
    m_row += 1;
}

void Sheet2025Drawing::drawOffice()
{
    ensureRoom(OfficeRows);
    const OfficeData &office = m_settings.office;
    const bool first = office.firstClass();
    m_p.SetSheetFont(9, 3);
    auto line = [&](const QString &left, const QString &right) {
        m_p.PutText(m_p.ColX(0), m_p.RowY(m_row), left);
        m_p.PutText(m_p.ColX(5), m_p.RowY(m_row), right);
        ++m_row;
    };
    line(Str(S::SheetOfficeName), QStringLiteral("：") + office.officeName());
    line(Str(S::SheetAddress), QStringLiteral("：") + office.address());
    line(Str(first ? S::SheetFirstClassOffice : S::SheetSecondClassOffice),
         QStringLiteral("：") + RegistrationText(office.officeRegst()));
    line(QStringLiteral("Tel：") + office.tel(), QStringLiteral("fax：") + office.fax());
    line(Str(S::SheetManagerName), QStringLiteral("：") + office.name());
    line(Str(first ? S::SheetFirstClassArchitect : S::SheetSecondClassArchitect),
         QStringLiteral("：") + RegistrationText(office.regstNumber()));
}

} // namespace quiren
