#include "core/calc/ColumnJoint.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

const QString BeyondSymbol = QStringLiteral("5.6超");
const QString BeyondHardware = QStringLiteral("N × 5.3 kN");

double plainHeight() { return 2.7; }

// A typed decimal; nullopt when not a number (empty counts as not given).
std::optional<double> typedValue(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || CheckNumberText(t) != NumberCheck::Number)
        return std::nullopt;
    return TextValue(t);
}

double singleCorrection(BraceSize size, bool *unverified)
{
    switch (size) {
    case BraceSize::S30:
    case BraceSize::S45:
        return 0.5;
    case BraceSize::S90:
        return 2.0;
    case BraceSize::S15:
    case BraceSize::Bar:
        // Not in the correction table. Both act in tension only, so there
        // is no difference between the brace pulling at the head and at
        // the foot to correct for.
        *unverified = true;
        return 0.0;
    case BraceSize::None:
        break;
    }
    return 0.0;
}

bool hasBrace(const BraceAtColumn &b) { return b.size != BraceSize::None; }

} // namespace

double HeightFactor(double h)
{
    if (!(h > JointPlainHeight + JointTolerance))
        return 1.0;
    return h / plainHeight();
}

NValueTerms ComputeNValue(const NValueInput &in)
{
    NValueTerms t;
    t.b1 = in.corner ? 0.8 : 0.5;
    t.f1 = HeightFactor(in.h1);
    if (in.position == JointPosition::Top) {
        t.l = in.corner ? 0.4 : 0.6;
        t.n = in.a1 * t.b1 * t.f1 - t.l;
        return t;
    }
    t.b2 = in.upperCorner ? 0.8 : 0.5;
    t.f2 = HeightFactor(in.h2);
    t.l = in.corner ? 1.0 : 1.6;
    t.n = in.a1 * t.b1 * t.f1 + in.a2 * t.b2 * t.f2 - t.l;
    return t;
}

const std::vector<JointType> &JointTypes()
{
    static const std::vector<JointType> types{
        {QStringLiteral("(い)"), 0.0, 0.0, QStringLiteral("短ほぞ差し又はかすがい打ち")},
        {QStringLiteral("(ろ)"), 0.65, 3.4, QStringLiteral("長ほぞ差し込み栓打ち又はかど金物(CP-L)")},
        {QStringLiteral("(は)"), 1.0, 5.1, QStringLiteral("かど金物(CP-T)又は山形プレート(VP)")},
        {QStringLiteral("(に)"), 1.4, 7.5, QStringLiteral("羽子板ボルト(φ12)又は短ざく金物")},
        {QStringLiteral("(ほ)"), 1.6, 8.5, QStringLiteral("羽子板ボルト(φ12)又は短ざく金物+スクリュー釘")},
        {QStringLiteral("(へ)"), 1.8, 10.0, QStringLiteral("引き寄せ金物 10kN用(ボルト2本)")},
        {QStringLiteral("(と)"), 2.8, 15.0, QStringLiteral("引き寄せ金物 15kN用(ボルト3本)")},
        {QStringLiteral("(ち)"), 3.7, 20.0, QStringLiteral("引き寄せ金物 20kN用(ボルト4本)")},
        {QStringLiteral("(り)"), 4.7, 25.0, QStringLiteral("引き寄せ金物 25kN用(ボルト5本)")},
        {QStringLiteral("(ぬ)"), 5.6, 30.0, QStringLiteral("引き寄せ金物 15kN用×2")},
    };
    return types;
}

const JointType *JointForN(double n)
{
    for (const JointType &type : JointTypes())
        if (n <= type.limit + JointTolerance)
            return &type;
    return nullptr;
}

JointNeed JointNeedFor(double n)
{
    JointNeed need;
    if (const JointType *type = JointForN(n)) {
        need.symbol = type->symbol;
        need.kn = type->kn;
        need.hardware = type->hardware;
        return need;
    }
    need.symbol = BeyondSymbol;
    need.kn = n * JointKnPerN;
    need.hardware = BeyondHardware;
    need.beyondTable = true;
    return need;
}

double ShownN(double n)
{
    // Half up, away from zero, after taking off what binary arithmetic
    // adds (0.65 held as 0.6499999…).
    const double scaled = std::abs(n) * 100.0;
    const double rounded = std::floor(scaled + 0.5 + 1e-7) / 100.0;
    // Never "-0": a value that rounds to nothing is shown as 0.
    return rounded == 0 ? 0.0 : (n < 0 ? -rounded : rounded);
}

double ShownKn(double kn)
{
    // A required capacity: never shown below what is needed.
    return std::ceil(kn * 100.0 - 1e-7) / 100.0;
}

QString NText(double n)
{
    return QString::number(ShownN(n), 'f', 2);
}

