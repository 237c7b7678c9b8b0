#include "TestSupport.h"

#include "gui/print/JwCommand.h"
#include "gui/print/PrintCommands.h"
#include "gui/widgets/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

using namespace quiren;

namespace {

class JwCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrinterSource([] { return nullptr; });   // measured on the PDF page
        SetMessageResponder([this](const MessageRequest &request) {
            messages << request;
            return MsgAnswer::Ok;
        });
        sheet.SetUpNewSheet();
    }
    void TearDown() override
    {
        SetMessageResponder({});
        SetPrinterSource({});
    }

    CalcSheet sheet;
    QList<MessageRequest> messages;
};

const QString Saved = QStringLiteral("の名前で保存しました。");

} // namespace

TEST_F(JwCommand, WritesTheFileAndSaysWhere)
{
    const QString folder = test::makeScratchDir(QStringLiteral("jw")) + QLatin1Char('/');
    const QString path = folder + QStringLiteral("Qrn_JW.txt");
    test::writeAll(path, QByteArray("an older file that is much longer than a first line\r\n"));

    EXPECT_TRUE(JwExportCommand(nullptr, sheet, folder));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, folder + QStringLiteral("にQrn_JW.txt") + Saved);
    EXPECT_EQ(messages[0].title, QStringLiteral("変換完了"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The earlier file is replaced, not appended to.
    const QByteArray bytes = test::readAll(path);
    EXPECT_TRUE(bytes.startsWith("lt1\r\n"));
    EXPECT_FALSE(bytes.contains("older file"));
}

TEST_F(JwCommand, AFolderThatCannotTakeTheFileIsNamed)
{
    // Missing folder.
    const QString missing = test::makeScratchDir(QStringLiteral("jw")) + QStringLiteral("/gone/");
    EXPECT_FALSE(JwExportCommand(nullptr, sheet, missing));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, missing + QStringLiteral("にQrn_JW.txtを保存出来ませんでした。\n")
                                    + QStringLiteral("ﾌｫﾙﾀﾞが見つかりません。"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(QFile::exists(missing + QStringLiteral("Qrn_JW.txt")));

    // A folder nothing can be written into, not even by root: the system's reason.
    messages.clear();
    EXPECT_FALSE(JwExportCommand(nullptr, sheet, QStringLiteral("/proc/")));
    ASSERT_EQ(messages.size(), 1);
    const QString head = QStringLiteral("/proc/にQrn_JW.txtを保存出来ませんでした。\n");
    EXPECT_TRUE(messages[0].text.startsWith(head)) << messages[0].text.toStdString();
    EXPECT_GT(messages[0].text.size(), head.size());
    EXPECT_FALSE(messages[0].text.contains(Saved));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // No folder at all.
    messages.clear();
    EXPECT_FALSE(JwExportCommand(nullptr, sheet, QString()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].text.contains(Saved));
}
