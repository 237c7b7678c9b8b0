#include "core/calc/CalcSheet.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

// Answers the after-edit questions and remembers what the user was told.
struct ScriptedPrompter : EditPrompter {
    bool answerLongLength = true;
    int notANumberCount = 0;
    int invalidCount = 0;
    int longLengthQuestions = 0;

    void notANumber() override { ++notANumberCount; }
    void invalidNumber() override { ++invalidCount; }
    bool confirmLongLength() override
    {
        ++longLengthQuestions;
        return answerLongLength;
    }
};

// Types `text` into a framing cell the way the grid hands it over.
EditResult type(CalcSheet &sheet, int s, int r, int column, const QString &text, EditPrompter &p)
{
    sheet.row(s, r)[column] = text;
    return sheet.AfterEdit(s, r, column, p);
}

} // namespace

TEST(CalcSheetNew, StartsAsAnEmptyOneStoreyLightSheet)
{
    CalcSheet sheet;
    EXPECT_EQ(sheet.storeyIndex, 0);
    EXPECT_EQ(sheet.weightType, 0);
    EXPECT_EQ(sheet.coefficient[0], "0.11");
    EXPECT_EQ(sheet.coefficient[1], "0.0");
    EXPECT_EQ(sheet.coefficient[2], "0.0");
    for (int w = 0; w < 6; ++w) {
        EXPECT_EQ(sheet.windFactor[w], "0.5");
        EXPECT_EQ(sheet.projectedRequirement[w], "0.0000");
    }
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(sheet.floorRequirement[s], "0.0000");
        const JudgementRow &j = sheet.judgement[s];
        EXPECT_EQ(j[JudgeSum0], "0.0000");
        EXPECT_EQ(j[JudgeSum1], "0.0000");
        EXPECT_TRUE(j[JudgeNecessary0].isEmpty());
        EXPECT_TRUE(j[JudgeResult0].isEmpty());
        EXPECT_TRUE(j[JudgeResult1].isEmpty());
        EXPECT_FALSE(j.bars[0].shown);
    }
    EXPECT_EQ(sheet.judgement[1][0], "二階");
    EXPECT_EQ(sheet.framing[0].size(), 9u);
    EXPECT_EQ(sheet.framing[1].size(), 7u);
    EXPECT_EQ(sheet.framing[2].size(), 7u);
    EXPECT_FALSE(sheet.changed);
}

TEST(CalcSheetRequirements, FloorAreaCoefficientsFollowWeightAndStoreys)
{
    CalcSheet sheet;
    sheet.SetWeightType(1);
    sheet.SetFloorArea(0, QStringLiteral("100"));
    EXPECT_EQ(sheet.coefficient[0], "0.15");
    EXPECT_EQ(sheet.floorRequirement[0], "15.0000");
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary0], "15.0000");
    sheet.SetWeightType(0);
    EXPECT_EQ(sheet.coefficient[0], "0.11");
    EXPECT_EQ(sheet.floorRequirement[0], "11.0000");
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary1], "11.0000");

    // The second storey's area counts with the two-storey coefficient once
    // the count is raised.
    sheet.SetFloorArea(1, QStringLiteral("40"));
    sheet.SetStoreyIndex(1);
    EXPECT_EQ(sheet.coefficient[1], "0.15");
    EXPECT_EQ(sheet.floorRequirement[1], "6.0000");
    EXPECT_EQ(sheet.coefficient[0], "0.29");
    EXPECT_EQ(sheet.floorRequirement[0], "29.0000");

    // Three storeys and back to one: the upper storeys keep their values.
    sheet.SetStoreyIndex(2);
    EXPECT_EQ(sheet.coefficient[1], "0.34");
    EXPECT_EQ(sheet.floorRequirement[1], "13.6000");
    sheet.SetStoreyIndex(0);
    EXPECT_EQ(sheet.coefficient[1], "0.34");
    EXPECT_EQ(sheet.floorRequirement[1], "13.6000");
    EXPECT_EQ(sheet.floorRequirement[0], "11.0000");

    // Emptying the floor area gives 0.0000.
    sheet.SetFloorArea(0, QString());
    EXPECT_EQ(sheet.floorRequirement[0], "0.0000");
}

