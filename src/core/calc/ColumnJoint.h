#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The joints at the head and foot of the columns at the ends of bearing
// walls (柱頭・柱脚の接合, 平12建告1460号), by the N値計算法 or by the
// simple table of the 告示.
//
// One storey-top column (or one-storey building, or a ground-storey column
// with nothing above it):   N = A1·B1·H1/2.7 − L
// A ground-storey column under a storey-2 column:
//                           N = A1·B1·H1/2.7 + A2·B2·H2/2.7 − L
// A is the difference of the wall multipliers on the two sides of the column
// plus the brace correction, B the bending-back of the surrounding members
// (0.8 at a corner column, 0.5 elsewhere), L the hold-down by vertical load,
// H the distance between the horizontal members (2.7 up to 3.2 m). N picks
// the joint (い)〜(ぬ); beyond 5.6 the hardware must carry N × 5.3 kN.
//
// Every limit is inclusive ("以下") and compared with JointTolerance in
// favour of the lighter joint, so that a value binary arithmetic lands a
// few ulps above a limit (2.5·0.8 − 0.4 is 1.6) stays on it. Typed inputs
// carry at most a few decimals, so no real excess is that small.
namespace quiren {

class CalcSheet;

constexpr double JointTolerance = 1e-9;
constexpr double JointKnPerN = 5.3;     // 1.96 kN/m × 2.7 m
constexpr double JointTopN = 5.6;       // the last row of the joint table
constexpr double JointPlainHeight = 3.2; // up to this H counts as 2.7

// ---- the formulas ----------------------------------------------------------

enum class JointPosition {
    Top,      // one-storey building, top storey, or no storey above this column
    Ground,   // a ground-storey column with a storey-2 column on it
};

struct NValueInput {
    JointPosition position = JointPosition::Top;
    bool corner = false;        // this column is a corner column (出隅の柱)
    bool upperCorner = false;   // Ground: the storey-2 column is one
    double a1 = 0.0;
    double a2 = 0.0;            // Ground only
    double h1 = 0.0;            // m; 0 (not given) or up to 3.2 counts as 2.7
    double h2 = 0.0;
};

struct NValueTerms {
    double b1 = 0.0, b2 = 0.0, l = 0.0;
    double f1 = 1.0, f2 = 1.0;  // H/2.7, 1 up to 3.2 m
    double n = 0.0;
};

// H/2.7, or 1 where H is not above 3.2 m (or not given).
double HeightFactor(double h);
NValueTerms ComputeNValue(const NValueInput &in);

// A row of the joint table (告示 表3).
struct JointType {
    QString symbol;     // "(い)" … "(ぬ)"
    double limit;       // N ≤ limit
    double kn;          // required tension, kN
    QString hardware;   // typical hardware
};
const std::vector<JointType> &JointTypes();

// The joint N calls for: its row, or none beyond 5.6.
const JointType *JointForN(double n);

// What a column of N needs: the joint's symbol, tension and hardware, or
// beyond 5.6 "5.6超", N × 5.3 kN and "N × 5.3 kN".
struct JointNeed {
    QString symbol;
    double kn = 0.0;      // unrounded
    QString hardware;
    bool beyondTable = false;
};
JointNeed JointNeedFor(double n);

// N as shown: two decimals, rounded half up after the binary noise is
// taken off; a required tension beyond the table: two decimals, rounded up.
double ShownN(double n);
double ShownKn(double kn);
QString NText(double n);
QString KnText(double kn);

// ---- the brace correction --------------------------------------------------

enum class BraceSize {
    None,
    S15,    // 15×90 (1.5×9)
    S30,    // 30×90 (3×9)
    S45,    // 45×90 (4.5×9)
    S90,    // 90×90 (9×9)
    Bar,    // 9 mm steel bar
};

// The brace of one side of the column as it meets it.
struct BraceAtColumn {
    BraceSize size = BraceSize::None;
    bool crossed = false;
    bool atHead = true;    // a single brace meets the column at its head (else at its foot)
};

struct BraceCorrection {
    double value = 0.0;
    // The correction table does not give this case (15×90 braces, steel
    // bars, single braces on both sides meeting the column one at the head
    // and one at the foot): the value is the program's reading and the
    // user is shown so.
    bool unverified = false;
};
BraceCorrection BraceCorrectionOf(const BraceAtColumn &side0, const BraceAtColumn &side1);

// ---- the 告示 table (simple method) -------------------------------------------

// The wall on one side as the table knows it.
enum class TableWall {
    None,
    Lath,          // 木ずり・土塗り壁 (0.5)
    Brace15,       // brace 15×90 or a 9 mm bar (1.0)
    Brace30,       // brace 30×90, single
    Crossed15,     // crossed 15×90
    Brace45,       // brace 45×90, single
    Plywood,       // structural plywood etc. (2.5)
    Crossed30,
    Crossed45,
    NotInTable,    // any other wall: the N値計算法 is needed
};

// Index into JointTypes() the table gives a column at the end of `wall`;
// -1 for None, nullopt for a wall the table does not have.
std::optional<int> TableJointIndex(TableWall wall, bool atHead, JointPosition position, bool corner,
                                   bool upperCorner);

// ---- a sheet's columns (inputs) ----------------------------------------------

// The framing on one side of a column in one direction.
struct JointSide {
    QString kind;      // a framing kind of the sheet's list; empty: none
    QString section;   // its brace section, for kinds with a wood brace
    bool crossed = false;
    QString typed;     // a typed multiplier, used when no kind is chosen
    bool braceAtHead = true;   // where a single brace meets this column

