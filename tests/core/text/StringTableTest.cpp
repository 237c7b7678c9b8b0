#include "core/text/StringTable.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

using namespace quiren;

namespace {

struct Expected {
    int number;
    const char *text;
};

// A sample of every block, in the exact form the windows and the sheet show.
const Expected kSamples[] = {
    // menus
    {1000, "ﾌｧｲﾙ(&F)"},
    {1004, "RecentFile1"},
    {1008, "RecentFile5"},
    {1013, "ｵﾌﾟｼｮﾝ(&O)"},
    {1015, "ﾊﾞｰｼﾞｮﾝ情報(&A)Quiren"},
    {1030, "ﾀｽｷ掛けｾﾙの融合"},
    {1032, "（梁・桁）に平行な壁面の～"},
    {1033, "（梁間・桁行）方向壁面の～"},
    {1034, "強風指定区域に該当する"},
    {1039, "ｱｲｺﾝの整列(&A)"},
    // tool-tips, module, list input
    {1052, "上書き保存"},
    {1056, "軸組長さのﾘｽﾄ入力"},
    {1060, "その他"},
    {1062, "1間=6.0尺(1820mm)"},
    {1065, "ﾒｰﾀｰﾓｼﾞｭｰﾙ"},
    {1070, "軸組長さをﾘｽﾄから入力する"},
    {1071, "必要軸組みのｱﾄﾞﾊﾞｲｽ"},
    // calculation window
    {1100, "工事名(&K)"},
    {1101, "建設大臣認定耐力壁の選択(&N)"},
    {1103, "平屋建て(&R)"},
    {1108, "重い屋根又は壁(&I)"},
    {1110, "㎡×"},
    {1113, "＝見付面積による必要軸組長さ"},
    {1122, "一階"},
    {1130, "　　　　軸組の種類　　　　"},
    {1140, "有効長さ(m)"},
    {1141, "注）壁倍率が1の場合です。"},
    {1142, "梁に"},
    {1143, "桁に"},
    {1152, "：Ｅ"},
    {1160, "：Ｂ"},
    // options window
    {1201, "一級建築士"},
    {1213, "耐力壁の倍率（単体)"},
    {1243, "　見付面積×0.51＝必要軸組長さ(m)となります。"},
    {1251, "参照"},
    {1252, "JW-CAD用座標ﾌｧｲﾙの保存先"},
    {1256, "再登録"},
    {1300, "平行な壁面の見付面積"},
    {1302, "桁行方向壁面の見付面積"},
    // printed sheet
    {1504, "二階建のニ階部分"},
    {1507, "三階建の三階部分"},
    {2100, "建築基準法施行令第４６条第３項に基づく筋違計算表（木造"},
    {2109, "二級建築士事務所登録番号"},
    {2126, "判　　　定"},
    {2128, "軸組長さ×箇所×倍率＝有効軸組長さ"},
    {2154, "見付面積による"},
    {3002, "   ロ厚1.5cm、幅9cmの木材"},
    {3051, "(8)その他建設大臣が(1)～(7)までに"},
    {3253, "告示"},
    {3256, "それぞれの数値の和"},
    {3112, "有効率"},
    {3141, "1.5×9|3×9|4.5×9|9×9"},
    // prompts and messages
    {4003, "を印刷しました。"},
    {4008, "階の床面積入力"},
    {4012, "入力数値が不正です。"},
    {4017, "ﾃﾞﾊﾞｲｽが準備されていません。"},
    {4021, "変換完了"},
    {4022, "ｱﾄﾞﾊﾞｲｽ"},
    {4034, "又は、設定が登録されていません。"},
    {4102, "木材使用時のタスキ掛けの有無"},
    {4110, "軸組毎の有効軸組長さ表示"},
    {5010, "ﾘｽﾄの項目を削除すると過去に保存した"},
    {5017, "単精度浮動小数点を入力して下さい。"},
    {5022, "計算出来ません。"},
    {5023, "必要長さを満足しています。"},
    {50161, "ﾌﾟﾘﾝﾀに問題があるか、ﾄﾞﾗｲﾊﾞがｾｯﾄｱｯﾌﾟされていません｡"},
    {50162, "印刷が出来ません。"},
};

} // namespace

TEST(StringTable, QuotedTextsResolveExactly)
{
    for (const Expected &e : kSamples) {
        EXPECT_TRUE(HasStr(e.number)) << e.number;
        EXPECT_EQ(Str(e.number), QString::fromUtf8(e.text)) << e.number;
    }
}

TEST(StringTable, BlanksAtEitherEndSurvive)
{
    for (int number : {3056, 3251, 3252, 3254, 3255})
        EXPECT_EQ(Str(number), QStringLiteral(" ")) << number;
    EXPECT_EQ(Str(S::PlacesBefore), QStringLiteral("が "));
    EXPECT_EQ(Str(S::PlacesAfter), QStringLiteral(" 箇所でOK!"));
    EXPECT_EQ(Str(S::LawTableRightTexts + 5), QStringLiteral("   までに揚げる軸組とを併用した軸組"));
}

