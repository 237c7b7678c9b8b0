#pragma once

#include "core/calc/CalcSheet.h"

#include <QString>

class QWidget;

// The JW-CAD command (mnuJWcomp of a calculation window): the sheet written
// as the JW-CAD coordinate file "Qrn_JW.txt" in the JW folder in effect.
namespace quiren {

// Writes the sheet's file into `jwFolder` (ending in "/") and tells the user
// where it went ("変換完了"). A folder that does not exist or cannot be
// written is named in a message with the reason, and nothing claims success.
// True when the file was written.
bool JwExportCommand(QWidget *parent, const CalcSheet &sheet, const QString &jwFolder);

// The JW folder in effect: the application's, or the stored one when the
// application has none yet.
QString JwFolderInEffect();

} // namespace quiren
