#include "gui/calcwindow/GridModels.h"

#include "core/calc/LawWalls.h"
#include "core/calc/SheetWalls.h"
#include "core/text/NumberText.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>
#include <QWidget>

namespace quiren {

namespace {

QVariant headingBackground()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

int GridRowHeight(const QWidget *grid)
{
    return grid->fontMetrics().height() + 5;
}

int GridTextWidth(const QWidget *grid, const QString &text)
{
    return grid->fontMetrics().horizontalAdvance(text.trimmed()) + 10;
}

void ApplySheetGridLook(QTableView *grid)
{
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight(grid));
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setMinimumSectionSize(1);
}

// ---- framing grid -------------------------------------------------------------

FramingModel::FramingModel(CalcSheet &sheet, int storey, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
    , m_storey(storey)
{
}

int FramingModel::framingRow(const QModelIndex &index)
{
    return index.isValid() && index.row() >= FramingHeaderRows ? index.row() - FramingHeaderRows : -1;
}

void FramingModel::setDirectionCaptions(const QString &direction0, const QString &direction1)
{
    m_direction[0] = direction0;
    m_direction[1] = direction1;
    emit dataChanged(index(0, 0), index(0, FramingColumnCount - 1));
}

QString FramingModel::headingText(int row, int column) const
{
    if (row == 1)
        return Str(S::FramingColumnHeaders + column);
    if (column < ColLength0)
        return Str(S::PromptFramingKind);
    return m_direction[column < ColLength1 ? 0 : 1];
}

void FramingModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, FramingColumnCount - 1));
}

int FramingModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return FramingHeaderRows + static_cast<int>(m_sheet.framing[m_storey].size());
}

int FramingModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FramingColumnCount;
}

Qt::Alignment FramingModel::columnAlignment(int column)
{
    switch (column) {
    case ColPlaces0:
    case ColMultiplier0:
    case ColEffective0:
    case ColPlaces1:
    case ColMultiplier1:
    case ColEffective1:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int FramingModel::columnWidthTwips(int column)
{
    bool ok = false;
    const int width = Str(S::FramingColumnWidths + column).toInt(&ok);
    return ok && width > 0 ? width : 765;
}

bool FramingModel::columnEditable(int column)
{
    return IsTypedColumn(column);
}

QVariant FramingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (isHeading(index)) {
        switch (role) {
        case Qt::DisplayRole:
            return headingText(index.row(), column);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::BackgroundRole:
            return headingBackground();
        default:
            return {};
        }
    }
    const int r = framingRow(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_sheet.framing[m_storey][r][column];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(column));
    case Qt::ToolTipRole:
        // The kind in full (the column is narrower than the law's names),
        // with where each of its walls takes its multiplier from.
        if (column == ColKind && m_sheet.framing[m_storey][r].inUse())
            return kindToolTip(m_sheet.framing[m_storey][r]);
        return {};
    default:
        return {};
    }
}

QString FramingModel::kindToolTip(const FramingRow &row) const
{
    const FramingResolution resolved = ResolveSheetRow(m_sheet, row);
    QStringList lines{row[ColKind]};
    if (!resolved.resolved)
        lines << QStringLiteral("「%1」の倍率がわかりません。").arg(resolved.missing);
    for (const FramingWallPiece &piece : resolved.walls) {
        lines << QStringLiteral("%1　%2（%3・%4）")
                     .arg(piece.name, FormatDecimal(piece.multiplier, 2, 1) + (piece.unverified ? UnverifiedMark : QString()),
                          MultiplierSourceName(piece.source), piece.provision);
    }
    return lines.join(QLatin1Char('\n'));
}

