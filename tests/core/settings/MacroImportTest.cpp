// Taking the office data over from the brace-calculation macro's settings.
#include "SettingsTestSupport.h"

#include "core/settings/MacroImport.h"
#include "core/text/StringTable.h"

#include <QDir>

using namespace quiren;

namespace {

class MacroImport : public FreshSettings {
protected:
    void writeMacroSettings(const QString &iniBody)
    {
        QDir().mkpath(configDir + "/Tsly");
        test::writeAll(iniPath("Tsly"), ("[suji]\n" + iniBody).toUtf8());
    }
};

} // namespace

TEST_F(MacroImport, AbsentWithoutAnOfficeName)
{
    EXPECT_FALSE(ReadMacroOfficeData().has_value());

    // Other keys without "OfficeName" do not count as the macro's data.
    writeMacroSettings("Type=1\nName=山田\nOfficeName=\n");
    EXPECT_FALSE(ReadMacroOfficeData().has_value());

    EXPECT_EQ(MacroAbsentMessage(), Str(S::MacroMissing) + "\n" + Str(S::MacroNotSet));
    EXPECT_EQ(MacroAbsentMessage(),
              QStringLiteral("筋違計算マクロがインストールされていない、\n又は、設定が登録されていません。"));
}

TEST_F(MacroImport, FirstClassAndPrintedMapOntoTheRecord)
{
    writeMacroSettings("OfficeName=山田設計室\nType=1\nName=山田太郎\nRegstNumber=123456\n"
                       "OfficeRegst=東京都知事登録第1号\nAddress=東京都千代田区1-1\nTel=03-1111-2222\n"
                       "Fax=03-1111-3333\nprint=yes\n");
    const std::optional<OfficeData> office = ReadMacroOfficeData();
    ASSERT_TRUE(office.has_value());
    EXPECT_EQ(office->type(), "True");
    EXPECT_EQ(office->name(), "山田太郎");
    EXPECT_EQ(office->regstNumber(), "123456");
    EXPECT_EQ(office->officeName(), "山田設計室");
    EXPECT_EQ(office->officeRegst(), "東京都知事登録第1号");
    EXPECT_EQ(office->address(), "東京都千代田区1-1");
    EXPECT_EQ(office->tel(), "03-1111-2222");
    EXPECT_EQ(office->fax(), "03-1111-3333");
    EXPECT_EQ(office->print(), "1");
}

TEST_F(MacroImport, ClassAndPrintFollowTheirExactTexts)
{
    struct Case {
        const char *type;
        const char *print;
        const char *expectedType;
        const char *expectedPrint;
    };
    const Case cases[] = {
        {"2", "no", "False", "0"},
        {"1", "Yes", "True", "0"},    // the comparison with "yes" is exact
        {"1.0", "yes", "True", "1"},  // the number 1, however written
        {"一級", "yes", "False", "1"}, // not a number: second class
        {"", "", "False", "0"},
        {"0", "YES", "False", "0"},
    };
    for (const Case &c : cases) {
        writeMacroSettings(QStringLiteral("OfficeName=事務所\nType=%1\nprint=%2\n")
                               .arg(QString::fromUtf8(c.type), QString::fromUtf8(c.print)));
        const std::optional<OfficeData> office = ReadMacroOfficeData();
        ASSERT_TRUE(office.has_value()) << c.type;
        EXPECT_EQ(office->type(), QString::fromUtf8(c.expectedType)) << "Type=" << c.type;
        EXPECT_EQ(office->print(), QString::fromUtf8(c.expectedPrint)) << "print=" << c.print;
        // Keys the macro did not leave read as empty texts.
        EXPECT_EQ(office->name(), QString());
        EXPECT_EQ(office->fax(), QString());
    }
}
