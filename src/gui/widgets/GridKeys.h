#pragma once

#include <QAbstractItemDelegate>
#include <QModelIndex>
#include <QString>

#include <functional>

class QKeyEvent;
class QTableView;

// The keys of a spreadsheet in the program's grids: Enter moves down, Delete
// empties the selected cells, Ctrl+C copies the selection as tab-separated
// text and Ctrl+V pastes such a block from the current cell on, each value
// checked as if it had been typed. Tab never stays in a grid.
namespace quiren {

struct GridCells {
    // Writes `text` into a cell the user may type into, as typing it would;
    // returns the message refusing it (nothing is written then), or empty.
    std::function<QString(const QModelIndex &, const QString &)> put;
    // Once after a Delete or a paste that wrote anything.
    std::function<void()> done;
    // The first row that holds cells (rows above it are headings).
    int firstRow = 0;
};

// What a grid model's setData refused last: the message and the text the
// user typed, held until the grid reopens the cell with them.
class HeldRefusal {
public:
    // Holds `message` and `text`; an empty message holds nothing.
    void hold(const QString &message, const QString &text)
    {
        m_message = message;
        m_text = message.isEmpty() ? QString() : text;
    }
    void clear() { hold({}, {}); }
    bool isEmpty() const { return m_message.isEmpty(); }
    // The message (empty when nothing was refused) and, in *text, what was
    // typed; both are forgotten.
    QString take(QString *text)
    {
        *text = m_text;
        const QString message = m_message;
        clear();
        return message;
    }

private:
    QString m_message, m_text;
};

// A key pressed in `grid` while no cell is open; true when it was one of the
// spreadsheet keys and has been handled.
bool HandleGridKey(QTableView *grid, QKeyEvent *event, const GridCells &cells);

// The text of `grid`'s selection (or its current cell), tab-separated
// columns and one line a row, as a spreadsheet gives it.
QString SelectedCellsText(const QTableView *grid);
// Pastes a block of tab-separated text from the current cell on; cells
// beyond the grid or not typed into are left out. The refused values are
// named in one message. Returns whether anything was written.
bool PasteCells(QTableView *grid, const QString &text, const GridCells &cells);

// Where the current cell goes once an open cell has been closed with `hint`:
// Enter moves one row down, Tab and Shift+Tab leave the grid for the next
// or previous field. Call it after the editor has gone.
void FollowEditEnd(QTableView *grid, QAbstractItemDelegate::EndEditHint hint);

// After a refused text: shows `message`, then opens the cell again holding
// the text the user typed, to be corrected.
void ReopenRefusedCell(QTableView *grid, const QModelIndex &cell, const QString &text, const QString &message);

// The grid shows which cell has the focus with a frame around it.
void ShowFocusCell(QTableView *grid);

} // namespace quiren
