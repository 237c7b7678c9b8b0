#include "gui/shell/MainWindow.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/shell/FileAssociation.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/documents/DocumentCommands.h"
#include "gui/print/PrintCommands.h"
#include "gui/shell/SplashWindow.h"
#include "gui/settings/OptionsWindow.h"
#include "gui/shell/AboutWindow.h"
#include "gui/tools/ComDlg.h"
#include "gui/tools/Hint.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <cmath>
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
    setWindowIcon(QIcon(ProgramIconPath()));
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

    buildActions();
    buildMenus();
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

QAction *MainWindow::makeAction(const QString &name, int caption)
{
    auto *item = new QAction(QString::number(caption), this);
    item->setObjectName(name);
    return item;
}

void MainWindow::buildActions()
{
    m_fileNew = makeAction(QStringLiteral("mnuFileNew"), S::MenuFileNew);
    m_fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_fileOpen = makeAction(QStringLiteral("mnuFileOpen"), S::MenuFileOpen);
    m_fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_fileExit = makeAction(QStringLiteral("mnuFileExit"), S::MenuFileExit);
    OnChosen(m_fileNew, this, [this] { newCalcWindow(); });
    // A new sheet of the rules the options do not choose.
    m_fileNewOther = new QAction(this);
    m_fileNewOther->setObjectName(QStringLiteral("mnuFileNewOther"));
    OnChosen(m_fileNewOther, this, [this] {
        newCalcWindow(ReadNewSheet2025() ? RuleSetKind::Old : RuleSetKind::Rules2025);
    });
    OnChosen(m_fileOpen, this, [this] { openFileCommand(); });
    OnChosen(m_fileExit, this, [this] { exitProgram(); });
    // mnuRecentFile(0) is the separator above the list; the documents fill
    // in the paths.
    for (int i = 0; i <= 5; ++i) {
        QAction *recent = i == 0 ? new QAction(this) : makeAction(IndexedName("mnuRecentFile", i), S::MenuFileExit + i);
        recent->setObjectName(IndexedName("mnuRecentFile", i));
        if (i == 0)
            recent->setSeparator(true);
        else
            OnChosen(recent, this, [this, recent] { openRecentFile(RecentPathOf(recent)); });
        recent->setVisible(false);
        m_recentFiles << recent;
    }

    m_toolbarMark = MarkedItem(makeAction(QStringLiteral("mnuViewToolbar"), S::MenuViewToolBar));
    m_statusBarMark = MarkedItem(makeAction(QStringLiteral("mnuViewStatusBar"), S::MenuViewStatusBar));
    m_listInputMark = MarkedItem(makeAction(QStringLiteral("mnuPaf"), S::MenuListInput));
    m_sort = makeAction(QStringLiteral("mnuViewSort"), S::MenuViewSortCells);
    m_hint = makeAction(QStringLiteral("mnuHint"), S::MenuAdvice);
    m_options = makeAction(QStringLiteral("mnuViewOptions"), S::MenuViewOptions);
    OnChosen(m_toolbarMark, this, [this] { toggleToolbar(*m_toolbarMark); });
    OnChosen(m_statusBarMark, this, [this] { toggleStatusBar(*m_statusBarMark); });
    OnChosen(m_listInputMark, this, [this] { listLengthInput(*m_listInputMark); });
    OnChosen(m_sort, this, [this] { sortActiveWindow(); });
    OnChosen(m_hint, this, [this] { showHint(); });
    OnChosen(m_options, this, [this] { showOptions(); });

    m_about = makeAction(QStringLiteral("mnuHelpAbout"), S::MenuHelpAbout);
    OnChosen(m_about, this, [this] { showAbout(); });
}

