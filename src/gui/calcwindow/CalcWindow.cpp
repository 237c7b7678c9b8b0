#include "gui/calcwindow/CalcWindow.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindowHost.h"
#include "gui/calcwindow/BalancePanel.h"
#include "gui/calcwindow/CheckViews.h"
#include "gui/calcwindow/ColumnPanel.h"
#include "gui/calcwindow/JointPanel.h"
#include "gui/calcwindow/FramingGrid.h"
#include "gui/calcwindow/GridModels.h"
#include "gui/calcwindow/JudgementGrid.h"
#include "gui/calcwindow/LoadsGroup.h"
#include "gui/calcwindow/LwBreakdownWindow.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/calcwindow/QuasiWallGrid.h"
#include "gui/calcwindow/SheetHeader.h"
#include "gui/calcwindow/Storey2025Panel.h"
#include "gui/calcwindow/StoreyPage.h"
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

} // namespace

CalcWindow::CalcWindow(CalcWindowHost *host, RuleSetKind kind, QWidget *parent, ShownPage shownPage)
    : QWidget(parent)
    , m_host(host)
    , m_document(new SheetDocument(kind, this))
    , m_sheet(m_document->sheet())
{
    setObjectName(QStringLiteral("frmCalc"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls(shownPage);
    // The certified-wall choice is filled before the window loads.
    refillCertifiedWalls();
    setUpNewSheet();
    m_sheetShown = true;
    connect(m_document, &SheetDocument::edited, this, &CalcWindow::sheetChanged);
    connect(m_document, &SheetDocument::restored, this, [this] {
        showSheet();
        emit sheetChanged();
    });
}

CalcWindow::~CalcWindow() = default;

// ---- controls ------------------------------------------------------------------------

void CalcWindow::buildControls(ShownPage shownPage)
{
    m_header = new SheetHeader(*m_document, this);
    connect(m_header, &SheetHeader::promptRequested, this, &CalcWindow::showPrompt);
    connect(m_header, &SheetHeader::storeyCountChosen, this, [this](int i) {
        showStoreyTabs(i);
        showStorey(0);
    });

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
        scroll->setFocusPolicy(Qt::NoFocus);   // Tab goes to what it holds
        m_pageScrollers[s] = scroll;
        m_tabs->addTab(scroll, StoreyName(s));
    }
    if (shownPage == ShownPage::WithWindow)
        buildStoreyPage(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (page >= 0)
            storeyPage(page);
        onPageChosen(page);
    });

    m_loads = new LoadsGroup(m_sheet, this);
    connect(m_loads, &LoadsGroup::edited, this, [this] {
        m_document->recalculate();
        markChanged();
    });
    connect(m_loads, &LoadsGroup::breakdownRequested, this, [this] { showBreakdown(); });
    connect(m_loads, &LoadsGroup::focused, this, [this] { showPrompt(Str(S::PromptLoads)); });

    // Layout: the header inputs on the left, the judgement grid on the right,
    // the storey pages below.
    auto *top = new QHBoxLayout;
    top->addLayout(m_header->layout(), 1);
    top->addSpacing(TwipsToPixelsX(120, this));
    top->addWidget(m_judgement, 0, Qt::AlignTop);

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
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidget(contents);
    // The breakdown window, when docked, goes right of the scroller.
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroller);
    const int line = fontMetrics().height();
    setMinimumSize(20 * line, 10 * line);
    connect(m_document, &SheetDocument::recalculated, m_judgement, &JudgementGrid::refresh);
    // The checks' verdicts follow their inputs, which are stored without a recalculation.
    connect(m_document, &SheetDocument::edited, m_judgement, &JudgementGrid::refresh);
    connect(m_document, &SheetDocument::checkEdited, m_judgement, &JudgementGrid::refresh);
}

QWidget *CalcWindow::storeyPage(int s)
{
    if (!m_pages[s])
        buildStoreyPage(s);
    return m_pages[s];
}

bool CalcWindow::shownPagePending() const
{
    return !m_pages[m_tabs->currentIndex()];
}

void CalcWindow::buildShownPage()
{
    storeyPage(m_tabs->currentIndex());
    layoutSizes();
}

void CalcWindow::buildShownPageAfterPaint()
{
    CallAfterFirstPaint(window(), this, [this] {
        storeyPage(m_tabs->currentIndex());
        sizePages();
    });
}

