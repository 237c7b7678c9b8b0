#pragma once

#include <QString>
#include <QStringList>

// The five calculation files used most recently, most recent first, kept in
// section "OpenFiles" of the settings under "RecentFile1" ... "RecentFile5".
// The stored list is the only source; the File menus are copies of it.
// Entries are never removed: the list fills up to five and then rotates.
namespace quiren {

class RecentFiles {
public:
    static constexpr int Count = 5;

    // "RecentFile": the first ten characters of string 1004 ("RecentFile1").
    static QString KeyPrefix();
    // "RecentFile" & position (1..5).
    static QString Key(int position);

    // The stored path at position 1..5, empty when the key was never written.
    static QString Entry(int position);
    static void SetEntry(int position, const QString &path);

    // AddRecentFile without the menus: puts `path` at the top of the list.
    // `listedCaptions` are the captions of the main window's items
    // mnuRecentFile(1..5), which decide whether the path counts as listed
    // (letter case ignored). A listed path moves to the top only when a
    // stored entry equals it exactly; otherwise the list stays as it is. A
    // path not listed is inserted at the top, and the fifth entry drops out.
    // Returns whether the stored list changed.
    static bool Add(const QString &path, const QStringList &listedCaptions);

    // What the menus show: nothing while position 1 is empty, otherwise the
    // stored entries in key order, at most five.
    static QStringList MenuEntries();
};

} // namespace quiren
