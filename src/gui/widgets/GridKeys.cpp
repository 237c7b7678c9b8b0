#include "gui/widgets/GridKeys.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTableView>

#include <algorithm>

namespace quiren {

namespace {

bool typedCell(const QModelIndex &index)
{
    return index.isValid() && index.flags().testFlag(Qt::ItemIsEditable);
}

QModelIndexList selectedOrCurrent(const QTableView *grid)
{
    QModelIndexList cells = grid->selectionModel() ? grid->selectionModel()->selectedIndexes() : QModelIndexList();
    if (cells.isEmpty() && grid->currentIndex().isValid())
        cells << grid->currentIndex();
    return cells;
}

void moveDown(QTableView *grid)
{
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    const QModelIndex below = current.sibling(current.row() + 1, current.column());
    if (below.isValid())
        grid->setCurrentIndex(below);
}

} // namespace

QString SelectedCellsText(const QTableView *grid)
{
    const QModelIndexList cells = selectedOrCurrent(grid);
    if (cells.isEmpty())
        return {};
    int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
    for (const QModelIndex &cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    QStringList lines;
    const QAbstractItemModel *model = grid->model();
    for (int r = top; r <= bottom; ++r) {
        QStringList line;
        for (int c = left; c <= right; ++c) {
            const QModelIndex cell = model->index(r, c);
            line << (cells.contains(cell) ? cell.data(Qt::DisplayRole).toString().trimmed() : QString());
        }
        lines << line.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

bool PasteCells(QTableView *grid, const QString &text, const GridCells &cells)
{
    const QModelIndex start = grid->currentIndex();
    if (!start.isValid() || text.isEmpty())
        return false;
    QString block = text;
    block.remove(QLatin1Char('\r'));
    if (block.endsWith(QLatin1Char('\n')))
        block.chop(1);
    const QStringList lines = block.split(QLatin1Char('\n'));
    bool wrote = false;
    QStringList refused;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList values = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < values.size(); ++j) {
            const QModelIndex cell = grid->model()->index(start.row() + i, start.column() + j);
            if (!typedCell(cell))
                continue;
            const QString message = cells.put(cell, values[j]);
            if (message.isEmpty()) {
                wrote = true;
                continue;
            }
            refused << Str(S::PastedCell)
                           .arg(cell.row() - cells.firstRow + 1)
                           .arg(cell.column() + 1)
                           .arg(values[j], message);
        }
    }
    if (wrote && cells.done)
        cells.done();
    if (!refused.isEmpty()) {
        ShowMessage(grid->window(), Str(S::PastedCellsRefused) + QLatin1Char('\n') + refused.join(QLatin1Char('\n')),
                    MsgButtons::Ok, MsgIcon::Exclamation, Str(S::AppTitle));
    }
    return wrote;
}

bool HandleGridKey(QTableView *grid, QKeyEvent *event, const GridCells &cells)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(SelectedCellsText(grid));
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteCells(grid, QApplication::clipboard()->text(), cells);
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Delete: {
        bool wrote = false;
        for (const QModelIndex &cell : selectedOrCurrent(grid)) {
            if (typedCell(cell) && !cell.data(Qt::EditRole).toString().isEmpty())
                wrote = cells.put(cell, QString()).isEmpty() || wrote;
        }
        if (wrote && cells.done)
            cells.done();
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            return false;
        moveDown(grid);
        return true;
    default:
        return false;
    }
}

void FollowEditEnd(QTableView *grid, QAbstractItemDelegate::EndEditHint hint)
{
    switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache:
        moveDown(grid);
        break;
    case QAbstractItemDelegate::EditNextItem:
    case QAbstractItemDelegate::EditPreviousItem: {
        // The grid does not keep Tab: it goes on to the field after it.
        QKeyEvent tab(QEvent::KeyPress, hint == QAbstractItemDelegate::EditNextItem ? Qt::Key_Tab : Qt::Key_Backtab,
                      hint == QAbstractItemDelegate::EditNextItem ? Qt::NoModifier : Qt::ShiftModifier);
        grid->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(grid, &tab);
        break;
    }
    default:
        break;
    }
}

void ReopenRefusedCell(QTableView *grid, const QModelIndex &cell, const QString &text, const QString &message)
{
    const QPersistentModelIndex kept(cell);
    ShowMessage(grid->window(), message, MsgButtons::Ok, MsgIcon::Exclamation, Str(S::AppTitle));
    if (!kept.isValid())
        return;
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentIndex(kept);
    grid->edit(kept);
    QWidget *editor = grid->indexWidget(kept);
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && combo->isEditable()) {
        combo->setEditText(text);
        combo->lineEdit()->selectAll();
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(text);
        line->selectAll();
    }
}

namespace {

// The program's style, except that the cell with the focus in a grid is
// framed in the highlight colour whether the focus came by key or by mouse
// (the styles draw it only after a key). One instance serves every grid: a
// style sheet per grid would have given each its own style, costing start-up
// time and memory for every window.
class FocusCellStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_FrameFocusRect && qobject_cast<const QAbstractItemView *>(widget)) {
            painter->save();
            // On a selected cell, darker than the selection's fill, so it still shows.
            QColor frame = option->palette.color(QPalette::Highlight);
            if (option->state & State_Selected)
                frame = frame.darker(170);
            painter->setPen(QPen(frame, 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

QStyle *focusCellStyle()
{
    // Made over the application's style once; the application owns it.
    static QPointer<QStyle> style;
    if (!style) {
        style = new FocusCellStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void ShowFocusCell(QTableView *grid)
{
    grid->setTabKeyNavigation(false);
    grid->setStyle(focusCellStyle());
}

} // namespace quiren
