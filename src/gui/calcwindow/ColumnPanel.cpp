#include "gui/calcwindow/ColumnPanel.h"


#include "core/calc/ColumnCheck.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quiren {

namespace {

const ColumnMethod Methods[] = {ColumnMethod::Ratio, ColumnMethod::Buckling, ColumnMethod::Area};

QString coloured(const QString &verdict)
{
    if (verdict.isEmpty())
        return QStringLiteral("－");
    const bool ok = verdict == QLatin1String("OK");
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(ok ? QStringLiteral("#0000ff") : QStringLiteral("#ff0000"), verdict.toHtmlEscaped());
}

} // namespace

ColumnPanel::ColumnPanel(CalcSheet &sheet, int storey, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_storey(storey)
{
    setObjectName(IndexedName("Columns", storey));

    m_method = new QComboBox(this);
    m_method->setObjectName(IndexedName("cboColumnMethod", storey));
    for (ColumnMethod method : Methods)
        m_method->addItem(ChoiceName(method));
    connect(m_method, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        m_sheet.columns[m_storey].method = Methods[index];
        edited();
    });

    // The timbers of the list, then a typed Fc.
    m_timber = new QComboBox(this);
    m_timber->setObjectName(IndexedName("cboTimber", storey));
    for (const Timber &t : TimberList())
        m_timber->addItem(t.name, t.key);
    m_timber->addItem(QStringLiteral("Fcを入力"), QString());
    connect(m_timber, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        m_sheet.columns[m_storey].timber = m_timber->itemData(index).toString();
        edited();
    });
    m_fc = numberBox("txtColumnFc", 600, Str(S::FieldColumnFc));
    connect(m_fc, &NumberBox::edited, this,
            [this](const QString &text) { onNumber(&StoreyColumnInputs::typedFc, text); });

    m_wdSource = new QComboBox(this);
    m_wdSource->setObjectName(IndexedName("cboWdSource", storey));
    m_wdSource->addItem(QStringLiteral("入力した値"));
    m_wdSource->addItem(QStringLiteral("荷重から求める(仮定)"));
    connect(m_wdSource, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        m_sheet.columns[m_storey].wdSource = index == 0 ? WdSource::Typed : WdSource::Loads;
        edited();
    });
    m_wd = numberBox("txtColumnWd", 800, Str(S::FieldColumnWd));
    connect(m_wd, &NumberBox::edited, this,
            [this](const QString &text) { onNumber(&StoreyColumnInputs::typedWd, text); });
    m_wdNote = new QLineEdit(this);
    m_wdNote->setObjectName(IndexedName("txtColumnWdNote", storey));
    m_wdNote->setFixedWidth(TwipsToPixelsX(2600, this));
    m_wdNote->setPlaceholderText(QStringLiteral("出典 (表計算ツール等)"));
    connect(m_wdNote, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_showing)
            return;
        m_sheet.columns[m_storey].wdNote = text;
        edited();
    });
    m_area = numberBox("txtColumnArea", 700, Str(S::FieldColumnArea));
    connect(m_area, &NumberBox::edited, this,
            [this](const QString &text) { onNumber(&StoreyColumnInputs::areaM2, text); });

    // One choice a row, so the inputs leave room for the steps beside them.
    auto *choices = new QGridLayout;
    choices->setHorizontalSpacing(4);
    choices->setVerticalSpacing(2);
    auto addRow = [&](int row, const QString &caption, QWidget *first, QWidget *second = nullptr,
                      const QString &unit = QString()) {
        choices->addWidget(new QLabel(caption, this), row, 0);
        auto *line = new QHBoxLayout;
        line->addWidget(first);
        if (second)
            line->addWidget(second);
        if (!unit.isEmpty())
            line->addWidget(new QLabel(unit, this));
        line->addStretch(1);
        choices->addLayout(line, row, 1);
    };
    addRow(0, QStringLiteral("方法"), m_method);
    addRow(1, QStringLiteral("樹種"), m_timber, m_fc, QStringLiteral("N/mm²"));
    addRow(2, QStringLiteral("Wd"), m_wdSource, m_wd, QStringLiteral("N/m²"));
    addRow(3, QStringLiteral("Wdの出典"), m_wdNote);
    addRow(4, QStringLiteral("最大の負担面積"), m_area, nullptr, QStringLiteral("㎡"));

    // Per direction: l, d and b (mm).
    auto *sections = new QGridLayout;
    sections->setHorizontalSpacing(4);
    sections->setVerticalSpacing(2);
    const char *captions[] = {"横架材間距離 l (mm)", "柱の寸法 d (mm)", "直交する寸法 b (mm)"};
    for (int row = 0; row < 3; ++row)
        sections->addWidget(new QLabel(QString::fromUtf8(captions[row]), this), row + 1, 0);
    for (int d = 0; d < 2; ++d) {
        auto *heading = new QLabel(ColumnDirectionName(d), this);
        heading->setAlignment(Qt::AlignCenter);
        sections->addWidget(heading, 0, d + 1);
        const int i = 2 * storey + d;
        const QString direction = ColumnDirectionName(d);
        m_length[d] = numberBox("txtColumnLength", 900, direction + QStringLiteral("の") + QString::fromUtf8(captions[0]));
        m_depth[d] = numberBox("txtColumnDepth", 900, direction + QStringLiteral("の") + QString::fromUtf8(captions[1]));
        m_width[d] = numberBox("txtColumnWidth", 900, direction + QStringLiteral("の") + QString::fromUtf8(captions[2]));
        m_length[d]->setObjectName(IndexedName("txtColumnLength", i));
        m_depth[d]->setObjectName(IndexedName("txtColumnDepth", i));
        m_width[d]->setObjectName(IndexedName("txtColumnWidth", i));
        connect(m_length[d], &NumberBox::edited, this, [this, d](const QString &text) {
            onDirectionNumber(d, &ColumnDirectionInputs::lengthMm, text);
        });
        connect(m_depth[d], &NumberBox::edited, this, [this, d](const QString &text) {
            onDirectionNumber(d, &ColumnDirectionInputs::depthMm, text);
        });
        connect(m_width[d], &NumberBox::edited, this, [this, d](const QString &text) {
            onDirectionNumber(d, &ColumnDirectionInputs::widthMm, text);
        });
        sections->addWidget(m_length[d], 1, d + 1);
        sections->addWidget(m_depth[d], 2, d + 1);
        sections->addWidget(m_width[d], 3, d + 1);
    }
    auto *sameNote = new QLabel(QStringLiteral("b の空欄は d と同じ (正方形)。けた行方向の空欄は\n張り間方向と同じ柱・距離とします。"), this);
    sections->addWidget(sameNote, 4, 0, 1, 3);
    sections->setColumnStretch(3, 1);


    m_lines = new QLabel(this);
    m_lines->setObjectName(IndexedName("ColumnLines", storey));
    m_lines->setTextFormat(Qt::RichText);
    m_lines->setWordWrap(true);
    m_steps = new QLabel(this);
    m_steps->setObjectName(IndexedName("ColumnSteps", storey));
    m_steps->setTextFormat(Qt::RichText);
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(IndexedName("ColumnVerdict", storey));
    m_verdict->setTextFormat(Qt::RichText);

    // The verdicts first, where the page opens; the steps beside the
    // inputs, so the view stays about as tall as the framing grid.
    auto *inputs = new QVBoxLayout;
    inputs->setSpacing(6);
    inputs->addLayout(choices);
    inputs->addLayout(sections);
    inputs->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(12);
    middle->addLayout(inputs);
    middle->addWidget(m_steps, 0, Qt::AlignLeft | Qt::AlignTop);
    middle->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_verdict);
    layout->addLayout(middle);
    layout->addWidget(m_lines);
    layout->addStretch(1);
}

