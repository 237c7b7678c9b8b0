// The law's bearing walls as framing kinds: their multipliers against the
// reference table, sums at and above the cap of each rule set, certified
// walls by exact name, and a sheet that computes the same wherever it is
// opened.
#include "core/calc/CalcSheet.h"
#include "core/calc/Framing.h"
#include "core/calc/LawWalls.h"
#include "core/calc/QuasiBearingWall.h"
#include "core/calc/SheetWalls.h"
#include "core/documents/SheetFile.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

CertifiedWallList wallsOf(std::initializer_list<std::pair<const char *, float>> entries)
{
    CertifiedWallList list;
    for (const auto &[name, m] : entries)
        list.append(CertifiedWall{QString::fromUtf8(name), m});
    return list;
}

// The multiplier cell of a one-row sheet under the given rules.
QString multiplierOn(RuleSetKind rules, const QString &kind, const QString &section = QStringLiteral("-"),
                     const QString &x = QStringLiteral("-"), const CertifiedWallList *walls = nullptr)
{
    CalcSheet sheet(walls);
    sheet.SetRuleSet(rules);
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = kind;
    row[ColSection] = section;
    row[ColXBracing] = x;
    row[ColLength0] = QStringLiteral("1.82");
    sheet.RecalcStorey(0);
    return row[ColMultiplier0];
}

} // namespace

TEST(LawWalls, EveryKindHasTheReferenceMultiplier)
{
    struct Expected {
        const char *name;
        float multiplier;
        bool unverified;
    };
    // rules-walls.md §1-§4, in the list's order.
    const Expected table[] = {
        {"木材", 0.0f, false}, {"9㎜鉄筋", 1.0f, false},
        {"土塗り壁", 0.5f, false}, {"木摺片面壁", 0.5f, false}, {"木摺両面壁", 1.0f, false},
        {"土塗壁(告示仕様) 中塗り両面 t7", 1.5f, true}, {"土塗壁(告示仕様) 中塗り片面 t5.5", 1.0f, true},
        {"落とし込み板壁", 0.6f, true},
        {"構造用合板 t7.5 (大壁)", 2.5f, false}, {"構造用パネル(OSB) (大壁)", 2.5f, false},
        {"パーティクルボード t12 (大壁)", 2.5f, false}, {"構造用パーティクルボード (大壁)", 2.5f, false},
        {"構造用MDF (大壁)", 2.5f, false}, {"構造用合板 t9 (大壁) CN50@75", 3.7f, false},
        {"構造用パネル(OSB) t9 (大壁) CN50@75", 3.7f, false}, {"構造用パーティクルボード (大壁) N50@75", 4.3f, false},
        {"構造用MDF (大壁) N50@75", 4.3f, false}, {"ハードボード t5 (大壁)", 2.0f, false},
        {"木片セメント板 t12 (大壁)", 2.0f, false}, {"炭酸マグネシウム板 t12 (大壁)", 2.0f, true},
        {"パルプセメント板 t8 (大壁)", 1.5f, false}, {"シージングボード t12 (大壁)", 1.0f, true},
        {"ラスシート (大壁)", 1.0f, false}, {"構造用石膏ボードA種 (大壁)", 1.7f, false},
        {"構造用石膏ボードB種 (大壁)", 1.2f, false}, {"石膏ボード t12.5 (大壁)", 0.9f, false},
        {"強化石膏ボード (大壁)", 0.9f, false}, {"面材 (胴縁)", 0.5f, true},
        {"構造用合板 t7.5 (床勝ち)", 2.5f, true}, {"構造用パネル(OSB) (床勝ち)", 2.5f, true},
        {"構造用パーティクルボード (床勝ち)", 2.5f, true}, {"構造用MDF (床勝ち)", 2.5f, true},
        {"構造用石膏ボードA種 (床勝ち)", 1.6f, true}, {"構造用石膏ボードB種 (床勝ち)", 1.0f, false},
        {"石膏ボード t12.5 (床勝ち)", 0.9f, false}, {"強化石膏ボード (床勝ち)", 0.9f, false},
        {"構造用合板 t7.5 (真壁受材)", 2.5f, true}, {"構造用パネル(OSB) (真壁受材)", 2.5f, true},
        {"パーティクルボード t12 (真壁受材)", 2.5f, true}, {"構造用パーティクルボード (真壁受材)", 2.5f, true},
        {"構造用MDF (真壁受材)", 2.5f, true}, {"構造用石膏ボードA種 (真壁受材)", 1.5f, false},
        {"構造用石膏ボードB種 (真壁受材)", 1.3f, false}, {"石膏ボード t12.5 (真壁受材)", 1.0f, false},
        {"ラスボード・プラスター (真壁受材)", 1.5f, true}, {"構造用合板 t7.5 (真壁貫)", 1.5f, true},
        {"構造用パネル(OSB) (真壁貫)", 1.5f, true}, {"パーティクルボード t12 (真壁貫)", 1.5f, true},
        {"ラスボード・プラスター (真壁貫)", 1.0f, true}, {"構造用石膏ボードA種 (真壁貫)", 0.8f, true},
        {"構造用石膏ボードB種 (真壁貫)", 0.7f, true}, {"石膏ボード t12.5 (真壁貫)", 0.5f, true},
    };
    ASSERT_EQ(LawWalls().size(), std::size(table));
    for (size_t i = 0; i < std::size(table); ++i) {
        const LawWall &wall = LawWalls()[i];
        EXPECT_EQ(wall.name, QString::fromUtf8(table[i].name)) << i;
        EXPECT_EQ(wall.multiplier, table[i].multiplier) << table[i].name;
        EXPECT_EQ(wall.unverified, table[i].unverified) << table[i].name;
        // A kind is a wall on its own: every panel computes its own value.
        if (wall.group != LawWallGroup::Brace && wall.group != LawWallGroup::SteelBar) {
            EXPECT_EQ(multiplierOn(RuleSetKind::Old, wall.name), MultiplierText(wall.multiplier)) << table[i].name;
        }
    }
    // The quasi-bearing bases are the bearing values of the same panels.
    EXPECT_EQ(FindQuasiPanel(QStringLiteral("構造用合板"))->base, 2.5);
    EXPECT_EQ(FindQuasiPanel(QStringLiteral("せっこうボード"))->base, 0.9);
    EXPECT_EQ(FindQuasiPanel(QStringLiteral("硬質木片セメント板"))->base, 2.0);
}

