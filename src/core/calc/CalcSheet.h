#pragma once

#include "core/calc/Balance.h"
#include "core/calc/CertifiedWall.h"
#include "core/calc/ColumnInputs.h"
#include "core/calc/ColumnJoint.h"
#include "core/calc/RuleSet.h"
#include "core/calc/Sheet2025.h"

#include <QString>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

// One brace calculation sheet: everything a calculation document holds, and
// the arithmetic that keeps its derived values up to date. The calculation
// window, the file reader and writer, the sheet drawing, the advice window
// and the qrn tool all work on this record; none of it needs a window.
//
// Indices used throughout:
//   storey s            0..2 (first, second, third storey)
//   storey-count index  n = storeys - 1
//   direction d         0 (framing parallel to the girders, 桁) or 1 (梁)
//   projected area w    s + 3 * d
namespace quiren {

// Columns of a framing row, as in the framing grid.
enum FramingColumn {
    ColKind = 0,
    ColSection = 1,
    ColXBracing = 2,
    ColLength0 = 3,
    ColPlaces0 = 4,
    ColMultiplier0 = 5,
    ColEffective0 = 6,
    ColLength1 = 7,
    ColPlaces1 = 8,
    ColMultiplier1 = 9,
    ColEffective1 = 10,
    FramingColumnCount = 11
};

constexpr int FramingHeaderRows = 2;     // grid rows 0 and 1 are headings
constexpr int StoreyCount = 3;
constexpr int ProjectedAreaCount = 6;

// Framing rows per storey: 9 for the first, 7 for the second and third.
constexpr int FramingRowCount(int storey) { return storey == 0 ? 9 : 7; }

// The input columns a file keeps, in file order.
constexpr std::array<int, 7> FramingInputColumns{ColKind, ColSection, ColXBracing, ColLength0,
                                                 ColPlaces0, ColLength1, ColPlaces1};

// The cells the user types or picks (kind, section, lengths, places): the
// ones an editor opens on and the Delete key empties.
constexpr bool IsTypedColumn(int column)
{
    return column == ColKind || column == ColSection || column == ColLength0 || column == ColPlaces0
           || column == ColLength1 || column == ColPlaces1;
}

struct FramingRow {
    std::array<QString, FramingColumnCount> cells;

    QString &operator[](int column) { return cells[column]; }
    const QString &operator[](int column) const { return cells[column]; }
    bool isBlank() const;   // all eleven cells empty
    bool inUse() const { return !cells[ColKind].isEmpty(); }
};

// The bar drawn behind a judgement cell.
struct JudgementBar {
    bool shown = false;
    unsigned red = 0, green = 0, blue = 0;
    float percent = 0.0f;   // bar length in per cent of the cell width (may exceed 100)
};

// Judgement grid columns 1..6 of one storey (column 0 is the storey name).
enum JudgementColumn {
    JudgeNecessary0 = 1,
    JudgeSum0 = 2,
    JudgeResult0 = 3,
    JudgeNecessary1 = 4,
    JudgeSum1 = 5,
    JudgeResult1 = 6,
    JudgementColumnCount = 7
};

struct JudgementRow {
    std::array<QString, JudgementColumnCount> cells;   // [0] storey name
    std::array<JudgementBar, 2> bars;                   // per direction

    QString &operator[](int column) { return cells[column]; }
    const QString &operator[](int column) const { return cells[column]; }
};

// Asked by the after-edit steps when the user has to be told or asked
// something. The window answers through message boxes; tests answer directly.
class EditPrompter {
public:
    virtual ~EditPrompter() = default;
    // "単精度浮動小数点を入力して下さい。"
    virtual void notANumber() = 0;
    // "入力数値が不正です。"
    virtual void invalidNumber() = 0;
    // The 10 m question; true continues with the typed length.
    virtual bool confirmLongLength() = 0;
};

// What the after-edit steps did, for the caller's bookkeeping.
enum class EditResult {
    Applied,          // cell normalised (or emptied after a message); storey recalculated; sheet changed
    LongLengthRefused // the 10 m question was answered No: cell emptied, recalculated, not changed
};

class CalcSheet {
public:
    explicit CalcSheet(const CertifiedWallList *walls = nullptr);

