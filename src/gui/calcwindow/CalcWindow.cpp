#include "gui/calcwindow/CalcWindow.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindowHost.h"
#include "gui/calcwindow/BalancePanel.h"
#include "gui/calcwindow/ColumnPanel.h"
#include "gui/calcwindow/JointPanel.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/FramingGrid.h"
#include "gui/calcwindow/GridModels.h"
#include "gui/calcwindow/JudgementGrid.h"
#include "gui/calcwindow/LoadsGroup.h"
#include "gui/calcwindow/LwBreakdownWindow.h"
#include "gui/calcwindow/QuasiWallGrid.h"
#include "gui/calcwindow/Storey2025Panel.h"
#include "gui/print/JwCommand.h"
#include "gui/print/PrintCommands.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/NumberInput.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quiren {

namespace {

// A label that receives its text from the string table at load.
QLabel *numberedLabel(int number, QWidget *parent, const QString &name = QString())
{
    auto *label = new QLabel(QString::number(number), parent);
    SetTag(label, number);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

// A computed value shown in a sunken box (coefficients, requirements). The
// box keeps its width whatever the value, so that a huge area cannot push
// the rest of the window aside; see showValue().
QLabel *valueLabel(const QString &name, const QString &text, int widthTwips, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int room = label->fontMetrics().horizontalAdvance(QStringLiteral("000000.0000"));
    label->setFixedWidth(std::max(TwipsToPixelsX(widthTwips, parent),
                                  room + 2 * label->frameWidth() + 4));
    return label;
}

// Puts a value into its box. A text too long for the box is cut with "…",
// never clipped silently (a clipped "…0000.0000" would read as a small
// number); the whole text is in the tool tip.
void showValue(QLabel *label, const QString &text)
{
    const int room = label->contentsRect().width() - 4;
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, room);
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

// What `widget` asks for now. Before a window is first shown its layouts
// learn of children shown, hidden or resized only when asked to start again.
QSize freshSizeHint(QWidget *widget)
{
    // A layout learns of sizes set inside it (the framing grid's in its
    // stack) only when the event loop comes round to it: the inner ones are
    // brought up to date first, deepest first.
    const QList<QLayout *> layouts = widget->findChildren<QLayout *>();
    for (auto inner = layouts.crbegin(); inner != layouts.crend(); ++inner)
        (*inner)->activate();
    if (QLayout *layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
    return widget->sizeHint();
}

// Scrolls the window's contents; asks for their whole size as long as the
// screen allows, so that a new window opens showing everything.

class ContentsScroller : public QScrollArea {
public:
    explicit ContentsScroller(QWidget *parent)
        : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("frmCalcScroller"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
    }

    QSize sizeHint() const override
    {
        if (!widget())
            return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

QLineEdit *areaBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(TwipsToPixelsX(1000, parent));
    AcceptFullWidthDigits(box);
    return box;
}

} // namespace

CalcWindow::CalcWindow(CalcWindowHost *host, RuleSetKind kind, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_document(new SheetDocument(kind, this))
    , m_sheet(m_document->sheet())
{
    setObjectName(QStringLiteral("frmCalc"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    // The certified-wall choice is filled before the window loads.
    refillCertifiedWalls();
    setUpNewSheet();
    m_sheetShown = true;
    connect(m_document, &SheetDocument::recalculated, this, &CalcWindow::showRecalculated);
    connect(m_document, &SheetDocument::edited, this, &CalcWindow::sheetChanged);
}

CalcWindow::~CalcWindow() = default;

QAction *CalcWindow::makeAction(const QString &name, int caption)
{
    auto *item = new QAction(QString::number(caption), this);
    item->setObjectName(name);
    return item;
}

// ---- controls ------------------------------------------------------------------------

void CalcWindow::buildControls()
{
    // Project name and certified wall.
    auto *titleLabel = numberedLabel(S::ProjectName, this, QStringLiteral("Label1"));
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("TitleName"));
    titleLabel->setBuddy(m_title);
    auto *wallLabel = numberedLabel(S::CertifiedWallChoice, this, QStringLiteral("Label5"));
    m_wall = new QComboBox(this);
    m_wall->setObjectName(QStringLiteral("A_Wall"));
    m_wall->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_wall->setMinimumContentsLength(16);
    wallLabel->setBuddy(m_wall);

    // Storey count and weight type.
    auto *storeyFrame = new QGroupBox(QString::number(S::Storeys), this);
    storeyFrame->setObjectName(QStringLiteral("Frame1"));
    SetTag(storeyFrame, S::Storeys);
    auto *storeyLayout = new QVBoxLayout(storeyFrame);
    storeyLayout->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        m_storeys[i] = new QRadioButton(QString::number(S::StoreyChoices + i), storeyFrame);
        m_storeys[i]->setObjectName(IndexedName("F_num", i));
        SetTag(m_storeys[i], S::StoreyChoices + i);
        storeyLayout->addWidget(m_storeys[i]);
        connect(m_storeys[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                onStoreyCountChosen(i);
        });
        m_storeys[i]->installEventFilter(this);
    }
    auto *weightFrame = new QGroupBox(QString::number(S::RoofWeight), this);
    m_weightFrame = weightFrame;
    weightFrame->setObjectName(QStringLiteral("Frame2"));
    SetTag(weightFrame, S::RoofWeight);
    auto *weightLayout = new QVBoxLayout(weightFrame);
    weightLayout->setSpacing(2);
    for (int i = 0; i < 2; ++i) {
        m_weights[i] = new QRadioButton(QString::number(S::WeightChoices + i), weightFrame);
        m_weights[i]->setObjectName(IndexedName("WeightType", i));
        SetTag(m_weights[i], S::WeightChoices + i);
        weightLayout->addWidget(m_weights[i]);
        connect(m_weights[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                onWeightTypeChosen(i);
        });
        m_weights[i]->installEventFilter(this);
    }
    weightLayout->addStretch(1);

    // The judgement grid, always visible.
    m_judgement = new JudgementGrid(m_sheet, this);

    // The storey pages. Only the page shown is built: the others are built
    // when first shown or asked for, which spares most of a window's
    // controls at its opening (most buildings have one or two storeys).
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TS"));
    for (int s = 0; s < StoreyCount; ++s) {
        // A page scrolls rather than squeezing its lines and grids together
        // when the window is smaller than the page (the 2025 pages are tall).
        auto *scroll = new QScrollArea(m_tabs);
        scroll->setObjectName(IndexedName("TSScroll", s));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        m_pageScrollers[s] = scroll;
        m_tabs->addTab(scroll, StoreyName(s));
    }
    buildStoreyPage(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (page >= 0)
            storeyPage(page);
        onPageChosen(page);
    });

    connect(m_title, &QLineEdit::textChanged, this, &CalcWindow::onTitleEdited);
    m_title->installEventFilter(this);
    connect(m_wall, &QComboBox::currentIndexChanged, this, &CalcWindow::onWallChosen);
    m_wall->installEventFilter(this);

    // Layout: the header inputs on the left, the judgement grid on the right,
    // the storey pages below.
    auto *inputs = new QGridLayout;
    inputs->setHorizontalSpacing(6);
    inputs->setVerticalSpacing(4);
    inputs->addWidget(titleLabel, 0, 0);
    inputs->addWidget(m_title, 0, 1);
    inputs->addWidget(wallLabel, 1, 0, 1, 2);
    inputs->addWidget(m_wall, 2, 0, 1, 2);
    auto *frames = new QHBoxLayout;
    frames->addWidget(storeyFrame, 1);
    frames->addWidget(weightFrame, 1);
    inputs->addLayout(frames, 3, 0, 1, 2);
    m_rulesLabel = new QLabel(this);
    m_rulesLabel->setObjectName(QStringLiteral("RulesLabel"));
    inputs->addWidget(m_rulesLabel, 4, 0, 1, 2);

    m_loads = new LoadsGroup(m_sheet, this);
    connect(m_loads, &LoadsGroup::edited, this, &CalcWindow::on2025Edited);
    connect(m_loads, &LoadsGroup::breakdownRequested, this, [this] { showBreakdown(); });
    connect(m_loads, &LoadsGroup::focused, this, [this] { showPrompt(Str(S::PromptLoads)); });

    auto *top = new QHBoxLayout;
    top->addLayout(inputs, 1);
    top->addSpacing(TwipsToPixelsX(120, this));
    top->addWidget(m_judgement, 0, Qt::AlignTop);
    m_inputs = inputs;

    // Everything sits on one sheet that scrolls when the frame is smaller
    // than it (windows tiled one above the other), instead of squeezing the
    // controls into each other.
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("frmCalcContents"));
    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(TwipsToPixelsX(100, this), TwipsToPixelsY(80, this),
                               TwipsToPixelsX(100, this), TwipsToPixelsY(80, this));
    layout->addLayout(top);
    layout->addWidget(m_loads);
    layout->addWidget(m_tabs, 1);
    m_scroller = new ContentsScroller(this);
    m_scroller->setWidget(contents);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroller);
    const int line = fontMetrics().height();
    setMinimumSize(20 * line, 10 * line);
}

QWidget *CalcWindow::storeyPage(int s)
{
    if (!m_framing[s])
        buildStoreyPage(s);
    return m_pageScrollers[s]->widget();
}

void CalcWindow::buildStoreyPage(int s)
{
    QScrollArea *scroll = m_pageScrollers[s];
    auto *page = new QWidget(scroll);
    page->setObjectName(IndexedName("TSPage", s));
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(4);
    lines->setVerticalSpacing(3);

    auto *fsLabel = numberedLabel(S::FloorArea, page, IndexedName("FSLabel", s));
    m_floorBoxes[s] = areaBox(IndexedName("txtFloorDimensions", s), page);
    m_floorTimes[s] = valueLabel(IndexedName("Ftimes", s), QStringLiteral("0.0"), 500, page);
    m_floorNeeded[s] = valueLabel(IndexedName("FloorNecessaryLong", s), QStringLiteral("0.00"), 900, page);
    lines->addWidget(fsLabel, 0, 0);
    lines->addWidget(m_floorBoxes[s], 0, 1);
    // Under the 2025 rules the requirement is not floor area × a
    // coefficient: these give way to the Af and Lw lines.
    m_floorLineParts[s] = {numberedLabel(S::SquareMetresTimes, page, QStringLiteral("Label4")), m_floorTimes[s],
                           numberedLabel(S::EqualsFloorRequirement, page, QStringLiteral("Label2")),
                           m_floorNeeded[s], numberedLabel(S::Metres, page, QStringLiteral("Label3"))};
    for (int i = 0; i < m_floorLineParts[s].size(); ++i)
        lines->addWidget(m_floorLineParts[s][i], 0, 2 + i);

    for (int d = 0; d < 2; ++d) {
        const int w = s + 3 * d;
        QLabel *areaLabel = new QLabel(page);
        areaLabel->setObjectName(IndexedName(d == 0 ? "HMLabel" : "KMLabel", s));
        (d == 0 ? m_hmLabels : m_kmLabels)[s] = areaLabel;
        m_wallBoxes[w] = areaBox(IndexedName("txtWallDimensions", w), page);
        m_wallTimes[w] = valueLabel(IndexedName("Wtimes", w), QStringLiteral("0.5"), 500, page);
        m_wallNeeded[w] = valueLabel(IndexedName("WallNecessaryLong", w), QStringLiteral("0.00"), 900, page);
        lines->addWidget(areaLabel, 1 + d, 0);
        lines->addWidget(m_wallBoxes[w], 1 + d, 1);
        lines->addWidget(numberedLabel(S::SquareMetresTimes, page), 1 + d, 2);
        lines->addWidget(m_wallTimes[w], 1 + d, 3);
        lines->addWidget(numberedLabel(S::EqualsProjectedRequirement, page), 1 + d, 4);
        lines->addWidget(m_wallNeeded[w], 1 + d, 5);
        lines->addWidget(numberedLabel(S::Metres, page), 1 + d, 6);
        connect(m_wallBoxes[w], &QLineEdit::textChanged, this,
                [this, w](const QString &text) { onWallAreaChanged(w, text); });
        m_wallBoxes[w]->installEventFilter(this);
    }
    lines->setColumnStretch(7, 1);
    connect(m_floorBoxes[s], &QLineEdit::textChanged, this,
            [this, s](const QString &text) { onFloorAreaChanged(s, text); });
    m_floorBoxes[s]->installEventFilter(this);

    m_framing[s] = new FramingGrid(m_sheet, s, page);
    m_framing[s]->setListInputSource([this] { return listInput(); });
    connect(m_framing[s], &FramingGrid::promptRequested, this, &CalcWindow::showPrompt);
    connect(m_framing[s], &FramingGrid::sheetUpdated, this, [this](bool changed) {
        m_document->tellRecalculated();
        if (changed)
            markChanged();
    });
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    pageLayout->setSpacing(6);
    pageLayout->addLayout(lines);
    // The framing grid and the balance check share the room below the
    // area lines; a button beside the lines switches between them. The
    // balance page scrolls rather than making the window taller or wider
    // than the framing grid needs: its size is not asked for.
    auto *views = new QStackedWidget(page);
    views->setObjectName(IndexedName("TSViews", s));
    auto *balancePage = new QScrollArea(views);
    balancePage->setFrameShape(QFrame::NoFrame);
    balancePage->setWidgetResizable(true);
    balancePage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    balancePage->setFocusPolicy(Qt::NoFocus);   // Tab goes to what it holds
    auto *balanceInner = new QWidget(balancePage);
    m_balanceLayouts[s] = new QVBoxLayout(balanceInner);
    m_balanceLayouts[s]->setContentsMargins(0, 0, 0, 0);
    m_balanceLayouts[s]->addStretch(1);
    balancePage->setWidget(balanceInner);
    m_framing[s]->setParent(views);
    views->addWidget(m_framing[s]);
    views->addWidget(balancePage);
    auto *balanceButton = new QPushButton(Str(S::BalanceButton), page);
    balanceButton->setObjectName(IndexedName("cmdBalance", s));
    balanceButton->setCheckable(true);
    balanceButton->setToolTip(Str(S::BalanceTitle));
    connect(balanceButton, &QPushButton::toggled, views, [this, s, views](bool on) {
        if (on)
            balancePanel(s);
        views->setCurrentIndex(on ? 1 : 0);
    });
    lines->addWidget(balanceButton, 0, 8, Qt::AlignRight);
    // The column check is a third view beside them, opened the same way;
    // opening one of the checks closes the others.
    auto *columnPage = new QScrollArea(views);
    columnPage->setFrameShape(QFrame::NoFrame);
    columnPage->setWidgetResizable(true);
    columnPage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    columnPage->setFocusPolicy(Qt::NoFocus);
    auto *columnInner = new QWidget(columnPage);
    m_columnLayouts[s] = new QVBoxLayout(columnInner);
    m_columnLayouts[s]->setContentsMargins(0, 0, 0, 0);
    m_columnLayouts[s]->addStretch(1);
    columnPage->setWidget(columnInner);
    views->addWidget(columnPage);
    auto *columnButton = new QPushButton(QStringLiteral("柱の小径"), page);
    columnButton->setObjectName(IndexedName("cmdColumns", s));
    columnButton->setCheckable(true);
    columnButton->setToolTip(QStringLiteral("柱の小径 (横架材間距離と柱の寸法)"));
    connect(columnButton, &QPushButton::toggled, views, [this, s, views, balanceButton](bool on) {
        if (on) {
            balanceButton->setChecked(false);
            columnPanel(s);
            views->setCurrentIndex(2);
        } else if (views->currentIndex() == 2) {
            views->setCurrentIndex(0);
        }
    });
    connect(balanceButton, &QPushButton::toggled, columnButton, [columnButton](bool on) {
        if (on)
            columnButton->setChecked(false);
    });
    lines->addWidget(columnButton, 1, 8, Qt::AlignRight);

    // The column-end joints: a fourth view, switched like the others.
    auto *jointPage = new QScrollArea(views);
    jointPage->setFrameShape(QFrame::NoFrame);
    jointPage->setWidgetResizable(true);
    jointPage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    jointPage->setFocusPolicy(Qt::NoFocus);
    auto *jointInner = new QWidget(jointPage);
    m_jointLayouts[s] = new QVBoxLayout(jointInner);
    m_jointLayouts[s]->setContentsMargins(0, 0, 0, 0);
    jointPage->setWidget(jointInner);
    views->addWidget(jointPage);
    auto *jointButton = new QPushButton(QStringLiteral("柱頭柱脚"), page);
    jointButton->setObjectName(IndexedName("cmdJoints", s));
    jointButton->setCheckable(true);
    jointButton->setToolTip(QStringLiteral("柱頭・柱脚の接合 (N値計算法)"));
    // The column table is wide: while it is shown the views take the room
    // the page has, and give it back to the framing grid's size after.
    connect(jointButton, &QPushButton::toggled, views,
            [this, s, views, balanceButton, columnButton, pageLayout](bool on) {
        if (on) {
            balanceButton->setChecked(false);
            columnButton->setChecked(false);
            jointPanel(s);
            views->setCurrentIndex(3);
        } else if (views->currentIndex() == 3) {
            views->setCurrentIndex(0);
        }
        pageLayout->setAlignment(views, on ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignTop);
        pageLayout->setStretchFactor(views, on ? 1 : 0);
    });
    for (QPushButton *other : {balanceButton, columnButton}) {
        connect(other, &QPushButton::toggled, jointButton, [jointButton](bool on) {
            if (on)
                jointButton->setChecked(false);
        });
    }
    connect(jointButton, &QPushButton::toggled, columnButton, [columnButton](bool on) {
        if (on)
            columnButton->setChecked(false);
    });
    m_jointVerdicts[s] = new QLabel(page);
    m_jointVerdicts[s]->setObjectName(IndexedName("JointPageVerdict", s));
    m_jointVerdicts[s]->setTextFormat(Qt::RichText);
    auto *jointLine = new QHBoxLayout;
    jointLine->addWidget(m_jointVerdicts[s]);
    jointLine->addWidget(jointButton);
    lines->addLayout(jointLine, 2, 8, Qt::AlignRight);
    pageLayout->addWidget(views, 0, Qt::AlignLeft | Qt::AlignTop);
    pageLayout->addStretch(1);
    scroll->setWidget(page);
    if (!m_sheetShown)
        return;   // the window's first page, filled with the rest of it
    // A page built late is filled from the sheet as the others were.
    LoadCaptions(page);
    const bool wasShowing = m_showing;
    m_showing = true;
    showPageInputs(s);
    m_showing = wasShowing;
    applyPageRuleLayout(s);
    showPageDirectionCaptions(s);
    refreshPageNumbers(s);
    m_framing[s]->refresh();
    sizePage(s);
}

void CalcWindow::build2025Parts(int s)
{
    // Made when the page's sheet first comes under the 2025 rules: an old
    // sheet never shows them, and they were a good part of the time it
    // took to open a window.
    if (s >= Storeys2025 || m_storey2025[s])
        return;
    QWidget *page = m_pageScrollers[s]->widget();
    auto *pageLayout = static_cast<QVBoxLayout *>(page->layout());
    m_storey2025[s] = new Storey2025Panel(m_sheet, s, page);
    connect(m_storey2025[s], &Storey2025Panel::edited, this, &CalcWindow::on2025Edited);
    connect(m_storey2025[s], &Storey2025Panel::focused, this, [this] {
        showPrompt(QString::number(currentStorey() + 1) + Str(S::PromptStorey2025));
    });
    pageLayout->insertWidget(1, m_storey2025[s]);   // below the area lines

    m_quasiTitles[s] = new QLabel(Str(S::QuasiGridTitle), page);
    m_quasi[s] = new QuasiWallGrid(m_sheet, s, page);
    connect(m_quasi[s], &QuasiWallGrid::edited, this, &CalcWindow::on2025Edited);
    connect(m_quasi[s], &QuasiWallGrid::focused, this, [this] { showPrompt(Str(S::PromptQuasi)); });
    const int belowViews = pageLayout->indexOf(page->findChild<QStackedWidget *>(IndexedName("TSViews", s))) + 1;
    pageLayout->insertWidget(belowViews, m_quasiTitles[s]);
    pageLayout->insertWidget(belowViews + 1, m_quasi[s], 0, Qt::AlignLeft | Qt::AlignTop);

    // Made after the rest of the window, they would come last on Tab. The
    // quasi-bearing walls follow the balance button, and the balance check
    // when it has been opened.
    TabIntoAfter(m_framing[s], m_storey2025[s]);
    QWidget *aboveQuasi = page->findChild<QPushButton *>(IndexedName("cmdBalance", s));
    if (m_balance[s])
        aboveQuasi = TabIntoAfter(aboveQuasi, m_balance[s]);
    // Then the column check's button, and the column check when it has been opened.
    if (auto *columnButton = page->findChild<QPushButton *>(IndexedName("cmdColumns", s))) {
        aboveQuasi = TabIntoAfter(aboveQuasi, columnButton);
        if (m_columns[s])
            aboveQuasi = TabIntoAfter(aboveQuasi, m_columns[s]);
    }
    if (auto *jointButton = page->findChild<QPushButton *>(IndexedName("cmdJoints", s))) {
        aboveQuasi = TabIntoAfter(aboveQuasi, jointButton);
        if (m_joints[s])
            aboveQuasi = TabIntoAfter(aboveQuasi, m_joints[s]);
    }
    TabIntoAfter(aboveQuasi, m_quasi[s]);

    LoadCaptions(m_storey2025[s]);
    LoadCaptions(m_quasi[s]);
    const bool wasShowing = m_showing;
    m_showing = true;
    m_storey2025[s]->showSheet();
    m_showing = wasShowing;
    m_storey2025[s]->refreshNumbers();
    m_quasi[s]->refresh();
}

void CalcWindow::buildMenus()
{
    buildFileMenu();
    buildFormatMenu();
    buildViewMenu();
    buildWindowMenu();
    buildHelpMenu();
}

void CalcWindow::buildFileMenu()
{
    QMenu *file = MakeNamedMenu(this, QStringLiteral("mnuFile"), S::MenuFile, &m_menus);
    QAction *fileNew = makeAction(QStringLiteral("mnuFileNew"), S::MenuFileNew);
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction *fileOpen = makeAction(QStringLiteral("mnuFileOpen"), S::MenuFileOpen);
    fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction *fileClose = makeAction(QStringLiteral("mnuFileClose"), S::MenuFileClose);
    QAction *fileSave = makeAction(QStringLiteral("mnuFileSave"), S::MenuFileSave);
    fileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction *fileSaveAs = makeAction(QStringLiteral("mnuFileSaveAs"), S::MenuFileSaveAs);
    m_print = makeAction(QStringLiteral("mnuFilePrint"), S::MenuFilePrint);
    m_print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_print->setEnabled(false);   // until the sheet is set up
    QAction *preview = makeAction(QStringLiteral("mnuFilePreview"), S::PreviewItem);
    preview->setToolTip(Str(S::PreviewTitle));
    QAction *pdf = makeAction(QStringLiteral("mnuFilePdf"), S::PdfItem);
    pdf->setToolTip(Str(S::PdfTitle));
    m_jwExport = makeAction(QStringLiteral("mnuJWcomp"), S::MenuJwConvert);
    m_jwExport->setEnabled(false);
    QAction *fileExit = makeAction(QStringLiteral("mnuFileExit"), S::MenuFileExit);
    m_newOther = new QAction(this);
    m_newOther->setObjectName(QStringLiteral("mnuFileNewOther"));
    m_convert = makeAction(QStringLiteral("mnuConvert2025"), S::MenuConvert2025);
    file->addAction(fileNew);
    file->addAction(m_newOther);
    file->addAction(fileOpen);
    file->addAction(fileClose);
    AddNamedSeparator(file, this, QStringLiteral("mnuFileBer1"));
    file->addAction(fileSave);
    file->addAction(fileSaveAs);
    file->addAction(m_convert);
    AddNamedSeparator(file, this, QStringLiteral("mnuFileBer2"));
    file->addAction(m_print);
    file->addAction(preview);
    file->addAction(pdf);
    file->addAction(m_jwExport);
    AddNamedSeparator(file, this, QStringLiteral("mnuFileBer3"));
    file->addAction(fileExit);
    // mnuRecentFile(0) is the separator above the list; the documents fill
    // in the paths.
    for (int i = 0; i <= 5; ++i) {
        QAction *recent = i == 0 ? new QAction(this) : makeAction(IndexedName("mnuRecentFile", i), S::MenuFileExit + i);
        recent->setObjectName(IndexedName("mnuRecentFile", i));
        if (i == 0)
            recent->setSeparator(true);
        else
            OnChosen(recent, this, [this, recent] {
                if (m_host)
                    m_host->openRecentFile(RecentPathOf(recent));
            });
        recent->setVisible(false);
        file->addAction(recent);
        m_recentFiles << recent;
    }
    OnChosen(fileNew, this, [this] { if (m_host) m_host->newCalcWindow(); });
    OnChosen(m_newOther, this, [this] {
        if (m_host)
            m_host->newCalcWindow(ReadNewSheet2025() ? RuleSetKind::Old : RuleSetKind::Rules2025);
    });
    OnChosen(m_convert, this, [this] { convertTo2025(); });
    connect(file, &QMenu::aboutToShow, this, [this] { updateRuleMenus(); });
    OnChosen(fileOpen, this, [this] { if (m_host) m_host->openFileCommand(); });
    OnChosen(fileClose, this, [this] { closeCommand(); });
    OnChosen(fileSave, this, [this] { save(); });
    OnChosen(fileSaveAs, this, [this] { saveAs(); });
    OnChosen(m_print, this, [this] { print(); });
    OnChosen(preview, this, [this] { previewSheet(); });
    OnChosen(pdf, this, [this] { saveAsPdf(); });
    OnChosen(m_jwExport, this, [this] { exportJwCad(); });
    OnChosen(fileExit, this, [this] { if (m_host) m_host->closeFrame(); });
}

void CalcWindow::buildFormatMenu()
{
    QMenu *format = MakeNamedMenu(this, QStringLiteral("FormatSet"), S::MenuFormat, &m_menus);
    QMenu *merge = new QMenu(QString::number(S::MenuMergeCells), this);
    merge->setObjectName(QStringLiteral("Cell_Merge"));
    merge->menuAction()->setObjectName(QStringLiteral("Cell_Merge"));
    format->addMenu(merge);
    for (int k = 0; k < 3; ++k) {
        m_merge[k] = makeAction(IndexedName("T_Merge", k), S::MenuMergeItems + k);
        m_merge[k]->setCheckable(true);
        merge->addAction(m_merge[k]);
        OnChosen(m_merge[k], this, [this, k] { mergeFramingColumns(k); });
    }
    m_strongWindMark = makeAction(QStringLiteral("pafoWind"), S::StrongWindArea);
    m_strongWindMark->setCheckable(true);
    format->addAction(m_strongWindMark);
    OnChosen(m_strongWindMark, this, [this] { switchStrongWind(); });
}

void CalcWindow::buildViewMenu()
{
    QMenu *view = MakeNamedMenu(this, QStringLiteral("mnuView"), S::MenuView, &m_menus);
    m_toolbarMark = MarkedItem(makeAction(QStringLiteral("mnuViewToolbar"), S::MenuViewToolBar));
    m_statusBarMark = MarkedItem(makeAction(QStringLiteral("mnuViewStatusBar"), S::MenuViewStatusBar));
    m_listInputMark = MarkedItem(makeAction(QStringLiteral("mnuPaf"), S::MenuListInput));
    QAction *sort = makeAction(QStringLiteral("mnuViewSort"), S::MenuViewSortCells);
    QAction *hint = makeAction(QStringLiteral("mnuHint"), S::MenuAdvice);
    QAction *option = makeAction(QStringLiteral("mnuViewOption"), S::MenuViewOptions);
    view->addAction(m_toolbarMark);
    view->addAction(m_statusBarMark);
    AddNamedSeparator(view, this, QStringLiteral("mnuViewBar1"));
    view->addAction(m_listInputMark);
    view->addAction(sort);
    view->addAction(hint);
    AddNamedSeparator(view, this, QStringLiteral("mnuViewBar2"));
    view->addAction(option);
    OnChosen(m_toolbarMark, this, [this] { if (m_host) m_host->toggleToolbar(*m_toolbarMark); });
    OnChosen(m_statusBarMark, this, [this] { if (m_host) m_host->toggleStatusBar(*m_statusBarMark); });
    OnChosen(m_listInputMark, this, [this] {
        if (m_host)
            m_host->listLengthInput(*m_listInputMark);
        else
            setListInput(!listInput());
    });
    OnChosen(sort, this, [this] { sortFramingRows(); });
    OnChosen(hint, this, [this] { if (m_host) m_host->showHint(); });
    OnChosen(option, this, [this] { if (m_host) m_host->showOptions(); });
}

void CalcWindow::buildWindowMenu()
{
    m_windowMenu = MakeNamedMenu(this, QStringLiteral("mnuWindow"), S::MenuWindow, &m_menus);
    const char *arrangements[] = {"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical",
                                  "mnuWindowArrangeIcons"};
    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            AddNamedSeparator(m_windowMenu, this, QStringLiteral("mnuWindowBar"));
        QAction *item = makeAction(QLatin1String(arrangements[i]), S::MenuWindowArrangements + i);
        m_windowMenu->addAction(item);
        OnChosen(item, this, [this, i] { if (m_host) m_host->arrangeWindows(i); });
    }
}

