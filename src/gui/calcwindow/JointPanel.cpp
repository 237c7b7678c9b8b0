#include "gui/calcwindow/JointPanel.h"

#include "core/calc/CellInput.h"
#include "core/calc/CheckVerdicts.h"
#include "core/calc/ColumnJointReport.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/widgets/GridKeys.h"
#include "gui/widgets/WidgetSupport.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiren {

namespace {

const QColor Derived(0x60, 0x60, 0x60);

QString decimal(double value)
{
    return FormatDecimal(value, 2, 1);
}

QString coloured(const QString &verdict)
{
    if (verdict.isEmpty())
        return QStringLiteral("－");
    const bool ok = verdict == QLatin1String("OK");
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(ok ? QStringLiteral("#0000ff") : QStringLiteral("#ff0000"), verdict.toHtmlEscaped());
}

} // namespace

QString StoreyVerdictsText(const CalcSheet &sheet, int s)
{
    QString quantity;
    const JudgementRow &j = sheet.judgement[s];
    const QString r0 = j[JudgeResult0].trimmed(), r1 = j[JudgeResult1].trimmed();
    if (!r0.isEmpty() && !r1.isEmpty())
        quantity = r0 == QLatin1String("OK") && r1 == QLatin1String("OK") ? QStringLiteral("OK") : QStringLiteral("NG");
    const QString balance = BalanceStoreyVerdict(sheet, s);
    const QString joints = CheckColumnJoints(sheet, s).verdictText();
    return Str(S::QuantityVerdictCaption) + QLatin1Char(' ') + coloured(quantity) + QStringLiteral("　")
           + Str(S::BalanceVerdictCaption) + QLatin1Char(' ') + coloured(balance) + QStringLiteral("　")
           + QStringLiteral("柱頭柱脚 ") + coloured(joints);
}

QString JointVerdictText(const QString &verdict)
{
    return QStringLiteral("柱頭柱脚 ") + coloured(verdict);
}

// ---- the model -------------------------------------------------------------

JointModel::JointModel(CalcSheet &sheet, int storey, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_storey(storey)
{
    m_result = CheckColumnJoints(m_sheet, m_storey);
}

std::optional<JointField> JointModel::fieldOf(int column)
{
    switch (column) {
    case Name: return JointField::Name;
    case Corner: return JointField::Corner;
    case Kind0: return JointField::Kind0;
    case Brace0: return JointField::Brace0;
    case At0: return JointField::At0;
    case Typed0: return JointField::Typed0;
    case Kind1: return JointField::Kind1;
    case Brace1: return JointField::Brace1;
    case At1: return JointField::At1;
    case Typed1: return JointField::Typed1;
    case Correction: return JointField::Correction;
    case Upper: return JointField::Upper;
    case UpperName: return JointField::UpperName;
    case A2: return JointField::A2;
    case Hardware: return JointField::Hardware;
    default: return std::nullopt;
    }
}

QStringList JointModel::choices(int column) const
{
    switch (column) {
    case Kind0:
    case Kind1: return QStringList{QString()} + JointKindList(m_sheet);
    case Brace0:
    case Brace1: return JointBraceChoices();
    case At0:
    case At1: return JointBraceEndChoices();
    case Upper: return JointUpperChoices();
    default: return {};
    }
}

bool JointModel::ground() const
{
    return m_storey < m_sheet.storeyIndex;
}

void JointModel::refresh()
{
    // The same columns: only the texts change, and an open editor stays.
    const JointStoreyResult result = CheckColumnJoints(m_sheet, m_storey);
    if (result.columns.size() == m_result.columns.size()) {
        m_result = result;
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    m_result = result;
    endResetModel();
}

int JointModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2 * static_cast<int>(m_sheet.joints[m_storey].columns.size());
}

int JointModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JointModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section % 2 == 0 ? QString::number(section / 2 + 1) : QString();
    static const QStringList headings{
        QStringLiteral("柱"), QStringLiteral("出隅"), QStringLiteral("方向"), QStringLiteral("一方の側"),
        QStringLiteral("筋かい"), QStringLiteral("端"), QStringLiteral("倍率入力"), QStringLiteral("他方の側"),
        QStringLiteral("筋かい"), QStringLiteral("端"), QStringLiteral("倍率入力"), QStringLiteral("補正"),
        QStringLiteral("上階"), QStringLiteral("上階の柱名"), QStringLiteral("A2"), QStringLiteral("A"), QStringLiteral("N"),
        QStringLiteral("接合部"), QStringLiteral("金物"), QStringLiteral("判定"),
    };
    return headings.value(section);
}

