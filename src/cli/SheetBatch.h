#pragma once

#include "core/calc/CalcSheet.h"
#include "core/io/SafeWrite.h"

#include <QString>
#include <QStringList>

#include <QByteArray>

#include <functional>
#include <optional>

// qrn pdf and qrn jw over many sheets in one process: files and folders in,
// one output per sheet, beside its input or in the folder given with -o.
// The fonts and the settings are set up once for all of them, so each
// further sheet costs only its own reading and drawing.
namespace quiren::cli {

// Whether `args` ask for more than one sheet: more than one input, a folder
// as input, or -o naming a folder. A single file keeps `-o` as its output
// file name.
bool IsSheetBatch(const QStringList &args);

// The sheet files of `inputs`: files as given, folders as the ".qrn" and
// ".qrn2" files directly inside them, in name order. A folder without any
// is named on stderr and `ok` set to false.
QStringList ExpandSheetInputs(const QStringList &inputs, bool *ok = nullptr);

// Writes one output per sheet, the bytes `render` makes of it, naming it
// after its input with `suffix` in place of the extension. Files are written
// (and flushed to the disk) while the next sheets are drawn; each is named
// on stdout once it is complete, in the order given. Refused, with a message, and the
// others still written: an output that would be an input (its own or
// another's), or that a sheet before it in the same call already wrote.
// ExitOk when every sheet was written, else ExitError.
// `render` gives nothing when the sheet could not be drawn.
using SheetRenderer = std::function<std::optional<QByteArray>(const CalcSheet &sheet)>;
int RunSheetBatch(const QString &command, const QStringList &args, const QString &suffix,
                  const SheetRenderer &render);

} // namespace quiren::cli