void CalcWindow::buildHelpMenu()
{
    QMenu *help = MakeNamedMenu(this, QStringLiteral("mnuHelp"), S::MenuHelp, &m_menus);
    QAction *about = makeAction(QStringLiteral("mnuHelpAbout"), S::MenuHelpAbout);
    help->addAction(about);
    OnChosen(about, this, [this] { if (m_host) m_host->showAbout(); });
}

QAction *CalcWindow::action(const QString &name) const
{
    const QList<QAction *> all = findChildren<QAction *>(name);
    return all.isEmpty() ? nullptr : all.first();
}

// ---- set-up ------------------------------------------------------------------------------

void CalcWindow::setUpNewSheet()
{
    LoadCaptions(this);
    m_showing = true;
    m_tabs->setCurrentIndex(0);
    m_storeys[0]->setChecked(true);
    m_weights[0]->setChecked(true);
    m_showing = false;
    // The sheet was set up as new when it was made: one storey, light,
    // requirements 0.0000, empty rows, judgement sums 0.0000.
    showStoreyTabs(0);
    for (auto &merge : m_merge)
        merge->setChecked(false);
    m_listInputMark->setChecked(m_host ? m_host->listInputChecked() : ReadOnList());
    setDirectionCaptions(ReadPafKind());
    showSheet();
    layoutSizes();
    m_print->setEnabled(true);
    m_jwExport->setEnabled(true);
}

