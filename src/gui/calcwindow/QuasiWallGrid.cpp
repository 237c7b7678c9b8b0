#include "gui/calcwindow/QuasiWallGrid.h"

#include "core/calc/CellInput.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/StoreyPage.h"
#include "gui/widgets/WidgetSupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace quiren {

namespace {

const QString ClearItem = QStringLiteral("ｸﾘﾔ");

} // namespace

// Two rows of headings: over each direction's columns its name, under it
// the columns' own; the other columns' headings take both rows.
class DirectionHeader : public QHeaderView {
public:
    explicit DirectionHeader(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
    }

    std::array<QString, 2> captions;

    QSize sizeHint() const override
    {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(2 * fontMetrics().height() + 10);
        return size;
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logical) const override
    {
        const int d = logical >= QuasiWallModel::Length1 && logical <= QuasiWallModel::Effective1 ? 1
                      : logical >= QuasiWallModel::Length0 && logical <= QuasiWallModel::Effective0 ? 0
                                                                                                    : -1;
        if (d < 0) {
            QHeaderView::paintSection(painter, rect, logical);
            return;
        }
        const int half = rect.height() / 2;
        QHeaderView::paintSection(painter, rect.adjusted(0, half, 0, 0), logical);
        const int first = d == 0 ? QuasiWallModel::Length0 : QuasiWallModel::Length1;
        const int last = d == 0 ? QuasiWallModel::Effective0 : QuasiWallModel::Effective1;
        const int left = sectionViewportPosition(first);
        const QRect over(left, rect.top(), sectionViewportPosition(last) + sectionSize(last) - left, half);
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = over;
        option.text = captions[d];
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::Middle;
        painter->save();
        painter->setClipRect(over.intersected(QRect(rect.left(), rect.top(), rect.width(), half)));
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
    }
};

QuasiWallModel::QuasiWallModel(CalcSheet &sheet, int storey, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
    , m_storey(storey)
{
}

void QuasiWallModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool QuasiWallModel::typedColumn(int column)
{
    return column != Multiplier && column != Effective0 && column != Effective1 && column != Reason
           && column != BothSides;
}

int QuasiWallModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_sheet.quasiWalls[m_storey].size());
}

int QuasiWallModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString *QuasiWallModel::cell(int row, int column)
{
    QuasiWallRow &r = m_sheet.quasiWalls[m_storey][row];
    switch (column) {
    case Kind: return &r.kind;
    case Base: return &r.base;
    case PanelHeight: return &r.panelHeight;
    case ClearHeight: return &r.clearHeight;
    case Multiplier: return &r.multiplier;
    case Length0: return &r.length[0];
    case Places0: return &r.places[0];
    case Effective0: return &r.effective[0];
    case Length1: return &r.length[1];
    case Places1: return &r.places[1];
    default: return &r.effective[1];
    }
}

QString QuasiWallModel::cellText(int row, int column) const
{
    const QuasiWallRow &r = m_sheet.quasiWalls[m_storey][row];
    switch (column) {
    case WallKind:
        return r.inUse() ? QuasiKindName(r.wallKind) : QString();
    case BothSides:
        return {};
    case Reason: {
        QStringList reasons;
        if (!r.refusal.isEmpty())
            reasons << r.refusal;
        for (const QString &width : r.widthRefusal)
            if (!width.isEmpty())
                reasons << width;
        return reasons.join(QStringLiteral(" / "));
    }
    default:
        return *const_cast<QuasiWallModel *>(this)->cell(row, column);
    }
}

QVariant QuasiWallModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::CheckStateRole: {
        // Offered on the rows in use only.
        const QuasiWallRow &row = m_sheet.quasiWalls[m_storey][index.row()];
        if (index.column() != BothSides || !row.inUse())
            return {};
        return row.bothSides ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::ToolTipRole:
        if (index.column() == Reason)
            return cellText(index.row(), index.column());
        return index.column() == BothSides ? QStringLiteral("垂れ壁・腰壁：両側に耐力壁または準耐力壁があることを確認")
                                           : QVariant();
    case Qt::TextAlignmentRole: {
        const bool left = index.column() == Kind || index.column() == WallKind || index.column() == Reason;
        return QVariant::fromValue(Qt::Alignment((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
    }
    default:
        return {};
    }
}

QVariant QuasiWallModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case WallKind: return QStringLiteral("種別");
    case BothSides: return QStringLiteral("両側");
    case Reason: return QStringLiteral("算入しない理由");
    default: break;
    }
    // The table's headings name the columns between them.
    const int listed = section - 1 - (section > BothSides ? 1 : 0);
    return Str(S::QuasiHeadings).split(QLatin1Char('|')).value(listed);
}