TEST(LawWalls, CombinationsAtAndAboveTheCap)
{
    struct Case {
        const char *kind, *section, *x;
        const char *old, *rules2025;
    };
    const QString unresolved;   // two faces are not summed under the old rules
    const Case cases[] = {
        {"構造用合板 t7.5 (大壁)+木材", "4.5×9", "しない", "4.5", "4.50"},
        {"構造用合板 t7.5 (大壁)+木材", "4.5×9", "する", "5.0", "6.50"},
        {"構造用合板 t9 (大壁) CN50@75+木材", "9×9", "しない", "5.0", "6.70"},
        {"構造用MDF (大壁) N50@75+木材", "4.5×9", "する", "5.0", "7.00"},   // 8.3
        {"ラスシート (大壁)+鉄筋", "-", "-", "2.0", "2.00"},
        // Crossed 9 cm square braces count 5 and are not combined.
        {"構造用合板 t7.5 (大壁)+木材", "9×9", "する", "5.0", "5.00"},
        {"木摺両面壁+木材", "9×9", "する", "5.0", "5.00"},
        // Two faces (2025 rules): at the cap and above it.
        {"構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)", "-", "-", "", "3.40"},
        {"ハードボード t5 (大壁)+ラスシート (大壁)+木材", "4.5×9", "する", "", "7.00"},
        {"構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)+木材", "4.5×9", "する", "", "7.00"},   // 7.4
        {"構造用合板 t7.5 (大壁)+構造用石膏ボードB種 (大壁)+木材", "3×9", "しない", "", "5.20"},
    };
    for (const Case &c : cases) {
        const QString kind = QString::fromUtf8(c.kind);
        EXPECT_EQ(multiplierOn(RuleSetKind::Old, kind, QString::fromUtf8(c.section), QString::fromUtf8(c.x)),
                  QString::fromUtf8(c.old))
            << c.kind << " " << c.section << " " << c.x;
        EXPECT_EQ(multiplierOn(RuleSetKind::Rules2025, kind, QString::fromUtf8(c.section), QString::fromUtf8(c.x)),
                  QString::fromUtf8(c.rules2025))
            << c.kind << " " << c.section << " " << c.x;
    }
    // A 真壁 panel cannot stand on one face of a two-face wall.
    EXPECT_EQ(multiplierOn(RuleSetKind::Rules2025, QStringLiteral("構造用合板 t7.5 (大壁)+石膏ボード t12.5 (真壁受材)")), "");
}

TEST(LawWalls, CertifiedWallsMatchByExactNameOnly)
{
    // The longer name listed first used to take the shorter one's value.
    const CertifiedWallList walls = wallsOf({{"構造用合板9mm", 2.5f}, {"構造用合板", 4.0f}});
    const int last = static_cast<int>(walls.size()) - 1;
    EXPECT_EQ(FramingMultiplier("構造用合板9mm", "-", "-", walls, last), 2.5f);
    EXPECT_EQ(FramingMultiplier("構造用合板", "-", "-", walls, last), 4.0f);
    EXPECT_EQ(FramingMultiplier("構造用合板9mm+鉄筋", "-", "-", walls, last), 3.5f);
    EXPECT_EQ(FramingMultiplier("構造用合板9mm+木材", "3×9", "しない", walls, last), 4.0f);
    const FramingResolution other = ResolveFraming("構造用合板12mm", "-", "-", walls, last);
    EXPECT_FALSE(other.resolved);
    EXPECT_EQ(other.missing, "構造用合板12mm");

    // An unverified law value gives way to the office's; a verified one does not.
    const CertifiedWallList office = wallsOf({{"面材 (胴縁)", 0.7f}, {"構造用合板 t7.5 (大壁)", 3.0f}});
    const FramingResolution furring = ResolveFraming("面材 (胴縁)", "-", "-", office, 1);
    EXPECT_EQ(furring.shares.wall, 0.7f);
    EXPECT_EQ(furring.walls.at(0).source, MultiplierSource::OfficeList);
    EXPECT_EQ(ResolveFraming("構造用合板 t7.5 (大壁)", "-", "-", office, 1).shares.wall, 2.5f);
}

