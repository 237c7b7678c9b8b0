#pragma once

#include <QString>
#include <QtGlobal>

// The ".qrn" file type, recorded the desktop's own way: a shared-mime-info
// package and a desktop entry under $XDG_DATA_HOME. RegGetString and
// RegSetString keep the program's small key/value view of that store:
//
//   ".qrn"                               the file type of *.qrn ("KXcalclationFile")
//   "KXcalclationFile"                   its description ("KX Calculation File", string 6138)
//   "KXcalclationFile/DefaultIcon"       its icon
//   "KXcalclationFile/shell/open/command" the command that opens a file
//
// The first three live in the package $XDG_DATA_HOME/mime/packages/quiren-qrn.xml
// (type "application/x-kxcalclationfile"), the command in the desktop entry
// $XDG_DATA_HOME/applications/quiren.desktop (Exec and MimeType). Only the
// default value ("" as value name) of these keys under the classes root exists.
namespace quiren {

inline constexpr quint32 HkeyClassesRoot = 0x80000000u;

inline constexpr char QrnExtensionKey[] = ".qrn";
inline constexpr char QrnFileTypeName[] = "KXcalclationFile";
inline constexpr char QrnIconName[] = "quiren";

// The value, or empty when the key or value is missing or cannot be read.
// For ".qrn" a type that another program gave *.qrn is reported by its MIME
// type name.
QString RegGetString(quint32 rootKey, const QString &subKey, const QString &valueName);

// Stores the value; false when it could not be stored (silently).
bool RegSetString(quint32 rootKey, const QString &subKey, const QString &valueName,
                  const QString &value);

// At every start: when *.qrn has no file type yet, records ours (type,
// description, icon, open command starting `programPath` with the file) and
// asks the desktop to refresh its caches. An existing association, ours or
// another program's, is left as it is. Once the installed package's desktop
// entry is found in $XDG_DATA_DIRS nothing is recorded for the user, and
// what an earlier start from a build folder recorded is removed, so that the
// menu and double-clicked files start the installed program. Failures are
// silent.
void RegisterFileType(const QString &programPath);

// The program's icon as a resource path (":/quiren/icons/quiren.png"),
// available to the windows and to the file-type registration alike.
QString ProgramIconPath();

// The MIME type name a file type is recorded under ("application/x-kxcalclationfile").
QString MimeTypeNameOf(const QString &fileTypeName);

// Where the store's two files are, below the current $XDG_DATA_HOME.
QString FileTypePackagePath();
QString DesktopEntryPath();

// The Exec line of the desktop entry for a program: the path quoted as the
// desktop entry rules ask, then " %f".
QString OpenCommandFor(const QString &programPath);

} // namespace quiren
