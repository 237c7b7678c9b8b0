#pragma once

#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/GridModels.h"
#include "gui/widgets/GridKeys.h"

#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

namespace quiren {

class FramingGrid;

// The editor of each framing-grid column: drop-down lists of kinds, sections
// and (with list input on) standard lengths; free typing for lengths and
// places. Choosing an item from a list ends the edit.
class FramingDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit FramingDelegate(FramingGrid *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    // The items offered for a cell; empty for free typing.
    QStringList listFor(const QModelIndex &index) const;

private:
    FramingGrid *m_grid;
};

// One storey's framing grid Z_FA(s): the view over the storey's framing
// rows, with the editing gestures of the grid.
//   click:   kind and length cells start an edit, the section cell only on a
//            "木材" row, the X-bracing cell toggles, a places cell opens the
//            number entry window; the storey is recalculated afterwards;
//   keys:    Enter on the X-bracing cell toggles it; Delete empties a kind,
//            section, length or places cell; typing starts an edit;
//   current: the column's prompt goes to the status bar.
// After every committed edit the after-edit steps of the sheet run.
class FramingGrid : public QTableView {
    Q_OBJECT

public:
    FramingGrid(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    int storey() const { return m_model->storey(); }
    CalcSheet &sheet() { return m_model->sheet(); }
    FramingModel *framingModel() const { return m_model; }

    // Whether length cells offer the standard lengths (mnuPaf checked).
    void setListInputSource(std::function<bool()> source) { m_listInput = std::move(source); }
    bool listInput() const { return m_listInput ? m_listInput() : false; }

    void setDirectionCaptions(const QString &direction0, const QString &direction1);
    // Shows the sheet's rows again and merges the cells (heading row 0, and
    // the columns whose merge choice is on).
    void refresh();
    void updateSpans();

    // Width and height that show every row and column.
    int contentWidth() const;
    int contentHeight() const;

    // The gestures, also reachable without a mouse.
    void clickCell(int row, int column);
    void toggleXBracing(int framingRow);
    void openNumberEntry(int framingRow, int column);
    void deleteCell(int framingRow, int column);

    // Called by the delegate when an editor hands its text to the cell.
    void noteCommitted(const QModelIndex &index);
    // Called by the delegate when the sheet refuses the typed text: the
    // message comes once the editor has gone, and the cell opens again
    // with the text to be corrected.
    void noteRefused(const QModelIndex &index, const QString &text, const QString &message);
    // A text written into a cell as if typed (paste, Delete); the refusal,
    // or empty when the sheet took it.
    QString putCell(const QModelIndex &index, const QString &text);

signals:
    // The prompt of the column of the new current cell.
    void promptRequested(const QString &prompt);
    // The sheet was recalculated after a gesture; `changed` when the gesture
    // marked it changed.
    void sheetUpdated(bool changed);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void onClicked(const QModelIndex &index);
    void runAfterEdit(int framingRow, int column);
    void finish(bool changed);

    FramingModel *m_model;
    FramingDelegate *m_delegate;
    MessagePrompter m_prompter;
    std::function<bool()> m_listInput;
    QModelIndex m_committed;      // the cell whose editor wrote its text
    struct Refusal {
        QPersistentModelIndex cell;
        QString text, message;
    };
    Refusal m_refused;            // a typed text the sheet did not take
    GridCells m_cells;
};

} // namespace quiren