TEST(LawWalls, UnknownWallLeavesItsStoreyUnjudged)
{
    CalcSheet sheet;
    sheet.SetFloorArea(0, QStringLiteral("50"));
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("認定壁X+木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = QStringLiteral("しない");
    row[ColLength0] = QStringLiteral("10");
    row[ColPlaces0] = QStringLiteral("10");
    sheet.RecalcStorey(0);
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "");
    EXPECT_EQ(sheet.unresolvedKinds[0], QStringList{"認定壁X"});
    ASSERT_EQ(WallNotices(sheet).size(), 1);
    EXPECT_TRUE(WallNotices(sheet)[0].contains("認定壁X"));

    const CertifiedWallList office = wallsOf({{"認定壁X", 2.0f}});
    sheet.setWalls(&office);
    sheet.RecalcStorey(0);
    EXPECT_EQ(row[ColMultiplier0], "4.0");
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "OK");
    EXPECT_TRUE(WallNotices(sheet).isEmpty());
}

TEST(LawWalls, SheetFileComputesTheSameWithoutTheOfficeList)
{
    // Plywood outside, gypsum board inside, braces, and a certified wall.
    const CertifiedWallList office = wallsOf({{"認定壁Y", 3.2f}});
    CalcSheet sheet(&office);
    sheet.SetRuleSet(RuleSetKind::Rules2025);
    sheet.SwitchStrongWind(60);
    sheet.SetFloorArea(0, QStringLiteral("60"));
    sheet.SetProjectedArea(0, QStringLiteral("20"));
    sheet.SetProjectedArea(3, QStringLiteral("20"));
    const char *kinds[][3] = {
        {"構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)+木材", "4.5×9", "しない"},
        {"構造用パネル(OSB) (大壁)", "-", "-"},
        {"構造用石膏ボードA種 (大壁)", "-", "-"},
        {"木材", "3×9", "する"},
        {"認定壁Y+木材", "3×9", "しない"},
    };
    for (int r = 0; r < 5; ++r) {
        FramingRow &row = sheet.row(0, r);
        row[ColKind] = QString::fromUtf8(kinds[r][0]);
        row[ColSection] = QString::fromUtf8(kinds[r][1]);
        row[ColXBracing] = QString::fromUtf8(kinds[r][2]);
        row[ColLength0] = row[ColLength1] = QStringLiteral("0.91");
        row[ColPlaces0] = row[ColPlaces1] = QString::number(r + 1);
    }
    sheet.Recalculate();
    ASSERT_EQ(sheet.row(0, 4)[ColMultiplier0], "4.70");
    const QByteArray bytes = EncodeSheetFile(SheetFileDataOf(sheet));
    EXPECT_TRUE(bytes.contains("\"strongWindFactor\": 60"));
    EXPECT_TRUE(bytes.contains("\"certifiedWalls\""));

    const SheetFileParse parsed = ParseSheetFile(bytes);
    ASSERT_EQ(parsed.status, SheetFileStatus::Ok) << parsed.detail.toStdString();
    auto results = [](const CalcSheet &s) {
        QStringList out;
        for (int d = 0; d < 2; ++d)
            out << s.judgement[0][JudgeNecessary0 + 3 * d] << s.judgement[0][JudgeSum0 + 3 * d]
                << s.judgement[0][JudgeResult0 + 3 * d];
        for (int r = 0; r < 5; ++r)
            out << s.row(0, r)[ColMultiplier0] << s.row(0, r)[ColEffective1];
        return out;
    };
    for (const CertifiedWallList &elsewhere : {CertifiedWallList{}, wallsOf({{"認定壁Y", 2.0f}})}) {
        CalcSheet opened(&elsewhere);
        ApplySheetFile(opened, parsed.data, 51);   // the file's factor, not the setting's
        EXPECT_EQ(results(opened), results(sheet));
        EXPECT_EQ(opened.windFactor[0], sheet.windFactor[0]);
        ASSERT_EQ(WallNotices(opened).size(), 1);
        EXPECT_TRUE(WallNotices(opened)[0].contains("認定壁Y"));
        // Choosing the kind again takes the office's value (none: unjudged).
        struct Quiet : EditPrompter {
            void notANumber() override {}
            void invalidNumber() override {}
            bool confirmLongLength() override { return true; }
        } quiet;
        opened.AfterEdit(0, 4, ColKind, quiet);
        EXPECT_NE(results(opened), results(sheet));
    }
}