void CalcWindow::layoutSizes()
{
    int gridWidth = 0;
    int gridHeight = 0;
    for (FramingGrid *grid : m_framing) {
        if (!grid)
            continue;
        grid->setFixedSize(grid->contentWidth(), grid->contentHeight());
        gridWidth = std::max(gridWidth, grid->contentWidth());
        gridHeight = std::max(gridHeight, grid->contentHeight());
    }
    m_judgement->setFixedWidth(m_judgement->contentWidth());
    // The judgement grid is as high as the header inputs beside it.
    m_judgement->setFixedHeight(std::max(m_inputs->sizeHint().height(), TwipsToPixelsY(1900, this)));
    showStoreyTabs(m_sheet.storeyIndex);
    m_tabs->setMinimumWidth(gridWidth + TwipsToPixelsX(240, this));
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_framing[s])
            sizePage(s);
    }
    // The sizes set above change what the tabs and the scroller ask for,
    // which the layouts around them would otherwise learn only once shown
    // (and the window would be sized from what the pages asked for before).
    freshSizeHint(m_scroller->widget());
    m_tabs->updateGeometry();
    m_scroller->updateGeometry();
    adjustSize();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->adjustSize();
}

void CalcWindow::sizePage(int s)
{
    // The old pages show whole, as they always have; the taller 2025 pages
    // scroll below a height that still leaves the grids readable.
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    m_framing[s]->setFixedSize(m_framing[s]->contentWidth(), m_framing[s]->contentHeight());
    QScrollArea *scroll = m_pageScrollers[s];
    const QSize page = freshSizeHint(scroll->widget());
    const int height = rules2025 ? std::min(page.height(), TwipsToPixelsY(6000, this)) : page.height();
    // A page cut short scrolls, and its scroll bar takes room beside it.
    const int bar = height < page.height() ? scroll->verticalScrollBar()->sizeHint().width() : 0;
    scroll->setMinimumSize(page.width() + bar, height);
}