TEST(CalcSheetRequirements, ProjectedAreasAndTheStrongWindOption)
{
    CalcSheet sheet;
    sheet.SetProjectedArea(0, QStringLiteral("30"));
    EXPECT_EQ(sheet.projectedRequirement[0], "15.0000");
    // No floor area: the projected requirement governs column 1 alone.
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary0], "15.0000");
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary1], "0.0000");

    sheet.SwitchStrongWind(51);
    EXPECT_TRUE(sheet.strongWind);
    for (const QString &f : sheet.windFactor)
        EXPECT_EQ(f, "0.51");
    EXPECT_EQ(sheet.projectedRequirement[0], "15.3000");
    EXPECT_EQ(sheet.projectedRequirement[3], "0.0000");
    EXPECT_TRUE(sheet.changed);

    sheet.SwitchStrongWind(75);
    EXPECT_FALSE(sheet.strongWind);
    for (const QString &f : sheet.windFactor)
        EXPECT_EQ(f, "0.50");
    EXPECT_EQ(sheet.projectedRequirement[0], "15.0000");
}

TEST(CalcSheetRequirements, TiesTakeTheProjectedText)
{
    CalcSheet sheet;
    // Floor 12.0000 from 109.0909... is awkward; set the texts directly and
    // let Long_calc choose.
    sheet.floorRequirement[0] = QStringLiteral("12.0000");
    sheet.projectedRequirement[0] = QStringLiteral("12.0000");
    sheet.projectedRequirement[3] = QStringLiteral("11.9999");
    sheet.Long_calc(0);
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary0], "12.0000");
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary1], "12.0000");

    // Tell the two sources apart by their texts.
    sheet.floorRequirement[0] = QStringLiteral("12.0");
    sheet.Long_calc(0);
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary0], "12.0000");  // projected wins the tie
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary1], "12.0");     // floor beats 11.9999
}

TEST(CalcSheetRecalc, EffectiveLengthsSumsAndJudgement)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    sheet.SetFloorArea(0, QStringLiteral("109.0909"));   // 0.11 × → 12.0000
    ASSERT_EQ(sheet.floorRequirement[0], "12.0000");

    type(sheet, 0, 0, ColKind, QStringLiteral("木材"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColSection], "1.5×9");
    EXPECT_EQ(sheet.row(0, 0)[ColXBracing], "しない");
    type(sheet, 0, 0, ColSection, QStringLiteral("4.5×9"), p);
    type(sheet, 0, 0, ColLength0, QStringLiteral("1.82"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColLength0], "  1.82");
    // A length without places shows its multiplier but no effective length.
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], "2.0");
    EXPECT_TRUE(sheet.row(0, 0)[ColEffective0].isEmpty());
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "0.0000");

    type(sheet, 0, 0, ColPlaces0, QStringLiteral("2"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColEffective0], "7.2800");
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "7.2800");
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "60.7% ");
    EXPECT_EQ(sheet.judgement[0].bars[0].red, 255u);

    // 10.5 of 12 is 87.5 per cent on a red bar 87.5 long.
    type(sheet, 0, 1, ColKind, QStringLiteral("木摺両面壁"), p);
    type(sheet, 0, 1, ColLength0, QStringLiteral("3.22"), p);
    type(sheet, 0, 1, ColPlaces0, QStringLiteral("1"), p);
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "10.5000");
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "87.5% ");
    EXPECT_FLOAT_EQ(sheet.judgement[0].bars[0].percent, 87.5f);

    // Exactly the necessary length is OK on a full blue bar.
    type(sheet, 0, 2, ColKind, QStringLiteral("9㎜鉄筋"), p);
    type(sheet, 0, 2, ColLength0, QStringLiteral("1.5"), p);
    type(sheet, 0, 2, ColPlaces0, QStringLiteral("1"), p);
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "12.0000");
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "OK");
    EXPECT_EQ(sheet.judgement[0].bars[0].blue, 255u);
    EXPECT_EQ(sheet.judgement[0].bars[0].red, 0u);
    EXPECT_FLOAT_EQ(sheet.judgement[0].bars[0].percent, 100.0f);

    // Delete on the kind: the row stops counting at once, section and
    // bracing cells are emptied.
    sheet.DeleteCell(0, 2, ColKind, p);
    EXPECT_TRUE(sheet.row(0, 2)[ColSection].isEmpty());
    EXPECT_TRUE(sheet.row(0, 2)[ColEffective0].isEmpty());
    EXPECT_EQ(sheet.row(0, 2)[ColLength0], "  1.5");
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "10.5000");
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "87.5% ");
    EXPECT_EQ(p.notANumberCount + p.invalidCount, 0);
}