    // ---- inputs ----------------------------------------------------------
    QString titleName;
    int storeyIndex = 0;                 // n, 0..2
    int weightType = 0;                  // 0 light, 1 heavy
    std::array<QString, StoreyCount> floorArea;
    std::array<QString, ProjectedAreaCount> projectedArea;
    bool strongWind = false;
    int certifiedChoice = 0;             // position in the wall choice, -1 none
    std::array<bool, 3> merge{};         // kind, section, X-bracing columns
    std::array<std::vector<FramingRow>, StoreyCount> framing;
    BalanceInputs balance;                                // the balance check's side parts and counts
    ColumnInputs columns;                                 // the column diameter check, per storey
    std::array<JointStorey, StoreyCount> joints;          // the column-end joints' columns
    // ---- inputs of the rules that find the seismic requirement from the
    // building's weight (the 2025 rules); kept, unused, under the old rules ----
    WeightRuleInputs weightInputs;
    std::array<std::vector<QuasiWallRow>, WeightRuleStoreys> quasiWalls;   // QuasiRowCount each
    // Certified walls with the multipliers the sheet was saved with. They
    // count before the office's list, so a sheet opened at another office
    // computes as it did, until the user chooses the kind again.
    CertifiedWallList keptWalls;

    // ---- derived ---------------------------------------------------------
    std::array<QString, StoreyCount> coefficient;            // "0.11", "0.0" until set
    std::array<QString, ProjectedAreaCount> windFactor;      // "0.5", "0.50", "0.51"
    std::array<QString, StoreyCount> floorRequirement;       // "0.0000"
    std::array<QString, ProjectedAreaCount> projectedRequirement;
    std::array<JudgementRow, StoreyCount> judgement;
    std::array<float, 6> effectiveRatio{};                   // s + 3d, per cent
    // Per storey, the kinds in use that neither the law's list nor a
    // certified wall gives a multiplier; such a storey is not judged.
    std::array<QStringList, StoreyCount> unresolvedKinds;

    // Results of the weight-based rules: Lw and its breakdown, Af, the bearing
    // and quasi-bearing sums. Left at their defaults under the old rules.
    WeightRuleResults weightResults;

    bool changed = false;

    // Cells a file held numbers for that the sheet could not take (they were
    // left empty), per storey: (framing row, column), or (-1, -1) for the
    // floor area and (-1, w) for projected area w, with the text the file
    // held. Until each is typed again the storey is judged without it, so
    // its judgement never reads "OK" (the percentage shows instead), and a
    // save writes the text back, so the file reopens the same way.
    struct UnreadCell {
        int row = -1;
        int column = -1;
        QString text;
        bool is(int r, int c) const { return row == r && column == c; }
    };
    std::array<std::vector<UnreadCell>, StoreyCount> unreadCells;
    void ForgetUnreadCell(int s, int row, int column);

    // ---- rule set ----------------------------------------------------------
    RuleSetKind ruleSetKind() const { return m_ruleSet; }
    const RuleSet &rules() const { return RulesFor(m_ruleSet); }
    // Switches the rules and recalculates everything. Refused (false, the
    // Japanese reason in *reason, nothing changed) when the sheet's storeys
    // do not fit the rules: a three-storey building needs a structural
    // calculation under the 2025 rules. Marks the sheet changed when the
    // rules did change.
    bool SetRuleSet(RuleSetKind kind, QString *reason = nullptr);
    // Everything derived again: coefficients, requirements and every storey
    // in use. Call it after changing weightInputs or quasiWalls.
    void Recalculate();

    // ---- application-wide data the sheet reads ---------------------------
    const CertifiedWallList &walls() const;
    void setWalls(const CertifiedWallList *walls) { m_walls = walls; }
    // The chosen certified wall, or nullptr when none is chosen (empty list,
    // position -1 or out of range, or the placeholder of an unread line).
    const CertifiedWall *chosenWall() const;

    // ---- set-up ----------------------------------------------------------
    // The state of a brand-new sheet, recalculated: old rules, one storey, light, the
    // first storey's coefficient, requirements "0.0000", empty rows and the
    // judgement sums "0.0000". `changed` is cleared.
    void SetUpNewSheet();

    // ---- necessary lengths ------------------------------------------------
    // Coefficient display for storeys 0..n (and FloorLong_calc for each
    // storey whose floor area is filled).
    void ShowCoefficients();
    // The storey-count reaction: n := index, coefficients shown. Under the
    // 2025 rules the index stays within the two storeys they allow.
    void SetStoreyIndex(int index);
    // The weight-type reaction: weight := type, coefficients shown.
    void SetWeightType(int type);
    // Floor-area requirement of storey s, then every existing storey
    // re-judged (Long_calc and RecalcStorey for 0..n).
    void FloorLong_calc(int s);
    // Projected-area requirement of area w, then Long_calc and RecalcStorey
    // for its storey.
    void ProjectedLong_calc(int w);
    // Governing necessary length of storey intTab, both directions.
    void Long_calc(int intTab);
    // Switches the strong-wind option and rewrites the six wind factors.
    // wallCoefficeient: the setting as read now (cm/m², 51..75).
    void ToggleStrongWind(int wallCoefficeient);
    // The menu command: ToggleStrongWind, then every projected area handled
    // as changed (requirement, Long_calc, RecalcStorey, changed flag).
    void SwitchStrongWind(int wallCoefficeient);

