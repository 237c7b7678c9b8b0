#include "core/print/SheetDrawing.h"

#include "core/calc/Balance.h"
#include "core/calc/ColumnCheck.h"
#include "core/calc/CoefficientTable.h"
#include "core/calc/Framing.h"
#include "core/calc/LawWalls.h"
#include "core/calc/SheetWalls.h"
#include "core/print/CheckPages.h"
#include "core/print/Sheet2025Drawing.h"
#include "core/print/SheetTexts.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>

namespace quiren {

namespace {

// Rows the kinds legend has on the old sheet, below its coefficient block.
constexpr int KindBlockTop = 54;
constexpr int KindBlockRows = 7;

// Lines of the kinds legend, one per row from `top`: the kind, its
// multiplier ending at `timesCol` and the provision after it up to column 26.
void drawKindLines(SheetPainter &p, const std::vector<KindLegendLine> &lines, int top, int fromCol, int timesCol)
{
    const float w8 = p.CharWidth(8);
    const float gap = w8 / 2.0f;
    int row = top;
    for (const KindLegendLine &line : lines) {
        const float y = p.RowTextTop(row, 2);
        const float timesX = p.ColX(timesCol) - p.TextWidthOf(line.multiplier, 2) - w8 / 4.0f;
        const float kindX = p.ColX(fromCol) + w8 / 4.0f;
        p.PutFitted(kindX, y, line.kind, timesX - gap - kindX, 2, SheetPainter::Anchor::Start, row);
        p.PutText(timesX, y, line.multiplier);
        const float provisionX = p.ColX(timesCol) + w8 / 4.0f;
        p.PutFitted(provisionX, y, line.provision, p.ColX(26) - provisionX - w8 / 4.0f, 2,
                    SheetPainter::Anchor::Start, row);
        ++row;
    }
}

bool anyUnverified(const std::vector<KindLegendLine> &lines)
{
    return std::any_of(lines.begin(), lines.end(),
                       [](const KindLegendLine &line) { return line.multiplier.contains(UnverifiedMark); });
}

// Whether the lines, with the note on unverified values, are more than the block holds.
bool overflowsBlock(const std::vector<KindLegendLine> &lines)
{
    return static_cast<int>(lines.size()) + (anyUnverified(lines) ? 1 : 0) > KindBlockRows;
}

// The whole legend on a page of its own, when the sheet's block cannot hold it.
void drawKindLegendPage(SheetPainter &p, const std::vector<KindLegendLine> &lines)
{
    p.NewPage();
    p.SetSheetFont(9, 3);
    p.PutText(p.ColX(0), p.RowTextTop(0, 3), QStringLiteral("（使用した軸組の種類と倍率）"));
    p.SetSheetFont(8, 2);
    drawKindLines(p, lines, 2, 0, 17);
    if (anyUnverified(lines))
        p.PutText(p.ColX(0), p.RowTextTop(3 + static_cast<int>(lines.size()), 2), UnverifiedNote());
}


const QString NotAvailable = QStringLiteral("#N/A");

// Per storey: first and last framing-block rows and the judgement row.
constexpr int HeadingRow[3] = {8, 26, 42};
constexpr int JudgementRowOf[3] = {19, 35, 51};
constexpr int FirstFramingRow[3] = {10, 28, 44};
constexpr int FirstBlockRow[3] = {9, 27, 43};

// The requirement labels of each storey that the judgement row names:
// floor area, then the projected areas of direction 0 and 1.
const char *const RequirementLabels[3][3] = {
    {"(ｲ)", "(ﾛ)", "(ﾊ)"}, {"(ﾆ)", "(ﾎ)", "(ﾍ)"}, {"(ﾄ)", "(ﾁ)", "(ﾘ)"}};

// "(ｲ)又は(ﾛ)": what the judgement row of storey s says the necessary
// length of direction d is, at the head of the direction's block.
QString OrText(int s, int d)
{
    return QString::fromUtf8(RequirementLabels[s][0]) + QStringLiteral("又は")
           + QString::fromUtf8(RequirementLabels[s][1 + d]);
}

enum class JudgementRelation { None, Enough, Short };

// What the judgement cell says about the two lengths: "OK" when the
// effective length reaches the necessary one, a percentage when it falls
// short, nothing when the storey has not been judged.
JudgementRelation RelationOf(const QString &judgement)
{
    const QString text = judgement.trimmed();
    if (text.isEmpty())
        return JudgementRelation::None;
    if (text == QLatin1String("OK"))
        return JudgementRelation::Enough;
    return JudgementRelation::Short;
}

QString RelationSign(JudgementRelation relation)
{
    switch (relation) {
    case JudgementRelation::Enough: return QStringLiteral("≦");
    case JudgementRelation::Short: return QStringLiteral("＞");
    case JudgementRelation::None: break;
    }
    return QString();
}

} // namespace

SheetSettings ReadSheetSettings(const AppData &data)
{
    SheetSettings settings;
    settings.pafKind = ReadPafKind();
    settings.office = data.office;
    return settings;
}

SheetDrawing::SheetDrawing(SheetPainter &painter, const CalcSheet &sheet,
                           const SheetSettings &settings)
    : m_p(painter), m_sheet(sheet), m_settings(settings),
      m_n(std::clamp(sheet.storeyIndex, 0, StoreyCount - 1))
{
    m_wind = WindFactorText();
}

QString SheetDrawing::StoreySuffix() const
{
    switch (m_n) {
    case 0: return QStringLiteral("平屋建）");
    case 1: return QStringLiteral("２階建）");
    default: return QStringLiteral("３階建）");
    }
}

QString SheetDrawing::WindFactorText() const
{
    // The factor the requirements were computed with, never the setting as
    // it stands now: the option keeps the value read when it was switched
    // on, and an equation printed with another factor would not add up.
    const double factor = TextValue(m_sheet.windFactor[0]);
    if (factor == 0.5)
        return QStringLiteral("0.5");
    return QString::number(factor, 'g', 15);
}

QString SheetDrawing::ProjectedHead(int d) const
{
    if (m_settings.pafKind) {
        return d == 0 ? QStringLiteral("梁に") + Str(S::ParallelWallArea) + QStringLiteral("(A)及び(C)")
                      : QStringLiteral("桁に") + Str(S::ParallelWallArea) + QStringLiteral("(B)及び(D)");
    }
    return d == 0 ? Str(S::BeamDirectionWallArea) + QStringLiteral("(A)及び(C)")
                  : Str(S::GirderDirectionWallArea) + QStringLiteral("(B)及び(D)");
}

QString SheetDrawing::FramingHead(int d) const
{
    if (m_settings.pafKind)
        return (d == 0 ? Str(S::SheetParallelToGirders) : Str(S::SheetParallelToBeams)) + Str(S::SheetFramingValues);
    return (d == 0 ? Str(S::SheetGirderDirection) : Str(S::SheetBeamDirection)) + Str(S::SheetFramingValues);
}

QString SheetDrawing::CellOrNa(const QString &text) const
{
    return text.isEmpty() ? NotAvailable : text;
}

const FramingRow *SheetDrawing::FramingRowAt(int s, int r) const
{
    const auto &rows = m_sheet.framing[static_cast<size_t>(s)];
    return r >= 0 && r < static_cast<int>(rows.size()) ? &rows[static_cast<size_t>(r)] : nullptr;
}

void SheetDrawing::Put(int column, int row, const QString &text)
{
    m_p.PutText(m_p.ColX(column), m_p.RowTextTop(row, 2), text);
}

float SheetDrawing::Gap() const
{
    return m_p.CharWidth(8) / 4.0f;
}

void SheetDrawing::PutIn(int column, int row, const QString &text, float right)
{
    const float x = m_p.ColX(column);
    m_p.PutFitted(x, m_p.RowTextTop(row, 2), text, right - x, 2, SheetPainter::Anchor::Start, row);
}

void SheetDrawing::PutRightIn(int column, int row, const QString &text, float left)
{
    const float end = m_p.ColX(column);
    m_p.PutFitted(end - m_p.TextWidthOf(text, 2), m_p.RowTextTop(row, 2), text, end - left, 2,
                  SheetPainter::Anchor::End, row);
}

void SheetDrawing::DrawSheet()
{
    m_p.BeginPage();
    m_p.ComputeLayout();
    m_wind = WindFactorText();

    DrawFrame();

    if (m_n == 0) {
        m_p.SetSheetFont(8, 2);
        const QString oneStorey = Str(S::OneStoreyBuilding);
        for (int i = 0; i < 3; ++i)
            m_p.PutCentred(0, 1, 8 + 2 * i, oneStorey.mid(i, 1), 2);
    } else if (m_n == 1) {
        DrawLengthLabels(20, 28);
        DrawRequirementHeadings(QStringLiteral("二"), QStringLiteral("(ﾆ)"), QStringLiteral("(C)"),
                                QStringLiteral("(ﾎ)"), QStringLiteral("(D)"), QStringLiteral("(ﾍ)"),
                                21, 35);
        DrawRequirementLines(1, 24);
        DrawStoreyLabels(S::TwoStoreyLabels);
    } else {
        DrawLengthLabels(20, 28);
        DrawLengthLabels(36, 44);
        DrawRequirementHeadings(QStringLiteral("二"), QStringLiteral("(ﾆ)"), QStringLiteral("(C)"),
                                QStringLiteral("(ﾎ)"), QStringLiteral("(D)"), QStringLiteral("(ﾍ)"),
                                21, 35);
        DrawRequirementHeadings(QStringLiteral("三"), QStringLiteral("(ﾄ)"), QStringLiteral("(E)"),
                                QStringLiteral("(ﾁ)"), QStringLiteral("(F)"), QStringLiteral("(ﾘ)"),
                                37, 51);
        DrawRequirementLines(1, 24);
        DrawRequirementLines(2, 40);
        DrawStoreyLabels(S::ThreeStoreyLabels);
    }

    DrawLengthLabels(2, 11);
    DrawRequirementHeadings(QStringLiteral("一"), QStringLiteral("(ｲ)"), QStringLiteral("(A)"),
                            QStringLiteral("(ﾛ)"), QStringLiteral("(B)"), QStringLiteral("(ﾊ)"),
                            3, 19);
    DrawFramingHeadings();
    DrawRequirementLines(0, 6);
    DrawFramingRows();

    // Title and project line.
    m_p.SetSheetFont(10, 4);
    m_p.PutText(m_p.ColX(0), m_p.CharHeight(12), Str(S::SheetTitle) + StoreySuffix());
    m_p.SetSheetFont(9, 3);
    m_p.PutProjectLine(m_sheet.titleName);

    // Column headings of the table and of the coefficient block.
    m_p.PutCentred(1, 8, 0, Str(S::SheetFloorCalculation), 3);
    m_p.PutCentred(8, 26, 0, Str(S::SheetProjectedCalculation), 3);
    m_p.PutCentred(1, 8, 1, Str(S::SheetBothDirections), 3);
    m_p.SetSheetFont(9, 2);
    m_p.PutCentred(8, 17, 1, ProjectedHead(0), 2);
    m_p.PutCentred(17, 26, 1, ProjectedHead(1), 2);
    m_p.PutCentred(0, 7, 53, Str(S::SheetRoofFactorNote), 2);
    m_p.PutCentred(7, 26, 53,
                   UsesLawPanelKinds(m_sheet) ? QStringLiteral("（使用した軸組の種類と倍率）") : Str(S::SheetMultiplierNote), 2);

    DrawCoefficientBlock();
    if (m_settings.office.printed())
        DrawOfficeBlock();
}

void SheetDrawing::DrawFrame()
{
    static constexpr int bottoms[3] = {20, 36, 52};
    const int b = bottoms[m_n];

    m_p.PutLineType();

    m_p.SetPen(4);
    m_p.DrawGridLine(0, 0, 26, 0, 1);
    m_p.DrawGridLine(26, b, 0, 0, 0);
    m_p.DrawGridLine(0, b, 0, 0, 0);
    m_p.DrawGridLine(0, 0, 0, 0, 0);

    m_p.SetPen(3);
    m_p.DrawGridLine(1, 0, 1, b, 0);

    m_p.SetPen(2);
    m_p.DrawGridLine(2, 2, 2, b, 0);
    m_p.DrawGridLine(8, 0, 8, b, 0);
    m_p.DrawGridLine(1, 8, 26, 8, 0);
    if (m_n >= 1) {
        m_p.DrawGridLine(0, 20, 26, 20, 0);
        m_p.DrawGridLine(1, 26, 26, 26, 0);
    }
    if (m_n == 2) {
        m_p.DrawGridLine(0, 36, 26, 36, 0);
        m_p.DrawGridLine(1, 42, 26, 42, 0);
    }

    m_p.SetPen(1);
    m_p.DrawGridLine(17, 1, 17, b, 0);

    // The judgement boxes, one per direction.
    m_p.SetPen(4);
    for (int s = 0; s <= m_n; ++s) {
        const int r = JudgementRowOf[s];
        m_p.DrawGridLine(14, r, 17, r, 1);
        m_p.DrawGridLine(17, r + 1, 0, 0, 0);
        m_p.DrawGridLine(14, r + 1, 0, 0, 0);
        m_p.DrawGridLine(14, r, 0, 0, 0);
        m_p.EndChain();
        m_p.DrawGridLine(23, r, 26, r, 1);
        m_p.DrawGridLine(26, r + 1, 0, 0, 0);
        m_p.DrawGridLine(23, r + 1, 0, 0, 0);
        m_p.DrawGridLine(23, r, 0, 0, 0);
        m_p.EndChain();
    }

    // Column lines of the framing rows.
    m_p.SetPen(1);
    for (int s = 0; s <= m_n; ++s) {
        const int t = FirstFramingRow[s];
        const int e = JudgementRowOf[s];
        m_p.DrawGridLine(5, t - 1, 5, e, 0);
        for (int c : {10, 12, 14, 19, 21, 23})
            m_p.DrawGridLine(c, t, c, e, 0);
    }
    m_p.EndChain();

    // Row lines of the framing blocks.
    for (int s = 0; s <= m_n; ++s) {
        const int f = FirstBlockRow[s];
        const int e = JudgementRowOf[s];
        for (int m = f; m <= e; ++m) {
            m_p.SetPen(m == f + 1 || m == e ? 2 : 1);
            m_p.DrawGridLine(2, m, 26, m, 0);
        }
    }

    // The coefficient block.
    m_p.SetPen(4);
    m_p.DrawGridLine(0, 53, 26, 53, 1);
    m_p.DrawGridLine(26, 61, 0, 0, 0);
    m_p.DrawGridLine(0, 61, 0, 0, 0);
    m_p.DrawGridLine(0, 53, 0, 0, 0);

    m_p.SetPen(3);
    m_p.DrawGridLine(0, 2, 26, 2, 0);

    m_p.SetPen(2);
    m_p.DrawGridLine(0, 54, 26, 54, 0);
    m_p.DrawGridLine(7, 53, 7, 61, 0);

    m_p.SetPen(1);
    // The fixed table of 令46条 has two halves; the list of the kinds used has one.
    if (!UsesLawPanelKinds(m_sheet))
        m_p.DrawGridLine(17, 54, 17, 61, 0);
    m_p.DrawGridLine(0, 0, 1, 2, 0);
    m_p.DrawGridLine(1, 1, 26, 1, 0);
}

void SheetDrawing::DrawLengthLabels(int a, int b)
{
    m_p.SetSheetFont(8, 2);
    const QString necessary = Str(S::NecessaryLength);
    const QString effective = Str(S::EffectiveLength);
    for (int i = 0; i < 6; ++i) {
        m_p.PutCentred(1, 2, a + i, necessary.mid(i, 1), 2);
        m_p.PutCentred(1, 2, b + i, effective.mid(i, 1), 2);
    }
}

void SheetDrawing::DrawRequirementHeadings(const QString &floor, const QString &lf,
                                           const QString &a1, const QString &l1,
                                           const QString &a2, const QString &l2, int headRow,
                                           int orRow)
{
    const QString under = Str(S::SheetNecessaryLength);
    auto heading = [&](int column, const QString &text) {
        m_p.SetSheetFont(8, 2);
        const float x = m_p.ColX(column);
        m_p.PutText(x, m_p.RowTextTop(headRow, 2), text);
        // "必要軸組長さ" ends where the heading ends.
        const float underX = x + m_p.TextWidthOf(text, 2) - m_p.Device().textWidth(under);
        m_p.PutText(underX, m_p.RowTextTop(headRow + 1, 2), under);
    };
    heading(3, floor + Str(S::SheetStoreyFloorArea) + Str(S::SheetTimesFactor) + lf + Str(S::SheetByFloorArea));
    heading(9, a1 + Str(S::SheetProjectedAreaTimes) + m_wind + QStringLiteral("＝") + l1 + Str(S::SheetByProjectedArea));
    heading(18, a2 + Str(S::SheetProjectedAreaTimes) + m_wind + QStringLiteral("＝") + l2 + Str(S::SheetByProjectedArea));

    Put(9, orRow, lf + QStringLiteral("又は") + l1);
    Put(18, orRow, lf + QStringLiteral("又は") + l2);
}

void SheetDrawing::DrawRequirementLines(int s, int row)
{
    m_p.SetSheetFont(8, 2);
    const size_t i = static_cast<size_t>(s);
    PutIn(3, row,
          CellOrNa(m_sheet.floorArea[i]) + QStringLiteral("㎡×") + m_sheet.coefficient[i]
              + QStringLiteral("m/㎡＝") + m_sheet.floorRequirement[i] + QStringLiteral("m"),
          m_p.ColX(8) - Gap());
    for (int d = 0; d < 2; ++d) {
        const size_t w = i + 3 * static_cast<size_t>(d);
        PutIn(d == 0 ? 9 : 18, row,
              CellOrNa(m_sheet.projectedArea[w]) + QStringLiteral("㎡×") + m_wind
                  + QStringLiteral("＝") + m_sheet.projectedRequirement[w] + QStringLiteral("m"),
              m_p.ColX(d == 0 ? 17 : 26) - Gap());
    }
}

void SheetDrawing::DrawStoreyLabels(int first)
{
    m_p.SetSheetFont(8, 2);
    for (int j = 0; j <= m_n; ++j) {
        const QString label = Str(first + j);
        for (int i = 1; i <= 8; ++i)
            m_p.PutCentred(0, 1, 7 + 16 * j + i, label.mid(i - 1, 1), 2);
    }
}

void SheetDrawing::DrawFramingHeadings()
{
    for (int s = 0; s <= m_n; ++s) {
        const int t = HeadingRow[s];
        const int e = JudgementRowOf[s];
        m_p.SetSheetFont(9, 3);
        m_p.PutCentred(2, 8, t, Str(S::SheetFramingKind), 3);
        m_p.PutCentred(2, 5, t + 1, Str(S::SheetFramingKind), 3);
        m_p.PutCentred(2, 8, e, Str(S::SheetJudgement), 3);
        m_p.PutCentred(5, 8, t + 1, Str(S::SheetTimberSize), 3);
        for (int d = 0; d < 2; ++d) {
            const int from = d == 0 ? 8 : 17;
            const int to = d == 0 ? 17 : 26;
            m_p.SetSheetFont(9, 2);
            m_p.PutCentred(from, to, t, FramingHead(d), 2);
            m_p.PutCentred(from, to, t + 1, Str(S::SheetEffectiveFormula), 2);
        }
    }
}

void SheetDrawing::DrawFramingRows()
{
    const float halfW12 = m_p.CharWidth(12) / 2.0f;
    for (int s = 0; s <= m_n; ++s) {
        const int lastGridRow = s == 0 ? 10 : 8;
        for (int j = 2; j <= lastGridRow; ++j) {
            const FramingRow *row = FramingRowAt(s, j - 2);
            if (!row)
                continue;
            const int p = FirstFramingRow[s] + j - 2;
            const FramingRow &r = *row;
            // Each value stays in its own cell, short of the next line.
            auto before = [&](int column) { return m_p.ColX(column) - Gap(); };
            PutIn(3, p, r[ColKind], before(5));
            QString section = r[ColSection];
            if (r[ColXBracing] == framing::Crossed)
                section += QStringLiteral(" タスキ");
            PutIn(6, p, section, before(8));
            PutIn(9, p, r[ColLength0], before(10));
            PutIn(11, p, r[ColPlaces0], before(12));
            PutIn(13, p, r[ColMultiplier0], before(14));
            PutRightIn(16, p, r[ColEffective0], m_p.ColX(14) + Gap());
            PutIn(18, p, r[ColLength1], before(19));
            PutIn(20, p, r[ColPlaces1], before(21));
            PutIn(22, p, r[ColMultiplier1], before(23));
            PutRightIn(25, p, r[ColEffective1], m_p.ColX(23) + Gap());
        }

        const int e = JudgementRowOf[s];
        const JudgementRow &judge = m_sheet.judgement[static_cast<size_t>(s)];
        for (int d = 0; d < 2; ++d) {
            const int necessaryColumn = d == 0 ? JudgeNecessary0 : JudgeNecessary1;
            const int sumColumn = d == 0 ? JudgeSum0 : JudgeSum1;
            const int resultColumn = d == 0 ? JudgeResult0 : JudgeResult1;
            const int orColumn = d == 0 ? 9 : 18;
            const int boxColumn = d == 0 ? 14 : 23;
            const int sumEnd = d == 0 ? 16 : 25;
            const JudgementRelation relation = RelationOf(judge[resultColumn]);
            const QString necessary = CellOrNa(judge[necessaryColumn]) + QStringLiteral("m")
                                      + RelationSign(relation);
            // The row begins with "(ｲ)又は(ﾛ)" and the necessary length ends
            // before the box. A shortfall's percentage stands between them,
            // just before the relation it explains; the relation then moves
            // up to the box to make room for it.
            const float orEnd = m_p.ColX(orColumn) + m_p.TextWidthOf(OrText(s, d), 2) + Gap() / 2.0f;
            if (relation == JudgementRelation::Short) {
                const float necessaryEnd = m_p.ColX(boxColumn) - Gap();
                const float necessaryX = necessaryEnd - m_p.TextWidthOf(necessary, 2);
                const QString percent = judge[resultColumn].trimmed();
                const float percentEnd = necessaryX - Gap() / 2.0f;
                m_p.PutFitted(percentEnd - m_p.TextWidthOf(percent, 2), m_p.RowTextTop(e, 2),
                              percent, percentEnd - orEnd, 2, SheetPainter::Anchor::End, e);
                m_p.PutFitted(necessaryX, m_p.RowTextTop(e, 2), necessary, necessaryEnd - orEnd, 2,
                              SheetPainter::Anchor::End, e);
            } else {
                const float necessaryEnd = m_p.ColX(boxColumn) - halfW12;
                m_p.PutFitted(m_p.ColX(boxColumn) - m_p.TextWidthOf(necessary, 2) - halfW12,
                              m_p.RowTextTop(e, 2), necessary, necessaryEnd - orEnd, 2,
                              SheetPainter::Anchor::End, e);
            }
            PutRightIn(sumEnd, e, judge[sumColumn], m_p.ColX(boxColumn) + Gap());
            // The unit stays clear of the box's thick right side.
            PutIn(sumEnd, e, QStringLiteral("m"), m_p.ColX(sumEnd + 1) - Gap() / 2.0f);
        }
    }
}

void SheetDrawing::DrawCoefficientBlock()
{
    m_p.SetSheetFont(8, 2);
    const float w8 = m_p.CharWidth(8);
    const QString light = Str(S::SheetLightWeight);
    const QString heavy = Str(S::SheetHeavyWeight);
    auto coefficient = [&](int weight, int s) {
        return SingleText(CoefficientTable::value(weight, s, m_n));
    };

    if (m_n == 0) {
        m_p.PutText(m_p.ColX(0) + w8, m_p.RowTextTop(54, 2), Str(S::OneStoreyBuilding));
        Put(4, 54, light + coefficient(0, 0));
        Put(4, 55, heavy + coefficient(1, 0));
    } else {
        const QString building = m_n == 1 ? QStringLiteral("2階建の") : QStringLiteral("3階建の");
        for (int s = 0; s <= m_n; ++s) {
            const int r = 54 + 2 * s;
            m_p.PutText(m_p.ColX(0) + w8, m_p.RowTextTop(r, 2),
                        building + QString::number(s + 1) + QStringLiteral("階"));
            Put(4, r, light + coefficient(0, s));
            Put(4, r + 1, heavy + coefficient(1, s));
        }
    }

    // A sheet with the 告示's panel walls lists the kinds it uses instead of
    // the fixed table; what the block cannot hold goes on a page of its own.
    if (UsesLawPanelKinds(m_sheet)) {
        std::vector<KindLegendLine> lines = KindLegend(m_sheet);
        if (overflowsBlock(lines)) {
            const int shown = KindBlockRows - 1;
            const int more = static_cast<int>(lines.size()) - shown;
            lines.resize(shown);
            lines.push_back(KindLegendLine{QStringLiteral("ほか%1種類（次ページ）").arg(more), {}, {}});
        } else if (anyUnverified(lines)) {
            lines.push_back(KindLegendLine{UnverifiedMark + QStringLiteral(": 告示の条文で未確認の倍率"), {}, {}});
        }
        drawKindLines(m_p, lines, KindBlockTop, 7, 18);
        return;
    }
    // The legal table of wall multipliers.
    for (int j = 0; j < 7; ++j) {
        const int row = 54 + j;
        const float y = m_p.RowTextTop(row, 2);
        // Each kind ends short of its multiplier.
        const QString leftText = Str(S::LawTableLeftTexts + j);
        const QString leftTimes = Str(S::LawTableLeftMultipliers + j);
        const float leftTimesX = m_p.ColX(17) - m_p.TextWidthOf(leftTimes, 2) - w8 / 4.0f;
        const float leftX = m_p.ColX(8) - w8 / 2.0f;
        m_p.PutFitted(leftX, y, leftText, leftTimesX - Gap() - leftX, 2,
                      SheetPainter::Anchor::Start, row);
        m_p.PutText(leftTimesX, y, leftTimes);
        const QString rightText = Str(S::LawTableRightTexts + j);
        const QString rightTimes = Str(S::LawTableRightMultipliers + j);
        const float rightTimesX = m_p.ColX(26) - m_p.TextWidthOf(rightTimes, 2) - w8 / 4.0f;
        const float rightX = m_p.ColX(18) - w8 / 2.0f;
        m_p.PutFitted(rightX, y, rightText, rightTimesX - Gap() - rightX, 2,
                      SheetPainter::Anchor::Start, row);
        m_p.PutText(rightTimesX, y, rightTimes);
    }
}

void SheetDrawing::DrawOfficeBlock()
{
    const OfficeData &office = m_settings.office;
    const bool first = office.firstClass();
    m_p.SetSheetFont(9, 3);
    // The office's own texts end short of the next column and of the
    // table's edge; the labels are the program's and drawn as they are.
    auto put = [&](int row, int column, const QString &text, bool fitted) {
        const float x = m_p.ColX(column);
        if (!fitted) {
            m_p.PutText(x, m_p.RowY(row), text);
            return;
        }
        const float right = column == 0 ? m_p.ColX(5) - Gap() : m_p.ColX(26);
        m_p.PutFitted(x, m_p.RowY(row), text, right - x, 3);
    };
    auto line = [&](int row, const QString &left, const QString &right) {
        put(row, 0, left, row == 65);   // "Tel：" and the number
        put(row, 5, right, true);
    };
    line(62, Str(S::SheetOfficeName), QStringLiteral("：") + office.officeName());
    line(63, Str(S::SheetAddress), QStringLiteral("：") + office.address());
    line(64, Str(first ? S::SheetFirstClassOffice : S::SheetSecondClassOffice),
         QStringLiteral("：") + RegistrationText(office.officeRegst()));
    line(65, QStringLiteral("Tel：") + office.tel(), QStringLiteral("fax：") + office.fax());
    line(66, Str(S::SheetManagerName), QStringLiteral("：") + office.name());
    line(67, Str(first ? S::SheetFirstClassArchitect : S::SheetSecondClassArchitect),
         QStringLiteral("：") + RegistrationText(office.regstNumber()));
}

void DrawSheet(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings)
{
    if (sheet.ruleSetKind() == RuleSetKind::Rules2025) {
        // Page 1 names the page the quarter method is on.
        const int balancePage =
            HasBalanceData(sheet) ? Sheet2025Drawing::CountPages(sheet, settings) + 1 : 0;
        Sheet2025Drawing(painter, sheet, settings, balancePage).Draw();
    } else
        SheetDrawing(painter, sheet, settings).DrawSheet();
    if (sheet.ruleSetKind() == RuleSetKind::Old && UsesLawPanelKinds(sheet)) {
        const std::vector<KindLegendLine> lines = KindLegend(sheet);
        if (overflowsBlock(lines))
            drawKindLegendPage(painter, lines);
    }
    // The checks' pages after the sheet's.
    for (const CheckPages &check : CheckPageList()) {
        if (check.hasData(sheet))
            check.draw(painter, sheet);
    }
}

} // namespace quiren
