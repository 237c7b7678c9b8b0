#include "core/settings/AppData.h"

#include "core/io/SystemError.h"

#include "core/settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quiren {

QString OfficeData::key(int field)
{
    static const char *const keys[FieldCount] = {"Type",        "Name",    "RegstNumber",
                                                 "OfficeName",  "OfficeRegst", "Address",
                                                 "Tel",         "Fax",     "Print"};
    if (field < 0 || field >= FieldCount)
        return QString();
    return QString::fromLatin1(keys[field]);
}

bool OfficeData::firstClass() const
{
    return BoolFromText(values[Type], true);
}

AppData &AppData::instance()
{
    static AppData data = [] {
        AppData d;
        d.programFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                       : QDir::currentPath();
        d.jwFolder = d.programFolder.endsWith(QLatin1Char('/')) ? d.programFolder
                                                                : d.programFolder + QLatin1Char('/');
        return d;
    }();
    return data;
}

QStringList AppData::wallDisplayLines() const
{
    QStringList lines;
    lines.reserve(walls.size());
    for (const CertifiedWall &wall : walls)
        lines.append(wall.displayLine);
    return lines;
}

namespace {

// An installed program's folder is the system's, even for root, who could
// write it. Any other folder is the user's, as it always was: a list that
// cannot be written there is reported when it is stored.
bool ProgramFolderIsUsers(const QString &programFolder)
{
    for (const char *system : {"/usr/", "/opt/", "/bin/", "/sbin/", "/snap/"})
        if ((programFolder + QLatin1Char('/')).startsWith(QLatin1String(system)))
            return false;
    return true;
}

} // namespace

QString WallListStorePath(const QString &programFolder)
{
    if (ProgramFolderIsUsers(programFolder))
        return WallListPath(programFolder);
    return WallListPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                        + QStringLiteral("/Quiren"));
}

QString WallListSourcePath(const QString &programFolder)
{
    const QString stored = WallListStorePath(programFolder);
    if (QFileInfo::exists(stored) || QFileInfo(stored).isSymLink())
        return stored;
    return WallListPath(programFolder);
}

void LoadOptionData(AppData &data)
{
    // The list of the running program (beside it, or the user's own when
    // the program is installed), never the folder "AppPath" names: that is
    // where the program ran last time it could write its settings. qrn, run
    // from the same folder, reads the same list.
    // A file that exists but cannot be read leaves the list as it was.
    WallListRead read = ReadWallList(WallListSourcePath(data.programFolder));
    if (read.walls)
        data.walls = std::move(*read.walls);
    data.wallListProblem = read.problem;

    const QString section = QString::fromLatin1(SectionOfficeData);
    OfficeData office;
    for (int field = 0; field < OfficeData::FieldCount; ++field) {
        QString fallback;
        if (field == OfficeData::Type)
            fallback = QStringLiteral("True");
        else if (field == OfficeData::Print)
            fallback = QStringLiteral("0");
        office[field] = ReadQuiren(section, OfficeData::key(field), fallback);
    }
    data.office = office;
}

void LoadOptionData()
{
    LoadOptionData(AppData::instance());
}

WriteResult SaveWallList(AppData &data, QStringList *renamedWalls)
{
    const QString path = WallListStorePath(data.programFolder);
    // The user's data folder may not exist yet; the program's folder is
    // never made (a list that cannot be stored there is reported).
    if (!ProgramFolderIsUsers(data.programFolder)) {
        const QString folder = QFileInfo(path).absolutePath();
        // A folder that cannot be made is said as such ("許可されていません"),
        // not as the missing file the write would then report.
        if (!QDir().mkpath(folder))
            return WriteResult{false, QDir::toNativeSeparators(folder) + QStringLiteral("：")
                                          + SystemErrorText(WriteBlocker(path))};
    }
    const WriteResult result = WriteWallListFile(path, data.walls, renamedWalls);
    if (result.ok) {
        for (CertifiedWall &wall : data.walls) {
            const QString stored = StorableWallName(wall.name);
            if (stored != wall.name) {
                wall.name = stored;
                wall.displayLine = WallDisplayLine(wall.name, wall.multiplier);
            }
        }
    }
    return result;
}

void SaveOfficeData(const OfficeData &office)
{
    const QString section = QString::fromLatin1(SectionOfficeData);
    for (int field = 0; field < OfficeData::FieldCount; ++field)
        WriteQuiren(section, OfficeData::key(field), office[field]);
}

} // namespace quiren
