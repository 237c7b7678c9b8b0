// The settings the program reads: random bytes as the settings file of
// "Quiren" (and, split off at the first NUL byte, as the macro's file of
// "Tsly"), then every typed reader and the recent-files list.
//
// Expectations: every typed value within its range, whatever the file holds;
// the settings file as the settings format reads it, written and read
// again, reads the same.
#include "FuzzSupport.h"

#include "core/documents/RecentFiles.h"
#include "core/settings/AppData.h"
#include "core/settings/IniText.h"
#include "core/settings/MacroImport.h"
#include "core/settings/SettingsStore.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

using namespace quiren;

namespace {

QString g_config;

// Writes the file and gives it a time of its own: the settings cache reads a
// file again only when its size or time has changed. A file that would get
// the bytes it already holds is left alone, so the cache keeps its reading:
// most inputs have no NUL byte and leave the macro's file empty, and writing
// and reading that empty file again took a fifth of each input's time.
void WriteIni(const QString &path, const QByteArray &bytes)
{
    static QHash<QString, QByteArray> written;
    const auto known = written.constFind(path);
    if (known != written.cend() && *known == bytes)
        return;
    written.insert(path, bytes);
    static long tick = 1000000000;
    // A new file rather than the old one cut short: the file system writes
    // a file cut and written again to the disk when it is closed, and that
    // took most of each input's time.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes);
    file.close();
    ++tick;
    const timespec times[2] = {{tick, 0}, {tick, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

QSettings::SettingsMap readIni(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    FUZZ_CHECK(ReadIniText(buffer, map));
    return map;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quiren::fuzz::InitQt();
    g_config = quiren::fuzz::ScratchFolder() + QStringLiteral("/config");
    QDir().mkpath(g_config + QStringLiteral("/Quiren"));
    QDir().mkpath(g_config + QStringLiteral("/Tsly"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(g_config));
    SetSettingsFolder(g_config);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = quiren::fuzz::Bytes(data, size);
    const qsizetype nul = bytes.indexOf('\0');
    WriteIni(g_config + QStringLiteral("/Quiren/Quiren.ini"), nul < 0 ? bytes : bytes.left(nul));
    WriteIni(g_config + QStringLiteral("/Tsly/Tsly.ini"), nul < 0 ? QByteArray() : bytes.mid(nul + 1));

    const int coefficient = ReadWallCoefficient();
    FUZZ_CHECK(coefficient >= WallCoefficientMin && coefficient <= WallCoefficientMax);
    const int module = ReadModule();
    FUZZ_CHECK(module >= 0 && module <= 3);
    (void)ReadPafKind();
    (void)ReadOnList();
    const MainPlacement placement = ReadMainPlacement();
    FUZZ_CHECK(std::isfinite(placement.left) && std::isfinite(placement.top));
    FUZZ_CHECK(std::isfinite(placement.width) && placement.width > 0.0f);
    FUZZ_CHECK(std::isfinite(placement.height) && placement.height > 0.0f);
    const QString jw = ReadJwPath(QStringLiteral("/opt/quiren"));
    FUZZ_CHECK(!jw.trimmed().isEmpty());
    (void)ReadAppPath();

    // The wall list is looked for where "AppPath" says: a scratch folder
    // unless the file names another.
    AppData app;
    app.programFolder = quiren::fuzz::ScratchFolder();
    LoadOptionData(app);
    FUZZ_CHECK(app.walls.size() <= MaxCertifiedWalls);
    (void)app.office.firstClass();
    (void)app.office.printed();

    (void)ReadSection(QString::fromLatin1(AppTitle), QString::fromLatin1(SectionOpenFiles));
    FUZZ_CHECK(RecentFiles::MenuEntries().size() <= RecentFiles::Count);
    for (int position = 1; position <= RecentFiles::Count; ++position)
        (void)RecentFiles::Entry(position);
    if (const std::optional<OfficeData> macro = ReadMacroOfficeData()) {
        FUZZ_CHECK(!macro->officeName().isEmpty());
        FUZZ_CHECK(macro->print() == QLatin1String("0") || macro->print() == QLatin1String("1"));
    }

    // What the settings format reads, written and read again, is the same
    // (keys of a section with no name, "[]", are written as keys of none).
    const QSettings::SettingsMap read = readIni(nul < 0 ? bytes : bytes.left(nul));
    if (std::none_of(read.keyBegin(), read.keyEnd(), [](const QString &key) { return key.startsWith(u'/'); })) {
        QByteArray written;
        QBuffer buffer(&written);
        buffer.open(QIODevice::WriteOnly);
        FUZZ_CHECK(WriteIniText(buffer, read));
        FUZZ_CHECK(readIni(written) == read);
    }
    return 0;
}