void CalcWindow::showPageInputs(int s)
{
    if (m_storey2025[s])
        m_storey2025[s]->showSheet();
    m_floorBoxes[s]->setText(m_sheet.floorArea[s]);
    for (const int w : {s, s + StoreyCount})
        m_wallBoxes[w]->setText(m_sheet.projectedArea[w]);
}

void CalcWindow::showSheet()
{
    m_showing = true;
    m_title->setText(m_sheet.titleName);
    // A file may store -1: no wall chosen, and the choice shows none.
    if (m_sheet.certifiedChoice < m_wall->count())
        m_wall->setCurrentIndex(std::max(m_sheet.certifiedChoice, -1));
    m_storeys[m_sheet.storeyIndex]->setChecked(true);
    m_weights[m_sheet.weightType]->setChecked(true);
    m_loads->showSheet();
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_framing[s])
            showPageInputs(s);
    }
    m_strongWindMark->setChecked(m_sheet.strongWind);
    for (int k = 0; k < 3; ++k)
        m_merge[k]->setChecked(m_sheet.merge[k]);
    m_showing = false;
    const bool wasShown2025 = m_loads->isVisibleTo(this);
    applyRuleLayout();
    // A file of the other rules changes what the window holds: it takes the
    // size of its new contents, as a new window does.
    if (wasShown2025 != m_loads->isVisibleTo(this))
        layoutSizes();
    showStoreyTabs(m_sheet.storeyIndex);
    for (BalancePanel *panel : m_balance) {
        if (panel)
            panel->refresh();
    }
    for (ColumnPanel *panel : m_columns) {
        if (panel)
            panel->refresh();
    }
    showRecalculated();
}

