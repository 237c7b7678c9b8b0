#pragma once

#include "core/io/SafeWrite.h"
#include "core/print/SheetDrawing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The JW-CAD coordinate file: the calculation sheet drawn in file mode, one
// drawing command per line, so that JW-CAD can place the sheet in a drawing.
namespace quiren {

inline constexpr char JwFileName[] = "Qrn_JW.txt";

// The file's path in a JW folder (which should end in "/"; a separator is
// put in when it does not).
QString JwFilePath(const QString &jwFolder);

// The command lines of a sheet, in drawing order. `measure` is the device the
// printed sheet would be measured on.
QStringList JwSheetLines(const CalcSheet &sheet, const SheetSettings &settings,
                         SheetDevice &measure);

// The file's bytes: CP932, every line ended by CR LF.
QByteArray JwFileBytes(const QStringList &lines);

// Writes the sheet's file to `path`, through a temporary file that replaces
// an earlier file only when the new one is complete. On failure the result
// carries the system's reason.
WriteResult WriteJwFile(const QString &path, const CalcSheet &sheet,
                        const SheetSettings &settings, SheetDevice &measure);

} // namespace quiren
