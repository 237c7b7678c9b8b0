// The settings the program reads: random bytes as the settings file of
// "Quiren" (and, split off at the first NUL byte, as the macro's file of
// "Tsly"), then every typed reader and the recent-files list.
//
// Expectations: every typed value within its range, whatever the file holds.
#include "FuzzSupport.h"

#include "core/documents/RecentFiles.h"
#include "core/settings/AppData.h"
#include "core/settings/MacroImport.h"
#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>

#include <cmath>

using namespace quiren;

namespace {

QString g_config;

// Writes the file and gives it a time of its own: the settings cache reads a
// file again only when its size or time has changed.
void WriteIni(const QString &path, const QByteArray &bytes)
{
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
    return 0;
}