void CalcWindow::applyRuleLayout()
{
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    m_rulesLabel->setText(Str(S::RulesCaption) + RuleSetName(m_sheet.ruleSetKind()));
    m_weightFrame->setVisible(!rules2025);
    // A three-storey building is outside the 2025 rules.
    m_storeys[2]->setVisible(!rules2025);
    m_tabs->setTabVisible(2, !rules2025);
    m_loads->setVisible(rules2025);
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_framing[s])
            applyPageRuleLayout(s);
    }
    if (m_judgement->updateLayout()) {
        m_judgement->setFixedWidth(m_judgement->contentWidth());
        setDirectionCaptions(ReadPafKind());
    }
    if (!rules2025 && m_breakdown)
        m_breakdown->hide();
    updateRuleMenus();
}

void CalcWindow::applyPageRuleLayout(int s)
{
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    for (QWidget *part : m_floorLineParts[s])
        part->setVisible(!rules2025);
    if (rules2025)
        build2025Parts(s);
    if (m_storey2025[s]) {
        m_storey2025[s]->setVisible(rules2025);
        m_quasiTitles[s]->setVisible(rules2025);
        m_quasi[s]->setVisible(rules2025);
        m_quasi[s]->setFixedSize(m_quasi[s]->contentWidth(), m_quasi[s]->contentHeight());
    }
}