NumberBox *ColumnPanel::numberBox(const char *name, int twips, const QString &field)
{
    auto *box = new NumberBox(IndexedName(name, m_storey), twips, this);
    box->setField(field, NumberRule::NotNegative);
    return box;
}

void ColumnPanel::onNumber(QString StoreyColumnInputs::*field, const QString &text)
{
    if (m_showing)
        return;
    m_sheet.columns[m_storey].*field = text;
    edited();
}

void ColumnPanel::onDirectionNumber(int d, QString ColumnDirectionInputs::*field, const QString &text)
{
    if (m_showing)
        return;
    m_sheet.columns[m_storey].direction[d].*field = text;
    edited();
}

void ColumnPanel::edited()
{
    m_sheet.changed = true;
    refreshResults();
    emit sheetEdited();
}

void ColumnPanel::refresh()
{
    m_showing = true;
    const StoreyColumnInputs &in = m_sheet.columns[m_storey];
    for (int i = 0; i < 3; ++i)
        if (Methods[i] == in.method)
            m_method->setCurrentIndex(i);
    const Timber *timber = FindTimber(in.timber);
    int timberIndex = m_timber->count() - 1;   // a typed Fc
    if (timber)
        timberIndex = m_timber->findData(timber->key);
    else if (in.timber.isEmpty() && in.typedFc.trimmed().isEmpty())
        timberIndex = 0;   // the tool's すぎ
    m_timber->setCurrentIndex(timberIndex);
    m_fc->show(in.typedFc);
    m_wdSource->setCurrentIndex(in.wdSource == WdSource::Typed ? 0 : 1);
    m_wd->show(in.typedWd);
    m_wdNote->setText(in.wdNote);
    m_area->show(in.areaM2);
    for (int d = 0; d < 2; ++d) {
        m_length[d]->show(in.direction[d].lengthMm);
        m_depth[d]->show(in.direction[d].depthMm);
        m_width[d]->show(in.direction[d].widthMm);
    }
    m_showing = false;
    refreshResults();
}

