#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnJoint.h"
#include "core/calc/ColumnJointEdit.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

struct NCase {
    const char *name;
    NValueInput in;
    double n;            // as shown, two decimals
    const char *symbol;
    double kn;
};

constexpr JointPosition Top = JointPosition::Top;
constexpr JointPosition Ground = JointPosition::Ground;

} // namespace

// The worked figures with known answers, and the height boundary.
TEST(ColumnJoint, NValueAndJointOfKnownFigures)
{
    const NCase cases[] = {
        {"B-1 top corner, plywood 2.5", {Top, true, false, 2.5}, 1.6, "(ほ)", 8.5},
        {"B-2 top other column", {Top, false, false, 2.5}, 0.65, "(ろ)", 3.4},
        {"B-3 equal walls", {Top, false, false, 0.0}, -0.6, "(い)", 0.0},
        {"B-4 ground, both corner", {Ground, true, true, 3.0, 2.0}, 3.0, "(ち)", 20.0},
        {"B-5 ground, neither corner", {Ground, false, false, 3.0, 1.0}, 0.4, "(ろ)", 3.4},
        {"B-6 ground, upper corner only", {Ground, false, true, 3.0, 2.0}, 1.5, "(ほ)", 8.5},
        {"B-7 H1 3.3 m", {Top, true, false, 2.5, 0, 3.3}, 2.04, "(と)", 15.0},
        {"B-8 H1 3.0 m", {Top, true, false, 2.5, 0, 3.0}, 1.6, "(ほ)", 8.5},
        {"B-8 H1 3.2 m, the boundary itself", {Top, true, false, 2.5, 0, 3.2}, 1.6, "(ほ)", 8.5},
        {"H1 3.21 m jumps to H/2.7", {Top, true, false, 2.5, 0, 3.21}, 1.98, "(と)", 15.0},
        {"H2 above 3.2 m on the upper term", {Ground, false, false, 3.0, 1.0, 0, 3.24}, 0.5, "(ろ)", 3.4},
        {"B-9 N 6.0", {Top, true, false, 8.0}, 6.0, "5.6超", 31.8},
        {"limit 0.65 of (ろ) at another column", {Ground, false, false, 4.5, 0.0}, 0.65, "(ろ)", 3.4},
        {"limit 5.6 of (ぬ)", {Top, true, false, 7.5}, 5.6, "(ぬ)", 30.0},
        {"limit 1.4 of (に)", {Top, false, false, 4.0}, 1.4, "(に)", 7.5},
    };
    for (const NCase &c : cases) {
        SCOPED_TRACE(c.name);
        const NValueTerms t = ComputeNValue(c.in);
        EXPECT_DOUBLE_EQ(ShownN(t.n), c.n);
        const JointNeed need = JointNeedFor(t.n);
        EXPECT_EQ(need.symbol, QString::fromUtf8(c.symbol));
        EXPECT_DOUBLE_EQ(ShownKn(need.kn), c.kn);
    }
}