StoreyPage *CalcWindow::page(int s)
{
    storeyPage(s);
    return m_pages[s];
}

void CalcWindow::buildStoreyPage(int s)
{
    QScrollArea *scroll = m_pageScrollers[s];
    auto *page = new StoreyPage(*m_document, s, scroll);
    m_pages[s] = page;
    page->setListInputSource([this] { return listInput(); });
    connect(page, &StoreyPage::promptRequested, this, &CalcWindow::showPrompt);
    scroll->setWidget(page);
    if (!m_sheetShown)
        return;   // the window's first page, filled with the rest of it
    // A page built late is filled from the sheet as the others were.
    LoadCaptions(page);
    page->showInputs();
    page->applyRuleLayout();
    page->setDirectionCaptions(m_pafKind);
    page->refreshNumbers();
    sizePage(s);
}

// ---- set-up ------------------------------------------------------------------------------

void CalcWindow::setUpNewSheet()
{
    LoadCaptions(this);
    m_showing = true;
    m_tabs->setCurrentIndex(0);
    m_showing = false;
    // The sheet was set up as new when it was made: one storey, light,
    // requirements 0.0000, empty rows, judgement sums 0.0000.
    showStoreyTabs(0);
    m_listInput = m_host ? m_host->listInputChecked() : ReadOnList();
    setDirectionCaptions(ReadPafKind());
    showSheet();
    layoutSizes();
}

void CalcWindow::layoutSizes()
{
    m_judgement->setFixedWidth(m_judgement->contentWidth());
    // The judgement grid is as high as the header inputs beside it.
    m_judgement->setFixedHeight(std::max(m_header->layout()->sizeHint().height(), TwipsToPixelsY(1900, this)));
    sizePages();
    adjustSize();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->adjustSize();
}

void CalcWindow::sizePages()
{
    int gridWidth = 0;
    for (StoreyPage *page : m_pages) {
        if (!page)
            continue;
        FramingGrid *grid = page->framingGrid();
        grid->setFixedSize(grid->contentWidth(), grid->contentHeight());
        gridWidth = std::max(gridWidth, grid->contentWidth());
    }
    showStoreyTabs(m_sheet.storeyIndex);
    m_tabs->setMinimumWidth(gridWidth + TwipsToPixelsX(240, this));
    for (int s = 0; s < StoreyCount; ++s) {
        if (m_pages[s])
            sizePage(s);
    }
    // The sizes set above change what the tabs and the scroller ask for,
    // which the layouts around them would otherwise learn only once shown
    // (and the window would be sized from what the pages asked for before).
    freshSizeHint(m_scroller->widget());
    m_tabs->updateGeometry();
    m_scroller->updateGeometry();
}

void CalcWindow::sizePage(int s)
{
    // The old pages show whole, as they always have; the taller 2025 pages
    // scroll below a height that still leaves the grids readable.
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    FramingGrid *grid = m_pages[s]->framingGrid();
    grid->setFixedSize(grid->contentWidth(), grid->contentHeight());
    QScrollArea *scroll = m_pageScrollers[s];
    const QSize page = freshSizeHint(scroll->widget());
    const int height = rules2025 ? std::min(page.height(), TwipsToPixelsY(6000, this)) : page.height();
    // A page cut short scrolls, and its scroll bar takes room beside it.
    const int bar = height < page.height() ? scroll->verticalScrollBar()->sizeHint().width() : 0;
    scroll->setMinimumSize(page.width() + bar, height);
}

void CalcWindow::showSheet()
{
    m_header->showSheet();
    m_loads->showSheet();
    for (StoreyPage *page : m_pages) {
        if (page)
            page->showInputs();
    }
    const bool wasShown2025 = m_loads->isVisibleTo(this);
    applyRuleLayout();
    // A file of the other rules changes what the window holds: it takes the
    // size of its new contents, as a new window does.
    if (wasShown2025 != m_loads->isVisibleTo(this))
        layoutSizes();
    showStoreyTabs(m_sheet.storeyIndex);
    m_document->tellReplaced();
    m_document->tellRecalculated();
}

void CalcWindow::applyRuleLayout()
{
    const bool rules2025 = m_sheet.ruleSetKind() == RuleSetKind::Rules2025;
    m_header->applyRuleLayout();
    m_tabs->setTabVisible(2, !rules2025);
    m_loads->setVisible(rules2025);
    for (StoreyPage *page : m_pages) {
        if (page)
            page->applyRuleLayout();
    }
    if (m_judgement->updateLayout()) {
        m_judgement->setFixedWidth(m_judgement->contentWidth());
        setDirectionCaptions(ReadPafKind());
    }
    if (!rules2025 && m_breakdown)
        m_breakdown->hide();
}

