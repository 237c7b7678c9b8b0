#pragma once

#include "core/calc/CalcSheet.h"

#include <QString>

class QWidget;

// The calculation window's command mnuJWcomp: the sheet written as the
// JW-CAD coordinate file "Qrn_JW.txt" in the JW folder in effect.
namespace quiren {

class CalcWindow;

// Writes the sheet's file into `jwFolder` (ending in "/") and tells the user
// where it went ("変換完了"). A folder that does not exist or cannot be
// written is named in a message with the reason, and nothing claims success.
// True when the file was written.
bool JwExportCommand(QWidget *parent, const CalcSheet &sheet, const QString &jwFolder);

// The JW folder in effect: the application's, or the stored one when the
// application has none yet.
QString JwFolderInEffect();

// mnuJWcomp of a calculation window.
bool ExportWindowJw(CalcWindow *window);

} // namespace quiren