// Brace corrections by size and by the end of the column the brace meets.
TEST(ColumnJoint, BraceCorrection)
{
    const BraceAtColumn none{};
    auto single = [](BraceSize size, bool head) { return BraceAtColumn{size, false, head}; };
    auto crossed = [](BraceSize size) { return BraceAtColumn{size, true, true}; };
    struct Case {
        const char *name;
        BraceAtColumn a, b;
        double value;
        bool unverified;
    } cases[] = {
        {"30 at head", single(BraceSize::S30, true), none, 0.5, false},
        {"45 at foot", none, single(BraceSize::S45, false), -0.5, false},
        {"90 at head", single(BraceSize::S90, true), none, 2.0, false},
        {"90 at foot", single(BraceSize::S90, false), none, -2.0, false},
        {"crossed alone", crossed(BraceSize::S45), none, 0.0, false},
        {"both at head 30+90", single(BraceSize::S30, true), single(BraceSize::S90, true), 2.5, false},
        {"both at head 90+90", single(BraceSize::S90, true), single(BraceSize::S90, true), 4.0, false},
        {"both at foot", single(BraceSize::S45, false), single(BraceSize::S90, false), 0.0, false},
        {"single at head beside crossed", single(BraceSize::S90, true), crossed(BraceSize::S30), 2.0, false},
        {"single at foot beside crossed", crossed(BraceSize::S30), single(BraceSize::S45, false), 0.0, false},
        {"head and foot: not in the table", single(BraceSize::S90, true), single(BraceSize::S30, false), 1.5,
         true},
        {"15×90 not in the table", single(BraceSize::S15, true), none, 0.0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BraceCorrection r = BraceCorrectionOf(c.a, c.b);
        EXPECT_DOUBLE_EQ(r.value, c.value);
        EXPECT_EQ(r.unverified, c.unverified);
    }
}

namespace {

JointColumn column(const char *name, bool corner, const QString &kind0, const QString &section0 = {},
                   bool head = true)
{
    JointColumn c;
    c.name = QString::fromUtf8(name);
    c.corner = corner;
    c.directions[0].sides[0] = JointSide{kind0, section0, false, {}, head};
    return c;
}

} // namespace

// A two-storey house: a storey-1 column takes the pull of the storey-2
// column of its name; the hardware typed is judged against N.
TEST(ColumnJoint, SheetColumnsLinkedAndJudged)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    // Storey 2: a brace 3×9 single meeting X1-Y1 at its head: 1.5 + 0.5 = 2.0.
    sheet.joints[1].columns.push_back(column("X1-Y1", true, QStringLiteral("木材"), QStringLiteral("3×9")));
    // Storey 1: crossed 3×9 (3.0) under it: 3·0.8 + 2·0.8 − 1.0 = 3.0 → (ち).
    JointColumn below = column("X1-Y1", true, QStringLiteral("木材"), QStringLiteral("3×9"));
    below.directions[0].sides[0].crossed = true;
    below.hardware = QStringLiteral("15");
    sheet.joints[0].columns.push_back(below);
    // Storey 1, a typed wall 2.5 with no storey-2 column of its name: formula 1.
    JointColumn alone = column("X5-Y1", false, {});
    alone.directions[1].sides[1].typed = QStringLiteral("2.5");
    sheet.joints[0].columns.push_back(alone);

    const JointStoreyResult lower = CheckColumnJoints(sheet, 0);
    ASSERT_EQ(lower.columns.size(), 2u);
    const JointColumnResult &linked = lower.columns[0];
    EXPECT_EQ(linked.upperName, QStringLiteral("X1-Y1"));
    EXPECT_DOUBLE_EQ(linked.directions[0].a2, 2.0);
    EXPECT_DOUBLE_EQ(ShownN(linked.n), 3.0);
    EXPECT_EQ(linked.need.symbol, QStringLiteral("(ち)"));
    EXPECT_FALSE(linked.passed);   // 15 kN typed, 20 kN needed
    EXPECT_TRUE(linked.problem.contains(QStringLiteral("20")));
    const JointColumnResult &single = lower.columns[1];
    EXPECT_FALSE(single.directions[1].withUpper);
    EXPECT_EQ(single.governing, 1);
    EXPECT_EQ(single.need.symbol, QStringLiteral("(ろ)"));
    EXPECT_TRUE(single.passed);
    EXPECT_EQ(lower.verdictText(), QStringLiteral("NG"));

    sheet.joints[0].columns[0].hardware = QStringLiteral("(ち)");
    EXPECT_EQ(CheckColumnJoints(sheet, 0).verdictText(), QStringLiteral("OK"));
    // The pull carried by other members: A2 = 0, L of the lower formula.
    sheet.joints[0].columns[0].upper = UpperPull::Carried;
    EXPECT_DOUBLE_EQ(ShownN(CheckColumnJoints(sheet, 0).columns[0].n), 1.4);
}

// The simple table: read per wall; refused where a storey is over 3.2 m.
TEST(ColumnJoint, TableMethod)
{
    CalcSheet sheet;
    sheet.joints[0].method = JointMethod::Table;
    sheet.joints[0].columns.push_back(column("X1-Y1", true, QStringLiteral("木材"), QStringLiteral("4.5×9")));
    sheet.joints[0].columns.push_back(
        column("X2-Y1", true, QStringLiteral("木材"), QStringLiteral("4.5×9"), false));
    JointStoreyResult r = CheckColumnJoints(sheet, 0);
    EXPECT_TRUE(r.refusal.isEmpty());
    EXPECT_EQ(r.columns[0].need.symbol, QStringLiteral("(ほ)"));
    EXPECT_EQ(r.columns[1].need.symbol, QStringLiteral("(は)"));
    sheet.joints[0].columns.push_back(column("X3-Y1", true, QStringLiteral("木材"), QStringLiteral("9×9")));
    r = CheckColumnJoints(sheet, 0);
    EXPECT_FALSE(r.columns[2].passed);

    sheet.weightInputs.memberDistance[0] = QStringLiteral("3.2");
    EXPECT_TRUE(CheckColumnJoints(sheet, 0).refusal.isEmpty());
    sheet.weightInputs.memberDistance[0] = QStringLiteral("3.25");
    r = CheckColumnJoints(sheet, 0);
    EXPECT_FALSE(r.refusal.isEmpty());
    EXPECT_EQ(r.verdictText(), QStringLiteral("NG"));
}