void CalcWindow::startSheet(RuleSetKind kind)
{
    m_document->setRuleSet(kind);
    showSheet();
    m_document->resetHistory();
    layoutSizes();
}

void CalcWindow::dockBreakdown(bool docked)
{
    if (!m_breakdown)
        return;
    m_breakdown->setDocked(docked);
    if (docked) {
        m_breakdown->setParent(this, Qt::Widget);
        // As wide as its figures; the inputs keep the rest.
        m_breakdown->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
        static_cast<QBoxLayout *>(layout())->addWidget(m_breakdown, 0);
    } else {
        layout()->removeWidget(m_breakdown);
        m_breakdown->setParent(this, Qt::Dialog);
    }
    m_breakdown->show();
}

LwBreakdownWindow *CalcWindow::showBreakdown()
{
    if (!m_breakdown) {
        m_breakdown = new LwBreakdownWindow(m_sheet, this);
        connect(m_document, &SheetDocument::recalculated, m_breakdown, &LwBreakdownWindow::refresh);
        connect(m_breakdown, &LwBreakdownWindow::dockRequested, this, &CalcWindow::dockBreakdown);
    }
    m_breakdown->refresh();
    m_breakdown->show();
    m_breakdown->raise();
    return m_breakdown;
}

Storey2025Panel *CalcWindow::storey2025Panel(int s)
{
    return page(s)->storey2025Panel();
}

QuasiWallGrid *CalcWindow::quasiGrid(int s)
{
    return page(s)->quasiGrid();
}

FramingGrid *CalcWindow::framingGrid(int s)
{
    return page(s)->framingGrid();
}

BalancePanel *CalcWindow::balancePanel(int s)
{
    return static_cast<BalancePanel *>(page(s)->checkView(BalanceView));
}

ColumnPanel *CalcWindow::columnPanel(int s)
{
    return static_cast<ColumnPanel *>(page(s)->checkView(ColumnView));
}

JointPanel *CalcWindow::jointPanel(int s)
{
    return static_cast<JointPanel *>(page(s)->checkView(JointView));
}

void CalcWindow::refillCertifiedWalls()
{
    m_header->refillCertifiedWalls();
}

void CalcWindow::setDirectionCaptions(bool pafKind)
{
    m_pafKind = pafKind;
    const std::array<QString, 2> captions = GridDirectionCaptions(pafKind);
    m_judgement->setDirectionCaptions(captions[0], captions[1]);
    for (StoreyPage *page : m_pages) {
        if (page)
            page->setDirectionCaptions(pafKind);
    }
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

void CalcWindow::setFilePath(const QString &path)
{
    setWindowFilePath(path);
    setCaption(path);
}

QAction *CalcWindow::action(const QString &name) const
{
    return m_host ? m_host->commandAction(name) : nullptr;
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
    input.directionCaptions = {model->directionCaption(0), model->directionCaption(1)};
    input.row = m_sheet.judgement[static_cast<size_t>(s)];
    input.module = ReadModule();
    return input;
}

void CalcWindow::markChanged()
{
    m_document->markChanged();
}

void CalcWindow::onPageChosen(int page)
{
    if (m_showing || page < 0)
        return;
    showPrompt(QString::number(page + 1) + Str(S::PromptStoreyCalculation));
    m_sheet.RecalcStorey(page);
    m_document->tellRecalculated();
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
    framingGrid(s)->refresh();
    m_header->focusTitle();
}

void CalcWindow::mergeFramingColumns(int k)
{
    m_sheet.merge[k] = !m_sheet.merge[k];
    for (StoreyPage *page : m_pages) {
        if (page)
            page->framingGrid()->updateSpans();
    }
}

void CalcWindow::switchStrongWind()
{
    // The factor is read from the settings at the moment of the switch.
    m_sheet.SwitchStrongWind(ReadWallCoefficient());
    m_document->tellRecalculated();
    markChanged();
}

void CalcWindow::closeEvent(QCloseEvent *event)
{
    // A value still being typed is part of the sheet the close question is about.
    CommitTyping(this);
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace quiren
