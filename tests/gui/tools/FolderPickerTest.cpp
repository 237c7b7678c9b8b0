// The folder picker: where it opens, what OK and Cancel hand back, and a
// volume that cannot be read.
#include "TestSupport.h"

#include "core/text/StringTable.h"
#include "gui/tools/FolderPicker.h"
#include "gui/widgets/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTimer>

using namespace quiren;

namespace {

class FolderPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = QDir(test::makeScratchDir("picker")).canonicalPath();
        QDir().mkpath(root + "/data/jw");
        SetMessageResponder([this](const MessageRequest &request) {
            messages.append(request.text);
            return MsgAnswer::Ok;
        });
    }
    void TearDown() override { SetMessageResponder({}); }

    // Presses a button of the picker once it is shown modal.
    static void pressWhenShown(const char *buttonName, std::function<void(FolderPicker &)> before = {})
    {
        QTimer::singleShot(0, [buttonName, before] {
            auto *picker = qobject_cast<FolderPicker *>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            if (before)
                before(*picker);
            picker->findChild<QPushButton *>(QString::fromLatin1(buttonName))->click();
        });
    }

    QString root;
    QStringList messages;
};

} // namespace

TEST_F(FolderPickerTest, OpensAtThePendingFolderAndReturnsItWithASlash)
{
    FolderPicker picker(nullptr, root + "/data/jw/");
    EXPECT_EQ(picker.chosenFolder(), root + "/data/jw");
    EXPECT_EQ(picker.resultFolder(), root + "/data/jw/");
    EXPECT_EQ(picker.windowTitle(), "JW-CAD用座標ﾌｧｲﾙの保存先");

    // The volume shown is the one the folder lies on.
    const QList<FolderPicker::Volume> volumes = FolderPicker::MountedVolumes();
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes.first().rootPath, "/");
    const QString volumeRoot = volumes.value(picker.currentVolume()).rootPath;
    EXPECT_TRUE(volumeRoot == "/" || (root + "/").startsWith(volumeRoot + "/")) << volumeRoot.toStdString();

    picker.openFolder(root + "/data");
    EXPECT_EQ(picker.chosenFolder(), root + "/data");

    // The root carries one slash only.
    picker.openFolder("/");
    EXPECT_EQ(picker.chosenFolder(), "/");
    EXPECT_EQ(picker.resultFolder(), "/");
}

TEST_F(FolderPickerTest, AFolderThatIsGoneOpensAtItsNearestParent)
{
    FolderPicker picker(nullptr, root + "/data/removed/deeper/");
    EXPECT_EQ(picker.chosenFolder(), root + "/data");
    EXPECT_EQ(FolderPicker::nearestExistingFolder(root + "/data/jw/x/y"), root + "/data/jw");
    EXPECT_EQ(FolderPicker::nearestExistingFolder("/no-such-folder-anywhere/x"), "/");
}

TEST_F(FolderPickerTest, AVolumeThatCannotBeReadKeepsBothLists)
{
    const QList<FolderPicker::Volume> volumes = {{"/", "/"}, {"/quiren-no-such-volume", "removable"}};
    FolderPicker picker(nullptr, root + "/data/jw/", volumes);
    auto *drives = picker.findChild<QComboBox *>("cntDrv");
    ASSERT_NE(drives, nullptr);
    ASSERT_EQ(drives->count(), 2);

    EXPECT_FALSE(picker.selectVolume(1));
    EXPECT_EQ(messages, QStringList({"ﾃﾞﾊﾞｲｽが準備されていません。"}));
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(picker.chosenFolder(), root + "/data/jw");

    EXPECT_TRUE(picker.selectVolume(0));
    EXPECT_EQ(picker.chosenFolder(), "/");
}

TEST_F(FolderPickerTest, OkReplacesThePendingFolderAndCancelDoesNot)
{
    QString pending = root + "/data/jw/";
    pressWhenShown("Command1_0");
    EXPECT_TRUE(FolderPicker::pick(nullptr, pending));
    EXPECT_EQ(pending, root + "/data/jw/");

    pressWhenShown("Command1_0", [this](FolderPicker &picker) { picker.openFolder(root + "/data"); });
    EXPECT_TRUE(FolderPicker::pick(nullptr, pending));
    EXPECT_EQ(pending, root + "/data/");

    pressWhenShown("Command1_1", [this](FolderPicker &picker) { picker.openFolder(root); });
    EXPECT_FALSE(FolderPicker::pick(nullptr, pending));
    EXPECT_EQ(pending, root + "/data/");
}