// The 告示 tables, cell by cell for the walls they list (表1, 表2).
TEST(ColumnJoint, NoticeTablesCellByCell)
{
    const struct {
        TableWall wall;
        bool atHead;
        const char *top;       // corner, other
        const char *ground;    // both corner, storey-2 corner only, neither
    } rows[] = {
        {TableWall::Lath, true, "いい", "いいい"},
        {TableWall::Brace15, true, "ろい", "ろいい"},
        {TableWall::Brace30, false, "ろい", "にろい"},
        {TableWall::Brace30, true, "にろ", "にろい"},
        {TableWall::Crossed15, true, "にろ", "とはろ"},
        {TableWall::Brace45, false, "はろ", "とはろ"},
        {TableWall::Brace45, true, "ほろ", "とはろ"},
        {TableWall::Plywood, true, "ほろ", "ちへは"},
        {TableWall::Crossed30, true, "とは", "りとに"},
        {TableWall::Crossed45, true, "とに", "ぬちと"},
    };
    auto symbol = [](std::optional<int> index) {
        return index && *index >= 0 ? JointTypes()[*index].symbol.mid(1, 1) : QStringLiteral("?");
    };
    for (const auto &row : rows) {
        const QString top = QString::fromUtf8(row.top), ground = QString::fromUtf8(row.ground);
        SCOPED_TRACE(ground.toStdString());
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Top, true, false)), top.mid(0, 1));
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Top, false, false)), top.mid(1, 1));
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Ground, true, true)), ground.mid(0, 1));
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Ground, false, true)), ground.mid(1, 1));
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Ground, false, false)), ground.mid(2, 1));
        // A corner column under one that is not: not in the table, read as both corner.
        EXPECT_EQ(symbol(TableJointIndex(row.wall, row.atHead, Ground, true, false)), ground.mid(0, 1));
    }
    EXPECT_FALSE(TableJointIndex(TableWall::NotInTable, true, Top, true, false).has_value());
}

// What the user types for the hardware fitted, and the fields of the window.
TEST(ColumnJoint, TypedHardwareAndFields)
{
    CalcSheet sheet;
    InsertJointColumn(sheet, 0, -1);
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Name, QStringLiteral("X1-Y1")));
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Corner, QStringLiteral("1")));
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Kind0, QStringLiteral("木材")));
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Brace0, QStringLiteral("4.5×9 たすき")));
    const JointSide &side = sheet.joints[0].columns[0].directions[0].sides[0];
    EXPECT_EQ(side.section, QStringLiteral("4.5×9"));
    EXPECT_TRUE(side.crossed);
    // Crossed 4.5×9 is 4.0: 4.0 × 0.8 − 0.4 = 2.8 → (と), 15 kN.
    const struct {
        const char *hardware;
        bool passed;
    } cases[] = {
        {"", true}, {"(と)", true}, {"と", true}, {"15", true}, {"15kN", true}, {"(へ)", false},
        {"14.9", false}, {"強い金物", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hardware);
        ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Hardware, QString::fromUtf8(c.hardware)));
        const JointColumnResult r = CheckColumnJoints(sheet, 0).columns[0];
        EXPECT_EQ(r.need.symbol, QStringLiteral("(と)"));
        EXPECT_EQ(r.passed, c.passed) << r.problem.toStdString();
    }
    // A number field keeps what it had when given something else.
    sheet.changed = false;
    EXPECT_FALSE(SetJointField(sheet, 0, 0, 1, JointField::Typed1, QStringLiteral("2.5倍")));
    EXPECT_FALSE(sheet.changed);
    EXPECT_TRUE(SetJointField(sheet, 0, 0, 1, JointField::Correction, QStringLiteral("-0.5")));
    EXPECT_TRUE(sheet.changed);
    // A typed multiplier takes the place of a kind, and a kind of a typed multiplier.
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 0, JointField::Typed0, QStringLiteral("2.5")));
    EXPECT_TRUE(side.kind.isEmpty());
    EXPECT_EQ(CheckColumnJoints(sheet, 0).columns[0].need.symbol, QStringLiteral("(ほ)"));
    ASSERT_TRUE(SetJointField(sheet, 0, 0, 1, JointField::Upper, JointUpperChoices().value(1)));
    EXPECT_EQ(sheet.joints[0].columns[0].upper, UpperPull::Typed);
    EXPECT_TRUE(sheet.joints[0].columns[0].upperCorner);
    RemoveJointColumn(sheet, 0, 0);
    EXPECT_TRUE(sheet.joints[0].isBlank());
}