// A judgement cell is either the verdict of the sheet as it stands or empty;
// it never keeps an earlier verdict once the inputs changed.
TEST(CalcSheetRecalc, JudgementIsAlwaysCurrentOrEmpty)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    const auto result = [&sheet](int d) { return sheet.judgement[0][JudgeResult0 + 3 * d]; };
    const auto bar = [&sheet](int d) { return sheet.judgement[0].bars[d]; };

    sheet.SetProjectedArea(0, QStringLiteral("20"));
    type(sheet, 0, 0, ColKind, QStringLiteral("木摺両面壁"), p);
    type(sheet, 0, 0, ColLength0, QStringLiteral("2"), p);
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("3"), p);
    // Sums, but no judgement without a floor area.
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "6.0000");
    EXPECT_TRUE(result(0).isEmpty());
    EXPECT_FALSE(bar(0).shown);

    // With a floor area both directions are judged; one without any framing
    // falls short by everything it needs.
    sheet.SetFloorArea(0, QStringLiteral("50"));
    EXPECT_EQ(result(0), "60.0% ");
    EXPECT_EQ(result(1), "0.0% ");
    EXPECT_TRUE(bar(1).shown);
    EXPECT_EQ(bar(1).red, 255u);
    EXPECT_FLOAT_EQ(bar(1).percent, 0.0f);

    type(sheet, 0, 0, ColPlaces0, QStringLiteral("10"), p);
    ASSERT_EQ(result(0), "OK");
    // Places refused and emptied: the row adds nothing, and "OK" goes.
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("-1"), p);
    EXPECT_EQ(p.invalidCount, 1);
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], "0.0000");
    EXPECT_EQ(result(0), "0.0% ");
    EXPECT_EQ(bar(0).blue, 0u);

    // A floor area of 0 with nothing projected in direction 1 leaves nothing
    // to judge that direction against.
    sheet.SetFloorArea(0, QStringLiteral("0"));
    EXPECT_EQ(result(0), "0.0% ");   // 20 m² projected still need 10.0000
    EXPECT_TRUE(result(1).isEmpty());

    // Emptying the floor area takes every judgement of the storey away.
    sheet.SetFloorArea(0, QString());
    EXPECT_TRUE(result(0).isEmpty());
    EXPECT_TRUE(result(1).isEmpty());
    EXPECT_FALSE(bar(0).shown);
    EXPECT_FALSE(bar(1).shown);
}

TEST(CalcSheetRecalc, RatiosJustBelowAHundredAreNotOk)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    sheet.SetFloorArea(0, QStringLiteral("100"));   // 11.0000
    type(sheet, 0, 0, ColKind, QStringLiteral("木摺両面壁"), p);
    type(sheet, 0, 0, ColLength0, QStringLiteral("10.9945"), p);
    EXPECT_EQ(p.longLengthQuestions, 1);
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("1"), p);
    // 10.9945 / 11 is 99.95 per cent, held in single precision just below.
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "99.9% ");
    EXPECT_EQ(sheet.judgement[0].bars[0].red, 255u);
    type(sheet, 0, 0, ColLength0, QStringLiteral("11"), p);
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "OK");
}

