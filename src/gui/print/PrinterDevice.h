#pragma once

#include "core/io/SafeWrite.h"
#include "core/print/SheetDrawing.h"

class QPrinter;

// The sheet on a printer (the system's printer through CUPS, or a PDF file
// when the printer is set to PDF output).
namespace quiren {

// Paper A4, portrait (what the tool-bar print command sets before drawing).
void SetSheetPaper(QPrinter &printer);

// Draws the sheet as one page on the printer and ends the print job, with
// the pens 1, 3, 5 and 7 pixels wide. Fails, with a reason fit for the user,
// when the printer cannot be painted on or the job fails.
WriteResult PrintSheet(QPrinter &printer, const CalcSheet &sheet, const SheetSettings &settings);

} // namespace quiren
