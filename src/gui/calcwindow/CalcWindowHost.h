#pragma once

#include <QString>

class QAction;

namespace quiren {

class CalcWindow;

// The frame a calculation window lives in, as the window sees it: the status
// bar, the list-input mark new windows copy, the documents (saving and the
// close question) and the program's one set of commands, which the frame
// owns and enables for its active window. The main window implements it; a
// calculation window without a host carries out only its own commands.
class CalcWindowHost {
public:
    virtual ~CalcWindowHost() = default;

    // Panel 1 of the status bar.
    virtual void setStatusText(const QString &text) = 0;
    // The list-input mark a new calculation window starts with.
    virtual bool listInputChecked() const = 0;

    // ---- documents: the frame knows every open document and the recent files.
    virtual bool saveDocument(CalcWindow &window) = 0;
    virtual bool saveDocumentAs(CalcWindow &window) = 0;
    // The question about unsaved changes before `window` closes; false keeps
    // it open.
    virtual bool confirmClose(CalcWindow &window) = 0;

    // A command of the frame's menus by its object name (mnuFileSave,
    // T_Merge(0), ...); nullptr when there is none.
    virtual QAction *commandAction(const QString &name) const = 0;
};

} // namespace quiren
