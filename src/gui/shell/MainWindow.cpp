#include "gui/shell/MainWindow.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/shell/FileAssociation.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/documents/DocumentCommands.h"
#include "gui/print/PrintCommands.h"
#include "gui/shell/SplashWindow.h"
#include "gui/shell/Startup.h"
#include "gui/settings/OptionsWindow.h"
#include "gui/shell/MainCommands.h"
#include "gui/shell/WindowArrangement.h"
#include "gui/shell/AboutWindow.h"
#include "gui/tools/ComDlg.h"
#include "gui/tools/Hint.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <functional>

// The program's images (tool bar and program icon) live in a resource
// compiled into the window library.
static void initQuirenResources()
{
    Q_INIT_RESOURCE(quiren);
}

namespace quiren {

MainWindow::MainWindow(bool loadOptionData, QWidget *parent)
    : QMainWindow(parent)
{
    initQuirenResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Str(S::AppTitle));
    setWindowIcon(PngIcon(ProgramIconPath()));
    setContextMenuPolicy(Qt::NoContextMenu);
    if (loadOptionData)
        LoadOptionData();

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { updateMenuBar(); });

    m_commands = new MainCommands(*this);
    for (QMenu *menu : m_commands->menus())
        menuBar()->addMenu(menu);
    buildToolBar();
    buildStatusBar();
    setDocumentCommandsEnabled(false);
    updateMenuBar();
}

MainWindow::~MainWindow()
{
    // The frame hides its sub-windows while ~QWidget runs, after this
    // object's own part is gone; the area's activation signal must not
    // reach updateMenuBar() then.
    disconnect(m_mdi, nullptr, this, nullptr);
    // The calculation windows go first, while the frame they call is whole.
    qDeleteAll(m_mdi->subWindowList());
}

void MainWindow::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->toggleViewAction()->setVisible(false);
    m_toolBar->setIconSize(QSize(24, 24));

    // Buttons: key (the button's name is "tb" & key), tool-tip string,
    // image, the member that keeps it (when the document commands switch
    // it) and its command. An empty key is a separator.
    struct Button {
        const char *key;
        int tip;
        const char *image;
        QAction *MainWindow::*kept;
        std::function<void()> command;
    };
    const Button buttons[] = {
        {"New", S::ToolNew, "new", nullptr, [this] { newCalcWindow(); }},
        {"Open", S::ToolOpen, "open", nullptr, [this] { openFileCommand(); }},
        {"Save", S::ToolSave, "save", &MainWindow::m_toolSave, [this] { saveActiveWindow(); }},
        {"", 0, nullptr, nullptr, nullptr},
        {"Print", S::ToolPrint, "print", &MainWindow::m_toolPrint, [this] { printActiveSheet(); }},
        {"", 0, nullptr, nullptr, nullptr},
        {"Sort", S::ToolSortCells, "sort", &MainWindow::m_toolSort, [this] { sortActiveWindow(); }},
        {"List", S::ToolListInput, "list", &MainWindow::m_toolList, [this] { onListButton(); }},
        {"Info", S::MenuAdvice, "info", &MainWindow::m_toolInfo, [this] { showHint(); }},
    };
    for (const Button &entry : buttons) {
        if (!*entry.key) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(entry.key);
        const QIcon icon = PngIcon(QStringLiteral(":/quiren/icons/%1.png").arg(QLatin1String(entry.image)));
        auto *button = new QAction(icon, key, this);
        button->setObjectName(QStringLiteral("tb") + key);
        button->setToolTip(QString::number(entry.tip));
        if (entry.kept)
            this->*entry.kept = button;
        connect(button, &QAction::triggered, this, entry.command);
        m_toolBar->addAction(button);
    }
    // The button of the list input changes its pressed state itself.
    m_toolList->setCheckable(true);
    m_toolList->setChecked(true);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StBar"));
    bar->setSizeGripEnabled(true);
    m_statusText = new QLabel(Str(S::StatusText), bar);
    m_statusText->setObjectName(QStringLiteral("StBarText"));
    m_statusText->setFrameShape(QFrame::Panel);
    m_statusText->setFrameShadow(QFrame::Sunken);
    m_statusDate = new QLabel(bar);
    m_statusDate->setObjectName(QStringLiteral("StBarDate"));
    m_statusTime = new QLabel(bar);
    m_statusTime->setObjectName(QStringLiteral("StBarTime"));
    for (QLabel *panel : {m_statusDate, m_statusTime}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFixedWidth(TwipsToPixelsX(2540, this));
    }
    bar->addWidget(m_statusText, 1);
    bar->addPermanentWidget(m_statusDate);
    bar->addPermanentWidget(m_statusTime);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
    m_clock->start();
    updateClock();
}

void MainWindow::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_statusDate->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
    m_statusTime->setText(now.time().toString(QStringLiteral("H:mm")));
}

