#include "core/calc/CalcSheet.h"

#include "core/calc/CellInput.h"
#include "core/calc/CoefficientTable.h"
#include "core/calc/Framing.h"
#include "core/calc/SheetWalls.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>
#include <utility>

namespace quiren {

namespace {

const CertifiedWallList &noWalls()
{
    static const CertifiedWallList empty;
    return empty;
}

const QString Fixed4Zero = QStringLiteral("0.0000");

bool isLengthColumn(int column) { return column == ColLength0 || column == ColLength1; }
bool isPlacesColumn(int column) { return column == ColPlaces0 || column == ColPlaces1; }

// Compares two framing rows as the grid sorts them: column by column, by
// text, letter case ignored.
bool rowLess(const FramingRow &a, const FramingRow &b)
{
    for (int c = 0; c < FramingColumnCount; ++c) {
        const int order = QString::compare(a[c], b[c], Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
    }
    return false;
}

} // namespace

bool FramingRow::isBlank() const
{
    const auto empty = [](const QString &c) { return c.isEmpty(); };
    return std::all_of(cells.begin(), cells.end(), empty);
}

QString StoreyName(int s)
{
    return Str(S::StoreyNames + s);
}

CalcSheet::CalcSheet(const CertifiedWallList *walls)
    : m_walls(walls)
{
    SetUpNewSheet();
}

const CertifiedWallList &CalcSheet::walls() const
{
    return m_walls ? *m_walls : noWalls();
}

const CertifiedWall *CalcSheet::chosenWall() const
{
    const CertifiedWallList &list = walls();
    if (certifiedChoice < 0 || certifiedChoice >= list.size())
        return nullptr;
    const CertifiedWall &wall = list[certifiedChoice];
    return wall.isPlaceholder() ? nullptr : &wall;
}

void CalcSheet::SetUpNewSheet()
{
    titleName.clear();
    unreadCells = {};
    m_ruleSet = RuleSetKind::Old;
    weightInputs = WeightRuleInputs{};
    weightResults = WeightRuleResults{};
    for (std::vector<QuasiWallRow> &rows : quasiWalls)
        rows.assign(QuasiRowCount, QuasiWallRow{});
    storeyIndex = 0;
    weightType = 0;
    strongWind = false;
    certifiedChoice = 0;
    merge = {};
    for (int s = 0; s < StoreyCount; ++s) {
        framing[s].assign(FramingRowCount(s), FramingRow{});
        balance[s] = BalanceStorey{};
        balance[s].rowCounts.assign(FramingRowCount(s), SideCounts{});
        columns[s] = StoreyColumnInputs{};
        joints[s] = JointStorey{};
        judgement[s] = JudgementRow{};
        judgement[s][0] = StoreyName(s);
        coefficient[s] = QStringLiteral("0.0");
        floorArea[s].clear();
        floorRequirement[s] = QStringLiteral("0.00");
    }
    for (int w = 0; w < ProjectedAreaCount; ++w) {
        projectedArea[w].clear();
        windFactor[w] = QStringLiteral("0.5");
        projectedRequirement[w] = QStringLiteral("0.00");
    }
    effectiveRatio = {};
    keptWalls.clear();
    unresolvedKinds = {};

    SetStoreyIndex(0);
    SetWeightType(0);
    for (int s = 0; s < StoreyCount; ++s) {
        floorRequirement[s] = Fixed4Zero;
        projectedRequirement[s] = Fixed4Zero;
        projectedRequirement[s + 3] = Fixed4Zero;
        RecalcStorey(s);
    }
    changed = false;
}

// ---- necessary lengths ------------------------------------------------------

void CalcSheet::ShowCoefficients()
{
    rules().showCoefficients(*this);
}

void CalcSheet::SetStoreyIndex(int index)
{
    storeyIndex = std::clamp(index, 0, rules().maxStoreys() - 1);
    ShowCoefficients();
}

void CalcSheet::SetWeightType(int type)
{
    weightType = std::clamp(type, 0, 1);
    ShowCoefficients();
}

void CalcSheet::FloorLong_calc(int s)
{
    rules().updateFloorRequirements(*this, s);
    for (int i = 0; i <= storeyIndex; ++i) {
        Long_calc(i);
        RecalcStorey(i);
    }
}

void CalcSheet::ProjectedLong_calc(int w)
{
    projectedRequirement[w] = FormatFixed4(TextValue(projectedArea[w]) * TextValue(windFactor[w]));
    const int s = w % 3;
    Long_calc(s);
    RecalcStorey(s);
}

void CalcSheet::Long_calc(int intTab)
{
    const float floor = TextSingle(floorRequirement[intTab]);
    const float area0 = TextSingle(projectedRequirement[intTab]);
    const float area1 = TextSingle(projectedRequirement[intTab + 3]);
    JudgementRow &row = judgement[intTab];
    // A tie takes the projected-area text; the values are equal then.
    row[JudgeNecessary0] = area0 >= floor ? projectedRequirement[intTab] : floorRequirement[intTab];
    row[JudgeNecessary1] = area1 >= floor ? projectedRequirement[intTab + 3] : floorRequirement[intTab];
}

void CalcSheet::ToggleStrongWind(int wallCoefficeient)
{
    QString factor;
    if (strongWind) {
        factor = QStringLiteral("0.50");
        strongWind = false;
    } else {
        factor = FormatFixed2(wallCoefficeient / 100.0);
        strongWind = true;
    }
    windFactor.fill(factor);
}

void CalcSheet::SwitchStrongWind(int wallCoefficeient)
{
    ToggleStrongWind(wallCoefficeient);
    for (int w = 0; w < ProjectedAreaCount; ++w)
        ProjectedLong_calc(w);
    changed = true;
}

void CalcSheet::ForgetUnreadCell(int s, int row, int column)
{
    std::vector<UnreadCell> &cells = unreadCells[s];
    cells.erase(std::remove_if(cells.begin(), cells.end(), [&](const UnreadCell &c) { return c.is(row, column); }),
                cells.end());
}

void CalcSheet::SetFloorArea(int s, const QString &text)
{
    ForgetUnreadCell(s, -1, -1);
    floorArea[s] = text;
    FloorLong_calc(s);
    changed = true;
}

void CalcSheet::SetProjectedArea(int w, const QString &text)
{
    ForgetUnreadCell(w % StoreyCount, -1, w);
    projectedArea[w] = text;
    ProjectedLong_calc(w);
    changed = true;
}

bool CalcSheet::SetRuleSet(RuleSetKind kind, QString *reason)
{
    const QString refusal = RulesFor(kind).storeyRefusal(storeyIndex + 1);
    if (!refusal.isEmpty()) {
        if (reason)
            *reason = refusal;
        return false;
    }
    if (kind == m_ruleSet)
        return true;
    m_ruleSet = kind;
    weightResults = WeightRuleResults{};
    Recalculate();
    changed = true;
    return true;
}

void CalcSheet::Recalculate()
{
    ShowCoefficients();
    for (int s = 0; s <= storeyIndex; ++s)
        rules().updateFloorRequirements(*this, s);
    for (int s = 0; s <= storeyIndex; ++s) {
        Long_calc(s);
        RecalcStorey(s);
    }
}

// ---- recalculation ----------------------------------------------------------

CalcSheet::RecalcBatch::~RecalcBatch()
{
    if (--m_sheet.m_batchDepth > 0)
        return;
    for (int s = 0; s < StoreyCount; ++s) {
        if (std::exchange(m_sheet.m_pendingStoreys[s], false))
            m_sheet.RecalcStorey(s);
    }
}

void CalcSheet::RecalcStorey(int s)
{
    // A storey above the building's is still recalculated when asked: it
    // is not shown, and opening a file has always left it as it was at
    // that moment.
    if (m_batchDepth > 0 && s <= storeyIndex) {
        m_pendingStoreys[s] = true;
        return;
    }
    unresolvedKinds[s].clear();
    for (FramingRow &row : framing[s]) {
        const bool unresolved = !row[ColKind].isEmpty() && !ResolveSheetRow(*this, row).resolved;
        if (unresolved) {
            const QString missing = ResolveSheetRow(*this, row).missing;
            if (!unresolvedKinds[s].contains(missing))
                unresolvedKinds[s] << missing;
        }
        if (row[ColKind].isEmpty() || unresolved) {
            row[ColMultiplier0].clear();
            row[ColEffective0].clear();
            row[ColMultiplier1].clear();
            row[ColEffective1].clear();
            continue;
        }
        for (int d = 0; d < 2; ++d) {
            const int length = ColLength0 + 4 * d;
            const int places = ColPlaces0 + 4 * d;
            const int multiplier = ColMultiplier0 + 4 * d;
            const int effective = ColEffective0 + 4 * d;
            if (row[length].isEmpty()) {
                row[multiplier].clear();
                row[effective].clear();
                continue;
            }
            row[multiplier] = rules().multiplierText(rules().framingMultiplier(*this, s, d, row));
            if (row[places].isEmpty()) {
                row[effective].clear();
            } else {
                // The multiplier as displayed is what counts; it keeps the
                // two decimals a certified wall may have (3.75 stays 3.75).
                row[effective] = FormatFixed4(TextValue(row[length]) * TextValue(row[places])
                                              * TextValue(row[multiplier]));
            }
        }
    }

    SumEffective(s);
    rules().addExistingExtras(*this, s);

    // A judgement on screen or on paper must always be the current one: where
    // none can be made (no floor area, no positive requirement) the cell is
    // emptied rather than left showing an earlier verdict. A storey with a
    // requirement and nothing to meet it is judged 0.0 %.
    // Under the 2025 rules a storey without its Lw cannot be judged.
    // A storey the rules cannot judge at all says why in place of a verdict.
    // A wall whose multiplier is unknown leaves the storey unjudged rather
    // than counted as nothing.
    const bool judgeable = rules().prepareJudgement(*this, s) && unresolvedKinds[s].isEmpty();
    const QString refusal = rules().judgementRefusal(*this, s);
    for (int d = 0; d < 2; ++d) {
        const double necessary = TextValue(judgement[s][JudgeNecessary0 + 3 * d]);
        const double sum = TextValue(judgement[s][JudgeSum0 + 3 * d]);
        if (!refusal.isEmpty()) {
            ClearJudgement(s, d);
            judgement[s][JudgeResult0 + 3 * d] = refusal;
            continue;
        }
        if (!judgeable || floorArea[s].isEmpty() || !(necessary > 0)) {
            ClearJudgement(s, d);
            continue;
        }
        effectiveRatio[s + 3 * d] = static_cast<float>(sum / necessary * 100.0);
        ShowJudgement(s, d);
    }
}

void CalcSheet::ClearJudgement(int s, int d)
{
    effectiveRatio[s + 3 * d] = 0.0f;
    judgement[s].bars[d] = JudgementBar{};
    judgement[s][JudgeResult0 + 3 * d].clear();
}

void CalcSheet::SumEffective(int s)
{
    for (int d = 0; d < 2; ++d) {
        const int effective = ColEffective0 + 4 * d;
        float sum = 0.0f;
        for (const FramingRow &row : framing[s])
            sum = static_cast<float>(static_cast<double>(sum) + TextValue(row[effective]));
        judgement[s][JudgeSum0 + 3 * d] = FormatFixed4(sum);
    }
}

void CalcSheet::ShowJudgement(int s, int d)
{
    const float ratio = effectiveRatio[s + 3 * d];
    JudgementBar &bar = judgement[s].bars[d];
    QString &cell = judgement[s][JudgeResult0 + 3 * d];
    bar.shown = true;
    cell = rules().judgementText(judgement[s][JudgeSum0 + 3 * d], judgement[s][JudgeNecessary0 + 3 * d], ratio);
    // A storey judged without a number its file held is not known to pass.
    if (cell == QStringLiteral("OK") && !unreadCells[s].empty())
        cell = FormatPercent(ratio);
    if (cell == QStringLiteral("OK")) {
        bar.red = 0;
        bar.green = 0;
        bar.blue = 255;
    } else {
        bar.red = 255;
        bar.green = 0;
        bar.blue = 0;
    }
    bar.percent = ratio;
}

// ---- framing grid edits -----------------------------------------------------

void CalcSheet::ApplyKindDefaults(int s, int r)
{
    FramingRow &row = framing[s][r];
    QString &kind = row[ColKind];
    if (kind.isEmpty() || kind == QStringLiteral(" ")) {
        row[ColSection].clear();
        row[ColXBracing].clear();
    } else if (HasWoodBrace(kind)) {
        if (row[ColSection].isEmpty() || row[ColSection] == framing::NoBrace)
            row[ColSection] = framing::DefaultSection;
        if (row[ColXBracing].isEmpty() || row[ColXBracing] == framing::NoBrace)
            row[ColXBracing] = framing::Single;
    } else if (kind.endsWith(framing::Clear.right(2))) {
        kind.clear();
    } else {
        row[ColSection] = framing::NoBrace;
        row[ColXBracing] = framing::NoBrace;
    }
}

EditResult CalcSheet::AfterEdit(int s, int r, int column, EditPrompter &prompter)
{
    // A kind chosen again takes its walls' multipliers from the lists now.
    if (column == ColKind)
        ForgetKeptWalls(*this, framing[s][r][ColKind]);
    ApplyKindDefaults(s, r);
    // The user has given the cell its value now; a row without a kind
    // counts for nothing, so what the file held for it no longer matters.
    ForgetUnreadCell(s, r, column);
    if (!framing[s][r].inUse()) {
        std::vector<UnreadCell> &cells = unreadCells[s];
        cells.erase(std::remove_if(cells.begin(), cells.end(), [r](const UnreadCell &c) { return c.row == r; }),
                    cells.end());
    }
    QString &cell = framing[s][r][column];
    if (isLengthColumn(column) || isPlacesColumn(column))
        cell = HalfWidthNumber(cell);

    if (isLengthColumn(column) && cell == framing::Clear) {
        cell.clear();
    } else if (isLengthColumn(column) || isPlacesColumn(column)) {
        const CellReading reading =
            isLengthColumn(column) ? ReadLengthText(cell) : ReadPlacesText(cell);
        switch (reading.verdict) {
        case CellVerdict::Empty:
            break;
        case CellVerdict::NotANumber:
            prompter.notANumber();
            cell.clear();
            break;
        case CellVerdict::Invalid:
            prompter.invalidNumber();
            cell.clear();
            break;
        case CellVerdict::Taken:
            if (isLengthColumn(column) && reading.value >= 10.0 && !prompter.confirmLongLength()) {
                cell.clear();
                RecalcStorey(s);
                return EditResult::LongLengthRefused;
            }
            cell = reading.text;
            break;
        }
    }

    RecalcStorey(s);
    changed = true;
    return EditResult::Applied;
}

QString CalcSheet::CellRefusal(int column, const QString &text) const
{
    const QString typed = HalfWidthNumber(text);
    CellReading reading;
    if (isLengthColumn(column) && typed != framing::Clear)
        reading = ReadLengthText(typed);
    else if (isPlacesColumn(column))
        reading = ReadPlacesText(typed.trimmed());
    if (reading.verdict != CellVerdict::NotANumber && reading.verdict != CellVerdict::Invalid)
        return {};
    return NumberRefusal(Str(S::FramingColumnHeaders + column),
                         isLengthColumn(column) ? NumberRule::NotNegative : NumberRule::Places);
}

bool CalcSheet::DeleteCell(int s, int r, int column, EditPrompter &prompter)
{
    if (!IsTypedColumn(column))
        return false;
    framing[s][r][column].clear();
    AfterEdit(s, r, column, prompter);
    return true;
}

bool CalcSheet::ToggleXBracing(int s, int r)
{
    FramingRow &row = framing[s][r];
    if (!HasWoodBrace(row[ColKind]))
        return false;
    row[ColXBracing] = row[ColXBracing] == framing::Crossed ? framing::Single : framing::Crossed;
    RecalcStorey(s);
    return true;
}

bool CalcSheet::SectionEditable(int s, int r) const
{
    return HasWoodBrace(framing[s][r][ColKind]);
}

void CalcSheet::SortFramingRows(int s)
{
    // The balance check's counts belong to their rows and move with them.
    std::vector<FramingRow> &rows = framing[s];
    BalanceStorey &sides = balance[s];
    const auto blank = [&](size_t r) { return rows[r].isBlank() && IsBlank(sides.counts(int(r))); };
    std::vector<size_t> order(rows.size());
    for (size_t r = 0; r < order.size(); ++r)
        order[r] = r;
    if (std::all_of(order.begin(), order.end(), blank))
        return;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        // Blank rows go to the bottom, keeping the count.
        if (blank(a) != blank(b))
            return blank(b);
        return rowLess(rows[a], rows[b]);
    });
    std::vector<FramingRow> sortedRows;
    std::vector<SideCounts> sortedCounts;
    for (size_t r : order) {
        sortedRows.push_back(rows[r]);
        sortedCounts.push_back(sides.counts(int(r)));
    }
    rows = std::move(sortedRows);
    sides.rowCounts = std::move(sortedCounts);
    // So do the numbers of the file the sheet could not take.
    std::vector<int> placeOf(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        placeOf[order[i]] = static_cast<int>(i);
    for (UnreadCell &cell : unreadCells[s])
        if (cell.row >= 0 && cell.row < static_cast<int>(placeOf.size()))
            cell.row = placeOf[cell.row];
}

QStringList CalcSheet::KindList() const
{
    const CertifiedWall *wall = chosenWall();
    return quiren::KindList(wall ? wall->name : QString());
}

} // namespace quiren