bool JointModel::editable(int row, int column) const
{
    const int c = row / 2, d = row % 2;
    const JointColumn &col = m_sheet.joints[m_storey].columns[static_cast<size_t>(c)];
    switch (column) {
    case Name:
    case Corner:
    case Hardware: return d == 0;
    case Upper: return d == 0 && ground();
    case UpperName: return d == 0 && ground() && col.upper == UpperPull::Linked;
    case A2: return ground() && col.upper == UpperPull::Typed;
    case Brace0:
    case Brace1: {
        const JointSide &side = col.directions[d].sides[column == Brace0 ? 0 : 1];
        return JointKindHasWoodBrace(side.kind);
    }
    case At0:
    case At1: {
        const JointSideResult &side =
            m_result.columns[static_cast<size_t>(c)].directions[d].sides[column == At0 ? 0 : 1];
        return side.brace.size != BraceSize::None && !side.brace.crossed;
    }
    default: return fieldOf(column).has_value();
    }
}

Qt::ItemFlags JointModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!editable(index.row(), index.column()))
        return f;
    if (index.column() == Corner)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

QVariant JointModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int c = index.row() / 2, d = index.row() % 2, column = index.column();
    const JointColumn &col = m_sheet.joints[m_storey].columns[static_cast<size_t>(c)];
    const JointColumnResult &res = m_result.columns[static_cast<size_t>(c)];
    const JointDirectionResult &dir = res.directions[d];
    const bool table = m_sheet.joints[m_storey].method == JointMethod::Table;

    if (role == Qt::CheckStateRole && column == Corner && d == 0)
        return col.corner ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ToolTipRole) {
        if (column == Verdict || column == Name)
            return res.problem;
        if (column == Correction && dir.correction.unverified)
            return QStringLiteral("補正値の表にない組合せです(プログラムの読み)。確かめて、必要なら入力して下さい。");
        if (column == Hardware)
            return QStringLiteral("取り付ける金物: 記号 (ほ) か耐力 kN。空欄は必要な接合部");
        return {};
    }
    if (role == Qt::ForegroundRole) {
        if ((column == Correction && col.directions[d].correction.isEmpty())
            || (column == UpperName && col.upperName.isEmpty())
            || (column == A2 && !(col.upper == UpperPull::Typed)) || (column == Hardware && d == 1))
            return Derived;
        if (column == Verdict)
            return res.passed ? QColor(Qt::blue) : QColor(Qt::red);
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        if (column == Correction || column == A2 || column == A || column == N || column == Typed0 || column == Typed1)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (column == Direction || column == Joint || column == Verdict)
            return Qt::AlignCenter;
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};

    if (const std::optional<JointField> field = fieldOf(column)) {
        if (!editable(index.row(), column) && column != Correction && column != A2 && column != Hardware)
            return {};
        if (role == Qt::DisplayRole && column == Correction && col.directions[d].correction.isEmpty()) {
            if (!dir.used)
                return {};
            const double v = dir.correction.value;
            return (v > 0 ? QStringLiteral("+") : QString()) + decimal(v)
                   + (dir.correction.unverified ? QStringLiteral("※") : QString());
        }
        if (column == A2) {
            if (!ground())
                return {};
            if (col.upper != UpperPull::Typed)
                return role == Qt::DisplayRole && dir.withUpper ? decimal(dir.a2) : QVariant();
        }
        if (column == Hardware && d == 1)
            return role == Qt::DisplayRole ? res.need.hardware : QVariant();
        if (column == UpperName && d == 0 && ground() && col.upperName.isEmpty() && col.upper == UpperPull::Linked)
            return role == Qt::DisplayRole ? (res.upperName.isEmpty() ? QStringLiteral("(なし)") : res.upperName)
                                           : QVariant();
        if (column == Corner)
            return {};
        return JointFieldText(col, d, *field);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case Direction: return JointDirectionName(d).left(1);
    case A: return dir.used || dir.withUpper ? decimal(dir.a1) : QString();
    case N:
        // The table method reads a joint per direction instead of N.
        if (table)
            return !dir.inTable ? QStringLiteral("表外")
                   : dir.tableIndex.value_or(-1) >= 0 ? JointTypes()[*dir.tableIndex].symbol
                                                      : QString();
        return NText(dir.terms.n);
    case Joint:
        if (d == 0)
            return res.need.symbol;
        return res.need.symbol.isEmpty() ? QString() : KnText(res.need.kn) + QStringLiteral("kN");
    case Verdict: return d == 0 ? (res.passed ? QStringLiteral("OK") : QStringLiteral("NG")) : QString();
    default: return {};
    }
}