bool QuasiWallModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    QuasiWallRow &row = m_sheet.quasiWalls[m_storey][index.row()];
    if (index.column() == BothSides && role == Qt::CheckStateRole) {
        const bool checked = value.toInt() == Qt::Checked;
        if (row.bothSides != checked) {
            row.bothSides = checked;
            emit edited();
        }
        return true;
    }
    if (role != Qt::EditRole || !typedColumn(index.column()))
        return false;
    QString text = value.toString().trimmed();
    if (index.column() == WallKind) {
        const QuasiKind kind =
            text == QuasiKindName(QuasiKind::HangingSill) ? QuasiKind::HangingSill : QuasiKind::Panel;
        if (row.wallKind != kind) {
            row.wallKind = kind;
            emit edited();
        }
        return true;
    }
    if (index.column() == Kind) {
        if (text == ClearItem)
            text.clear();
    } else {
        const bool places = index.column() == Places0 || index.column() == Places1;
        const TypedNumber typed =
            CheckTypedNumber(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString(),
                             places ? NumberRule::Places : NumberRule::NotNegative, text);
        if (!typed.usable) {
            m_refusal.hold(typed.message, value.toString());
            return false;
        }
        text = typed.text;
    }
    QString *target = cell(index.row(), index.column());
    if (*target == text)
        return true;
    *target = text;
    emit edited();
    return true;
}

QString QuasiWallModel::put(const QModelIndex &index, const QString &text)
{
    if (setData(index, text, Qt::EditRole))
        return {};
    QString typed;
    return takeRefusal(&typed);
}

Qt::ItemFlags QuasiWallModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (typedColumn(index.column()))
        f |= Qt::ItemIsEditable;
    if (index.column() == BothSides)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QWidget *QuasiKindDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() != QuasiWallModel::Kind && index.column() != QuasiWallModel::WallKind)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *list = new QComboBox(parent);
    if (index.column() == QuasiWallModel::WallKind) {
        list->addItems({QuasiKindName(QuasiKind::Panel), QuasiKindName(QuasiKind::HangingSill)});
    } else {
        list->addItem(ClearItem);
        list->addItems(QuasiPanelNames());
    }
    // Choosing an item ends the edit, as in the framing grid.
    connect(list, &QComboBox::activated, this, [this, list] {
        emit const_cast<QuasiKindDelegate *>(this)->commitData(list);
        emit const_cast<QuasiKindDelegate *>(this)->closeEditor(list);
    });
    return list;
}

void QuasiKindDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *list = qobject_cast<QComboBox *>(editor)) {
        const int at = list->findText(index.data(Qt::EditRole).toString());
        list->setCurrentIndex(std::max(at, 0));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void QuasiKindDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    if (auto *list = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, list->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

QuasiWallGrid::QuasiWallGrid(CalcSheet &sheet, int storey, QWidget *parent)
    : QTableView(parent)
    , m_model(new QuasiWallModel(sheet, storey, this))
{
    setObjectName(IndexedName("Q_FA", storey));
    m_header = new DirectionHeader(this);
    setHorizontalHeader(m_header);
    setDirectionCaptions(GridDirectionCaptions(false));
    setModel(m_model);
    setItemDelegate(new QuasiKindDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    ShowFocusCell(this);
    m_cells.put = [this](const QModelIndex &index, const QString &text) { return m_model->put(index, text); };
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QFontMetrics metrics = fontMetrics();
    for (int c = 0; c < QuasiWallModel::ColumnCount; ++c) {
        const QString heading = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = metrics.horizontalAdvance(heading) + 12;
        if (c == QuasiWallModel::Kind)
            width = std::max(width, metrics.horizontalAdvance(QStringLiteral("構造用パーティクルボード")) + 30);
        if (c == QuasiWallModel::WallKind)
            width = std::max(width, metrics.horizontalAdvance(QStringLiteral("垂れ壁・腰壁")) + 30);
        if (c == QuasiWallModel::Reason)
            width = metrics.horizontalAdvance(QStringLiteral("垂れ壁・腰壁は両側に耐力壁または準耐力壁が必要です"));
        setColumnWidth(c, std::max(width, metrics.horizontalAdvance(QStringLiteral("00.0000")) + 12));
    }
    connect(m_model, &QuasiWallModel::edited, this, &QuasiWallGrid::edited);
}

void QuasiWallGrid::setDirectionCaptions(const std::array<QString, 2> &captions)
{
    m_header->captions = captions;
    m_header->viewport()->update();
}

const std::array<QString, 2> &QuasiWallGrid::directionCaptions() const
{
    return m_header->captions;
}

int QuasiWallGrid::contentWidth() const
{
    int width = 2 * frameWidth() + verticalHeader()->sizeHint().width();
    for (int c = 0; c < QuasiWallModel::ColumnCount; ++c)
        width += columnWidth(c);
    return width;
}

int QuasiWallGrid::contentHeight() const
{
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height()
           + m_model->rowCount() * verticalHeader()->defaultSectionSize();
}

void QuasiWallGrid::keyPressEvent(QKeyEvent *event)
{
    // The spreadsheet keys, as in the framing grid.
    if (state() != QAbstractItemView::EditingState && HandleGridKey(this, event, m_cells)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void QuasiWallGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex cell = currentIndex();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    QString typed;
    const QString refusal = m_model->takeRefusal(&typed);
    if (!refusal.isEmpty()) {
        ReopenRefusedCell(this, cell, typed, refusal);
        return;
    }
    if (hint != QAbstractItemDelegate::RevertModelCache)
        FollowEditEnd(this, hint);
}

void QuasiWallGrid::focusInEvent(QFocusEvent *event)
{
    emit focused();
    QTableView::focusInEvent(event);
}

} // namespace quiren
