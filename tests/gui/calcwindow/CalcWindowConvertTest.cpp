// The File menu's conversions: to the 2025 rules with the roof asked for,
// and back while the sheet holds nothing the old rules cannot keep.
#include "CalcWindowFixture.h"

#include "gui/widgets/ChoiceBox.h"

#include <QAction>

namespace quiren::test {
namespace {

class CalcWindowConvertTest : public CalcWindowFixture {
protected:
    void SetUp() override
    {
        CalcWindowFixture::SetUp();
        SetChoiceResponder([this](const ChoiceRequest &request) -> std::optional<int> {
            choices.push_back(request);
            return choice;
        });
    }
    void TearDown() override
    {
        SetChoiceResponder({});
        CalcWindowFixture::TearDown();
    }
    QAction *item(const char *name) const { return main->findChild<QAction *>(QString::fromLatin1(name)); }
    bool enabled(const char *name) const { return item(name)->isEnabled(); }

    std::vector<ChoiceRequest> choices;
    std::optional<int> choice;
};

TEST_F(CalcWindowConvertTest, RoofAskedThereAndWeightAskedBack)
{
    CalcSheet &sheet = calc->sheet();
    sheet.SetWeightType(1);
    EXPECT_FALSE(enabled("mnuConvertOld"));

    // Cancelled: nothing changes.
    item("mnuConvert2025")->trigger();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].choices.value(choices[0].chosen), QStringLiteral("瓦屋根(葺き土なし)（重い屋根）"));
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Old);

    choice = 2;   // metal
    item("mnuConvert2025")->trigger();
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
    EXPECT_EQ(sheet.weightInputs.seismic.roof, RoofFinish::Metal);
    EXPECT_TRUE(enabled("mnuConvertOld"));
    EXPECT_FALSE(enabled("mnuConvert2025"));

    // Refused with the reason while a quasi-bearing wall is there.
    sheet.quasiWalls[1][0].kind = QStringLiteral("せっこうボード");
    messages.clear();
    choices.clear();
    EXPECT_FALSE(calc->convertToOldRules());
    EXPECT_TRUE(choices.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("旧基準に戻せません。次のものは旧基準の計算書では扱えません。\n"
                                               "2階に準耐力壁等があります（旧基準では存在壁量に数えません）。"));

    sheet.quasiWalls[1][0].kind.clear();
    choice = 1;   // heavy, against the light the metal roof offers
    item("mnuConvertOld")->trigger();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].chosen, 0);
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Old);
    EXPECT_EQ(sheet.weightType, 1);
    EXPECT_TRUE(sheet.changed);
    EXPECT_TRUE(enabled("mnuConvert2025"));
}

} // namespace
} // namespace quiren::test
