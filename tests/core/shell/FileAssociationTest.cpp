// The ".qrn" file type recorded under $XDG_DATA_HOME, and the key/value
// view of it.
#include "TestSupport.h"

#include "core/shell/FileAssociation.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QThread>

using namespace quiren;

namespace {

// Each test gets an empty $XDG_DATA_HOME of its own.
class FileAssociation : public ::testing::Test {
protected:
    void SetUp() override
    {
        dataHome = test::makeScratchDir("data-home");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    }
    QString dataHome;
};

const QString Classes = QString();

QString Get(const QString &key)
{
    return RegGetString(HkeyClassesRoot, key, {});
}

} // namespace

TEST_F(FileAssociation, TheFirstStartRecordsTheTypeAndLaterStartsLeaveIt)
{
    const QString program = QStringLiteral("/opt/建築 ツール/bin/quiren");
    ASSERT_EQ(Get(".qrn"), QString());
    RegisterFileType(program);

    EXPECT_EQ(FileTypePackagePath(), dataHome + "/mime/packages/quiren-qrn.xml");
    EXPECT_EQ(DesktopEntryPath(), dataHome + "/applications/quiren.desktop");
    const QByteArray package = test::readAll(FileTypePackagePath());
    EXPECT_TRUE(package.contains("type=\"application/x-kxcalclationfile\"")) << package.constData();
    EXPECT_TRUE(package.contains("<glob pattern=\"*.qrn\"/>")) << package.constData();
    EXPECT_TRUE(package.contains("<comment>KX Calculation File</comment>")) << package.constData();
    EXPECT_TRUE(package.contains(QStringLiteral("<comment xml:lang=\"ja\">壁量計算ファイル (旧形式)</comment>").toUtf8()))
        << package.constData();
    const QString desktop = QString::fromUtf8(test::readAll(DesktopEntryPath()));
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/建築 ツール/bin/quiren\" %f\n")) << desktop.toStdString();
    // The program opens both kinds of file: the sheet file's type has a package of its own.
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-kxcalclationfile;application/x-quiren-sheet;\n"))
        << desktop.toStdString();
    EXPECT_TRUE(test::readAll(dataHome + "/mime/packages/quiren-qrn2.xml").contains("<glob pattern=\"*.qrn2\"/>"));
    EXPECT_TRUE(desktop.startsWith("[Desktop Entry]\n"));

    // The four values read back through the seam.
    EXPECT_EQ(Get(".qrn"), "KXcalclationFile");
    EXPECT_EQ(Get("KXcalclationFile"), "KX Calculation File");
    EXPECT_EQ(Get("KXcalclationFile\\DefaultIcon"), "quiren");
    EXPECT_EQ(Get("KXcalclationFile\\shell\\open\\command"), "\"/opt/建築 ツール/bin/quiren\" %f");

    // A later start, even from another folder, writes nothing.
    const QDateTime written = QFileInfo(DesktopEntryPath()).lastModified();
    QThread::msleep(20);
    RegisterFileType("/usr/local/bin/quiren");
    EXPECT_EQ(QFileInfo(DesktopEntryPath()).lastModified(), written);
    EXPECT_EQ(test::readAll(FileTypePackagePath()), package);
    EXPECT_EQ(Get("KXcalclationFile/shell/open/command"), "\"/opt/建築 ツール/bin/quiren\" %f");
}