    // Area inputs as the window sets them: stores the text and runs the
    // change reaction (requirement, re-judgement, changed flag). The text
    // must be empty or a number (the caller has checked it).
    void SetFloorArea(int s, const QString &text);
    void SetProjectedArea(int w, const QString &text);

    // ---- recalculation ----------------------------------------------------
    void RecalcStorey(int s);

    // While a sheet is filled in one go (a file being opened), every area set
    // re-judged every storey again. A batch puts RecalcStorey off: each
    // storey in use that was asked for is recalculated once, in order, when
    // the outermost batch ends. Nothing inside a batch may read the derived
    // cells of a storey in use.
    class RecalcBatch {
    public:
        explicit RecalcBatch(CalcSheet &sheet) : m_sheet(sheet) { ++m_sheet.m_batchDepth; }
        ~RecalcBatch();
        RecalcBatch(const RecalcBatch &) = delete;
        RecalcBatch &operator=(const RecalcBatch &) = delete;

    private:
        CalcSheet &m_sheet;
    };
    void SumEffective(int s);
    void ShowJudgement(int s, int d);
    // Empties the judgement of storey s, direction d: text, bar and ratio.
    void ClearJudgement(int s, int d);

    // ---- framing grid edits (the model side of the grid) ------------------
    FramingRow &row(int s, int r) { return framing[s][r]; }
    const FramingRow &row(int s, int r) const { return framing[s][r]; }

    // Kind-dependent defaults of a row (section and X-bracing follow the kind).
    void ApplyKindDefaults(int s, int r);
    // After-edit steps for cell (r, column) of storey s, r counted from the
    // first framing row (0-based). Messages and the 10 m question go through
    // the prompter.
    EditResult AfterEdit(int s, int r, int column, EditPrompter &prompter);
    // Whether a text typed into a length or places cell can be taken:
    // empty when it can, else the message naming the column and what it
    // takes. The grid asks before the text reaches the sheet.
    QString CellRefusal(int column, const QString &text) const;
    // Delete key on a cell: columns 0, 1, 3, 4, 7, 8 are emptied and the
    // after-edit steps run; returns false (nothing done) for other columns.
    bool DeleteCell(int s, int r, int column, EditPrompter &prompter);
    // X-bracing toggle; only rows whose kind ends in "木材". Recalculates,
    // does not mark the sheet changed. Returns whether the cell changed.
    bool ToggleXBracing(int s, int r);
    // Whether a click on the section cell may start an edit.
    bool SectionEditable(int s, int r) const;
    // Sorts the storey's framing rows by their texts (case ignored), blank
    // rows moved to the bottom. Not re-evaluated, not marked changed.
    void SortFramingRows(int s);

    // ---- balance of the wall layout -------------------------------------
    // A side-part count typed for framing row r of storey s: checked against
    // the row's places in direction d (both side parts together), stored as
    // a whole number; a refused text leaves the count as it was. Marks the
    // sheet changed when stored.
    SideCountCheck SetSideCount(int s, int r, int d, int p, const QString &text);
    // Side-part inputs; each marks the sheet changed. The area and the
    // multiplier must be empty or a number (the caller has checked them).
    void SetSidePartArea(int s, int d, int p, const QString &text);
    void SetSidePartMultiplier(int s, int d, int p, const QString &text);
    void SetSidePartOneStorey(int s, int d, int p, bool oneStorey);
    // Whether side parts of storey s may be marked "平屋部分": the ground
    // storey of a two-storey building under the old rules (the 2025 rules
    // give a side part the storey's Lw or one the user types).
    bool OneStoreyPartsAllowed(int s) const
    {
        return s == 0 && storeyIndex == 1 && m_ruleSet == RuleSetKind::Old;
    }

    // ---- lists offered by the editors ------------------------------------
    // Kind list of the kind cell: "ｸﾘﾔ", the built-in kinds and, when a
    // certified wall is chosen, the three certified items.
    QStringList KindList() const;

private:
    const CertifiedWallList *m_walls = nullptr;
    RuleSetKind m_ruleSet = RuleSetKind::Old;
    int m_batchDepth = 0;
    std::array<bool, StoreyCount> m_pendingStoreys{};
};

// Storey names of the judgement grid ("一階", "二階", "三階").
QString StoreyName(int s);

} // namespace quiren