TEST(StringTable, RecentFileKeyPrefixComesFromTheFirstRecentFileString)
{
    EXPECT_EQ(Str(S::FirstRecentFile).left(10), QStringLiteral("RecentFile"));
}

TEST(StringTable, ItemListsSplitAtBars)
{
    EXPECT_EQ(StrItems(S::FramingKinds), (QStringList{"ｸﾘﾔ", "木材", "土塗り壁", "木摺片面壁", "木摺両面壁", "9㎜鉄筋"}));
    EXPECT_EQ(StrItems(S::FramingKindsWithTimber), (QStringList{"土塗り壁+木材", "木摺片面壁+木材", "木摺両面壁+木材"}));
    EXPECT_EQ(StrItems(S::FramingKindsWithBars), (QStringList{"土塗り壁+鉄筋", "木摺片面壁+鉄筋", "木摺両面壁+鉄筋"}));
    EXPECT_EQ(StrItems(S::StandardLengthLists), (QStringList{"ｸﾘﾔ", "0.91", "1.365", "1.82"}));
    EXPECT_EQ(StrItems(S::StandardLengthLists + 2), (QStringList{"ｸﾘﾔ", "0.985", "1.4775", "1.970"}));
    EXPECT_EQ(StrItems(S::StandardLengthLists + 3), (QStringList{"ｸﾘﾔ", "1.0", "1.5", "2.0", "2.5"}));
    EXPECT_EQ(StrItems(S::TimberSizes), (QStringList{"1.5×9", "3×9", "4.5×9", "9×9"}));
    EXPECT_EQ(StrItems(S::FileFilter), (QStringList{"筋違計算ﾌｧｲﾙ (*.qrn)", "*.qrn"}));
}

TEST(StringTable, ColumnWidthsAreWholeTwips)
{
    const int widths[] = {1890, 1110, 915, 1020, 450, 450, 765, 1020, 450, 450, 765};
    for (int c = 0; c < 11; ++c) {
        bool ok = false;
        EXPECT_EQ(Str(S::FramingColumnWidths + c).toInt(&ok), widths[c]) << c;
        EXPECT_TRUE(ok) << c;
    }
}

TEST(StringTable, PrintedLawTableHasSevenLinesPerColumnBlock)
{
    for (int j = 0; j <= 6; ++j) {
        EXPECT_TRUE(HasStr(S::LawTableLeftTexts + j)) << j;
        EXPECT_TRUE(HasStr(S::LawTableRightTexts + j)) << j;
        EXPECT_TRUE(HasStr(S::LawTableLeftMultipliers + j)) << j;
        EXPECT_TRUE(HasStr(S::LawTableRightMultipliers + j)) << j;
    }
}

TEST(StringTable, MissingNumbersGiveEmptyText)
{
    for (int number : {0, -1, 999, 1054, 6000, 65535, 99999}) {
        EXPECT_FALSE(HasStr(number)) << number;
        EXPECT_TRUE(Str(number).isEmpty()) << number;
        EXPECT_TRUE(StrItems(number).isEmpty()) << number;
    }
    // asking twice is harmless
    const int missing = 1054;
    EXPECT_TRUE(Str(missing).isEmpty());
}

// The data file itself: no number or name twice, every line well formed, so
// no string silently replaces another and no name is read as text.
TEST(StringTable, DataFileHasUniqueWellFormedLines)
{
    const QByteArray bytes = test::readAll(QStringLiteral(QUIREN_SOURCE_DIR "/src/core/text/StringTable.txt"));
    ASSERT_FALSE(bytes.isEmpty());
    QSet<int> seen;
    QSet<QString> names;
    int lineNumber = 0;
    for (const QString &line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        ASSERT_GT(tab, 0) << "line " << lineNumber;
        bool ok = false;
        const int number = line.left(tab).toInt(&ok);
        ASSERT_TRUE(ok) << "line " << lineNumber;
        EXPECT_FALSE(seen.contains(number)) << "number " << number << " twice";
        seen.insert(number);
        EXPECT_FALSE(line.endsWith(QLatin1Char('\r'))) << "line " << lineNumber;
        QString text = line.mid(tab + 1);
        const qsizetype nameEnd = text.indexOf(QLatin1Char('\t'));
        if (nameEnd >= 0) {
            const QString name = text.left(nameEnd);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][A-Za-z0-9]*$")).match(name).hasMatch())
                << "line " << lineNumber << ": a TAB in the text or a malformed name";
            EXPECT_FALSE(names.contains(name)) << "name " << qPrintable(name) << " twice";
            names.insert(name);
            text = text.mid(nameEnd + 1);
        }
        EXPECT_FALSE(text.isEmpty()) << "number " << number << " is empty";
        EXPECT_EQ(Str(number), text) << "number " << number;
    }
    EXPECT_GT(seen.size(), 300);
}
