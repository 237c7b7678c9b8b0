#include "gui/calcwindow/LoadsGroup.h"

#include "core/text/StringTable.h"
#include "gui/calcwindow/NumberBox.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace quiren {

namespace {

constexpr LwMethod MethodOrder[] = {LwMethod::Tool, LwMethod::Loads, LwMethod::Typed};

QComboBox *choiceList(const QString &name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    return list;
}

// The unit-load texts in the order of their names in the string table.
std::array<QString *, 9> unitLoadTexts(UnitLoadTexts &t)
{
    return {&t.roof, &t.solar, &t.ceiling, &t.wallFinish, &t.wallInsulation,
            &t.window, &t.interiorWall, &t.floor, &t.live};
}

} // namespace

LwMethod LwMethodAt(int index)
{
    return MethodOrder[std::clamp(index, 0, 2)];
}

int LwMethodIndex(LwMethod method)
{
    for (int i = 0; i < 3; ++i) {
        if (MethodOrder[i] == method)
            return i;
    }
    return 0;
}

LoadsGroup::LoadsGroup(CalcSheet &sheet, QWidget *parent)
    : QGroupBox(Str(S::LoadsGroup), parent)
    , m_sheet(sheet)
{
    setObjectName(QStringLiteral("Loads2025"));
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    m_method = choiceList(QStringLiteral("LwMethod"), this);
    for (int i = 0; i < 3; ++i)
        m_method->addItem(Str(S::LwMethodNames + i));
    m_roof = choiceList(QStringLiteral("RoofFinish"), this);
    for (RoofFinish f : {RoofFinish::Tile, RoofFinish::Slate, RoofFinish::Metal, RoofFinish::Typed})
        m_roof->addItem(ChoiceName(f));
    m_solar = choiceList(QStringLiteral("SolarPanels"), this);
    for (SolarPanels f : {SolarPanels::None, SolarPanels::Standard, SolarPanels::Typed})
        m_solar->addItem(ChoiceName(f));
    m_wall = choiceList(QStringLiteral("WallFinish"), this);
    for (WallFinish f : {WallFinish::Earthen, WallFinish::Mortar, WallFinish::Siding, WallFinish::Metal,
                         WallFinish::Board, WallFinish::Typed})
        m_wall->addItem(ChoiceName(f));
    m_use = choiceList(QStringLiteral("BuildingUse"), this);
    for (BuildingUse u : {BuildingUse::Dwelling, BuildingUse::Office})
        m_use->addItem(ChoiceName(u));
    m_roofLoad = new NumberBox(QStringLiteral("RoofLoad"), 600, this);
    m_solarLoad = new NumberBox(QStringLiteral("SolarLoad"), 600, this);
    m_wallLoad = new NumberBox(QStringLiteral("WallLoad"), 600, this);
    m_c0 = new NumberBox(QStringLiteral("C0"), 600, this);
    m_overhang = new NumberBox(QStringLiteral("Overhang"), 600, this);
    m_pitch = new NumberBox(QStringLiteral("Pitch"), 600, this);
    m_rise = new NumberBox(QStringLiteral("Rise"), 600, this);
    const std::pair<NumberBox *, QString> fields[] = {
        {m_roofLoad, Str(S::FieldUnitLoad).arg(Str(S::RoofFinishLabel))},
        {m_solarLoad, Str(S::FieldUnitLoad).arg(Str(S::SolarLabel))},
        {m_wallLoad, Str(S::FieldUnitLoad).arg(Str(S::WallFinishLabel))},
        {m_c0, Str(S::FieldC0)},
        {m_overhang, Str(S::OverhangLabel)},
        {m_pitch, Str(S::PitchLabel)},
        {m_rise, Str(S::RiseLabel)}};
    for (const auto &[box, field] : fields)
        box->setField(field, NumberRule::NotNegative);
    m_source = new QLineEdit(this);
    m_source->setObjectName(QStringLiteral("LwSource"));
    m_breakdown = new QPushButton(Str(S::BreakdownButton), this);
    m_breakdown->setObjectName(QStringLiteral("Breakdown"));

    auto label = [this](int text) { return new QLabel(Str(text), this); };
    auto unit = [this] { return new QLabel(Str(S::NewtonPerSquareMetre), this); };
    grid->addWidget(label(S::LwMethodLabel), 0, 0);
    grid->addWidget(m_method, 0, 1, 1, 3);
    grid->addWidget(m_breakdown, 0, 4, 1, 3);
    grid->addWidget(label(S::RoofFinishLabel), 1, 0);
    grid->addWidget(m_roof, 1, 1);
    grid->addWidget(m_roofLoad, 1, 2);
    grid->addWidget(unit(), 1, 3);
    grid->addWidget(label(S::SolarLabel), 2, 0);
    grid->addWidget(m_solar, 2, 1);
    grid->addWidget(m_solarLoad, 2, 2);
    grid->addWidget(unit(), 2, 3);
    grid->addWidget(label(S::WallFinishLabel), 3, 0);
    grid->addWidget(m_wall, 3, 1);
    grid->addWidget(m_wallLoad, 3, 2);
    grid->addWidget(unit(), 3, 3);
    grid->addWidget(label(S::UseLabel), 1, 4);
    grid->addWidget(m_use, 1, 5);
    grid->addWidget(label(S::C0Label), 1, 6);
    grid->addWidget(m_c0, 1, 7);
    grid->addWidget(label(S::OverhangLabel), 2, 4);
    grid->addWidget(m_overhang, 2, 5);
    grid->addWidget(label(S::PitchLabel), 2, 6);
    grid->addWidget(m_pitch, 2, 7);
    grid->addWidget(label(S::RiseLabel), 3, 4);
    grid->addWidget(m_rise, 3, 5);

    // The source of a typed Lw, and the unit loads of the loads method.
    auto *sourceLabel = label(S::LwSourceLabel);
    sourceLabel->setObjectName(QStringLiteral("LwSourceLabel"));
    grid->addWidget(sourceLabel, 4, 0);
    grid->addWidget(m_source, 4, 1, 1, 7);
    m_unitLoadsBox = new QWidget(this);
    m_unitLoadsBox->setObjectName(QStringLiteral("UnitLoads"));
    auto *loads = new QGridLayout(m_unitLoadsBox);
    loads->setContentsMargins(0, 0, 0, 0);
    loads->setHorizontalSpacing(4);
    loads->addWidget(new QLabel(Str(S::UnitLoadsLabel), m_unitLoadsBox), 0, 0, 1, 9);
    const QStringList names = Str(S::UnitLoadNames).split(QLatin1Char('|'));
    for (int i = 0; i < 9; ++i) {
        loads->addWidget(new QLabel(names.value(i), m_unitLoadsBox), 1, i, Qt::AlignHCenter);
        m_unitLoads[i] = new NumberBox(QStringLiteral("UnitLoad(%1)").arg(i), 560, m_unitLoadsBox);
        m_unitLoads[i]->setField(Str(S::FieldUnitLoad).arg(names.value(i)), NumberRule::NotNegative);
        loads->addWidget(m_unitLoads[i], 2, i);
        connect(m_unitLoads[i], &NumberBox::edited, this, [this, i](const QString &text) {
            if (m_showing)
                return;
            *unitLoadTexts(m_sheet.weightInputs.seismic.loads)[i] = text;
            changed();
        });
        m_unitLoads[i]->installEventFilter(this);
    }
    grid->addWidget(m_unitLoadsBox, 5, 0, 1, 8);
    grid->setColumnStretch(8, 1);

    SeismicInputs &in = m_sheet.weightInputs.seismic;
    auto onText = [this](NumberBox *box, QString SeismicInputs::*field) {
        connect(box, &NumberBox::edited, this, [this, field](const QString &text) {
            if (m_showing)
                return;
            m_sheet.weightInputs.seismic.*field = text;
            changed();
        });
        box->installEventFilter(this);
    };
    onText(m_roofLoad, &SeismicInputs::roofLoad);
    onText(m_solarLoad, &SeismicInputs::solarLoad);
    onText(m_wallLoad, &SeismicInputs::wallLoad);
    onText(m_c0, &SeismicInputs::c0);
    onText(m_overhang, &SeismicInputs::overhang);
    onText(m_pitch, &SeismicInputs::pitch);
    onText(m_rise, &SeismicInputs::rise);
    Q_UNUSED(in);
    auto onChoice = [this](QComboBox *list, auto apply) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, apply](int index) {
            if (m_showing || index < 0)
                return;
            apply(m_sheet.weightInputs.seismic, index);
            changed();
        });
        list->installEventFilter(this);
    };
    onChoice(m_method, [](SeismicInputs &s, int i) { s.method = LwMethodAt(i); });
    onChoice(m_roof, [](SeismicInputs &s, int i) { s.roof = static_cast<RoofFinish>(i); });
    onChoice(m_solar, [](SeismicInputs &s, int i) { s.solar = static_cast<SolarPanels>(i); });
    onChoice(m_wall, [](SeismicInputs &s, int i) { s.wall = static_cast<WallFinish>(i); });
    onChoice(m_use, [](SeismicInputs &s, int i) { s.use = static_cast<BuildingUse>(i); });
    connect(m_source, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_showing)
            return;
        m_sheet.weightInputs.seismic.lwSource = text;
        changed();
    });
    m_source->installEventFilter(this);
    connect(m_breakdown, &QPushButton::clicked, this, &LoadsGroup::breakdownRequested);
    showSheet();
}