TEST(CalcSheetEdits, LengthAndPlacesNormalisation)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    type(sheet, 0, 0, ColKind, QStringLiteral("土塗り壁"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColSection], "-");
    EXPECT_EQ(sheet.row(0, 0)[ColXBracing], "-");

    type(sheet, 0, 0, ColLength0, QStringLiteral("2"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColLength0], "  2.0");
    type(sheet, 0, 0, ColLength1, QStringLiteral(" 12.5 "), p);
    EXPECT_EQ(sheet.row(0, 0)[ColLength1], " 12.5");
    EXPECT_EQ(p.longLengthQuestions, 1);

    // No to the 10 m question: emptied, recalculated, not marked changed.
    sheet.changed = false;
    p.answerLongLength = false;
    EXPECT_EQ(type(sheet, 0, 0, ColLength1, QStringLiteral("15"), p), EditResult::LongLengthRefused);
    EXPECT_TRUE(sheet.row(0, 0)[ColLength1].isEmpty());
    EXPECT_FALSE(sheet.changed);

    type(sheet, 0, 0, ColLength0, QStringLiteral("ｸﾘﾔ"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColLength0].isEmpty());
    EXPECT_TRUE(sheet.changed);

    type(sheet, 0, 0, ColPlaces0, QStringLiteral("abc"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColPlaces0].isEmpty());
    EXPECT_EQ(p.notANumberCount, 1);
    // Places are counted, never rounded: "1.82" is a length typed into the
    // wrong cell, and became 2 without a word.
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("2.0"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColPlaces0], "2");
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("1.82"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColPlaces0].isEmpty());
    EXPECT_EQ(p.invalidCount, 1);
    p.invalidCount = 0;
    // Typed with the input method in full-width mode.
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("３"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColPlaces0], "3");
    type(sheet, 0, 0, ColLength0, QStringLiteral("１．８２"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColLength0], "  1.82");
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("-2"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColPlaces0].isEmpty());
    EXPECT_EQ(p.invalidCount, 1);
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("40000"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColPlaces0].isEmpty());
    EXPECT_EQ(p.invalidCount, 2);
    type(sheet, 0, 0, ColLength0, QStringLiteral("1e39"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColLength0].isEmpty());
    EXPECT_EQ(p.invalidCount, 3);
    type(sheet, 0, 0, ColLength0, QStringLiteral("-1.82"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColLength0].isEmpty());
    EXPECT_EQ(p.invalidCount, 4);
    type(sheet, 0, 0, ColLength0, QStringLiteral("1.8x"), p);
    EXPECT_EQ(p.notANumberCount, 2);
}

TEST(CalcSheetEdits, KindDefaultsBracingToggleAndClear)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    type(sheet, 0, 0, ColKind, QStringLiteral("木材"), p);
    sheet.row(0, 0)[ColSection].clear();
    sheet.AfterEdit(0, 0, ColSection, p);   // Delete on the section brings the default back
    EXPECT_EQ(sheet.row(0, 0)[ColSection], "1.5×9");

    sheet.changed = false;
    EXPECT_TRUE(sheet.ToggleXBracing(0, 0));
    EXPECT_EQ(sheet.row(0, 0)[ColXBracing], "する");
    EXPECT_TRUE(sheet.ToggleXBracing(0, 0));
    EXPECT_EQ(sheet.row(0, 0)[ColXBracing], "しない");
    EXPECT_FALSE(sheet.changed);

    type(sheet, 0, 1, ColKind, QStringLiteral("土塗り壁"), p);
    EXPECT_FALSE(sheet.ToggleXBracing(0, 1));
    EXPECT_EQ(sheet.row(0, 1)[ColXBracing], "-");
    EXPECT_FALSE(sheet.SectionEditable(0, 1));
    EXPECT_TRUE(sheet.SectionEditable(0, 0));

    // Choosing the clear item empties the kind; the other inputs stay.
    type(sheet, 0, 0, ColLength0, QStringLiteral("1.82"), p);
    type(sheet, 0, 0, ColKind, QStringLiteral("ｸﾘﾔ"), p);
    EXPECT_TRUE(sheet.row(0, 0)[ColKind].isEmpty());
    EXPECT_EQ(sheet.row(0, 0)[ColSection], "1.5×9");
    EXPECT_EQ(sheet.row(0, 0)[ColLength0], "  1.82");
    EXPECT_TRUE(sheet.row(0, 0)[ColMultiplier0].isEmpty());

    // Switching a wood row to a wall without brace writes "-".
    type(sheet, 0, 1, ColKind, QStringLiteral("木材"), p);
    EXPECT_EQ(sheet.row(0, 1)[ColSection], "1.5×9");
    type(sheet, 0, 1, ColKind, QStringLiteral("9㎜鉄筋"), p);
    EXPECT_EQ(sheet.row(0, 1)[ColSection], "-");
}