QAction *MainWindow::action(const QString &name) const
{
    for (QAction *item : findChildren<QAction *>(name, Qt::FindDirectChildrenOnly))
        return item;
    // A menu's own item (mnuWindow, Cell_Merge) belongs to its menu.
    for (QMenu *menu : findChildren<QMenu *>(name, Qt::FindDirectChildrenOnly))
        return menu->menuAction();
    return nullptr;
}

QAction *MainWindow::toolButton(const QString &key) const
{
    return action(QStringLiteral("tb") + key);
}

// ---- load ----------------------------------------------------------------------------------

void MainWindow::load(const QString &commandLine)
{
    LoadCaptions(this);
    const bool placementStored =
        !ReadQuiren(QString::fromLatin1(SectionSettings), QStringLiteral("MainWidth")).isEmpty();
    applyPlacement();
    const bool onList = ReadOnList();
    m_commands->listInputMark()->setChecked(onList);
    m_toolList->setChecked(onList);
    m_growingForFirstWindow = !placementStored;
    if (commandLine.isEmpty()) {
        m_openingEmptyFirstWindow = true;
        newCalcWindow();
        m_openingEmptyFirstWindow = false;
    } else {
        for (const QString &path : commandLine.split(CommandLineFileSeparator, Qt::SkipEmptyParts))
            openFileFromCommandLine(path);
    }
    // The one file dialog of the run belongs to this window.
    CommonDialog().OwnerhWnd = this;
    if (m_growingForFirstWindow)
        fitFirstCalcWindow();
    m_growingForFirstWindow = false;
}

// ---- calculation windows ---------------------------------------------------------------------

QList<CalcWindow *> MainWindow::calcWindows() const
{
    QList<CalcWindow *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (auto *calc = qobject_cast<CalcWindow *>(sub->widget()))
            windows << calc;
    }
    return windows;
}

CalcWindow *MainWindow::activeCalcWindow() const
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    if (!sub)
        sub = m_mdi->currentSubWindow();
    if (sub) {
        if (auto *calc = qobject_cast<CalcWindow *>(sub->widget()))
            return calc;
    }
    const QList<CalcWindow *> windows = calcWindows();
    return windows.isEmpty() ? nullptr : windows.last();
}

CalcWindow *MainWindow::createCalcWindow(RuleSetKind kind)
{
    setDocumentCommandsEnabled(true);
    // The window a start opens on: the page of its storey is built after the
    // window's first picture when it would lie below what the frame shows.
    const bool pageMayWait = m_openingEmptyFirstWindow && !m_growingForFirstWindow;
    auto *calc = new CalcWindow(this, kind, nullptr,
                                pageMayWait ? CalcWindow::ShownPage::Later : CalcWindow::ShownPage::WithWindow);
    // The first calculation window has loaded: the splash window goes.
    CloseSplashWindow();
    QMdiSubWindow *sub = m_mdi->addSubWindow(calc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    connect(calc, &QObject::destroyed, this, &MainWindow::onCalcWindowDestroyed, Qt::QueuedConnection);
    // As large as it asks for, within the frame's room (on a first start the
    // frame grows for the first window instead: fitFirstCalcWindow).
    QSize wanted = sub->sizeHint();
    if (calc->shownPagePending()) {
        // Without the page the window is cut to the room already: with it,
        // only what lies below grows.
        const QSize room = windowRoom();
        if (wanted.width() >= room.width() && wanted.height() >= room.height()) {
            calc->buildShownPageAfterPaint();
        } else {
            calc->buildShownPage();
            wanted = sub->sizeHint();
        }
    }
    sub->resize(m_growingForFirstWindow ? wanted : wanted.boundedTo(windowRoom()));
    sub->show();
    keepInSight(sub);
    m_mdi->setActiveSubWindow(sub);
    updateMenuBar();
    emit calcWindowOpened(calc);
    return calc;
}

CalcWindow *MainWindow::newCalcWindow()
{
    return NewCalcWindow(*this, ReadNewSheet2025() ? RuleSetKind::Rules2025 : RuleSetKind::Old);
}

CalcWindow *MainWindow::newCalcWindow(RuleSetKind kind)
{
    return NewCalcWindow(*this, kind);
}

void MainWindow::onCalcWindowDestroyed()
{
    updateMenuBar();
    emit calcWindowClosed();
}

void MainWindow::updateMenuBar()
{
    CalcWindow *calc = activeCalcWindow();
    // The last calculation window has gone: no document commands, and the
    // status bar's text panel is left with its own text.
    if (!calc && m_hadCalcWindow) {
        setDocumentCommandsEnabled(false);
        setStatusText(Str(S::StatusText));
    }
    m_hadCalcWindow = calc != nullptr;
    m_commands->update(calc);
    if (calc)
        m_toolList->setChecked(calc->listInput());
}

QList<QAction *> MainWindow::recentFileActions() const
{
    return m_commands->recentFileActions();
}

QList<QMenu *> MainWindow::menus() const
{
    return m_commands->menus();
}

void MainWindow::setDocumentCommandsEnabled(bool enabled)
{
    for (QAction *command : {m_toolSave, m_toolPrint, m_toolSort, m_toolList, m_toolInfo})
        command->setEnabled(enabled);
    for (QAction *command : m_commands->documentCommands())
        command->setEnabled(enabled);
}

bool MainWindow::closeAllCalcWindows()
{
    // Every window's close question first; nothing closes when one is
    // answered Cancel.
    if (!AskBeforeClosingAll(*this))
        return false;
    for (CalcWindow *calc : calcWindows()) {
        auto *sub = qobject_cast<QMdiSubWindow *>(calc->parentWidget());
        if (sub && !sub->close())
            return false;
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closeAllCalcWindows()) {
        event->ignore();
        return;
    }
    if (m_storePlacementOnClose && !isMinimized())
        storePlacement();
    event->accept();
}

// ---- commands -----------------------------------------------------------------------------------

void MainWindow::openFileCommand()
{
    OpenFileCommand(*this);
}

void MainWindow::openRecentFile(const QString &path)
{
    OpenRecentFile(*this, path);
}

bool MainWindow::saveDocument(CalcWindow &window)
{
    return SaveCommand(*this, window);
}

bool MainWindow::saveDocumentAs(CalcWindow &window)
{
    return SaveAsCommand(*this, window);
}

bool MainWindow::confirmClose(CalcWindow &window)
{
    return ConfirmCloseCalcWindow(*this, window);
}

void MainWindow::openFileFromCommandLine(const QString &path)
{
    OpenCommandLineFile(*this, path);
}

void MainWindow::openHandedOverFile(const QString &commandLine)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    for (const QString &path : commandLine.split(CommandLineFileSeparator, Qt::SkipEmptyParts))
        OpenCommandLineFile(*this, path);
}