    bool isBlank() const { return kind.isEmpty() && typed.trimmed().isEmpty(); }
    bool operator==(const JointSide &other) const = default;
};

struct JointDirection {
    std::array<JointSide, 2> sides;
    QString correction;    // a typed brace correction; empty: the table's
    QString a2;            // a typed A2 (upper pull "typed")
    bool operator==(const JointDirection &other) const = default;
};

// Where the pull of the storey-2 column over a ground-storey column comes from.
enum class UpperPull {
    Linked,    // the storey-2 column of the same name (or of upperName)
    Typed,     // A2 typed per direction
    Carried,   // A2 = 0: other members carry that pull down
};

struct JointColumn {
    QString name;            // as designers write it, "X3-Y1"
    bool corner = false;
    std::array<JointDirection, 2> directions;
    UpperPull upper = UpperPull::Linked;
    QString upperName;       // Linked: the storey-2 column's name when it differs
    bool upperCorner = false;   // Typed: the storey-2 column is a corner column
    QString hardware;        // the hardware fitted: a symbol "(ほ)" or a capacity in kN; empty: as required

    bool operator==(const JointColumn &other) const = default;
};

enum class JointMethod {
    NValue,   // N値計算法
    Table,    // the 告示 table
};

struct JointStorey {
    JointMethod method = JointMethod::NValue;
    std::vector<JointColumn> columns;

    bool isBlank() const { return method == JointMethod::NValue && columns.empty(); }
    bool operator==(const JointStorey &other) const = default;
};

// ---- a sheet's columns (results) ---------------------------------------------

struct JointSideResult {
    double multiplier = 0.0;   // the actual multiplier, even above 7
    BraceAtColumn brace;
    bool known = true;         // a typed multiplier that is not a number is not
};

struct JointDirectionResult {
    std::array<JointSideResult, 2> sides;
    double difference = 0.0;
    BraceCorrection correction;
    bool correctionTyped = false;
    double a1 = 0.0;
    double a2 = 0.0;
    bool withUpper = false;     // formula 2
    double h1 = 2.7, h2 = 2.7;  // as used in the text (the storey's distance)
    NValueTerms terms;
    bool used = false;          // a side holds a wall
    bool known = true;
    std::optional<int> tableIndex;   // table method: the joint the table gives (-1 none)
    bool inTable = true;
};

struct JointColumnResult {
    std::array<JointDirectionResult, 2> directions;
    int governing = 0;         // the direction of the larger N
    double n = 0.0;
    JointNeed need;
    double fittedKn = 0.0;
    bool hardwareTyped = false;
    bool passed = false;
    QString problem;           // why it failed, in Japanese; empty when it passed
    QString upperName;         // the storey-2 column linked, when found
};

struct JointStoreyResult {
    std::vector<JointColumnResult> columns;
    QString refusal;           // the table method refused for this storey, with the reason
    bool checked() const { return !columns.empty(); }
    bool passed() const;
    // "OK", "NG", or empty with no columns.
    QString verdictText() const;
};

// Column joints of storey s of the sheet.
JointStoreyResult CheckColumnJoints(const CalcSheet &sheet, int s);
// Whether the sheet holds any column of the check.
bool HasJointData(const CalcSheet &sheet);

// The framing kinds a column side may take and what one of them gives, as
// the sheet's framing kinds and multipliers say (ColumnJointKinds.cpp).
QStringList JointKindList(const CalcSheet &sheet);
bool JointKindHasWoodBrace(const QString &kind);
struct JointKindShares {
    double multiplier = 0.0;   // uncapped
    BraceAtColumn brace;       // size and crossing; the position is the side's
    TableWall tableWall = TableWall::NotInTable;
};
JointKindShares JointKindSharesOf(const CalcSheet &sheet, const QString &kind, const QString &section,
                                  bool crossed);

// Names the file and the window use.
QString BracePositionKey(bool atHead);            // "head" / "foot"
QString UpperPullKey(UpperPull pull);             // "linked" / "typed" / "carried"
std::optional<UpperPull> UpperPullFromKey(const QString &key);
QString JointMethodKey(JointMethod method);       // "nvalue" / "table"
std::optional<JointMethod> JointMethodFromKey(const QString &key);
QString JointMethodName(JointMethod method);      // "N値計算法" / "告示表"
QString JointDirectionName(int d);                // "X方向" / "Y方向"

} // namespace quiren
