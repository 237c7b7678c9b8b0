#include "core/documents/RecentFiles.h"

#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"

namespace quiren {

namespace {

constexpr qsizetype KeyPrefixLength = 10;

} // namespace

QString RecentFiles::KeyPrefix()
{
    return Str(S::FirstRecentFile).left(KeyPrefixLength);
}

QString RecentFiles::Key(int position)
{
    return KeyPrefix() + QString::number(position);
}

QString RecentFiles::Entry(int position)
{
    return ReadQuiren(QLatin1String(SectionOpenFiles), Key(position));
}

void RecentFiles::SetEntry(int position, const QString &path)
{
    WriteQuiren(QLatin1String(SectionOpenFiles), Key(position), path);
}

bool RecentFiles::Add(const QString &path, const QStringList &listedCaptions)
{
    if (path.isEmpty())
        return false;

    const bool listed = listedCaptions.contains(path, Qt::CaseInsensitive);
    if (listed) {
        // Move to top: only an entry that equals the path exactly moves.
        int found = 0;
        for (int p = 1; p <= Count && found == 0; ++p) {
            if (Entry(p) == path)
                found = p;
        }
        if (found < 2)
            return false;
        for (int i = found; i >= 2; --i) {
            const QString above = Entry(i - 1);
            if (!above.isEmpty())
                SetEntry(i, above);
        }
        SetEntry(1, path);
        return true;
    }

    // Insert at top; the entry at position 5 drops out.
    for (int i = Count - 1; i >= 1; --i) {
        const QString entry = Entry(i);
        if (!entry.isEmpty())
            SetEntry(i + 1, entry);
    }
    SetEntry(1, path);
    return true;
}

QStringList RecentFiles::MenuEntries()
{
    QStringList entries;
    if (Entry(1).isEmpty())
        return entries;
    for (int p = 1; p <= Count; ++p) {
        const QString entry = Entry(p);
        if (!entry.isEmpty())
            entries << entry;
    }
    return entries;
}

} // namespace quiren
