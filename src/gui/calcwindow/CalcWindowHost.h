#pragma once

#include "core/calc/RuleSet.h"

#include <QString>

class QAction;

namespace quiren {

class CalcWindow;

// The frame a calculation window lives in, as the window sees it: the status
// bar, the list-input mark new windows copy, and the commands of the
// window's menus that belong to the whole program (documents, the tool bar,
// the status bar, the other windows). The main window implements it; a
// calculation window without a host carries out only its own commands.
class CalcWindowHost {
public:
    virtual ~CalcWindowHost() = default;

    // Panel 1 of the status bar.
    virtual void setStatusText(const QString &text) = 0;
    // The list-input mark a new calculation window starts with.
    virtual bool listInputChecked() const = 0;

    // ---- documents: the frame knows every open document and the recent files.
    // A new sheet under the rules chosen in the options; the other one under
    // the rules named.
    virtual CalcWindow *newCalcWindow() = 0;
    virtual CalcWindow *newCalcWindow(RuleSetKind kind) = 0;
    virtual void openFileCommand() = 0;
    virtual void openRecentFile(const QString &path) = 0;
    virtual bool saveDocument(CalcWindow &window) = 0;
    virtual bool saveDocumentAs(CalcWindow &window) = 0;
    // The question about unsaved changes before `window` closes; false keeps
    // it open.
    virtual bool confirmClose(CalcWindow &window) = 0;

    // ---- the frame's own commands, chosen in a calculation window's menus.
    // File > Exit: closes the frame (and with it the program).
    virtual void closeFrame() = 0;
    // The window's check mark `mark` is inverted and the frame follows it
    // (tool bar, status bar, list input).
    virtual void toggleToolbar(QAction &mark) = 0;
    virtual void toggleStatusBar(QAction &mark) = 0;
    virtual void listLengthInput(QAction &mark) = 0;
    virtual void showHint() = 0;
    virtual void showOptions() = 0;
    virtual void showAbout() = 0;
    virtual void arrangeWindows(int arrangement) = 0;
};

} // namespace quiren