void CalcWindow::updateRuleMenus()
{
    const bool default2025 = ReadNewSheet2025();
    m_newOther->setText(Str(S::MenuFileNewOther)
                            .arg(RuleSetName(default2025 ? RuleSetKind::Old : RuleSetKind::Rules2025)));
    m_convert->setEnabled(m_sheet.ruleSetKind() == RuleSetKind::Old);
}

void CalcWindow::startSheet(RuleSetKind kind)
{
    m_document->setRuleSet(kind);
    m_sheet.changed = false;
    showSheet();
    layoutSizes();
}

bool CalcWindow::convertTo2025()
{
    if (m_sheet.ruleSetKind() == RuleSetKind::Rules2025)
        return false;
    QString reason = RulesFor(RuleSetKind::Rules2025).storeyRefusal(m_sheet.storeyIndex + 1);
    if (!reason.isEmpty()) {
        ShowMessage(window(), Str(S::ConvertRefused) + QLatin1Char('\n') + reason, MsgButtons::Ok,
                    MsgIcon::Exclamation, Str(S::AppTitle));
        return false;
    }
    const QString question = Str(S::ConvertQuestion).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    if (ShowMessage(window(), question, MsgButtons::YesNo, MsgIcon::Question, Str(S::AppTitle)) != MsgAnswer::Yes)
        return false;
    if (!m_document->setRuleSet(RuleSetKind::Rules2025, &reason))
        return false;
    showSheet();
    layoutSizes();
    markChanged();
    ShowMessage(window(), Str(S::ConvertDone).replace(QStringLiteral("\\n"), QStringLiteral("\n")),
                MsgButtons::Ok, MsgIcon::Information, Str(S::AppTitle));
    return true;
}

LwBreakdownWindow *CalcWindow::showBreakdown()
{
    if (!m_breakdown)
        m_breakdown = new LwBreakdownWindow(m_sheet, this);
    m_breakdown->refresh();
    m_breakdown->show();
    m_breakdown->raise();
    return m_breakdown;
}

void CalcWindow::on2025Edited()
{
    m_document->recalculate();
    markChanged();
}

void CalcWindow::refreshPageNumbers(int s)
{
    showValue(m_floorTimes[s], m_sheet.coefficient[s]);
    showValue(m_floorNeeded[s], m_sheet.floorRequirement[s]);
    for (const int w : {s, s + StoreyCount}) {
        showValue(m_wallTimes[w], m_sheet.windFactor[w]);
        showValue(m_wallNeeded[w], m_sheet.projectedRequirement[w]);
    }
    if (m_storey2025[s])
        m_storey2025[s]->refreshNumbers();
}

