#pragma once

#include "core/calc/CertifiedWall.h"
#include "core/settings/WallListFile.h"

#include <QString>
#include <QStringList>

#include <array>

namespace quiren {

// The design office's data, printed on the sheet: nine texts in the order of
// the "OfficeData" keys.
struct OfficeData {
    enum Field { Type, Name, RegstNumber, OfficeName, OfficeRegst, Address, Tel, Fax, Print };
    static constexpr int FieldCount = 9;

    std::array<QString, FieldCount> values{QStringLiteral("True"), {}, {}, {}, {}, {}, {}, {},
                                           QStringLiteral("0")};

    // The settings key of a field ("Type", "Name", ... "Print").
    static QString key(int field);

    QString &operator[](int field) { return values[static_cast<size_t>(field)]; }
    const QString &operator[](int field) const { return values[static_cast<size_t>(field)]; }

    const QString &type() const { return values[Type]; }
    const QString &name() const { return values[Name]; }
    const QString &regstNumber() const { return values[RegstNumber]; }
    const QString &officeName() const { return values[OfficeName]; }
    const QString &officeRegst() const { return values[OfficeRegst]; }
    const QString &address() const { return values[Address]; }
    const QString &tel() const { return values[Tel]; }
    const QString &fax() const { return values[Fax]; }
    const QString &print() const { return values[Print]; }

    // Type read as a Boolean (True = first-class architect, also for junk).
    bool firstClass() const;
    // The office block is printed only when Print is "1".
    bool printed() const { return values[Print] == QStringLiteral("1"); }

    bool operator==(const OfficeData &) const = default;
};

// What the program keeps application-wide for its whole run. One instance
// serves the program (AppData::instance()); every routine that uses it also
// takes an explicit instance, so tests can keep their own.
struct AppData {
    CertifiedWallList walls;  // at most MaxCertifiedWalls, displayLine filled
    OfficeData office;
    QString jwFolder;         // the JW folder in effect, ending in "/"
    QString programFolder;    // folder of the executable, no trailing "/"
    // Why "WallListData" was not read at the last LoadOptionData (it is a
    // FIFO, a device, far too large, unreadable); empty when it was read or
    // is missing.
    QString wallListProblem;

    // The program's instance; programFolder is the executable's folder.
    static AppData &instance();

    // The display lines of the walls, position k belonging to wall k.
    QStringList wallDisplayLines() const;
};

// Fills the certified-wall list from WallListSourcePath(`data`'s program
// folder) (a missing file leaves the list as it is; unread lines become
// placeholders, see ParseWallList) and the office record from section
// "OfficeData".
void LoadOptionData(AppData &data);
void LoadOptionData();

// Where "WallListData" is kept. Beside the program while it runs from a
// folder of the user's (its build folder, or unpacked in the user's own
// folder); when the program is installed (in the system's folders under
// /usr or /opt) the list is
// the user's own, in $XDG_DATA_HOME/Quiren/, and the copy beside the program
// only serves as the first list until the user stores one.
QString WallListStorePath(const QString &programFolder);
// The file the list is read from: the stored one, or the program's copy
// while the user has stored none.
QString WallListSourcePath(const QString &programFolder);

// Writes the certified-wall list to WallListStorePath(`data`'s program folder); the result carries the reason when it fails. Names stored in another
// form (StorableWallName) are renamed in `data` too, with their display
// lines, so the list shown is the list stored; `renamedWalls` gets their old
// names.
WriteResult SaveWallList(AppData &data, QStringList *renamedWalls = nullptr);

// Writes the office record to section "OfficeData".
void SaveOfficeData(const OfficeData &office);

} // namespace quiren