TEST_F(FileAssociation, TheSeamHoldsOnlyTheTypesKeys)
{
    // Nothing recorded yet: empty texts, no files.
    EXPECT_EQ(Get("KXcalclationFile"), QString());
    EXPECT_EQ(Get("KXcalclationFile/shell/open/command"), QString());

    EXPECT_TRUE(RegSetString(HkeyClassesRoot, ".qrn", {}, "KXcalclationFile"));
    EXPECT_TRUE(RegSetString(HkeyClassesRoot, "KXcalclationFile", {}, "説明 \"引用\" <&>"));
    EXPECT_EQ(Get("kxcalclationfile"), "説明 \"引用\" <&>");

    // Backslashes and line ends survive the desktop entry's escaping.
    const QString command = OpenCommandFor("/a\\b/$x \"y\"`z");
    EXPECT_EQ(command, "\"/a\\\\b/\\$x \\\"y\\\"\\`z\" %f");
    EXPECT_TRUE(RegSetString(HkeyClassesRoot, "KXcalclationFile/shell/open/command", {}, command));
    EXPECT_EQ(Get("KXcalclationFile/shell/open/command"), command);

    // Only the default value of the classes root's keys exists.
    EXPECT_FALSE(RegSetString(0x80000001u, ".qrn", {}, "KXcalclationFile"));
    EXPECT_FALSE(RegSetString(HkeyClassesRoot, ".qrn", "Named", "KXcalclationFile"));
    EXPECT_FALSE(RegSetString(HkeyClassesRoot, ".txt", {}, "KXcalclationFile"));
    EXPECT_FALSE(RegSetString(HkeyClassesRoot, "KXcalclationFile/shell/print/command", {}, "x"));
    EXPECT_EQ(RegGetString(0x80000001u, ".qrn", {}), QString());
    EXPECT_EQ(RegGetString(HkeyClassesRoot, ".qrn", "Named"), QString());
    // The package describes one type; another type's keys are not there.
    EXPECT_FALSE(RegSetString(HkeyClassesRoot, "OtherFile", {}, "other"));
    EXPECT_EQ(Get("OtherFile"), QString());
}

TEST_F(FileAssociation, AnUnwritableDataFolderFailsSilently)
{
    // $XDG_DATA_HOME is a file: nothing can be created below it.
    const QString blocked = dataHome + "/blocked";
    test::writeAll(blocked, "not a folder");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
    EXPECT_FALSE(RegSetString(HkeyClassesRoot, ".qrn", {}, "KXcalclationFile"));
    RegisterFileType("/usr/bin/quiren");
    EXPECT_FALSE(QFileInfo::exists(blocked + "/mime"));
    EXPECT_EQ(Get(".qrn"), QString());
}

TEST_F(FileAssociation, AnInstalledPackageTakesOverFromABuildFolderRecord)
{
    // An earlier start from a build folder recorded the types for the user.
    RegisterFileType("/home/user/quiren/build/bin/quiren");
    const QString icon = dataHome + "/icons/hicolor/48x48/apps/quiren.png";
    ASSERT_TRUE(QFileInfo::exists(DesktopEntryPath()));
    ASSERT_TRUE(QFileInfo::exists(icon));

    // Then the package is installed: its entry is in a system data folder.
    const QByteArray systemDirs = qgetenv("XDG_DATA_DIRS");
    const QString system = test::makeScratchDir("system-data");
    QDir().mkpath(system + "/applications");
    test::writeAll(system + "/applications/quiren.desktop",
                   "[Desktop Entry]\nType=Application\nName=Quiren\nExec=quiren %F\n");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(system) + ":/usr/share");

    // The installed program starts: the user's record goes, so the menu and
    // double-clicked files start the installed program; nothing new is made.
    RegisterFileType("/usr/bin/quiren");
    EXPECT_FALSE(QFileInfo::exists(DesktopEntryPath()));
    EXPECT_FALSE(QFileInfo::exists(FileTypePackagePath()));
    EXPECT_FALSE(QFileInfo::exists(dataHome + "/mime/packages/quiren-qrn2.xml"));
    EXPECT_FALSE(QFileInfo::exists(icon));

    // An entry the user made their own (a menu editor's copy) is theirs.
    const QByteArray own = "[Desktop Entry]\nType=Application\nName=Quiren\nName[ja]=壁量\n"
                           "Exec=/home/user/bin/quiren %f\nMimeType=application/x-kxcalclationfile;\n";
    test::writeAll(DesktopEntryPath(), own);
    RegisterFileType("/home/user/quiren/build/bin/quiren");
    EXPECT_EQ(test::readAll(DesktopEntryPath()), own);
    qputenv("XDG_DATA_DIRS", systemDirs);
    if (systemDirs.isEmpty())
        qunsetenv("XDG_DATA_DIRS");
}
