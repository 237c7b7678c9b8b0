#pragma once

#include "core/io/SafeWrite.h"
#include "core/print/SheetDrawing.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quiren {

// Draws the sheet into a PDF file of A4 portrait pages: the sheet, then a
// page for each check the sheet has data for. The file is written
// to a temporary file first and replaces `path` only when it is complete, so a
// failed run leaves an earlier file as it was. On failure the result carries
// the system's reason.
// The bytes of that PDF, or nothing when the page could not be drawn.
std::optional<QByteArray> SheetPdfBytes(const CalcSheet &sheet, const SheetSettings &settings);
// The same PDF drawn through Qt's PDF writer, as when the sheet's font cannot
// be embedded by the program itself (and for comparing the two).
std::optional<QByteArray> SheetPdfBytesThroughQt(const CalcSheet &sheet, const SheetSettings &settings);

WriteResult WriteSheetPdf(const QString &path, const CalcSheet &sheet,
                          const SheetSettings &settings);

} // namespace quiren