void MainWindow::saveActiveWindow()
{
    if (CalcWindow *calc = activeCalcWindow())
        calc->save();
}

void MainWindow::printActiveSheet()
{
    if (CalcWindow *calc = activeCalcWindow())
        PrintSheetCommand(this, calc->sheet(), calc->caption(), PaperChoice::A4Portrait);
}

void MainWindow::sortActiveWindow()
{
    if (CalcWindow *calc = activeCalcWindow())
        calc->sortFramingRows();
}

void MainWindow::showOptions()
{
    // frmOptions, modal over this window. Its Apply refills the certified-wall
    // choice of the active calculation window only, and rewrites the
    // direction captions of every one.
    struct Host : OptionsHost {
        MainWindow *main;
        explicit Host(MainWindow *window) : main(window) {}
        void refillActiveWallChoice(const CertifiedWallList &) override
        {
            if (CalcWindow *calc = main->activeCalcWindow())
                calc->refillCertifiedWalls();
        }
        void SetDirectionCaptions(bool pafKind) override
        {
            for (CalcWindow *calc : main->calcWindows())
                calc->setDirectionCaptions(pafKind);
        }
    } host(this);
    OptionsWindow::showModal(this, &host);
}

void MainWindow::showHint()
{
    const CalcWindow *calc = activeCalcWindow();
    if (!calc)
        return;
    const HintInput input = calc->hintInput();
    ShowHint(this, &input);
}

void MainWindow::showAbout()
{
    AboutWindow about(this);
    about.exec();
}

void MainWindow::exitProgram()
{
    m_storePlacementOnClose = false;
    if (!close())
        m_storePlacementOnClose = true;
}

void MainWindow::closeFrame()
{
    close();
}

void MainWindow::onListButton()
{
    // The button has already changed its pressed state.
    CalcWindow *calc = activeCalcWindow();
    if (!calc) {
        m_toolList->setChecked(!m_toolList->isChecked());
        return;
    }
    calc->setListInput(!calc->listInput());
    m_toolList->setChecked(calc->listInput());
    m_commands->listInputMark()->setChecked(calc->listInput());
    WriteOnList(calc->listInput());
}

void MainWindow::listLengthInput()
{
    QAction *mark = m_commands->listInputMark();
    bool on = !mark->isChecked();
    if (CalcWindow *calc = activeCalcWindow()) {
        calc->setListInput(!calc->listInput());
        on = calc->listInput();
    }
    mark->setChecked(on);
    m_toolList->setChecked(on);
    WriteOnList(on);
}

bool MainWindow::listInputChecked() const
{
    return m_commands->listInputMark()->isChecked();
}

void MainWindow::toggleToolbar()
{
    const bool shown = !m_commands->toolbarMark()->isChecked();
    m_commands->toolbarMark()->setChecked(shown);
    m_toolBar->setVisible(shown);
}

void MainWindow::toggleStatusBar()
{
    const bool shown = !m_commands->statusBarMark()->isChecked();
    m_commands->statusBarMark()->setChecked(shown);
    statusBar()->setVisible(shown);
}

void MainWindow::arrangeWindows(int arrangement)
{
    ArrangeSubWindows(*m_mdi, arrangement);
}

void MainWindow::setStatusText(const QString &text)
{
    m_statusText->setText(text);
}

QString MainWindow::statusText() const
{
    return m_statusText->text();
}

} // namespace quiren
