// The recent-files list as stored: insertion and rotation, moving a listed
// path to the top, and the letter-case rules of the listed test.
#include "core/documents/RecentFiles.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace quiren {
namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int p = 1; p <= RecentFiles::Count; ++p)
            DeleteSetting(QStringLiteral("Quiren"), QStringLiteral("OpenFiles"), RecentFiles::Key(p));
    }

    static QStringList stored()
    {
        QStringList entries;
        for (int p = 1; p <= RecentFiles::Count; ++p)
            entries << RecentFiles::Entry(p);
        return entries;
    }

    static void store(const QStringList &entries)
    {
        for (int p = 1; p <= entries.size(); ++p)
            RecentFiles::SetEntry(p, entries[p - 1]);
    }

    // The menus always show the stored list, so the captions the listed test
    // sees are the stored entries.
    static bool add(const QString &path) { return RecentFiles::Add(path, RecentFiles::MenuEntries()); }
};

TEST_F(RecentFilesTest, KeysAreTheStringTablePrefixAndThePosition)
{
    EXPECT_EQ(RecentFiles::KeyPrefix(), QStringLiteral("RecentFile"));
    EXPECT_EQ(RecentFiles::Key(1), QStringLiteral("RecentFile1"));
    EXPECT_EQ(RecentFiles::Key(5), QStringLiteral("RecentFile5"));
    RecentFiles::SetEntry(2, QStringLiteral("/tmp/x.qrn"));
    EXPECT_EQ(ReadQuiren(QStringLiteral("OpenFiles"), QStringLiteral("RecentFile2")), QStringLiteral("/tmp/x.qrn"));
}

TEST_F(RecentFilesTest, SixNewPathsKeepTheLastFiveNewestFirst)
{
    EXPECT_TRUE(RecentFiles::MenuEntries().isEmpty());
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(add(QStringLiteral("/w/%1.qrn").arg(i)));
        EXPECT_EQ(RecentFiles::MenuEntries().size(), std::min(i, 5));
    }
    EXPECT_EQ(stored(), (QStringList{"/w/6.qrn", "/w/5.qrn", "/w/4.qrn", "/w/3.qrn", "/w/2.qrn"}));
    EXPECT_EQ(RecentFiles::MenuEntries(), stored());
}

TEST_F(RecentFilesTest, AListedPathMovesToTheTopAndOnlyTheEntriesAboveItShift)
{
    store({"/a.qrn", "/b.qrn", "/c.qrn", "/d.qrn", "/e.qrn"});
    EXPECT_TRUE(add(QStringLiteral("/c.qrn")));
    EXPECT_EQ(stored(), (QStringList{"/c.qrn", "/a.qrn", "/b.qrn", "/d.qrn", "/e.qrn"}));

    EXPECT_TRUE(add(QStringLiteral("/e.qrn")));
    EXPECT_EQ(stored(), (QStringList{"/e.qrn", "/c.qrn", "/a.qrn", "/b.qrn", "/d.qrn"}));

    // Already at the top: nothing moves.
    EXPECT_FALSE(add(QStringLiteral("/e.qrn")));
    EXPECT_EQ(stored(), (QStringList{"/e.qrn", "/c.qrn", "/a.qrn", "/b.qrn", "/d.qrn"}));
}

TEST_F(RecentFilesTest, LetterCaseCountsAsListedButMovesNothing)
{
    store({"/w/One.qrn", "/w/Two.qrn", "/w/Three.qrn"});
    // Listed (case ignored) but no stored entry is exactly this text: the
    // list stays, and the new spelling is not stored.
    EXPECT_FALSE(add(QStringLiteral("/W/THREE.QRN")));
    EXPECT_EQ(stored(), (QStringList{"/w/One.qrn", "/w/Two.qrn", "/w/Three.qrn", "", ""}));

    // The listed test reads the menu captions, not the store: a path the
    // menus do not show yet is inserted even if a differently spelt one is
    // stored.
    EXPECT_TRUE(RecentFiles::Add(QStringLiteral("/W/THREE.QRN"), {}));
    EXPECT_EQ(stored(), (QStringList{"/W/THREE.QRN", "/w/One.qrn", "/w/Two.qrn", "/w/Three.qrn", ""}));
}

TEST_F(RecentFilesTest, AShortListGrowsWithoutGaps)
{
    store({"/a.qrn", "/b.qrn"});
    EXPECT_TRUE(add(QStringLiteral("/b.qrn")));
    EXPECT_EQ(stored(), (QStringList{"/b.qrn", "/a.qrn", "", "", ""}));
    EXPECT_TRUE(add(QStringLiteral("/c.qrn")));
    EXPECT_EQ(stored(), (QStringList{"/c.qrn", "/b.qrn", "/a.qrn", "", ""}));
    EXPECT_FALSE(RecentFiles::Add(QString(), {}));
    EXPECT_EQ(RecentFiles::MenuEntries(), (QStringList{"/c.qrn", "/b.qrn", "/a.qrn"}));
}

TEST_F(RecentFilesTest, NothingIsShownWhileTheFirstPositionIsEmpty)
{
    RecentFiles::SetEntry(2, QStringLiteral("/b.qrn"));
    EXPECT_TRUE(RecentFiles::MenuEntries().isEmpty());
}

} // namespace
} // namespace quiren