void MainWindow::buildMenus()
{
    QMenu *file = MakeNamedMenu(this, QStringLiteral("mnuFile"), S::MenuFile, &m_ownMenus);
    file->addAction(m_fileNew);
    file->addAction(m_fileNewOther);
    connect(file, &QMenu::aboutToShow, m_fileNewOther, [this] {
        m_fileNewOther->setText(Str(S::MenuFileNewOther)
                                    .arg(RuleSetName(ReadNewSheet2025() ? RuleSetKind::Old : RuleSetKind::Rules2025)));
    });
    file->addAction(m_fileOpen);
    AddNamedSeparator(file, this, QStringLiteral("mnuFileBar1"));
    file->addAction(m_fileExit);
    file->addActions(m_recentFiles);

    QMenu *view = MakeNamedMenu(this, QStringLiteral("mnuView"), S::MenuView, &m_ownMenus);
    view->addAction(m_toolbarMark);
    view->addAction(m_statusBarMark);
    AddNamedSeparator(view, this, QStringLiteral("mnuViewBar"));
    view->addAction(m_listInputMark);
    view->addAction(m_sort);
    view->addAction(m_hint);
    AddNamedSeparator(view, this, QStringLiteral("mnuViewBar2"));
    view->addAction(m_options);

    QMenu *help = MakeNamedMenu(this, QStringLiteral("mnuHelp"), S::MenuHelp, &m_ownMenus);
    help->addAction(m_about);
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
        QIcon icon(QStringLiteral(":/quiren/icons/%1.png").arg(QLatin1String(entry.image)));
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
    m_listInputMark->setChecked(onList);
    m_toolList->setChecked(onList);
    if (commandLine.isEmpty())
        newCalcWindow();
    else
        openFileFromCommandLine(commandLine);
    // The one file dialog of the run belongs to this window.
    CommonDialog().OwnerhWnd = this;
    if (!placementStored)
        fitFirstCalcWindow();
}

void MainWindow::fitFirstCalcWindow()
{
    // The default size was chosen for smaller fonts than today's; on a first
    // start the frame grows until the first calculation window fits in it
    // (as far as the screen allows).
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    if (subs.isEmpty())
        return;
    const int frame = 2 * m_mdi->frameWidth() + 4;
    int chrome = frame;
    for (QWidget *bar : {static_cast<QWidget *>(menuBar()), static_cast<QWidget *>(m_toolBar),
                         static_cast<QWidget *>(statusBar())})
        chrome += bar->sizeHint().height();
    // What the window asks for, not the size it was given: a window that
    // did not fit the default frame has been cut to it already.
    QMdiSubWindow *first = subs.first();
    const QSize wanted = first->sizeHint().expandedTo(first->size());
    const QSize needed(wanted.width() + frame, wanted.height() + chrome);
    QRect area = geometry();
    area.setSize(area.size().expandedTo(needed));
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        area.setSize(area.size().boundedTo(available.size()));
        if (area.right() > available.right())
            area.moveRight(available.right());
        if (area.bottom() > available.bottom())
            area.moveBottom(available.bottom());
    }
    move(area.topLeft());
    resize(area.size());
    // On a small screen the window stays within the frame and scrolls.
    first->resize(wanted.boundedTo(area.size() - QSize(frame, chrome)));
}

void MainWindow::applyPlacement()
{
    const MainPlacement placement = ReadMainPlacement();
    QRect frame(TwipsToPixelsX(placement.left, this), TwipsToPixelsY(placement.top, this),
                TwipsToPixelsX(placement.width, this), TwipsToPixelsY(placement.height, this));
    frame.setWidth(std::max(frame.width(), 200));
    frame.setHeight(std::max(frame.height(), 150));

    // A placement that would leave the window off every screen (a screen
    // since removed, a changed resolution) is brought back onto the screen.
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(frame);
        if (overlap.width() >= 100 && overlap.height() >= 50)
            visible = true;
    }
    if (!visible) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            frame.setSize(frame.size().boundedTo(area.size()));
            frame.moveTopLeft(area.topLeft()
                              + QPoint(std::min(TwipsToPixelsX(1000, this), area.width() - frame.width()),
                                       std::min(TwipsToPixelsY(1000, this), area.height() - frame.height())));
        }
    }
    move(frame.topLeft());
    resize(frame.size());
}