QString KnText(double kn)
{
    return FormatDecimal(ShownKn(kn), 2, 1);
}

BraceCorrection BraceCorrectionOf(const BraceAtColumn &side0, const BraceAtColumn &side1)
{
    BraceCorrection c;
    const bool has0 = hasBrace(side0), has1 = hasBrace(side1);
    if (!has0 && !has1)
        return c;
    if (has0 != has1) {
        // A brace on one side only: a crossed pair pulls both ways alike.
        const BraceAtColumn &b = has0 ? side0 : side1;
        if (b.crossed)
            return c;
        const double v = singleCorrection(b.size, &c.unverified);
        c.value = b.atHead ? v : -v;
        return c;
    }
    if (side0.crossed && side1.crossed)
        return c;
    if (side0.crossed != side1.crossed) {
        // A single brace beside a crossed pair counts at the head only.
        const BraceAtColumn &single = side0.crossed ? side1 : side0;
        if (single.atHead)
            c.value = singleCorrection(single.size, &c.unverified);
        return c;
    }
    // Single braces on both sides. The table gives both at the head (the
    // sum of the two single values: 30+30 1.0, 30+90 2.5, 90+90 4.0) and
    // both at the foot (0); one at each end is not in it, and is read as
    // the same sum, head positive, foot negative.
    const double v0 = singleCorrection(side0.size, &c.unverified);
    const double v1 = singleCorrection(side1.size, &c.unverified);
    if (side0.atHead && side1.atHead) {
        c.value = v0 + v1;
    } else if (!side0.atHead && !side1.atHead) {
        c.value = 0.0;
    } else {
        c.unverified = true;
        c.value = (side0.atHead ? v0 : -v0) + (side1.atHead ? v1 : -v1);
    }
    return c;
}

std::optional<int> TableJointIndex(TableWall wall, bool atHead, JointPosition position, bool corner,
                                   bool upperCorner)
{
    // Indices into JointTypes(): い0 ろ1 は2 に3 ほ4 へ5 と6 ち7 り8 ぬ9.
    if (wall == TableWall::None)
        return -1;
    if (wall == TableWall::NotInTable)
        return std::nullopt;
    if (position == JointPosition::Top) {
        struct Row { int corner, other; };
        Row row{0, 0};
        switch (wall) {
        case TableWall::Lath: row = {0, 0}; break;
        case TableWall::Brace15: row = {1, 0}; break;
        case TableWall::Brace30: row = atHead ? Row{3, 1} : Row{1, 0}; break;
        case TableWall::Crossed15: row = {3, 1}; break;
        case TableWall::Brace45: row = atHead ? Row{4, 1} : Row{2, 1}; break;
        case TableWall::Plywood: row = {4, 1}; break;
        case TableWall::Crossed30: row = {6, 2}; break;
        case TableWall::Crossed45: row = {6, 3}; break;
        default: return std::nullopt;
        }
        return corner ? row.corner : row.other;
    }
    // Storey 1 of a two-storey part: both corner columns, the storey-2
    // column only, neither. A corner column under a column that is not one
    // is not in the table; it takes the both-corner column, the safe side.
    struct Row { int both, upper, neither; };
    Row row{0, 0, 0};
    switch (wall) {
    case TableWall::Lath: row = {0, 0, 0}; break;
    case TableWall::Brace15: row = {1, 0, 0}; break;
    case TableWall::Brace30: row = {3, 1, 0}; break;
    case TableWall::Crossed15: row = {6, 2, 1}; break;
    case TableWall::Brace45: row = {6, 2, 1}; break;
    case TableWall::Plywood: row = {7, 5, 2}; break;
    case TableWall::Crossed30: row = {8, 6, 3}; break;
    case TableWall::Crossed45: row = {9, 7, 6}; break;
    default: return std::nullopt;
    }
    if (corner)
        return row.both;
    return upperCorner ? row.upper : row.neither;
}

// ---- a sheet's columns ---------------------------------------------------------

namespace {

struct SideWall {
    JointSideResult result;
    TableWall tableWall = TableWall::None;
};

SideWall sideWall(const CalcSheet &sheet, const JointSide &side)
{
    SideWall w;
    if (!side.kind.isEmpty()) {
        const JointKindShares shares = JointKindSharesOf(sheet, side.kind, side.section, side.crossed);
        w.result.multiplier = shares.multiplier;
        w.result.brace = shares.brace;
        w.result.brace.atHead = side.braceAtHead;
        w.tableWall = shares.tableWall;
        return w;
    }
    if (side.typed.trimmed().isEmpty())
        return w;
    const std::optional<double> typed = typedValue(side.typed);
    w.result.known = typed.has_value();
    w.result.multiplier = typed.value_or(0.0);
    w.tableWall = TableWall::NotInTable;
    return w;
}

const JointColumn *findColumn(const JointStorey &storey, const QString &name)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return nullptr;
    for (const JointColumn &c : storey.columns)
        if (c.name.trimmed() == wanted)
            return &c;
    return nullptr;
}