void CalcWindow::showRecalculated()
{
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_framing[s])
            refreshPageNumbers(s);
    }
    if (m_breakdown)
        m_breakdown->refresh();
    for (FramingGrid *grid : m_framing) {
        if (grid)
            grid->refresh();
    }
    for (QuasiWallGrid *grid : m_quasi) {
        if (grid)
            grid->refresh();
    }
    m_judgement->refresh();
    for (BalancePanel *panel : m_balance) {
        if (panel)
            panel->refreshResults();
    }
    for (ColumnPanel *panel : m_columns) {
        if (panel)
            panel->refreshResults();
    }
    refreshJoints();
}

BalancePanel *CalcWindow::balancePanel(int s)
{
    // Made when first shown: most sheets never open it, and three of them
    // made every window slower to open and larger.
    storeyPage(s);
    if (!m_balance[s]) {
        m_balance[s] = new BalancePanel(m_sheet, s, m_balanceLayouts[s]->parentWidget());
        connect(m_balance[s], &BalancePanel::sheetEdited, this, &CalcWindow::markChanged);
        m_balanceLayouts[s]->insertWidget(0, m_balance[s], 0, Qt::AlignLeft | Qt::AlignTop);
        // Tab goes from the button that opens it into the panel, not to the
        // end of the window, where a widget made last would otherwise sit.
        if (auto *button = findChild<QPushButton *>(IndexedName("cmdBalance", s)))
            TabIntoAfter(button, m_balance[s]);
        m_balance[s]->refresh();
    }
    return m_balance[s];
}

ColumnPanel *CalcWindow::columnPanel(int s)
{
    storeyPage(s);
    if (!m_columns[s]) {
        m_columns[s] = new ColumnPanel(m_sheet, s, m_columnLayouts[s]->parentWidget());
        connect(m_columns[s], &ColumnPanel::sheetEdited, this, &CalcWindow::markChanged);
        m_columnLayouts[s]->insertWidget(0, m_columns[s], 0, Qt::AlignLeft | Qt::AlignTop);
        if (auto *button = findChild<QPushButton *>(IndexedName("cmdColumns", s)))
            TabIntoAfter(button, m_columns[s]);
        m_columns[s]->refresh();
    }
    return m_columns[s];
}

JointPanel *CalcWindow::jointPanel(int s)
{
    storeyPage(s);
    if (!m_joints[s]) {
        m_joints[s] = new JointPanel(m_sheet, s, m_jointLayouts[s]->parentWidget());
        connect(m_joints[s], &JointPanel::sheetEdited, this, [this, s] {
            markChanged();
            for (int t = 0; t < StoreyCount; ++t)
                if (m_jointVerdicts[t])
                    m_jointVerdicts[t]->setText(m_sheet.joints[t].isBlank() ? QString()
                                                                            : JointVerdictText(m_sheet, t));
            // A storey-2 column's A is the pull on the column under it.
            if (m_joints[0] && s == 1)
                m_joints[0]->refresh();
        });
        m_jointLayouts[s]->insertWidget(0, m_joints[s]);
        if (auto *button = findChild<QPushButton *>(IndexedName("cmdJoints", s)))
            TabIntoAfter(button, m_joints[s]);
    }
    return m_joints[s];
}

void CalcWindow::refreshJoints()
{
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_joints[s])
            m_joints[s]->refresh();
        // Only a storey that lists columns has a joint verdict to show.
        if (m_jointVerdicts[s])
            m_jointVerdicts[s]->setText(m_sheet.joints[s].isBlank() ? QString() : JointVerdictText(m_sheet, s));
    }
}

void CalcWindow::refillCertifiedWalls()
{
    m_showing = true;
    m_wall->clear();
    const CertifiedWallList &walls = m_sheet.walls();
    if (walls.isEmpty()) {
        m_wall->addItem(Str(S::NotRegistered));
        m_wall->setEnabled(false);
    } else {
        for (const CertifiedWall &wall : walls)
            m_wall->addItem(wall.displayLine.isEmpty() ? WallDisplayLine(wall.name, wall.multiplier)
                                                       : wall.displayLine);
        m_wall->setEnabled(true);
    }
    m_wall->setCurrentIndex(0);
    m_sheet.certifiedChoice = 0;
    m_showing = false;
}

namespace {

// The direction captions of the grids' headings in a naming style.
std::array<QString, 2> GridDirectionCaptions(bool pafKind)
{
    if (pafKind) {
        const QString phrase = Str(S::ParallelWallArea).left(5);
        return {Str(S::ToGirders) + phrase, Str(S::ToBeams) + phrase};
    }
    return {Str(S::GirderDirectionWallArea).left(6), Str(S::BeamDirectionWallArea).left(6)};
}

} // namespace

void CalcWindow::setDirectionCaptions(bool pafKind)
{
    m_pafKind = pafKind;
    const std::array<QString, 2> captions = GridDirectionCaptions(pafKind);
    m_judgement->setDirectionCaptions(captions[0], captions[1]);
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_framing[s])
            showPageDirectionCaptions(s);
    }
}

void CalcWindow::showPageDirectionCaptions(int s)
{
    if (m_pafKind) {
        const QString phrase = Str(S::ParallelWallArea);
        m_hmLabels[s]->setText(Str(S::ToBeams) + phrase + Str(S::BeamAreaLetters + s));
        m_kmLabels[s]->setText(Str(S::ToGirders) + phrase + Str(S::GirderAreaLetters + s));
    } else {
        m_hmLabels[s]->setText(Str(S::BeamDirectionWallArea) + Str(S::BeamAreaLetters + s));
        m_kmLabels[s]->setText(Str(S::GirderDirectionWallArea) + Str(S::GirderAreaLetters + s));
    }
    const std::array<QString, 2> captions = GridDirectionCaptions(m_pafKind);
    m_framing[s]->setDirectionCaptions(captions[0] + Str(S::EnterDetailsSuffix),
                                       captions[1] + Str(S::EnterDetailsSuffix));
}

// ---- caption, list input, pages ------------------------------------------------------------

QString CalcWindow::caption() const
{
    return windowTitle();
}

void CalcWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

bool CalcWindow::listInput() const
{
    return m_listInputMark->isChecked();
}

void CalcWindow::setListInput(bool on)
{
    m_listInputMark->setChecked(on);
}

int CalcWindow::currentStorey() const
{
    return m_tabs->currentIndex();
}

void CalcWindow::showStorey(int s)
{
    m_tabs->setCurrentIndex(s);
}

void CalcWindow::showStoreyTabs(int i)
{
    m_tabs->setTabEnabled(1, i >= 1);
    m_tabs->setTabEnabled(2, i >= 2);
    m_judgement->sizeJudgementRows(i + 3);
}

void CalcWindow::showPrompt(const QString &text)
{
    if (m_host)
        m_host->setStatusText(text);
}

