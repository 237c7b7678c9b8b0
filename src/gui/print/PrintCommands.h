#pragma once

#include "core/calc/CalcSheet.h"

#include "gui/widgets/WidgetSupport.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The commands that put a calculation sheet on paper: printing on the
// system's printer, the print preview and saving the sheet as a PDF file.
// Every message goes through ShowMessage and the PDF file's name is asked
// through the program's file dialog object; the printer comes through a seam
// tests can answer.
namespace quiren {

// ---- seams -------------------------------------------------------------

// The system's default printer, one object for the whole run, so that the
// paper set by one command stays for the next; nullptr when the system has
// no printer at all.
QPrinter *SystemPrinter();

// Where the commands get their printer from; an empty source brings back
// SystemPrinter(). A source returning nullptr means "no printer".
using PrinterSource = std::function<QPrinter *()>;
void SetPrinterSource(PrinterSource source);
QPrinter *CurrentPrinter();

// The name of a PDF file is asked through the program's file dialog object
// (CommonDialog(), answered in tests by SetFileDialogResponder).

// ---- commands over a sheet -------------------------------------------

enum class PaperChoice {
    AsItIs,       // the menu command leaves the printer's paper as it is
    A4Portrait,   // the tool bar sets A4 portrait first
};

// Prints the sheet as one page and confirms with the caption, a line feed
// and "を印刷しました。". Without a printer, or when the printer fails, the
// user is told so and offered to save the sheet as a PDF file instead.
// True when the sheet was printed.
bool PrintSheetCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption,
                       PaperChoice paper);

// The document's name with ".pdf": "/a/b.qrn" gives "/a/b.pdf",
// "新規計算書1" gives "新規計算書1.pdf".
QString ProposedPdfName(const QString &caption);

// Asks for a file name and writes the sheet there as a one-page PDF; tells
// the user where it went, or why it could not be written. True when written.
bool SaveSheetPdfCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption);

// The print preview of the sheet, drawn exactly as it is printed.
void PreviewSheetCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption);

} // namespace quiren
