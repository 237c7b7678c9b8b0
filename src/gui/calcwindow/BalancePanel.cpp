#include "gui/calcwindow/BalancePanel.h"

#include "gui/calcwindow/NumberBox.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/GridModels.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace quiren {

namespace {

// Side-part names of a direction ("上側", "下側" / "左側", "右側").
QString sidePartName(int d, int p)
{
    return StrItems(S::SidePartNames + d).value(p);
}

QString directionName(int d)
{
    return StrItems(S::BalanceDirections).value(d);
}

QLabel *resultLabel(QWidget *parent, int widthTwips)
{
    auto *label = new QLabel(parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(TwipsToPixelsX(widthTwips, parent));
    return label;
}

// The balance verdict beside the wall-quantity one, in the colours of the
// judgement grid's bars.
QString verdictsText(const QString &quantity, const QString &balance)
{
    auto coloured = [](const QString &verdict) {
        if (verdict.isEmpty())
            return QStringLiteral("－");
        const bool ok = verdict == QLatin1String("OK");
        return QStringLiteral("<span style=\"color:%1\">%2</span>")
            .arg(ok ? QStringLiteral("#0000ff") : QStringLiteral("#ff0000"), verdict.toHtmlEscaped());
    };
    return Str(S::QuantityVerdictCaption) + QLatin1Char(' ') + coloured(quantity) + QStringLiteral("　") + Str(S::BalanceVerdictCaption)
           + QLatin1Char(' ') + coloured(balance);
}

} // namespace

// ---- counts ------------------------------------------------------------------------

SideCountModel::SideCountModel(CalcSheet &sheet, int storey, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_storey(storey)
{
}

bool SideCountModel::countColumn(int column, int *d, int *p)
{
    switch (column) {
    case Count00: *d = 0; *p = 0; return true;
    case Count01: *d = 0; *p = 1; return true;
    case Count10: *d = 1; *p = 0; return true;
    case Count11: *d = 1; *p = 1; return true;
    default: return false;
    }
}

void SideCountModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int SideCountModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : HeadingRows + FramingRowCount(m_storey);
}

int SideCountModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SideCountModel::heading(int row, int column) const
{
    const QStringList items = StrItems(S::SideCountHeadings);   // kind, length, places, multiplier
    if (row == 0) {
        if (column == Kind)
            return items.value(0);
        return directionName(column < Length1 ? 0 : 1);
    }
    switch (column) {
    case Length0: case Length1: return items.value(1);
    case Places0: case Places1: return items.value(2);
    default: break;
    }
    int d = 0;
    int p = 0;
    return countColumn(column, &d, &p) ? sidePartName(d, p) : QString();
}

QVariant SideCountModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (index.row() < HeadingRows) {
        if (role == Qt::DisplayRole)
            return heading(index.row(), column);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (role == Qt::BackgroundRole)
            return QApplication::palette().color(QPalette::Button);
        return {};
    }
    const FramingRow &row = m_sheet.framing[m_storey][framingRow(index)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment((column == Kind ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
    if (role == Qt::BackgroundRole) {
        int d = 0;
        int p = 0;
        if (!countColumn(column, &d, &p))
            return QApplication::palette().color(QPalette::AlternateBase);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (column) {
    case Kind: return row[ColKind];
    case Length0: return row[ColLength0].trimmed();
    case Places0: return row[ColPlaces0];
    case Length1: return row[ColLength1].trimmed();
    case Places1: return row[ColPlaces1];
    default: break;
    }
    int d = 0;
    int p = 0;
    countColumn(column, &d, &p);
    return m_sheet.balance[m_storey].counts(framingRow(index))[d][p];
}

bool SideCountModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int r = framingRow(index);
    int d = 0;
    int p = 0;
    if (r < 0 || role != Qt::EditRole || !countColumn(index.column(), &d, &p))
        return false;
    m_refusal.hold(put(index, value.toString()), value.toString());
    emit dataChanged(index, index);
    return m_refusal.isEmpty();
}

QString SideCountModel::put(const QModelIndex &index, const QString &text)
{
    const int r = framingRow(index);
    int d = 0;
    int p = 0;
    if (r < 0 || !countColumn(index.column(), &d, &p))
        return {};
    m_lastCheck = m_sheet.SetSideCount(m_storey, r, d, p, text);
    switch (m_lastCheck) {
    case SideCountCheck::Accepted:
        return {};
    case SideCountCheck::TooMany:
        return Str(S::SideCountTooMany);
    default:
        return NumberRefusal(sidePartName(d, p) + QStringLiteral("の箇所数"), NumberRule::Places);
    }
}

Qt::ItemFlags SideCountModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    int d = 0;
    int p = 0;
    if (index.row() >= HeadingRows && countColumn(index.column(), &d, &p))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

SideCountGrid::SideCountGrid(CalcSheet &sheet, int storey, QWidget *parent)
    : QTableView(parent), m_model(new SideCountModel(sheet, storey, this))
{
    setObjectName(IndexedName("SideCounts", storey));
    // The headers go before the model comes: shown, they would measure
    // every heading the model has.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
    ShowFocusCell(this);
    m_cells.put = [this](const QModelIndex &index, const QString &text) { return m_model->put(index, text); };
    m_cells.done = [this] {
        m_model->refresh();
        emit countEdited();
    };
    m_cells.firstRow = SideCountModel::HeadingRows;
    ApplySheetGridLook(this);
    for (int c = 0; c < SideCountModel::ColumnCount; ++c) {
        const int twips = c == SideCountModel::Kind ? 2000 : 600;
        setColumnWidth(c, std::max(TwipsToPixelsX(twips, this),
                                   GridTextWidth(this, m_model->data(m_model->index(1, c), Qt::DisplayRole).toString())));
    }
    setSpan(0, SideCountModel::Kind, 2, 1);
    setSpan(0, SideCountModel::Length0, 1, 4);
    setSpan(0, SideCountModel::Length1, 1, 4);
    setCurrentIndex(m_model->index(SideCountModel::HeadingRows, SideCountModel::Count00));
    setFixedSize(contentWidth(), contentHeight());
}

void SideCountGrid::refresh()
{
    m_model->refresh();
}

int SideCountGrid::contentWidth() const
{
    int width = 2 * frameWidth();
    for (int c = 0; c < SideCountModel::ColumnCount; ++c)
        width += columnWidth(c);
    return width;
}

int SideCountGrid::contentHeight() const
{
    int height = 2 * frameWidth();
    for (int r = 0; r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    return height;
}

void SideCountGrid::keyPressEvent(QKeyEvent *event)
{
    if (state() != QAbstractItemView::EditingState && HandleGridKey(this, event, m_cells)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex SideCountGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next.row() < SideCountModel::HeadingRows)
        return m_model->index(SideCountModel::HeadingRows, next.column());
    return next;
}

void SideCountGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex cell = currentIndex();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hint == QAbstractItemDelegate::RevertModelCache)
        return;   // Escape: nothing was typed into the sheet
    // The message comes once the editor has gone, never over it.
    QString typed;
    const QString refusal = m_model->takeRefusal(&typed);
    if (!refusal.isEmpty()) {
        ReopenRefusedCell(this, cell, typed, refusal);
        return;
    }
    emit countEdited();
    FollowEditEnd(this, hint);
}

// ---- the panel ----------------------------------------------------------------------

BalancePanel::BalancePanel(CalcSheet &sheet, int storey, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_storey(storey)
{
    setObjectName(IndexedName("Balance", storey));
    m_counts = new SideCountGrid(sheet, storey, this);
    connect(m_counts, &SideCountGrid::countEdited, this, [this] {
        refreshResults();
        emit sheetEdited();
    });

    auto *parts = new QGridLayout;
    parts->setHorizontalSpacing(4);
    parts->setVerticalSpacing(2);
    const QStringList headings = StrItems(S::BalanceHeadings);   // storey, direction, side part, area, ...
    for (int c = 1; c < headings.size(); ++c) {
        auto *heading = new QLabel(headings[c], this);
        heading->setAlignment(Qt::AlignCenter);
        parts->addWidget(heading, 0, c - 1 + (c >= 5 ? 1 : 0));
    }
    for (int d = 0; d < 2; ++d) {
        const int top = 1 + 2 * d;
        parts->addWidget(new QLabel(directionName(d), this), top, 0, 2, 1);
        for (int p = 0; p < SidePartCount; ++p) {
            const int row = top + p;
            const int i = 4 * storey + 2 * d + p;
            parts->addWidget(new QLabel(sidePartName(d, p), this), row, 1);

            const QString part = directionName(d) + sidePartName(d, p);
            m_area[d][p] = new NumberBox(IndexedName("txtSideArea", i), 900, this);
            m_area[d][p]->setField(part + Str(S::FieldSidePartArea), NumberRule::NotNegative);
            connect(m_area[d][p], &NumberBox::edited, this,
                    [this, d, p](const QString &text) { onAreaChanged(d, p, text); });
            parts->addWidget(m_area[d][p], row, 2);

            // The multiplier: shown from the rules, typed where they allow it.
            auto *multiplier = new QHBoxLayout;
            m_multiplier[d][p] = resultLabel(this, 500);
            m_multiplier[d][p]->setObjectName(IndexedName("SideTimes", i));
            m_multiplierBox[d][p] = new NumberBox(IndexedName("txtSideTimes", i), 600, this);
            m_multiplierBox[d][p]->setField(part + Str(S::FieldSidePartMultiplier), NumberRule::NotNegative);
            connect(m_multiplierBox[d][p], &NumberBox::edited, this,
                    [this, d, p](const QString &text) { onMultiplierChanged(d, p, text); });
            multiplier->addWidget(m_multiplier[d][p]);
            multiplier->addWidget(m_multiplierBox[d][p]);
            parts->addLayout(multiplier, row, 3);

            m_oneStorey[d][p] = new QCheckBox(Str(S::OneStoreyPart), this);
            m_oneStorey[d][p]->setObjectName(IndexedName("chkOneStorey", i));
            connect(m_oneStorey[d][p], &QCheckBox::toggled, this, [this, d, p](bool on) {
                if (m_showing)
                    return;
                m_sheet.SetSidePartOneStorey(m_storey, d, p, on);
                refreshResults();
                emit sheetEdited();
            });
            parts->addWidget(m_oneStorey[d][p], row, 4);

            m_necessary[d][p] = resultLabel(this, 900);
            m_existing[d][p] = resultLabel(this, 900);
            m_fill[d][p] = resultLabel(this, 600);
            m_fill[d][p]->setObjectName(IndexedName("SideFill", i));
            parts->addWidget(m_necessary[d][p], row, 5);
            parts->addWidget(m_existing[d][p], row, 6);
            parts->addWidget(m_fill[d][p], row, 7);
        }
        m_judgement[d] = new QLabel(this);
        m_judgement[d]->setObjectName(IndexedName("SideJudgement", 2 * storey + d));
        m_verdict[d] = new QLabel(this);
        m_verdict[d]->setObjectName(IndexedName("SideVerdict", 2 * storey + d));
        m_verdict[d]->setTextFormat(Qt::RichText);
        parts->addWidget(m_judgement[d], top, 8);
        parts->addWidget(m_verdict[d], top + 1, 8);
    }
    parts->setColumnStretch(9, 1);

    // One above the other, so the page is no wider than the framing grid.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(TwipsToPixelsY(120, this));
    layout->addWidget(m_counts, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(parts);
    refresh();
}

void BalancePanel::refresh()
{
    m_showing = true;
    for (int d = 0; d < 2; ++d) {
        for (int p = 0; p < SidePartCount; ++p) {
            const SidePart &part = m_sheet.balance[m_storey].parts[d][p];
            m_area[d][p]->show(part.floorArea);
            m_multiplierBox[d][p]->show(part.multiplier);
            m_oneStorey[d][p]->setChecked(part.oneStorey);
        }
    }
    m_showing = false;
    refreshResults();
}

void BalancePanel::refreshResults()
{
    const bool typedMultiplier = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    for (int d = 0; d < 2; ++d) {
        const BalanceResult result = CheckBalance(m_sheet, m_storey, d);
        for (int p = 0; p < SidePartCount; ++p) {
            const SidePartResult &part = result.parts[p];
            m_multiplier[d][p]->setText(part.multiplier.text);
            m_multiplier[d][p]->setToolTip(part.multiplier.unit);
            m_multiplier[d][p]->setVisible(!typedMultiplier);
            m_multiplierBox[d][p]->setVisible(typedMultiplier);
            // An empty box takes the storey's Lw; the box says which.
            m_multiplierBox[d][p]->setPlaceholderText(part.multiplier.text);
            m_oneStorey[d][p]->setVisible(m_storey == 0 && !typedMultiplier);
            m_oneStorey[d][p]->setEnabled(m_sheet.OneStoreyPartsAllowed(m_storey));
            m_necessary[d][p]->setText(part.necessary);
            m_existing[d][p]->setText(part.existing);
            m_fill[d][p]->setText(result.checked() && result.verdict != BalanceVerdict::CountsTooMany
                                      ? FormatRatioDown(part.fillRatio)
                                      : QString());
        }
        m_judgement[d]->setText(result.judgementText());
        m_judgement[d]->setStyleSheet(result.checked() && !result.passed() ? QStringLiteral("color:#ff0000")
                                                                           : QString());
        const QString quantity = m_sheet.judgement[m_storey][JudgeResult0 + 3 * d];
        const QString quantityVerdict =
            quantity.isEmpty() ? QString() : (quantity == QLatin1String("OK") ? quantity : QStringLiteral("NG"));
        m_verdict[d]->setText(verdictsText(quantityVerdict, result.verdictText()));
    }
    m_counts->refresh();
}

void BalancePanel::onAreaChanged(int d, int p, const QString &text)
{
    if (m_showing)
        return;
    m_sheet.SetSidePartArea(m_storey, d, p, text.trimmed());
    refreshResults();
    emit sheetEdited();
}

void BalancePanel::onMultiplierChanged(int d, int p, const QString &text)
{
    if (m_showing)
        return;
    m_sheet.SetSidePartMultiplier(m_storey, d, p, text.trimmed());
    refreshResults();
    emit sheetEdited();
}

} // namespace quiren
