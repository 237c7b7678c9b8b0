#include "gui/calcwindow/StoreyPage.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CheckViews.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/FramingGrid.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/calcwindow/QuasiWallGrid.h"
#include "gui/calcwindow/SheetControls.h"
#include "gui/calcwindow/SheetDocument.h"
#include "gui/calcwindow/Storey2025Panel.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/WidgetSupport.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quiren {

std::array<QString, 2> GridDirectionCaptions(bool pafKind)
{
    if (pafKind) {
        const QString phrase = Str(S::ParallelWallArea).left(5);
        return {Str(S::ToGirders) + phrase, Str(S::ToBeams) + phrase};
    }
    return {Str(S::GirderDirectionWallArea).left(6), Str(S::BeamDirectionWallArea).left(6)};
}

StoreyPage::StoreyPage(SheetDocument &document, int storey, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_sheet(document.sheet())
    , m_storey(storey)
{
    const int s = storey;
    setObjectName(IndexedName("TSPage", s));
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(4);
    lines->setVerticalSpacing(3);

    auto *fsLabel = NumberedLabel(S::FloorArea, this, IndexedName("FSLabel", s));
    m_floorBox = AreaBox(IndexedName("txtFloorDimensions", s), Str(S::RefusedFloorArea), this);
    m_floorTimes = ValueLabel(IndexedName("Ftimes", s), QStringLiteral("0.0"), 500, this);
    m_floorNeeded = ValueLabel(IndexedName("FloorNecessaryLong", s), QStringLiteral("0.00"), 900, this);
    lines->addWidget(fsLabel, 0, 0);
    lines->addWidget(m_floorBox, 0, 1);
    m_floorLineParts = {NumberedLabel(S::SquareMetresTimes, this, QStringLiteral("Label4")), m_floorTimes,
                        NumberedLabel(S::EqualsFloorRequirement, this, QStringLiteral("Label2")), m_floorNeeded,
                        NumberedLabel(S::Metres, this, QStringLiteral("Label3"))};
    for (int i = 0; i < m_floorLineParts.size(); ++i)
        lines->addWidget(m_floorLineParts[i], 0, 2 + i);

    for (int d = 0; d < 2; ++d) {
        const int w = s + 3 * d;
        m_areaLabels[d] = new QLabel(this);
        m_areaLabels[d]->setObjectName(IndexedName(d == 0 ? "HMLabel" : "KMLabel", s));
        m_wallBoxes[d] = AreaBox(IndexedName("txtWallDimensions", w),
                                 Str(d == 0 ? S::BeamDirectionWallArea : S::GirderDirectionWallArea), this);
        m_wallTimes[d] = ValueLabel(IndexedName("Wtimes", w), QStringLiteral("0.5"), 500, this);
        m_wallNeeded[d] = ValueLabel(IndexedName("WallNecessaryLong", w), QStringLiteral("0.00"), 900, this);
        lines->addWidget(m_areaLabels[d], 1 + d, 0);
        lines->addWidget(m_wallBoxes[d], 1 + d, 1);
        lines->addWidget(NumberedLabel(S::SquareMetresTimes, this), 1 + d, 2);
        lines->addWidget(m_wallTimes[d], 1 + d, 3);
        lines->addWidget(NumberedLabel(S::EqualsProjectedRequirement, this), 1 + d, 4);
        lines->addWidget(m_wallNeeded[d], 1 + d, 5);
        lines->addWidget(NumberedLabel(S::Metres, this), 1 + d, 6);
        connect(m_wallBoxes[d], &NumberBox::edited, this,
                [this, d](const QString &text) { onWallAreaChanged(d, text); });
        m_wallBoxes[d]->installEventFilter(this);
    }
    lines->setColumnStretch(7, 1);
    connect(m_floorBox, &NumberBox::edited, this, &StoreyPage::onFloorAreaChanged);
    m_floorBox->installEventFilter(this);

    m_framing = new FramingGrid(m_sheet, s, this);
    connect(m_framing, &FramingGrid::promptRequested, this, &StoreyPage::promptRequested);
    connect(m_framing, &FramingGrid::sheetUpdated, this, [this](bool changed) {
        m_document.tellRecalculated();
        if (changed)
            m_document.markChanged();
    });
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(6, 6, 6, 6);
    m_layout->setSpacing(6);
    m_layout->addLayout(lines);
    // The framing grid and the checks' views share the room below the
    // area lines; the buttons beside the lines switch between them.
    m_views = new QStackedWidget(this);
    m_views->setObjectName(IndexedName("TSViews", s));
    m_framing->setParent(m_views);
    m_views->addWidget(m_framing);
    buildCheckButtons(lines);
    m_layout->addWidget(m_views, 0, Qt::AlignLeft | Qt::AlignTop);
    m_layout->addStretch(1);

    connect(&m_document, &SheetDocument::recalculated, this, &StoreyPage::refreshNumbers);
    connect(&m_document, &SheetDocument::checkEdited, this, &StoreyPage::refreshVerdicts);
}

void StoreyPage::buildCheckButtons(QGridLayout *lines)
{
    const std::vector<CheckViewKind> &kinds = CheckViewKinds();
    for (int k = 0; k < static_cast<int>(kinds.size()); ++k) {
        const CheckViewKind &kind = kinds[k];
        // A check's view scrolls rather than making the window taller or
        // wider than the framing grid needs: its size is not asked for.
        auto *scroll = new QScrollArea(m_views);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        scroll->setFocusPolicy(Qt::NoFocus);   // Tab goes to what it holds
        auto *inner = new QWidget(scroll);
        auto *layout = new QVBoxLayout(inner);
        layout->setContentsMargins(0, 0, 0, 0);
        if (!kind.fillsPage)
            layout->addStretch(1);
        scroll->setWidget(inner);
        m_views->addWidget(scroll);
        m_checkLayouts.push_back(layout);
        m_checkViews.push_back(nullptr);

        auto *button = new QPushButton(kind.caption, this);
        button->setObjectName(IndexedName(kind.buttonName, m_storey));
        button->setCheckable(true);
        button->setToolTip(kind.toolTip);
        m_checkButtons.push_back(button);
        connect(button, &QPushButton::toggled, this, [this, k](bool on) { openCheck(k, on); });
        QLabel *verdict = nullptr;
        if (kind.verdict) {
            verdict = new QLabel(this);
            verdict->setObjectName(IndexedName("JointPageVerdict", m_storey));
            verdict->setTextFormat(Qt::RichText);
            auto *line = new QHBoxLayout;
            line->addWidget(verdict);
            line->addWidget(button);
            lines->addLayout(line, k, 8, Qt::AlignRight);
        } else {
            lines->addWidget(button, k, 8, Qt::AlignRight);
        }
        m_checkVerdicts.push_back(verdict);
    }
}

void StoreyPage::openCheck(int kind, bool on)
{
    // Opening one of the checks closes the others.
    if (on) {
        for (int k = 0; k < static_cast<int>(m_checkButtons.size()); ++k) {
            if (k != kind)
                m_checkButtons[k]->setChecked(false);
        }
        checkView(kind);
        m_views->setCurrentIndex(1 + kind);
    } else if (m_views->currentIndex() == 1 + kind) {
        m_views->setCurrentIndex(0);
    }
    if (CheckViewKinds()[kind].fillsPage) {
        m_layout->setAlignment(m_views, on ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignTop);
        m_layout->setStretchFactor(m_views, on ? 1 : 0);
    } else {
        // While shown, the view has the room it asks for and the page
        // scrolls as a whole, not the view in a box of the grid's size.
        auto *scroll = static_cast<QScrollArea *>(m_views->widget(1 + kind));
        scroll->setMinimumSize(on ? scroll->widget()->sizeHint() : QSize());
    }
}

QWidget *StoreyPage::checkView(int kind)
{
    // Made when first shown: most sheets never open them, and made for
    // every page they made every window slower to open and larger.
    if (!m_checkViews[kind]) {
        const CheckViewKind &check = CheckViewKinds()[kind];
        QVBoxLayout *layout = m_checkLayouts[kind];
        QWidget *view = check.make(m_document, m_storey, layout->parentWidget());
        if (check.fillsPage)
            layout->insertWidget(0, view);
        else
            layout->insertWidget(0, view, 0, Qt::AlignLeft | Qt::AlignTop);
        // Tab goes from the button that opens it into the view, not to the
        // end of the window, where a widget made last would otherwise sit.
        TabIntoAfter(m_checkButtons[kind], view);
        m_checkViews[kind] = view;
    }
    return m_checkViews[kind];
}

void StoreyPage::setListInputSource(std::function<bool()> source)
{
    m_framing->setListInputSource(std::move(source));
}

void StoreyPage::build2025Parts()
{
    // Made when the page's sheet first comes under the 2025 rules: an old
    // sheet never shows them, and they were a good part of the time it
    // took to open a window.
    if (m_storey >= WeightRuleStoreys || m_storey2025)
        return;
    auto recalculate = [this] {
        m_document.recalculate();
        m_document.markChanged();
    };
    m_storey2025 = new Storey2025Panel(m_sheet, m_storey, this);
    connect(m_storey2025, &Storey2025Panel::edited, this, recalculate);
    connect(m_storey2025, &Storey2025Panel::focused, this, [this] {
        emit promptRequested(QString::number(m_storey + 1) + Str(S::PromptStorey2025));
    });
    m_layout->insertWidget(1, m_storey2025);   // below the area lines

    m_quasiTitle = new QLabel(Str(S::QuasiGridTitle), this);
    m_quasi = new QuasiWallGrid(m_sheet, m_storey, this);
    m_quasi->setDirectionCaptions(GridDirectionCaptions(m_pafKind));
    connect(m_quasi, &QuasiWallGrid::edited, this, recalculate);
    connect(m_quasi, &QuasiWallGrid::focused, this, [this] { emit promptRequested(Str(S::PromptQuasi)); });
    const int belowViews = m_layout->indexOf(m_views) + 1;
    m_layout->insertWidget(belowViews, m_quasiTitle);
    m_layout->insertWidget(belowViews + 1, m_quasi, 0, Qt::AlignLeft | Qt::AlignTop);
    connect(&m_document, &SheetDocument::recalculated, m_quasi, &QuasiWallGrid::refresh);

    // Made after the rest of the window, they would come last on Tab. Tab
    // reads the page from the top: the areas, the storey's inputs below
    // them, the framing grid, the quasi-bearing walls, then the checks'
    // buttons, each followed by its view when it has been opened.
    QWidget *last = TabIntoAfter(m_wallBoxes[1], m_storey2025);
    last = TabIntoAfter(last, m_framing);
    last = TabIntoAfter(last, m_quasi);
    for (size_t k = 0; k < m_checkButtons.size(); ++k) {
        last = TabIntoAfter(last, m_checkButtons[k]);
        if (m_checkViews[k])
            last = TabIntoAfter(last, m_checkViews[k]);
    }

    LoadCaptions(m_storey2025);
    LoadCaptions(m_quasi);
    m_storey2025->showSheet();
    m_storey2025->refreshNumbers();
    m_quasi->refresh();
}

void StoreyPage::showInputs()
{
    m_showing = true;
    if (m_storey2025)
        m_storey2025->showSheet();
    m_floorBox->show(m_sheet.floorArea[m_storey]);
    for (int d = 0; d < 2; ++d)
        m_wallBoxes[d]->show(m_sheet.projectedArea[m_storey + StoreyCount * d]);
    m_showing = false;
}

void StoreyPage::applyRuleLayout()
{
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    for (QWidget *part : m_floorLineParts)
        part->setVisible(!rules2025);
    if (rules2025)
        build2025Parts();
    if (m_storey2025) {
        m_storey2025->setVisible(rules2025);
        m_quasiTitle->setVisible(rules2025);
        m_quasi->setVisible(rules2025);
        m_quasi->setFixedSize(m_quasi->contentWidth(), m_quasi->contentHeight());
    }
}

void StoreyPage::setDirectionCaptions(bool pafKind)
{
    const int s = m_storey;
    // The boxes' messages name them as their labels do.
    const QString phrase = Str(S::ParallelWallArea);
    const std::array<QString, 2> names =
        pafKind ? std::array<QString, 2>{Str(S::ToBeams) + phrase, Str(S::ToGirders) + phrase}
                : std::array<QString, 2>{Str(S::BeamDirectionWallArea), Str(S::GirderDirectionWallArea)};
    m_areaLabels[0]->setText(names[0] + Str(S::BeamAreaLetters + s));
    m_areaLabels[1]->setText(names[1] + Str(S::GirderAreaLetters + s));
    for (int d = 0; d < 2; ++d)
        m_wallBoxes[d]->setField(names[d], NumberRule::NotNegative);
    m_pafKind = pafKind;
    const std::array<QString, 2> captions = GridDirectionCaptions(pafKind);
    if (m_quasi)
        m_quasi->setDirectionCaptions(captions);
    m_framing->setDirectionCaptions(captions[0] + Str(S::EnterDetailsSuffix),
                                    captions[1] + Str(S::EnterDetailsSuffix));
}

void StoreyPage::refreshNumbers()
{
    const int s = m_storey;
    ShowValue(m_floorTimes, m_sheet.coefficient[s]);
    ShowValue(m_floorNeeded, m_sheet.floorRequirement[s]);
    for (int d = 0; d < 2; ++d) {
        ShowValue(m_wallTimes[d], m_sheet.windFactor[s + StoreyCount * d]);
        ShowValue(m_wallNeeded[d], m_sheet.projectedRequirement[s + StoreyCount * d]);
    }
    if (m_storey2025)
        m_storey2025->refreshNumbers();
    m_framing->refresh();
    refreshVerdicts();
}

void StoreyPage::refreshVerdicts()
{
    const std::vector<CheckViewKind> &kinds = CheckViewKinds();
    for (size_t k = 0; k < kinds.size(); ++k) {
        if (m_checkVerdicts[k])
            m_checkVerdicts[k]->setText(kinds[k].verdict(m_sheet, m_storey));
    }
}

void StoreyPage::onFloorAreaChanged(const QString &text)
{
    if (m_showing)
        return;
    const QString plain = PlainSingleText(text);
    m_floorBox->show(plain);
    m_sheet.SetFloorArea(m_storey, plain);
    m_document.tellRecalculated();
    m_document.markChanged();
}

void StoreyPage::onWallAreaChanged(int d, const QString &text)
{
    if (m_showing)
        return;
    const QString plain = PlainSingleText(text);
    m_wallBoxes[d]->show(plain);
    m_sheet.SetProjectedArea(m_storey + StoreyCount * d, plain);
    m_document.tellRecalculated();
    m_document.markChanged();
}

bool StoreyPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const QString page = QString::number(m_storey + 1);
        if (watched == m_floorBox)
            emit promptRequested(page + Str(S::PromptFloorArea));
        else if (watched == m_wallBoxes[0] || watched == m_wallBoxes[1])
            emit promptRequested(page + Str(S::PromptProjectedAreas));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quiren
