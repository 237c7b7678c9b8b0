#pragma once

#include "core/calc/RuleSet.h"

#include <QList>

class QAction;
class QWidget;

namespace quiren {

class CalcWindow;
class DocumentTable;

// The frame that holds the documents, as the document commands see it: a
// window to show messages over, calculation windows made on request, the
// document commands to switch on and off, its own recent-files items and
// the table of document numbers. The main window implements it.
class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;

    // Messages and the close question are shown over this window.
    virtual QWidget *frameWidget() = 0;
    // A new calculation window in the frame, shown and active, loaded as a
    // new sheet under the rules `kind`; the caller gives it its caption and
    // number.
    virtual CalcWindow *createCalcWindow(RuleSetKind kind) = 0;
    // The document commands (tool bar Save, Print, Sort, List, Info and the
    // frame's own mnuPaf, mnuViewSort, mnuHint).
    virtual void setDocumentCommandsEnabled(bool enabled) = 0;
    // mnuRecentFile(0) (the separator) to mnuRecentFile(5) of the frame's
    // own File menu.
    virtual QList<QAction *> recentFileActions() const = 0;
    virtual DocumentTable &documentTable() = 0;
};

} // namespace quiren