HintInput CalcWindow::hintInput() const
{
    const int s = currentStorey();
    HintInput input;
    input.pageCaption = m_tabs->tabText(s);
    const JudgementModel *model = m_judgement->judgementModel();
    input.directionCaptions = {model->index(0, JudgeNecessary0).data().toString(),
                               model->index(0, JudgeNecessary1).data().toString()};
    input.row = m_sheet.judgement[static_cast<size_t>(s)];
    input.module = ReadModule();
    return input;
}

void CalcWindow::markChanged()
{
    m_document->markChanged();
}

// ---- header inputs ------------------------------------------------------------------------

void CalcWindow::onTitleEdited(const QString &text)
{
    if (m_showing)
        return;
    const QString kept = WithoutDoubleQuotes(text);
    if (kept != text) {
        const int cursor = m_title->cursorPosition();
        m_title->setText(kept);   // comes back here with the kept text
        m_title->setCursorPosition(cursor);
        return;
    }
    m_sheet.titleName = text;
    markChanged();
}

bool CalcWindow::checkAreaText(QLineEdit *box, const QString &text)
{
    if (text.isEmpty())
        return true;
    const NumberCheck check = CheckNumberText(text);
    // An area is refused where a typed length is: a negative one would lower
    // the requirement below nothing.
    if (check == NumberCheck::Number && TextValue(text) >= 0)
        return true;
    ++m_areaChecks;
    if (check == NumberCheck::NotANumber)
        TellNotANumber(window());
    else
        TellInvalidNumber(window());
    --m_areaChecks;
    box->clear();   // the emptied box is handled as a change of its own
    return false;
}

void CalcWindow::onFloorAreaChanged(int s, const QString &text)
{
    if (m_showing || !checkAreaText(m_floorBoxes[s], text))
        return;
    m_sheet.SetFloorArea(s, text);
    m_document->tellRecalculated();
    markChanged();
}

void CalcWindow::onWallAreaChanged(int w, const QString &text)
{
    if (m_showing || !checkAreaText(m_wallBoxes[w], text))
        return;
    m_sheet.SetProjectedArea(w, text);
    m_document->tellRecalculated();
    markChanged();
}

void CalcWindow::normaliseAreaBox(QLineEdit *box)
{
    if (m_areaChecks > 0 || box->text().isEmpty())
        return;
    const QString plain = PlainSingleText(box->text());
    if (plain != box->text())
        box->setText(plain);
}

void CalcWindow::onStoreyCountChosen(int i)
{
    if (m_showing)
        return;
    // The storey count, the weight and the wall choice are saved with the
    // sheet, so changing one of them alone must not be lost on closing.
    const bool differs = m_sheet.storeyIndex != i;
    m_sheet.SetStoreyIndex(i);
    showStoreyTabs(i);
    showStorey(0);
    m_document->tellRecalculated();
    if (differs)
        markChanged();
}

void CalcWindow::onWeightTypeChosen(int i)
{
    if (m_showing)
        return;
    const bool differs = m_sheet.weightType != i;
    m_sheet.SetWeightType(i);
    m_document->tellRecalculated();
    if (differs)
        markChanged();
}

void CalcWindow::onWallChosen(int index)
{
    if (m_showing || index < 0)
        return;
    // Rows that already name a wall keep their text and are not re-evaluated.
    const bool differs = m_sheet.certifiedChoice != index;
    m_sheet.certifiedChoice = index;
    if (differs)
        markChanged();
}

void CalcWindow::onPageChosen(int page)
{
    if (m_showing || page < 0)
        return;
    showPrompt(QString::number(page + 1) + Str(S::PromptStoreyCalculation));
    m_sheet.RecalcStorey(page);
    m_document->tellRecalculated();
}

bool CalcWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const QString page = QString::number(currentStorey() + 1);
        if (watched == m_title)
            showPrompt(Str(S::PromptProjectName));
        else if (watched == m_wall)
            showPrompt(Str(S::PromptCertifiedWall));
        else if (std::find(m_storeys.begin(), m_storeys.end(), watched) != m_storeys.end())
            showPrompt(Str(S::PromptStoreys));
        else if (std::find(m_weights.begin(), m_weights.end(), watched) != m_weights.end())
            showPrompt(Str(S::PromptRoofWeight));
        else if (std::find(m_floorBoxes.begin(), m_floorBoxes.end(), watched) != m_floorBoxes.end())
            showPrompt(page + Str(S::PromptFloorArea));
        else if (std::find(m_wallBoxes.begin(), m_wallBoxes.end(), watched) != m_wallBoxes.end())
            showPrompt(page + Str(S::PromptProjectedAreas));
    } else if (event->type() == QEvent::FocusOut) {
        if (auto *box = qobject_cast<QLineEdit *>(watched); box && box != m_title)
            normaliseAreaBox(box);
    }
    return QWidget::eventFilter(watched, event);
}

// ---- commands ---------------------------------------------------------------------------------

void CalcWindow::closeCommand()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

bool CalcWindow::save()
{
    return m_host && m_host->saveDocument(*this);
}

bool CalcWindow::saveAs()
{
    return m_host && m_host->saveDocumentAs(*this);
}

bool CalcWindow::print()
{
    return PrintSheetCommand(this, m_sheet, caption(), PaperChoice::AsItIs);
}

void CalcWindow::previewSheet()
{
    PreviewSheetCommand(this, m_sheet, caption());
}

bool CalcWindow::saveAsPdf()
{
    return SaveSheetPdfCommand(this, m_sheet, caption());
}

bool CalcWindow::exportJwCad()
{
    return JwExportCommand(this, m_sheet, JwFolderInEffect());
}

bool CalcWindow::confirmClose()
{
    // A window on its own has no document to keep.
    return !m_host || m_host->confirmClose(*this);
}

void CalcWindow::sortFramingRows()
{
    const int s = currentStorey();
    m_sheet.SortFramingRows(s);
    m_framing[s]->refresh();
    m_title->setFocus();
}

void CalcWindow::mergeFramingColumns(int k)
{
    m_sheet.merge[k] = !m_sheet.merge[k];
    m_merge[k]->setChecked(m_sheet.merge[k]);
    for (FramingGrid *grid : m_framing) {
        if (grid)
            grid->updateSpans();
    }
}

void CalcWindow::switchStrongWind()
{
    // The factor is read from the settings at the moment of the switch.
    m_sheet.SwitchStrongWind(ReadWallCoefficient());
    m_strongWindMark->setChecked(m_sheet.strongWind);
    m_document->tellRecalculated();
    markChanged();
}

void CalcWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace quiren
