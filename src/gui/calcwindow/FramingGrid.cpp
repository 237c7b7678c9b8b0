#include "gui/calcwindow/FramingGrid.h"

#include "core/calc/Framing.h"
#include "core/calc/SheetWalls.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"
#include "gui/tools/NumberEntry.h"
#include "gui/widgets/NumberInput.h"
#include "gui/widgets/Twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStandardItemModel>
#include <QTimer>

namespace quiren {

namespace {

// The drop-down editor of a list cell; says when its list closes, however
// it was closed (a choice, Escape, a click elsewhere).
class ListEditor : public QComboBox {
public:
    explicit ListEditor(QWidget *parent)
        : QComboBox(parent)
    {
        view()->window()->installEventFilter(this);
    }

    std::function<void()> onListClosed;

    // A list that can be typed into takes a character typed while it is
    // open: the list closes and the character starts the text, where the
    // open list would take it as a search and pick another length.
    void typeOverOpenList() { view()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched == view()->window() && onListClosed && !m_typing)
            onListClosed();
        if (event->type() == QEvent::KeyPress && watched == view() && isEditable()) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
                m_typing = true;
                hidePopup();
                m_typing = false;
                lineEdit()->setFocus();
                lineEdit()->selectAll();
                QCoreApplication::sendEvent(lineEdit(), event);
                return true;
            }
        }
        return QComboBox::eventFilter(watched, event);
    }

private:
    bool m_typing = false;
};

} // namespace

// ---- editors ----------------------------------------------------------------------

FramingDelegate::FramingDelegate(FramingGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

QStringList FramingDelegate::listFor(const QModelIndex &index) const
{
    switch (index.column()) {
    case ColKind:
        return m_grid->sheet().KindList();
    case ColSection:
        return SectionList();
    case ColLength0:
    case ColLength1:
        // The module is read when the list is offered.
        return m_grid->listInput() ? StandardLengthList(ReadModule()) : QStringList();
    default:
        return {};
    }
}

QWidget *FramingDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    if (!FramingModel::columnEditable(index.column()) || FramingModel::isHeading(index))
        return nullptr;
    const QStringList items = listFor(index);
    if (items.isEmpty()) {
        auto *edit = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!edit)
            edit = new QLineEdit(parent);
        edit->setAlignment(FramingModel::columnAlignment(index.column()));
        return edit;
    }
    auto *combo = new ListEditor(parent);
    if (index.column() == ColKind) {
        combo->setEditable(false);
        // The kinds by group, each with its multiplier; a heading cannot be chosen.
        for (const KindChoice &choice : KindChoices(m_grid->sheet())) {
            combo->addItem(choice.label, choice.kind);
            if (choice.heading) {
                auto *model = qobject_cast<QStandardItemModel *>(combo->model());
                if (QStandardItem *item = model ? model->item(combo->count() - 1) : nullptr)
                    item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
            }
        }
        combo->setMaxVisibleItems(30);
    } else {
        // A length list only offers values: what the user types is what the
        // cell holds (a list that cannot be typed into would take "1.82" as a
        // search and quietly pick another length). Nothing is completed or
        // added to the list as it is typed.
        const bool typed = index.column() == ColLength0 || index.column() == ColLength1;
        combo->setEditable(typed);
        if (typed) {
            combo->setCompleter(nullptr);
            combo->setInsertPolicy(QComboBox::NoInsert);
            AcceptFullWidthDigits(combo->lineEdit());
            combo->typeOverOpenList();
        }
        combo->addItems(items);
        combo->setMaxVisibleItems(items.size());
    }
    // Choosing an item ends the edit at once.
    auto *self = const_cast<FramingDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo](int) {
        emit self->commitData(combo);
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    // Closing the list without a choice (Escape, a click elsewhere) leaves
    // the cell as well: one Escape, not a second one for the closed list.
    // A choice closes the list just before it is reported, so the check
    // waits until the choice has been handled.
    const QPersistentModelIndex cell(index);
    const QPointer<QComboBox> guard(combo);
    combo->onListClosed = [self, cell, guard] {
        QTimer::singleShot(0, self, [self, cell, guard] {
            if (guard && self->m_grid->indexWidget(cell) == guard)
                emit self->closeEditor(guard, QAbstractItemDelegate::NoHint);
        });
    };
    return combo;
}

void FramingDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (index.column() == ColKind) {
            combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findData(text));
            return;
        }
        int position = combo->findText(text);
        if (position < 0)
            position = combo->findText(text.trimmed());
        combo->setCurrentIndex(position);
        // Typing that starts the edit replaces the text, as in a typed cell.
        if (combo->isEditable()) {
            combo->setEditText(text.trimmed());
            combo->lineEdit()->selectAll();
        }
        return;
    }
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FramingDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    QString text = index.data(Qt::EditRole).toString();
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        // Leaving a list without choosing keeps the cell's text; a list
        // typed into holds what was typed.
        if (combo->isEditable()) {
            if (combo->currentText().trimmed() != text.trimmed())
                text = WithoutDoubleQuotes(combo->currentText());
        } else if (combo->currentIndex() >= 0) {
            text = index.column() == ColKind ? combo->currentData().toString() : combo->currentText();
        }
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        text = WithoutDoubleQuotes(edit->text());
    }
    const QString refusal = m_grid->sheet().CellRefusal(index.column(), text);
    if (!refusal.isEmpty()) {
        m_grid->noteRefused(index, text, refusal);
        return;
    }
    // An edit that leaves the text as it was is no change of the sheet.
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
    m_grid->noteCommitted(index);
}

// ---- the grid ----------------------------------------------------------------------

FramingGrid::FramingGrid(CalcSheet &sheet, int storey, QWidget *parent)
    : QTableView(parent)
    , m_model(new FramingModel(sheet, storey, this))
    , m_delegate(new FramingDelegate(this))
    , m_prompter(this)
{
    setObjectName(QStringLiteral("Z_FA(%1)").arg(storey));
    // The headers go before the model comes: shown, they would measure
    // every heading the model has.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    ShowFocusCell(this);
    m_cells.put = [this](const QModelIndex &index, const QString &text) { return putCell(index, text); };
    m_cells.done = [this] { finish(true); };
    m_cells.firstRow = FramingHeaderRows;
    ApplySheetGridLook(this);
    for (int c = 0; c < FramingColumnCount; ++c) {
        // The width in twips, widened where this font needs more room for
        // the column's heading.
        const int heading = GridTextWidth(this, m_model->headingText(1, c));
        setColumnWidth(c, std::max(TwipsToPixelsX(FramingModel::columnWidthTwips(c), this), heading));
    }

    connect(this, &QAbstractItemView::clicked, this, &FramingGrid::onClicked);
    setCurrentIndex(m_model->index(FramingHeaderRows, 0));
    updateSpans();
}

void FramingGrid::setDirectionCaptions(const QString &direction0, const QString &direction1)
{
    m_model->setDirectionCaptions(direction0, direction1);
    updateSpans();
}

void FramingGrid::refresh()
{
    m_model->refresh();
    updateSpans();
}

void FramingGrid::updateSpans()
{
    clearSpans();
    // Heading row 0: equal neighbours show as one cell.
    int start = 0;
    for (int c = 1; c <= FramingColumnCount; ++c) {
        if (c == FramingColumnCount || m_model->headingText(0, c) != m_model->headingText(0, start)) {
            if (c - start > 1)
                setSpan(0, start, 1, c - start);
            start = c;
        }
    }
    // Merged columns: equal neighbouring cells of the framing rows.
    const std::vector<FramingRow> &rows = sheet().framing[storey()];
    const int count = static_cast<int>(rows.size());
    for (int k = 0; k < 3; ++k) {
        if (!sheet().merge[k])
            continue;
        int first = 0;
        for (int r = 1; r <= count; ++r) {
            if (r == count || rows[r][k] != rows[first][k]) {
                if (r - first > 1 && !rows[first][k].isEmpty())
                    setSpan(FramingHeaderRows + first, k, r - first, 1);
                first = r;
            }
        }
    }
}

int FramingGrid::contentWidth() const
{
    int width = 2 * frameWidth();
    for (int c = 0; c < FramingColumnCount; ++c)
        width += columnWidth(c);
    return width;
}

int FramingGrid::contentHeight() const
{
    int height = 2 * frameWidth();
    for (int r = 0; r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return height;
}

void FramingGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const int r = FramingModel::framingRow(current);
    if (r >= 0 && state() != QAbstractItemView::EditingState) {
        const int column = current.column();
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && column == ColXBracing) {
            toggleXBracing(r);
            event->accept();
            return;
        }
    }
    if (state() != QAbstractItemView::EditingState && HandleGridKey(this, event, m_cells)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex FramingGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The heading rows never become current.
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next.row() < FramingHeaderRows)
        return m_model->index(FramingHeaderRows, next.column());
    return next;
}

void FramingGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (FramingModel::framingRow(current) >= 0)
        emit promptRequested(Str(S::FramingColumnPrompts + current.column()));
}

void FramingGrid::noteCommitted(const QModelIndex &index)
{
    // The delegate has written the typed or chosen text into the cell; the
    // after-edit steps run once the editor has gone (closeEditor), so their
    // messages never appear over an open editor.
    m_committed = index;
}

void FramingGrid::noteRefused(const QModelIndex &index, const QString &text, const QString &message)
{
    m_refused = {index, text, message};
}

void FramingGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (m_refused.cell.isValid()) {
        // The typed text stays in the cell, open again to be corrected.
        const Refusal refused = m_refused;
        m_refused = {};
        ReopenRefusedCell(this, refused.cell, refused.text, refused.message);
        return;
    }
    const QModelIndex committed = m_committed;
    m_committed = QModelIndex();
    const int r = FramingModel::framingRow(committed);
    if (r >= 0)
        runAfterEdit(r, committed.column());
    if (hint != QAbstractItemDelegate::RevertModelCache)
        FollowEditEnd(this, hint);
}

QString FramingGrid::putCell(const QModelIndex &index, const QString &text)
{
    const int r = FramingModel::framingRow(index);
    const int column = index.column();
    if (r < 0 || !IsTypedColumn(column) || (column == ColSection && !sheet().SectionEditable(storey(), r)))
        return {};
    const QString refusal = sheet().CellRefusal(column, text);
    if (!refusal.isEmpty())
        return refusal;
    sheet().framing[storey()][r][column] = WithoutDoubleQuotes(text);
    sheet().AfterEdit(storey(), r, column, m_prompter);
    return {};
}

void FramingGrid::runAfterEdit(int framingRow, int column)
{
    const EditResult result = sheet().AfterEdit(storey(), framingRow, column, m_prompter);
    finish(result == EditResult::Applied);
}

void FramingGrid::finish(bool changed)
{
    refresh();
    emit sheetUpdated(changed);
}

void FramingGrid::clickCell(int row, int column)
{
    onClicked(m_model->index(row, column));
}

void FramingGrid::onClicked(const QModelIndex &index)
{
    const int r = FramingModel::framingRow(index);
    if (r < 0)
        return;
    // A click on the cell that is already current changes no current cell,
    // and the prompt would not follow.
    emit promptRequested(Str(S::FramingColumnPrompts + index.column()));
    const int s = storey();
    bool changed = false;
    switch (index.column()) {
    case ColKind:
    case ColLength0:
    case ColLength1:
    case ColSection: {
        if (index.column() == ColSection && !sheet().SectionEditable(s, r))
            break;
        sheet().RecalcStorey(s);
        refresh();
        emit sheetUpdated(false);
        setCurrentIndex(index);
        edit(index);
        if (auto *combo = qobject_cast<QComboBox *>(indexWidget(index)))
            combo->showPopup();
        return;
    }
    case ColXBracing:
        // The toggle changes what the sheet computes, so it counts as a
        // change of the document.
        if (sheet().ToggleXBracing(s, r)) {
            sheet().changed = true;
            changed = true;
        }
        break;
    case ColPlaces0:
    case ColPlaces1:
        openNumberEntry(r, index.column());
        return;
    default:
        break;
    }
    sheet().RecalcStorey(s);
    finish(changed);
}

void FramingGrid::toggleXBracing(int framingRow)
{
    bool changed = false;
    if (sheet().ToggleXBracing(storey(), framingRow)) {
        sheet().changed = true;
        changed = true;
    }
    finish(changed);
}

void FramingGrid::openNumberEntry(int framingRow, int column)
{
    QString &cell = sheet().framing[storey()][framingRow][column];
    const QString before = cell;
    cell = NumberEntryDialog::edit(window(), before);
    // A new count changes the document like a typed one.
    const bool changed = cell != before;
    if (changed)
        sheet().changed = true;
    sheet().RecalcStorey(storey());
    finish(changed);
}

void FramingGrid::deleteCell(int framingRow, int column)
{
    if (sheet().DeleteCell(storey(), framingRow, column, m_prompter))
        finish(true);
}

} // namespace quiren
