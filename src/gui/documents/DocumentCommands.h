#pragma once

#include "core/calc/CalcSheet.h"
#include "core/calc/RuleSet.h"

#include <QString>

// The document commands: New, Open, Save, Save As, the close question and
// Exit, the recent-files menus and the file named on the command line. The
// frame (the main window) carries them out for its own menus and tool bar
// and for its calculation windows; every message goes through ShowMessage
// and every file dialog through CommonDialog(), so tests can answer both.
namespace quiren {

class CalcWindow;
class DocumentFrame;

// ---- windows and numbers ---------------------------------------------------------

// New: a new untitled window "新規計算書" & number, unchanged, with the
// recent files in its File menu.
CalcWindow *NewCalcWindow(DocumentFrame &frame, RuleSetKind kind = RuleSetKind::Old);

// How a save writes the sheet: a ".qrn2" name, and every sheet under the
// 2025 rules, as a sheet file; an old-rule sheet as a ".qrn" unless it
// holds 2025 inputs or a balance check that file cannot keep, when the user is told what would
// be lost and offered the sheet file. The path's extension follows the
// form; Cancelled saves nothing.
enum class SavedForm { CalcFile, SheetFile, Cancelled };
SavedForm ChooseSavedForm(CalcWindow &window, QString &path);
// Whether an old-rule sheet holds inputs of the 2025 rules (loads,
// heights, voids, lofts, quasi-bearing walls) that a ".qrn" drops.
bool HoldsInputsQrnCannotKeep(const CalcSheet &sheet);

// Reads `path` into a new window. useFirstSlot: the window takes number 1
// (the file named on the command line at start). On failure the user is told
// (path & "ﾌｧｲﾙを開けません。", or "Quiren" & "のデータファイルではありません。"),
// nothing is created and nullptr comes back.
CalcWindow *OpenCalcFile(DocumentFrame &frame, const QString &path, bool useFirstSlot);

// Open: the Open dialog, then the file (unless it is already open). The
// recent-files list is left as it is; the menus are refreshed.
void OpenFileCommand(DocumentFrame &frame);

// True, after telling the user "選択したﾌｧｲﾙはすでに開いています。", when a
// calculation window's caption is exactly `path`.
bool IsFileAlreadyOpen(DocumentFrame &frame, const QString &path);

// Some calculation window is open.
bool AnyCalcWindowOpen(DocumentFrame &frame);

// ---- saving --------------------------------------------------------------------------

// A window is untitled while its caption begins with "新規".
bool IsUntitled(const CalcWindow &window);
// "Untitled.qrn" for an empty title, else the title & ".qrn".
QString ProposedFileName(const CalcWindow &window);
// The Save dialog proposing `proposedName`; empty when cancelled. With
// `confirmOverwrite` it asks before replacing a file.
QString AskSavePath(const QString &proposedName, bool confirmOverwrite = false);

// Writes the window's sheet to `path` (listed at the top of the recent files
// first). On success the caption becomes `path` and the sheet is unchanged;
// on failure the old file stays as it was, the caption and the changed flag
// stay, and the user is told the system's reason. A sheet that has to be
// stored under another name than `path` (a 2025 sheet as ".qrn2") asks for
// that name through the dialog first, and a file another window holds is
// never written. Returns whether it saved.
bool SaveCalcFile(DocumentFrame &frame, CalcWindow &window, const QString &path);

// Save: to the window's own file, or through the dialog while untitled.
bool SaveCommand(DocumentFrame &frame, CalcWindow &window);
// Save As: always through the dialog (proposing the current path when filed).
bool SaveAsCommand(DocumentFrame &frame, CalcWindow &window);

// ---- closing -----------------------------------------------------------------------

// The close question for a window about to close: true lets it close (and
// gives up its number), false keeps it open. An unchanged window closes
// without a question.
bool ConfirmCloseCalcWindow(DocumentFrame &frame, CalcWindow &window);

// Before the program ends: every open calculation window's close question
// in turn. Cancel stops the questions and the ending (false); answers given
// so far have taken effect. On true the windows then close without asking
// again.
bool AskBeforeClosingAll(DocumentFrame &frame);

// ---- recent files ------------------------------------------------------------------

// Puts `path` at the top of the recent-files list and refreshes the menus.
void AddRecentFile(DocumentFrame &frame, const QString &path);
// Copies the list into the File menus of the frame and of every open
// calculation window.
void RefreshRecentFileMenus(DocumentFrame &frame);
// mnuRecentFile(1..5) chosen in any window, with the item's path: opens the
// file (unless it is already open), then lists the path at the top whether
// or not it opened.
void OpenRecentFile(DocumentFrame &frame, const QString &path);

// ---- start-up --------------------------------------------------------------------

// The file named on the command line (a full path): at start it becomes document 1 and
// heads the recent-files list; a file handed over later opens as the next
// document. A missing or foreign file leaves no window, and the document
// commands unavailable while none is open.
void OpenCommandLineFile(DocumentFrame &frame, const QString &path);

} // namespace quiren