struct ADirection {
    JointDirectionResult r;
    std::array<TableWall, 2> tableWalls{};
};

// A1 of one direction of a column: the sides, their difference and the correction.
ADirection directionA(const CalcSheet &sheet, const JointDirection &in)
{
    ADirection a;
    JointDirectionResult &r = a.r;
    for (int i = 0; i < 2; ++i) {
        const SideWall w = sideWall(sheet, in.sides[i]);
        r.sides[i] = w.result;
        a.tableWalls[i] = w.tableWall;
        r.used = r.used || !in.sides[i].isBlank();
        r.known = r.known && w.result.known;
    }
    r.difference = std::abs(r.sides[0].multiplier - r.sides[1].multiplier);
    r.correction = BraceCorrectionOf(r.sides[0].brace, r.sides[1].brace);
    if (!in.correction.trimmed().isEmpty()) {
        const std::optional<double> typed = typedValue(in.correction);
        r.correctionTyped = true;
        r.known = r.known && typed.has_value();
        r.correction.value = typed.value_or(0.0);
        r.correction.unverified = false;
    }
    r.a1 = r.difference + r.correction.value;
    return a;
}

double hardwareKn(const QString &text, bool *known)
{
    QString t = text.trimmed();
    *known = true;
    for (const JointType &type : JointTypes()) {
        const QString bare = type.symbol.mid(1, 1);
        if (t == type.symbol || t == bare)
            return type.kn;
    }
    if (t.endsWith(QStringLiteral("kN"), Qt::CaseInsensitive))
        t = t.chopped(2).trimmed();
    const std::optional<double> value = typedValue(t);
    *known = value.has_value() && *value >= 0;
    return value.value_or(0.0);
}

} // namespace

bool JointStoreyResult::passed() const
{
    if (!refusal.isEmpty())
        return false;
    for (const JointColumnResult &c : columns)
        if (!c.passed)
            return false;
    return true;
}

QString JointStoreyResult::verdictText() const
{
    if (!checked() && refusal.isEmpty())
        return {};
    return passed() ? QStringLiteral("OK") : QStringLiteral("NG");
}

