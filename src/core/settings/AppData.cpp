#include "core/settings/AppData.h"

#include "core/settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

void LoadOptionData(AppData &data)
{
    QString folder = ReadAppPath();
    if (folder.isEmpty())
        folder = data.programFolder;
    // A file that exists but cannot be read leaves the list as it was.
    WallListRead read = ReadWallList(WallListPath(folder));
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
    const WriteResult result = WriteWallListFile(WallListPath(data.programFolder), data.walls,
                                                 renamedWalls);
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
