#include "gui/calcwindow/JudgementGrid.h"

#include "gui/widgets/Twips.h"

#include <QHeaderView>
#include <QPainter>

#include <algorithm>

namespace quiren {

void JudgementBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const auto *model = qobject_cast<const JudgementModel *>(index.model());
    const JudgementBar *bar = model ? model->bar(index) : nullptr;
    if (!bar || !bar->shown) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect cell = option.rect.adjusted(1, 1, -1, -1);
    const double share = std::clamp(static_cast<double>(bar->percent), 0.0, 100.0) / 100.0;
    QRect filled = cell;
    // Never narrower than a stub: 0.0 % is a judgement too, and the
    // worst one, so its red must not vanish.
    filled.setWidth(std::max(static_cast<int>(cell.width() * share + 0.5), std::min(4, cell.width())));
    const QColor colour(static_cast<int>(bar->red), static_cast<int>(bar->green),
                        static_cast<int>(bar->blue));

    painter->save();
    painter->fillRect(option.rect, option.palette.base());
    painter->fillRect(filled, colour);
    // The text reads white over the bar and black beside it.
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect textRect = cell.adjusted(2, 0, -3, 0);
    const int flags = Qt::AlignRight | Qt::AlignVCenter;
    painter->setFont(option.font);
    painter->setClipRect(filled);
    painter->setPen(Qt::white);
    painter->drawText(textRect, flags, text);
    QRect rest = cell;
    rest.setLeft(filled.right() + 1);
    painter->setClipRect(rest);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(textRect, flags, text);
    painter->restore();
}

JudgementGrid::JudgementGrid(CalcSheet &sheet, QWidget *parent)
    : QTableView(parent)
    , m_model(new JudgementModel(sheet, this))
{
    setObjectName(QStringLiteral("J_FA"));
    // The headers go before the model comes: shown, they would measure
    // every heading the model has.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setModel(m_model);
    setItemDelegate(new JudgementBarDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    ApplySheetGridLook(this);
    updateColumns();
}

bool JudgementGrid::updateLayout()
{
    if (!m_model->updateLayout())
        return false;
    updateColumns();
    sizeJudgementRows(m_shownRows);
    return true;
}

void JudgementGrid::updateColumns()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int heading = GridTextWidth(this, m_model->index(1, c).data().toString());
        if (c == 0)
            heading = GridTextWidth(this, StoreyName(0));
        setColumnWidth(c, std::max(TwipsToPixelsX(JudgementModel::columnWidthTwips(c), this), heading));
    }
    updateSpans();
}

void JudgementGrid::setDirectionCaptions(const QString &direction0, const QString &direction1)
{
    m_model->setDirectionCaptions(direction0, direction1);
    updateSpans();
}

void JudgementGrid::refresh()
{
    m_model->refresh();
}

void JudgementGrid::updateSpans()
{
    clearSpans();
    // Column 0: "判定" over both heading rows.
    if (m_model->index(0, 0).data() == m_model->index(1, 0).data())
        setSpan(0, 0, 2, 1);
    // Row 0: equal neighbours of columns 1-6.
    int start = 1;
    const int columns = m_model->columnCount();
    for (int c = 2; c <= columns; ++c) {
        if (c == columns || m_model->index(0, c).data() != m_model->index(0, start).data()) {
            if (c - start > 1)
                setSpan(0, start, 1, c - start);
            start = c;
        }
    }
}

void JudgementGrid::sizeJudgementRows(int k)
{
    m_shownRows = std::clamp(k, 1, JudgementModel::Rows);
    const int available = height() - TwipsToPixelsY(60, this);
    const int each = std::max(1, available / m_shownRows);
    for (int r = 0; r < JudgementModel::Rows; ++r) {
        setRowHidden(r, r >= m_shownRows);
        setRowHeight(r, each);
    }
}

int JudgementGrid::contentWidth() const
{
    int width = 2 * frameWidth();
    for (int c = 0; c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

} // namespace quiren