bool JointModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    const std::optional<JointField> field = fieldOf(index.column());
    if (!field)
        return false;
    QString text = value.toString();
    if (role == Qt::CheckStateRole)
        text = value.toInt() == Qt::Checked ? QStringLiteral("1") : QString();
    else if (role != Qt::EditRole)
        return false;
    if (!SetJointField(m_sheet, m_storey, index.row() / 2, index.row() % 2, *field, text)) {
        m_refusal.hold(NumberRefusal(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString(),
                                     NumberRule::Any),
                       text);
        return false;
    }
    m_refusal.clear();
    refresh();
    emit edited();
    return true;
}

QString JointModel::put(const QModelIndex &index, const QString &text)
{
    if (setData(index, text, Qt::EditRole))
        return {};
    QString typed;
    return takeRefusal(&typed);
}

namespace {

// The table of columns, with the spreadsheet keys of the other grids.
class JointTable : public QTableView {
public:
    JointTable(JointModel *model, QWidget *parent)
        : QTableView(parent), m_model(model)
    {
        m_cells.put = [model](const QModelIndex &index, const QString &text) { return model->put(index, text); };
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (state() != QAbstractItemView::EditingState && HandleGridKey(this, event, m_cells)) {
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        const QModelIndex cell = currentIndex();
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        QString typed;
        const QString refusal = m_model->takeRefusal(&typed);
        if (!refusal.isEmpty() && hint != QAbstractItemDelegate::RevertModelCache) {
            ReopenRefusedCell(this, cell, typed, refusal);
            return;
        }
        if (hint != QAbstractItemDelegate::RevertModelCache)
            FollowEditEnd(this, hint);
    }

private:
    JointModel *m_model;
    GridCells m_cells;
};

} // namespace

// ---- the delegate ------------------------------------------------------------

JointDelegate::JointDelegate(JointModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

QWidget *JointDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    // Every keystroke and every pick is stored at once, so the results
    // follow the typing.
    auto *self = const_cast<JointDelegate *>(this);
    const QStringList items = m_model->choices(index.column());
    if (items.isEmpty()) {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        return editor;
    }
    auto *box = new QComboBox(parent);
    box->addItems(items);
    connect(box, &QComboBox::activated, self, [self, box] { emit self->commitData(box); });
    return box;
}

void JointDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        box->setCurrentIndex(std::max<int>(0, box->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void JointDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

// ---- the panel -------------------------------------------------------------------

JointPanel::JointPanel(CalcSheet &sheet, int storey, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_storey(storey)
{
    setObjectName(IndexedName("JointPanel", storey));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("柱頭・柱脚の接合"), this);
    m_method = new QComboBox(this);
    m_method->setObjectName(IndexedName("cboJointMethod", storey));
    m_method->addItems({JointMethodName(JointMethod::NValue), JointMethodName(JointMethod::Table)});
    m_heights = new QLabel(this);
    m_add = new QPushButton(QStringLiteral("柱を追加"), this);
    m_add->setObjectName(IndexedName("cmdAddColumn", storey));
    m_remove = new QPushButton(QStringLiteral("柱を削除"), this);
    m_remove->setObjectName(IndexedName("cmdRemoveColumn", storey));
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(IndexedName("JointVerdict", storey));
    m_verdict->setTextFormat(Qt::RichText);
    top->addWidget(title);
    top->addWidget(m_method);
    top->addWidget(m_heights);
    top->addWidget(m_add);
    top->addWidget(m_remove);
    top->addSpacing(12);
    top->addWidget(m_verdict);
    top->addStretch(1);
    layout->addLayout(top);

    m_model = new JointModel(sheet, storey, this);
    m_table = new JointTable(m_model, this);
    m_table->setObjectName(IndexedName("grdJoints", storey));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new JointDelegate(m_model, m_table));
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    ShowFocusCell(m_table);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumHeight(12 * (m_table->fontMetrics().height() + 6));
    layout->addWidget(m_table, 1);

    m_notes = new QLabel(this);
    m_notes->setWordWrap(true);
    layout->addWidget(m_notes);
    auto *legend = new QLabel(
        QStringLiteral("A = 両側の倍率の差 + 筋かいの補正 (倍率は7を超えても実際の値)。補正と A2 の灰色の値は計算値で、"
                       "入力すると置き換わります。※ は補正値の表にない組合せ(確かめて入力して下さい)。"
                       "金物は記号 (ほ) か耐力 kN を入力します(N 5.6 超は必須)。"),
        this);
    legend->setWordWrap(true);
    layout->addWidget(legend);

    connect(m_model, &JointModel::edited, this, [this] {
        showResults();
        emit sheetEdited();
    });
    connect(m_method, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing)
            return;
        SetJointMethod(m_sheet, m_storey, i == 1 ? JointMethod::Table : JointMethod::NValue);
        m_model->refresh();
        showResults();
        emit sheetEdited();
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_table->currentIndex();
        const int before = current.isValid() ? current.row() / 2 + 1 : -1;
        InsertJointColumn(m_sheet, m_storey, before);
        m_model->refresh();
        const int row = 2 * (before < 0 ? static_cast<int>(m_sheet.joints[m_storey].columns.size()) - 1 : before);
        m_table->setCurrentIndex(m_model->index(row, JointModel::Name));
        showResults();
        emit sheetEdited();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_table->currentIndex();
        if (!current.isValid())
            return;
        RemoveJointColumn(m_sheet, m_storey, current.row() / 2);
        m_model->refresh();
        showResults();
        emit sheetEdited();
    });
    refresh();
}

