#pragma once

#include "core/calc/CalcSheet.h"
#include "core/documents/SheetFile.h"

#include <QObject>
#include <QUndoStack>

namespace quiren {

// One calculation document: the CalcSheet with the rule set and the office's
// certified walls it is worked out with, and the signals its views listen
// to. Whoever changes the sheet says so here; each view (header, storey
// pages, the check views, the judgement grid, the Lw breakdown) refreshes
// itself from the signal, so no window keeps a list of what to refresh.
//
// A change of the office's data in the options window reaches every open
// document through OfficeChanges: the sheet is worked out again with the
// walls as stored now.
class SheetDocument : public QObject {
    Q_OBJECT

public:
    explicit SheetDocument(RuleSetKind kind, QObject *parent = nullptr);
    ~SheetDocument() override;

    CalcSheet &sheet() { return m_sheet; }
    const CalcSheet &sheet() const { return m_sheet; }
    RuleSetKind ruleSetKind() const { return m_sheet.ruleSetKind(); }
    // The office's certified walls the sheet's multipliers come from.
    const CertifiedWallList &walls() const { return m_sheet.walls(); }

    // Every derived value worked out again from the inputs; the inputs are
    // untouched, so the sheet is not marked changed.
    void recalculate();
    // The sheet has worked out (part of) itself after an edit: the views
    // show its figures again.
    void tellRecalculated() { emit recalculated(); }
    // The sheet now follows `kind` (a new sheet, or the conversion of an
    // old one); false with the reason when the sheet cannot. The window
    // shows the sheet again after it (replaced), laid out for the rules.
    bool setRuleSet(RuleSetKind kind, QString *reason = nullptr);
    // The whole sheet was replaced (a file read into it): the views show
    // it again from its inputs on.
    void tellReplaced() { emit replaced(); }
    // An edit the file must keep: the sheet is marked changed, and the edit
    // becomes a step of the undo history (the inputs before and after it;
    // consecutive edits of one box or cell make one step).
    void markChanged();

    // Undo and redo of the sheet's edits. Undoing back to the state last
    // saved clears the changed mark.
    QUndoStack &history() { return m_history; }
    // The sheet was begun or read from a file: no history, nothing changed.
    void resetHistory();
    // The sheet was saved as it is now.
    void markSaved();
    // Puts the inputs back as `data` holds them (undo, redo) and says so
    // with `restored`.
    void restore(const SheetFileData &data);
    // A check view stored an input of storey s and showed its own results;
    // the views that depend on that check follow.
    void tellCheckEdited(int storey) { emit checkEdited(storey); }

signals:
    // The sheet's figures changed; its inputs are as shown.
    void recalculated();
    // The sheet's inputs changed under the views (a file was read, a new
    // sheet begun): every control shows the sheet again.
    void replaced();
    // An edit marked the sheet changed.
    void edited();
    void checkEdited(int storey);
    // Undo or redo put other inputs into the sheet: every control shows the
    // sheet again, as after a file was read.
    void restored();

private:
    CalcSheet m_sheet;
    QUndoStack m_history;
    SheetFileData m_state;     // the inputs as of the last step
    QByteArray m_stateBytes;   // the same, as a file holds them, to compare
    bool m_restoring = false;
};

} // namespace quiren
