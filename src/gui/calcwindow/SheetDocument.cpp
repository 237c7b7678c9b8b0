#include "gui/calcwindow/SheetDocument.h"

#include "core/settings/AppData.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/settings/OfficeChanges.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QUndoCommand>
#include <QWidget>

namespace quiren {

namespace {

// Where an edit was made: the cell of a grid, or the box that had the focus,
// and how often the focus has moved before. Edits of one place while the
// focus stays there (the keystrokes of a cell that stores as it is typed)
// make one undo step.
int focusMoves = 0;

QString editPlace()
{
    QWidget *focus = QApplication::focusWidget();
    // A list dropped down from a cell is the cell's editor, not a place.
    if (!focus || focus->window()->windowType() == Qt::Popup)
        return {};
    QString place;
    for (QWidget *w = focus; w && place.isEmpty(); w = w->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
            const QModelIndex cell = view->currentIndex();
            place = QStringLiteral("%1:%2:%3").arg(reinterpret_cast<quintptr>(view)).arg(cell.row()).arg(cell.column());
        }
    }
    // A free text stored as it is typed (the title); a number box hands its
    // text on once, when it is left, and each time is a step of its own.
    if (place.isEmpty() && qobject_cast<QLineEdit *>(focus) && !qobject_cast<NumberBox *>(focus))
        place = QString::number(reinterpret_cast<quintptr>(focus));
    return place.isEmpty() ? place : QString::number(focusMoves) + QLatin1Char('@') + place;
}

} // namespace

// One edit of the sheet: its inputs before and after, put back through the
// path a file takes when it is opened.
class SheetEditCommand : public QUndoCommand {
public:
    SheetEditCommand(SheetDocument &document, const SheetFileData &before, const SheetFileData &after,
                     const QString &place)
        : m_document(document), m_before(before), m_after(after), m_place(place)
    {
    }

    int id() const override { return 1; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const SheetEditCommand *>(other);
        if (m_place.isEmpty() || next->m_place != m_place)
            return false;
        m_after = next->m_after;
        return true;
    }

    void undo() override { m_document.restore(m_before); }

    void redo() override
    {
        // Pushed once the edit has been made: nothing to do the first time.
        if (m_done)
            m_document.restore(m_after);
        m_done = true;
    }

private:
    SheetDocument &m_document;
    SheetFileData m_before, m_after;
    QString m_place;
    bool m_done = false;
};

SheetDocument::SheetDocument(RuleSetKind kind, QObject *parent)
    : QObject(parent)
    , m_sheet(&AppData::instance().walls)
{
    m_sheet.SetRuleSet(kind);
    m_sheet.changed = false;
    connect(&OfficeChanges::instance(), &OfficeChanges::applied, this, &SheetDocument::recalculate);
    connect(qApp, &QApplication::focusChanged, this, [] { ++focusMoves; });
    // Undoing back to the state last saved leaves nothing to save.
    connect(&m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { m_sheet.changed = !clean; });
    resetHistory();
}

SheetDocument::~SheetDocument() = default;

void SheetDocument::recalculate()
{
    m_sheet.Recalculate();
    emit recalculated();
}

bool SheetDocument::setRuleSet(RuleSetKind kind, QString *reason)
{
    return m_sheet.SetRuleSet(kind, reason);
}

void SheetDocument::markChanged()
{
    m_sheet.changed = true;
    if (!m_restoring) {
        SheetFileData now = SheetFileDataOf(m_sheet);
        QByteArray bytes = EncodeSheetFile(now);
        if (bytes != m_stateBytes) {
            m_history.push(new SheetEditCommand(*this, m_state, now, editPlace()));
            m_state = std::move(now);
            m_stateBytes = std::move(bytes);
        }
    }
    emit edited();
}

void SheetDocument::resetHistory()
{
    m_history.clear();
    m_state = SheetFileDataOf(m_sheet);
    m_stateBytes = EncodeSheetFile(m_state);
    m_sheet.changed = false;
}

void SheetDocument::markSaved()
{
    m_history.setClean();
    m_sheet.changed = false;
}

void SheetDocument::restore(const SheetFileData &data)
{
    m_restoring = true;
    ApplySheetFile(m_sheet, data);
    m_state = data;
    m_stateBytes = EncodeSheetFile(m_state);
    // Saved, or not, as the step undone or done again was.
    m_sheet.changed = !m_history.isClean();
    emit restored();
    m_restoring = false;
}

} // namespace quiren