void MainWindow::storePlacement()
{
    MainPlacement placement;
    const QPoint at = pos();
    placement.left = static_cast<float>(PixelsToTwipsX(at.x(), this));
    placement.top = static_cast<float>(PixelsToTwipsY(at.y(), this));
    placement.width = static_cast<float>(PixelsToTwipsX(width(), this));
    placement.height = static_cast<float>(PixelsToTwipsY(height(), this));
    WriteMainPlacement(placement);
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
    auto *calc = new CalcWindow(this, kind);
    // The first calculation window has loaded: the splash window goes.
    CloseSplashWindow();
    QMdiSubWindow *sub = m_mdi->addSubWindow(calc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    connect(calc, &QObject::destroyed, this, &MainWindow::onCalcWindowDestroyed, Qt::QueuedConnection);
    // The Window menu lists the open windows below its own items.
    QMenu *windowMenu = calc->windowMenu();
    connect(windowMenu, &QMenu::aboutToShow, this, [this, windowMenu] { fillWindowMenu(windowMenu); });
    sub->adjustSize();
    sub->show();
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
    const QList<QMenu *> menus = calc ? calc->menus() : m_ownMenus;
    if (menus == m_shownMenus)
        return;
    menuBar()->clear();
    for (QMenu *menu : menus)
        menuBar()->addMenu(menu);
    m_shownMenus = menus;
    if (calc)
        m_toolList->setChecked(calc->listInput());
}

void MainWindow::fillWindowMenu(QMenu *menu)
{
    // The fixed items stay; the list of open windows follows them.
    for (QAction *item : menu->actions()) {
        if (item->property("windowEntry").toBool()) {
            menu->removeAction(item);
            item->deleteLater();
        }
    }
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    QAction *bar = menu->addSeparator();
    bar->setProperty("windowEntry", true);
    int n = 1;
    for (QMdiSubWindow *sub : subs) {
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()), menu);
        item->setProperty("windowEntry", true);
        item->setCheckable(true);
        item->setChecked(sub == m_mdi->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
        menu->addAction(item);
    }
}

void MainWindow::setDocumentCommandsEnabled(bool enabled)
{
    for (QAction *command : {m_toolSave, m_toolPrint, m_toolSort, m_toolList, m_toolInfo, m_listInputMark, m_sort, m_hint})
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
    if (commandLine.isEmpty())
        return;
    OpenCommandLineFile(*this, commandLine);
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
    WriteOnList(calc->listInput());
}

void MainWindow::listLengthInput(QAction &mark)
{
    mark.setChecked(!mark.isChecked());
    m_toolList->setChecked(mark.isChecked());
    WriteOnList(mark.isChecked());
}

bool MainWindow::listInputChecked() const
{
    return m_listInputMark->isChecked();
}

void MainWindow::toggleToolbar(QAction &mark)
{
    mark.setChecked(!mark.isChecked());
    m_toolbarMark->setChecked(mark.isChecked());
    m_toolBar->setVisible(mark.isChecked());
}

void MainWindow::toggleStatusBar(QAction &mark)
{
    mark.setChecked(!mark.isChecked());
    m_statusBarMark->setChecked(mark.isChecked());
    statusBar()->setVisible(mark.isChecked());
}

void MainWindow::arrangeWindows(int arrangement)
{
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList(QMdiArea::CreationOrder);
    QList<QMdiSubWindow *> shown;
    QList<QMdiSubWindow *> minimised;
    for (QMdiSubWindow *sub : subs) {
        if (sub->isMinimized())
            minimised << sub;
        else
            shown << sub;
    }
    const QRect area = m_mdi->viewport()->rect();
    switch (arrangement) {
    case 0:
        m_mdi->cascadeSubWindows();
        break;
    case 1:
    case 2: {
        if (shown.isEmpty())
            break;
        const int n = static_cast<int>(shown.size());
        for (int i = 0; i < n; ++i) {
            shown[i]->showNormal();
            if (arrangement == 1) {
                const int h = area.height() / n;
                shown[i]->setGeometry(0, i * h, area.width(), h);
            } else {
                const int w = area.width() / n;
                shown[i]->setGeometry(i * w, 0, w, area.height());
            }
        }
        break;
    }
    case 3: {
        // Icons of minimised windows in a row along the bottom.
        int x = 0;
        for (QMdiSubWindow *sub : minimised) {
            const QSize size = sub->size();
            if (x + size.width() > area.width() && x > 0)
                x = 0;
            sub->move(x, area.height() - size.height());
            x += size.width();
        }
        break;
    }
    default:
        break;
    }
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