void LoadsGroup::showSheet()
{
    m_showing = true;
    const SeismicInputs &in = m_sheet.weightInputs.seismic;
    m_method->setCurrentIndex(LwMethodIndex(in.method));
    m_roof->setCurrentIndex(static_cast<int>(in.roof));
    m_solar->setCurrentIndex(static_cast<int>(in.solar));
    m_wall->setCurrentIndex(static_cast<int>(in.wall));
    m_use->setCurrentIndex(static_cast<int>(in.use));
    m_roofLoad->show(in.roofLoad);
    m_solarLoad->show(in.solarLoad);
    m_wallLoad->show(in.wallLoad);
    m_c0->show(in.c0);
    m_overhang->show(in.overhang);
    m_pitch->show(in.pitch);
    m_rise->show(in.rise);
    m_source->setText(in.lwSource);
    UnitLoadTexts loads = in.loads;
    const std::array<QString *, 9> texts = unitLoadTexts(loads);
    for (int i = 0; i < 9; ++i)
        m_unitLoads[i]->show(*texts[i]);
    m_showing = false;
    updateEnabled();
}

void LoadsGroup::changed()
{
    updateEnabled();
    emit edited();
}

void LoadsGroup::updateEnabled()
{
    const SeismicInputs &in = m_sheet.weightInputs.seismic;
    const bool typedLw = in.method == LwMethod::Typed;
    // A typed Lw needs none of the loads, only where it came from.
    for (QWidget *w : std::initializer_list<QWidget *>{m_roof, m_solar, m_wall, m_use, m_c0, m_overhang,
                                                        m_pitch, m_rise})
        w->setEnabled(!typedLw);
    m_roofLoad->setEnabled(!typedLw && in.roof == RoofFinish::Typed);
    m_solarLoad->setEnabled(!typedLw && in.solar == SolarPanels::Typed);
    m_wallLoad->setEnabled(!typedLw && in.wall == WallFinish::Typed);
    m_source->setEnabled(typedLw);
    m_unitLoadsBox->setVisible(in.method == LwMethod::Loads);
    m_breakdown->setEnabled(!typedLw);
}

bool LoadsGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        emit focused();
    return QGroupBox::eventFilter(watched, event);
}

} // namespace quiren