bool FramingModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int r = framingRow(index);
    if (r < 0 || role != Qt::EditRole)
        return false;
    m_sheet.framing[m_storey][r][index.column()] = value.toString();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags FramingModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || isHeading(index))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (columnEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

// ---- judgement grid -------------------------------------------------------------

JudgementModel::JudgementModel(CalcSheet &sheet, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
{
}

void JudgementModel::setDirectionCaptions(const QString &direction0, const QString &direction1)
{
    m_direction[0] = direction0;
    m_direction[1] = direction1;
    emit dataChanged(index(0, 0), index(0, columnCount() - 1));
}

void JudgementModel::refresh()
{
    for (int s = 0; s < StoreyCount; ++s)
        m_verdicts[s] = StoreyCheckVerdicts(m_sheet, s);
    // Every column of the rule set: the 2025 grid has more than the seven
    // of the old one, and a column left out keeps showing its old verdict.
    emit dataChanged(index(0, 0), index(Rows - 1, columnCount() - 1));
}

int JudgementModel::checkOf(int column) const
{
    const int check = column - wallColumns();
    return check >= 0 && check < CheckColumns ? check : -1;
}

QVariant JudgementModel::checkData(int row, int check, int role) const
{
    if (row == 0)
        return role == Qt::DisplayRole ? Str(S::OtherChecksHeading) : QVariant();
    const int s = row - 2;
    const std::vector<StoreyCheckVerdict> &verdicts = m_verdicts[std::max(0, s)];
    if (verdicts.empty())
        return {};
    if (row == 1)
        return role == Qt::DisplayRole ? verdicts[check].caption : QVariant();
    const QString &verdict = verdicts[check].verdict;
    switch (role) {
    case Qt::DisplayRole:
        return verdict;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    // As the judgement bars: blue for "OK", red for "NG".
    case Qt::BackgroundRole:
        if (verdict.isEmpty())
            return {};
        return verdict == QLatin1String("OK") ? QColor(0, 0, 255) : QColor(255, 0, 0);
    case Qt::ForegroundRole:
        return verdict.isEmpty() ? QVariant() : QVariant(QColor(Qt::white));
    default:
        return {};
    }
}

bool JudgementModel::updateLayout()
{
    const bool wanted = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    if (wanted == m_rules2025)
        return false;
    beginResetModel();
    m_rules2025 = wanted;
    endResetModel();
    return true;
}

int JudgementModel::directionOf(int column) const
{
    return m_rules2025 ? (column - 1) / 5 : (column <= JudgeResult0 ? 0 : 1);
}

bool JudgementModel::quasiCapped(int s, int d) const
{
    if (s < 0 || s >= WeightRuleStoreys)
        return false;
    const WeightRuleResults &r = m_sheet.weightResults;
    return r.quasiSum[s][d] > r.quasiCounted[s][d] + 0.00005;
}

const JudgementBar *JudgementModel::bar(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() < 2)
        return nullptr;
    const int column = index.column();
    const bool result = m_rules2025 ? column == 5 || column == 10
                                    : column == JudgeResult0 || column == JudgeResult1;
    if (!result)
        return nullptr;
    return &m_sheet.judgement[index.row() - 2].bars[directionOf(column)];
}

int JudgementModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Rows;
}

int JudgementModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : wallColumns() + CheckColumns;
}

QString JudgementModel::text2025(int row, int column) const
{
    const int d = directionOf(column);
    if (row == 0)
        return m_direction[d];
    const int part = (column - 1) % 5;
    if (row == 1)
        return Str(S::Judgement2025Headings + part);
    const int s = row - 2;
    if (s >= WeightRuleStoreys)
        return {};
    const JudgementRow &judge = m_sheet.judgement[s];
    const WeightRuleResults &r = m_sheet.weightResults;
    switch (part) {
    case 0: return judge[JudgeNecessary0 + 3 * d];
    case 1: return FormatFixed4(r.bearingSum[s][d]);
    case 2:
        // A mark where the half of the necessary length limits what counts.
        return (quasiCapped(s, d) ? Str(S::QuasiCapMark) : QString()) + FormatFixed4(r.quasiCounted[s][d]);
    case 3: return judge[JudgeSum0 + 3 * d];
    default: return judge[JudgeResult0 + 3 * d];
    }
}

QString JudgementModel::text(int row, int column) const
{
    if (m_rules2025 && column > 0)
        return text2025(row, column);
    if (column == 0)
        return Str(S::JudgementRows + row);
    if (row == 0)
        return m_direction[column <= JudgeResult0 ? 0 : 1];
    if (row == 1)
        return Str(S::JudgementNecessary + (column - 1) % 3);
    return m_sheet.judgement[row - 2][column];
}

QVariant JudgementModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool heading = index.row() < 2 || index.column() == 0;
    if (const int check = checkOf(index.column()); check >= 0 && !(heading && role == Qt::BackgroundRole)
                                                  && !(index.row() < 2 && role == Qt::TextAlignmentRole))
        return checkData(index.row(), check, role);
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.row() < 2)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (index.column() == 0)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        return heading ? headingBackground() : QVariant();
    case Qt::ToolTipRole:
        if (m_rules2025 && index.row() >= 2 && (index.column() - 1) % 5 == 2) {
            const int s = index.row() - 2;
            const int d = directionOf(index.column());
            if (quasiCapped(s, d))
                return Str(S::QuasiCapTip).arg(FormatFixed4(m_sheet.weightResults.quasiSum[s][d]),
                                               FormatFixed4(m_sheet.weightResults.quasiCounted[s][d]));
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags JudgementModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled;
}

} // namespace quiren