void ColumnPanel::refreshResults()
{
    const StoreyColumnResult r = CheckStoreyColumns(m_sheet, m_storey);
    const StoreyColumnInputs &in = m_sheet.columns[m_storey];
    // What the rules and the method use is open to typing; the rest waits.
    const bool rules2025 = !r.oldRules;
    m_method->setEnabled(rules2025);
    m_timber->setEnabled(rules2025);
    m_fc->setEnabled(rules2025 && m_timber->currentIndex() == m_timber->count() - 1);
    m_wdSource->setEnabled(rules2025);
    m_wd->setEnabled(rules2025 && in.wdSource == WdSource::Typed);
    m_wdNote->setEnabled(rules2025 && in.wdSource == WdSource::Typed);
    m_area->setEnabled(rules2025 && in.method == ColumnMethod::Area);

    QStringList lines;
    for (const QString &line : ColumnHeaderLines(r)) {
        const bool warning = line.startsWith(QChar(0x203B));   // "※"
        lines << (warning ? QStringLiteral("<span style=\"color:#ff0000\">%1</span>").arg(line.toHtmlEscaped())
                          : line.toHtmlEscaped());
    }
    if (!r.missing.isEmpty() && r.verdict != ColumnVerdict::NotChecked)
        lines << QStringLiteral("未入力: ") + r.missing.join(QStringLiteral("、")).toHtmlEscaped();
    m_lines->setText(lines.join(QStringLiteral("<br>")));

    QString table = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">"
                                   "<tr><th></th><th>%1</th><th>%2</th></tr>")
                        .arg(ColumnDirectionName(0), ColumnDirectionName(1));
    for (const ColumnTableRow &row : ColumnTableRows(r)) {
        table += QStringLiteral("<tr><td>%1</td>").arg(row.caption.toHtmlEscaped());
        for (const QString &value : row.values) {
            const bool ng = value.endsWith(QLatin1String("NG"));
            table += QStringLiteral("<td align=\"right\">%1</td>")
                         .arg(ng ? coloured(QStringLiteral("NG")).prepend(value.chopped(2).toHtmlEscaped())
                                 : value.toHtmlEscaped());
        }
        table += QStringLiteral("</tr>");
    }
    m_steps->setText(table + QStringLiteral("</table>"));

    // Beside the column verdict, the storey's other verdicts per direction.
    QStringList verdicts;
    const bool balance = HasBalanceData(m_sheet);
    for (int d = 0; d < 2; ++d) {
        const QString quantity = m_sheet.judgement[m_storey][JudgeResult0 + 3 * d].trimmed();
        const QString quantityVerdict =
            quantity.isEmpty() ? QString() : (quantity == QLatin1String("OK") ? quantity : QStringLiteral("NG"));
        const ColumnDirectionResult &dir = r.direction[d];
        const QString column = dir.checked ? (dir.figures.ok() ? QStringLiteral("OK") : QStringLiteral("NG")) : QString();
        verdicts << QStringLiteral("%1: 壁量 %2　つり合い %3　柱の小径 %4")
                        .arg(ColumnDirectionName(d), coloured(quantityVerdict),
                             coloured(balance ? CheckBalance(m_sheet, m_storey, d).verdictText() : QString()),
                             coloured(column));
    }
    m_verdict->setText(verdicts.join(QStringLiteral("<br>")));
}

} // namespace quiren
