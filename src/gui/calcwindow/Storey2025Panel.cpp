#include "gui/calcwindow/Storey2025Panel.h"

#include "core/calc/LwReport.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/LoadsGroup.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/widgets/WidgetSupport.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace quiren {

QString LwSourceText(const CalcSheet &sheet)
{
    const SeismicInputs &in = sheet.weightInputs.seismic;
    if (in.method == LwMethod::Typed && !in.lwSource.trimmed().isEmpty())
        return in.lwSource.trimmed();
    return Str(S::LwMethodNames + LwMethodIndex(in.method));
}

Storey2025Panel::Storey2025Panel(CalcSheet &sheet, int storey, QWidget *parent)
    : QWidget(parent)
    , m_sheet(sheet)
    , m_storey(storey)
{
    setObjectName(IndexedName("Storey2025", storey));
    WeightRuleInputs &in = m_sheet.weightInputs;
    FloorAreaInputs &floor = in.floor[storey];
    m_height = box("StoreyHeight", Str(S::StoreyHeightLabel), storey == 0 ? &in.seismic.h1 : &in.seismic.h2);
    m_memberDistance = box("MemberDistance", Str(S::MemberDistanceLabel), &in.memberDistance[storey]);
    // No voids input: a void has no floor, so the legal floor area has none
    // to take off. The highest inner height tells a loft store from a storey.
    m_loftArea = box("LoftArea", Str(S::LoftAreaLabel), &floor.loftArea);
    m_loftHeight = box("LoftHeight", Str(S::LoftHeightLabel), &floor.loftHeight);
    m_loftMaxHeight = box("LoftMaxHeight", Str(S::FieldLoftMaxHeight), &floor.loftMaxHeight);
    m_typedLw = box("TypedLw", Str(S::FieldTypedLw), &in.seismic.typedLw[storey]);
    m_typedLwLabel = new QLabel(QStringLiteral("Lw(cm/㎡)"), this);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    auto label = [this](int text) { return new QLabel(Str(text), this); };
    grid->addWidget(label(S::StoreyHeightLabel), 0, 0);
    grid->addWidget(m_height, 0, 1);
    grid->addWidget(label(S::MemberDistanceLabel), 0, 2);
    grid->addWidget(m_memberDistance, 0, 3);
    grid->addWidget(m_typedLwLabel, 0, 4);
    grid->addWidget(m_typedLw, 0, 5);
    grid->addWidget(label(S::LoftAreaLabel), 1, 0);
    grid->addWidget(m_loftArea, 1, 1);
    grid->addWidget(label(S::LoftHeightLabel), 1, 2);
    grid->addWidget(m_loftHeight, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("最高の内法高さ(m)"), this), 1, 4);
    grid->addWidget(m_loftMaxHeight, 1, 5);
    grid->setColumnStretch(6, 1);

    m_af = new QLabel(this);
    m_af->setObjectName(IndexedName("AfLine", storey));
    m_seismic = new QLabel(this);
    m_seismic->setObjectName(IndexedName("SeismicLine", storey));
    m_notes = new QLabel(this);
    m_notes->setObjectName(IndexedName("StoreyNotes", storey));
    m_notes->setStyleSheet(QStringLiteral("color: #a00000"));
    for (QLabel *line : {m_af, m_seismic})
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addLayout(grid);
    layout->addWidget(m_af);
    layout->addWidget(m_seismic);
    layout->addWidget(m_notes);
    showSheet();
}

NumberBox *Storey2025Panel::box(const char *name, const QString &caption, QString *field, int widthTwips)
{
    auto *input = new NumberBox(IndexedName(name, m_storey), widthTwips, this);
    input->setField(caption, NumberRule::NotNegative);
    connect(input, &NumberBox::edited, this, [this, field](const QString &text) {
        if (m_showing)
            return;
        *field = text;
        emit edited();
    });
    input->installEventFilter(this);
    return input;
}

void Storey2025Panel::showSheet()
{
    m_showing = true;
    const WeightRuleInputs &in = m_sheet.weightInputs;
    const FloorAreaInputs &floor = in.floor[m_storey];
    m_height->show(m_storey == 0 ? in.seismic.h1 : in.seismic.h2);
    m_memberDistance->show(in.memberDistance[m_storey]);
    m_loftArea->show(floor.loftArea);
    m_loftHeight->show(floor.loftHeight);
    m_loftMaxHeight->show(floor.loftMaxHeight);
    m_typedLw->show(in.seismic.typedLw[m_storey]);
    m_showing = false;
    refreshNumbers();
}

QString Storey2025Panel::afText() const
{
    return m_af->text();
}

QString Storey2025Panel::seismicText() const
{
    return m_seismic->text();
}

void Storey2025Panel::refreshNumbers()
{
    const WeightRuleResults &r = m_sheet.weightResults;
    const bool typedLw = m_sheet.weightInputs.seismic.method == LwMethod::Typed;
    m_typedLw->setVisible(typedLw);
    m_typedLwLabel->setVisible(typedLw);
    m_af->setText(AfEquation(m_sheet, m_storey));
    if (r.lwKnown[m_storey]) {
        m_seismic->setText(FloorRequirementEquation(m_sheet, m_storey) + QStringLiteral("（Lw：")
                           + LwSourceText(m_sheet) + QStringLiteral("）"));
    } else {
        m_seismic->setText(Str(S::LwUnknown).arg(LwSourceText(m_sheet)));
    }
    QStringList notes;
    if (!r.refusal[m_storey].isEmpty())
        notes << QStringLiteral("判定できません：") + r.refusal[m_storey];
    if (r.tallStorey[m_storey])
        notes << Str(S::TallStoreyNote);
    // What is still missing or doubtful, sheet-wide and for this storey.
    notes << r.warnings << r.quasiWarnings[m_storey];
    m_notes->setText(notes.join(QLatin1Char('\n')));
    // A line is kept for the notes even when there are none, so that the
    // page below does not move as one comes and goes while the user types.
    m_notes->setMinimumHeight(std::max<int>(1, notes.size()) * m_notes->fontMetrics().lineSpacing());
}

bool Storey2025Panel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        emit focused();
    return QWidget::eventFilter(watched, event);
}

} // namespace quiren