void JointPanel::refresh()
{
    m_showing = true;
    m_method->setCurrentIndex(m_sheet.joints[m_storey].method == JointMethod::Table ? 1 : 0);
    m_showing = false;
    m_model->refresh();
    showResults();
}

void JointPanel::showResults()
{
    auto hText = [this](int s) {
        const QString typed = s < WeightRuleStoreys ? m_sheet.weightInputs.memberDistance[s].trimmed() : QString();
        if (typed.isEmpty())
            return QStringLiteral("2.7");
        const double h = TextValue(typed);
        return HeightFactor(h) == 1.0 ? QStringLiteral("2.7 (%1m)").arg(typed) : typed;
    };
    QString heights = QStringLiteral("H = ") + hText(m_storey);
    if (m_storey < m_sheet.storeyIndex)
        heights += QStringLiteral("  上階 H = ") + hText(m_storey + 1);
    m_heights->setText(heights);
    m_verdict->setText(StoreyVerdictsText(m_sheet, m_storey));
    const JointStoreyResult &result = m_model->result();
    QStringList notes;
    if (!result.refusal.isEmpty())
        notes << result.refusal;
    const std::vector<JointColumn> &columns = m_sheet.joints[m_storey].columns;
    for (size_t c = 0; c < result.columns.size() && c < columns.size(); ++c)
        if (!result.columns[c].problem.isEmpty())
            notes << (columns[c].name.isEmpty() ? QString::number(c + 1) : columns[c].name) + QStringLiteral(": ")
                         + result.columns[c].problem;
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_remove->setEnabled(!columns.empty());
}

} // namespace quiren