TEST(CalcSheetEdits, SortKeepsRowCountAndMovesBlanksDown)
{
    CalcSheet sheet;
    ScriptedPrompter p;
    sheet.SortFramingRows(0);   // all blank: nothing happens
    type(sheet, 0, 0, ColKind, QStringLiteral("木材"), p);
    type(sheet, 0, 2, ColKind, QStringLiteral("土塗り壁"), p);
    type(sheet, 0, 4, ColKind, QStringLiteral("9㎜鉄筋"), p);
    sheet.row(0, 5)[ColLength0] = QStringLiteral("  1.0");   // kind empty, not blank
    sheet.changed = false;
    sheet.SortFramingRows(0);
    ASSERT_EQ(sheet.framing[0].size(), 9u);
    EXPECT_TRUE(sheet.row(0, 0)[ColKind].isEmpty());
    EXPECT_EQ(sheet.row(0, 0)[ColLength0], "  1.0");
    EXPECT_EQ(sheet.row(0, 1)[ColKind], "9㎜鉄筋");
    EXPECT_EQ(sheet.row(0, 2)[ColKind], "土塗り壁");
    EXPECT_EQ(sheet.row(0, 3)[ColKind], "木材");
    for (int r = 4; r < 9; ++r)
        EXPECT_TRUE(sheet.row(0, r).isBlank()) << r;
    EXPECT_FALSE(sheet.changed);
}

TEST(CalcSheetCertified, ChosenWallOffersItsKinds)
{
    CertifiedWallList walls{{QStringLiteral("A壁"), 2.5f, {}}, {QStringLiteral("B壁"), 1.5f, {}}};
    CalcSheet sheet(&walls);
    ScriptedPrompter p;
    ASSERT_NE(sheet.chosenWall(), nullptr);
    EXPECT_EQ(sheet.chosenWall()->name, "A壁");
    EXPECT_EQ(sheet.KindList().size(), 15);
    sheet.certifiedChoice = -1;
    EXPECT_EQ(sheet.chosenWall(), nullptr);
    EXPECT_EQ(sheet.KindList().size(), 12);

    // A row naming a certified wall counts with its multiplier, whatever the
    // sheet's choice.
    type(sheet, 0, 0, ColKind, QStringLiteral("B壁+鉄筋"), p);
    type(sheet, 0, 0, ColLength0, QStringLiteral("1"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], "2.5");

    CalcSheet empty;
    EXPECT_EQ(empty.chosenWall(), nullptr);
}

TEST(CalcSheetCertified, MultiplierCountsAsRegistered)
{
    // A certified 3.75 is neither shown nor used as 3.8 (20.7480 m).
    CertifiedWallList walls{{QStringLiteral("認定壁"), 3.75f, {}}};
    CalcSheet sheet(&walls);
    ScriptedPrompter p;
    type(sheet, 0, 0, ColKind, QStringLiteral("認定壁"), p);
    type(sheet, 0, 0, ColLength0, QStringLiteral("1.82"), p);
    type(sheet, 0, 0, ColPlaces0, QStringLiteral("3"), p);
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], "3.75");
    EXPECT_EQ(sheet.row(0, 0)[ColEffective0], "20.4750");

    // The placeholder of an unread wall-file line cannot be the sheet's wall.
    walls.prepend(UnreadWallPlaceholder("broken", 1));
    sheet.certifiedChoice = 0;
    EXPECT_EQ(sheet.chosenWall(), nullptr);
    EXPECT_EQ(sheet.KindList().size(), 12);
}