JointStoreyResult CheckColumnJoints(const CalcSheet &sheet, int s)
{
    JointStoreyResult result;
    if (s < 0 || s >= StoreyCount)
        return result;
    const JointStorey &storey = sheet.joints[s];
    const bool hasUpper = s < sheet.storeyIndex && s + 1 < StoreyCount;
    const double h1 = TextValue(s < WeightRuleStoreys ? sheet.weightInputs.memberDistance[s] : QString());
    const double h2 =
        hasUpper && s + 1 < WeightRuleStoreys ? TextValue(sheet.weightInputs.memberDistance[s + 1]) : 0.0;
    const bool table = storey.method == JointMethod::Table;
    if (table && (h1 > JointPlainHeight + JointTolerance || (hasUpper && h2 > JointPlainHeight + JointTolerance)))
        result.refusal = QStringLiteral("横架材間の距離が3.2mを超える階には告示表を使えません。"
                                        "N値計算法によって下さい。");

    for (const JointColumn &column : storey.columns) {
        JointColumnResult c;
        const JointColumn *upper = nullptr;
        if (hasUpper && column.upper == UpperPull::Linked) {
            upper = findColumn(sheet.joints[s + 1],
                               column.upperName.trimmed().isEmpty() ? column.name : column.upperName);
            if (upper)
                c.upperName = upper->name.trimmed();
        }
        const bool formula2 =
            hasUpper && (column.upper != UpperPull::Linked || upper != nullptr);
        const bool upperCorner = upper ? upper->corner : column.upperCorner;
        bool anyUsed = false, allKnown = true, allInTable = true;
        int tableIndex = -1;
        for (int d = 0; d < 2; ++d) {
            ADirection a = directionA(sheet, column.directions[d]);
            JointDirectionResult &r = a.r;
            NValueInput in;
            in.position = formula2 ? JointPosition::Ground : JointPosition::Top;
            in.corner = column.corner;
            in.upperCorner = upperCorner;
            in.a1 = r.a1;
            in.h1 = h1;
            in.h2 = h2;
            r.withUpper = formula2;
            if (formula2) {
                if (upper) {
                    const ADirection above = directionA(sheet, upper->directions[d]);
                    r.a2 = above.r.a1;
                    r.known = r.known && above.r.known;
                } else if (column.upper == UpperPull::Typed) {
                    const std::optional<double> typed = typedValue(column.directions[d].a2);
                    r.known = r.known && (typed.has_value() || column.directions[d].a2.trimmed().isEmpty());
                    r.a2 = typed.value_or(0.0);
                }
                in.a2 = r.a2;
            }
            r.h1 = h1 > 0 ? h1 : plainHeight();
            r.h2 = h2 > 0 ? h2 : plainHeight();
            r.terms = ComputeNValue(in);
            if (table) {
                int directionIndex = -1;
                for (int i = 0; i < 2; ++i) {
                    const std::optional<int> index =
                        TableJointIndex(a.tableWalls[i], column.directions[d].sides[i].braceAtHead,
                                        formula2 ? JointPosition::Ground : JointPosition::Top,
                                        column.corner, upperCorner);
                    if (!index)
                        r.inTable = false;
                    else
                        directionIndex = std::max(directionIndex, *index);
                }
                r.tableIndex = directionIndex;
                tableIndex = std::max(tableIndex, directionIndex);
                allInTable = allInTable && r.inTable;
            }
            anyUsed = anyUsed || r.used || (formula2 && r.a2 != 0.0);
            allKnown = allKnown && r.known;
            c.directions[d] = r;
        }
        c.governing = c.directions[1].terms.n > c.directions[0].terms.n + JointTolerance ? 1 : 0;
        c.n = c.directions[c.governing].terms.n;
        if (table) {
            if (allInTable && tableIndex >= 0) {
                const JointType &type = JointTypes()[tableIndex];
                c.need = JointNeed{type.symbol, type.kn, type.hardware, false};
            } else if (allInTable) {
                c.need = JointNeedFor(-1.0);
            }
        } else {
            c.need = JointNeedFor(c.n);
        }

        bool hardwareKnown = true;
        c.hardwareTyped = !column.hardware.trimmed().isEmpty();
        c.fittedKn = c.hardwareTyped ? hardwareKn(column.hardware, &hardwareKnown) : c.need.kn;
        if (column.name.trimmed().isEmpty())
            c.problem = QStringLiteral("柱の名前がありません。");
        else if (!anyUsed)
            c.problem = QStringLiteral("柱の両側の壁が入力されていません。");
        else if (!allKnown)
            c.problem = QStringLiteral("数値でない入力があります。");
        else if (table && !allInTable)
            c.problem = QStringLiteral("告示表にない壁です。N値計算法によって下さい。");
        else if (!hardwareKnown)
            c.problem = QStringLiteral("金物の入力が正しくありません(記号か耐力kN)。");
        else if (c.need.beyondTable && !c.hardwareTyped)
            c.problem = QStringLiteral("N値が5.6を超えます。金物の耐力(kN)を入力して下さい(%1kN以上)。")
                            .arg(KnText(c.need.kn));
        else if (c.fittedKn + JointTolerance < c.need.kn)
            c.problem = QStringLiteral("金物の耐力 %1kN が必要な %2kN %3 に足りません。")
                            .arg(FormatDecimal(c.fittedKn, 2, 1), KnText(c.need.kn), c.need.symbol);
        c.passed = c.problem.isEmpty();
        result.columns.push_back(c);
    }
    return result;
}

bool HasJointData(const CalcSheet &sheet)
{
    for (const JointStorey &storey : sheet.joints)
        if (!storey.isBlank())
            return true;
    return false;
}

QString BracePositionKey(bool atHead)
{
    return atHead ? QStringLiteral("head") : QStringLiteral("foot");
}

QString UpperPullKey(UpperPull pull)
{
    switch (pull) {
    case UpperPull::Linked: return QStringLiteral("linked");
    case UpperPull::Typed: return QStringLiteral("typed");
    case UpperPull::Carried: return QStringLiteral("carried");
    }
    return {};
}

std::optional<UpperPull> UpperPullFromKey(const QString &key)
{
    for (UpperPull p : {UpperPull::Linked, UpperPull::Typed, UpperPull::Carried})
        if (UpperPullKey(p) == key)
            return p;
    return std::nullopt;
}

QString JointMethodKey(JointMethod method)
{
    return method == JointMethod::Table ? QStringLiteral("table") : QStringLiteral("nvalue");
}

std::optional<JointMethod> JointMethodFromKey(const QString &key)
{
    for (JointMethod m : {JointMethod::NValue, JointMethod::Table})
        if (JointMethodKey(m) == key)
            return m;
    return std::nullopt;
}

QString JointMethodName(JointMethod method)
{
    return method == JointMethod::Table ? QStringLiteral("告示表") : QStringLiteral("N値計算法");
}

QString JointDirectionName(int d)
{
    return d == 0 ? QStringLiteral("X方向") : QStringLiteral("Y方向");
}

} // namespace quiren
