#include "gui/shell/MainCommands.h"

#include "core/calc/RuleSet.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/shell/MainWindow.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace quiren {

namespace {

// The rule sets a new sheet can follow, in the order the File menu lists them.
constexpr RuleSetKind RuleSets[] = {RuleSetKind::Old, RuleSetKind::Rules2025};

} // namespace

MainCommands::MainCommands(MainWindow &main)
    : QObject(&main)
    , m_main(main)
{
    buildFileMenu();
    buildEditMenu();
    buildFormatMenu();
    buildViewMenu();
    buildWindowMenu();
    buildHelpMenu();
}

QAction *MainCommands::make(const QString &name, int caption)
{
    // The items are the main window's children, where its action() finds them.
    auto *item = new QAction(QString::number(caption), &m_main);
    item->setObjectName(name);
    return item;
}

void MainCommands::onActive(QAction *item, void (*command)(CalcWindow &))
{
    OnChosen(item, this, [this, command] {
        if (CalcWindow *calc = m_main.activeCalcWindow()) {
            // What is being typed counts: a command sees it as if the box had been left.
            CommitTyping(calc);
            command(*calc);
            update(m_main.activeCalcWindow());
        }
    });
}

void MainCommands::buildFileMenu()
{
    QMenu *file = MakeNamedMenu(&m_main, QStringLiteral("mnuFile"), S::MenuFile, &m_menus);
    QAction *fileNew = make(QStringLiteral("mnuFileNew"), S::MenuFileNew);
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    OnChosen(fileNew, this, [this] { m_main.newCalcWindow(); });
    file->addAction(fileNew);
    // A new sheet under each rule set, named in the item.
    for (const RuleSetKind kind : RuleSets) {
        auto *item = new QAction(&m_main);
        item->setObjectName(IndexedName("mnuFileNewRules", static_cast<int>(m_newItems.size())));
        OnChosen(item, this, [this, kind] { m_main.newCalcWindow(kind); });
        file->addAction(item);
        m_newItems << item;
    }
    updateNewItems();
    QAction *fileOpen = make(QStringLiteral("mnuFileOpen"), S::MenuFileOpen);
    fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    OnChosen(fileOpen, this, [this] { m_main.openFileCommand(); });
    file->addAction(fileOpen);
    // Ctrl+F4 is the frame's own (QMdiSubWindow), through the close question.
    QAction *fileClose = make(QStringLiteral("mnuFileClose"), S::MenuFileClose);
    onActive(fileClose, [](CalcWindow &calc) { calc.closeCommand(); });
    file->addAction(fileClose);
    m_documentItems << fileClose;
    AddNamedSeparator(file, &m_main, QStringLiteral("mnuFileBer1"));

    QAction *fileSave = make(QStringLiteral("mnuFileSave"), S::MenuFileSave);
    fileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    onActive(fileSave, [](CalcWindow &calc) { calc.save(); });
    QAction *fileSaveAs = make(QStringLiteral("mnuFileSaveAs"), S::MenuFileSaveAs);
    onActive(fileSaveAs, [](CalcWindow &calc) { calc.saveAs(); });
    m_convert = make(QStringLiteral("mnuConvert2025"), S::MenuConvert2025);
    onActive(m_convert, [](CalcWindow &calc) { calc.convertTo2025(); });
    m_convertOld = make(QStringLiteral("mnuConvertOld"), S::MenuConvertOld);
    onActive(m_convertOld, [](CalcWindow &calc) { calc.convertToOldRules(); });
    QAction *print = make(QStringLiteral("mnuFilePrint"), S::MenuFilePrint);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    onActive(print, [](CalcWindow &calc) { calc.print(); });
    QAction *preview = make(QStringLiteral("mnuFilePreview"), S::PreviewItem);
    preview->setToolTip(Str(S::PreviewTitle));
    onActive(preview, [](CalcWindow &calc) { calc.previewSheet(); });
    QAction *pdf = make(QStringLiteral("mnuFilePdf"), S::PdfItem);
    pdf->setToolTip(Str(S::PdfTitle));
    onActive(pdf, [](CalcWindow &calc) { calc.saveAsPdf(); });
    QAction *jw = make(QStringLiteral("mnuJWcomp"), S::MenuJwConvert);
    onActive(jw, [](CalcWindow &calc) { calc.exportJwCad(); });
    m_documentItems << fileSave << fileSaveAs << m_convert << m_convertOld;
    file->addActions({fileSave, fileSaveAs, m_convert, m_convertOld});
    m_documentItems << AddNamedSeparator(file, &m_main, QStringLiteral("mnuFileBer2"));
    m_documentItems << print << preview << pdf << jw;
    file->addActions({print, preview, pdf, jw});
    m_documentItems << AddNamedSeparator(file, &m_main, QStringLiteral("mnuFileBer3"));

    // Exit from a calculation window closes the frame as its close box does
    // (the placement is kept); with none open it ends the program at once.
    QAction *fileExit = make(QStringLiteral("mnuFileExit"), S::MenuFileExit);
    OnChosen(fileExit, this, [this] {
        if (m_main.activeCalcWindow())
            m_main.closeFrame();
        else
            m_main.exitProgram();
    });
    file->addAction(fileExit);
    // mnuRecentFile(0) is the separator above the list; the documents fill
    // in the paths.
    for (int i = 0; i <= 5; ++i) {
        QAction *recent = i == 0 ? new QAction(&m_main) : make(IndexedName("mnuRecentFile", i), S::MenuFileExit + i);
        recent->setObjectName(IndexedName("mnuRecentFile", i));
        if (i == 0)
            recent->setSeparator(true);
        else
            OnChosen(recent, this, [this, recent] { m_main.openRecentFile(RecentPathOf(recent)); });
        recent->setVisible(false);
        file->addAction(recent);
        m_recentFiles << recent;
    }
    connect(file, &QMenu::aboutToShow, this, [this] { update(m_main.activeCalcWindow()); });
}

void MainCommands::buildEditMenu()
{
    QMenu *edit = MakeNamedMenu(&m_main, QStringLiteral("mnuEdit"), S::MenuEdit, &m_menus);
    m_documentItems << edit->menuAction();
    m_undo = make(QStringLiteral("mnuEditUndo"), S::MenuUndo);
    m_undo->setShortcut(QKeySequence::Undo);
    onActive(m_undo, [](CalcWindow &calc) { calc.document().history().undo(); });
    m_redo = make(QStringLiteral("mnuEditRedo"), S::MenuRedo);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    onActive(m_redo, [](CalcWindow &calc) { calc.document().history().redo(); });
    edit->addActions({m_undo, m_redo});
    m_undo->setEnabled(false);
    m_redo->setEnabled(false);
}

void MainCommands::followHistory(CalcWindow *active)
{
    for (const QMetaObject::Connection &link : m_historyLinks)
        disconnect(link);
    m_historyLinks.clear();
    QUndoStack *history = active ? &active->document().history() : nullptr;
    m_undo->setEnabled(history && history->canUndo());
    m_redo->setEnabled(history && history->canRedo());
    if (history) {
        m_historyLinks << connect(history, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled)
                       << connect(history, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    }
}

void MainCommands::buildFormatMenu()
{
    QMenu *format = MakeNamedMenu(&m_main, QStringLiteral("FormatSet"), S::MenuFormat, &m_menus);
    m_documentItems << format->menuAction();
    QMenu *merge = new QMenu(QString::number(S::MenuMergeCells), &m_main);
    merge->setObjectName(QStringLiteral("Cell_Merge"));
    merge->menuAction()->setObjectName(QStringLiteral("Cell_Merge"));
    format->addMenu(merge);
    static void (*const mergers[3])(CalcWindow &) = {
        [](CalcWindow &calc) { calc.mergeFramingColumns(0); },
        [](CalcWindow &calc) { calc.mergeFramingColumns(1); },
        [](CalcWindow &calc) { calc.mergeFramingColumns(2); },
    };
    for (int k = 0; k < 3; ++k) {
        m_merge[k] = make(IndexedName("T_Merge", k), S::MenuMergeItems + k);
        m_merge[k]->setCheckable(true);
        merge->addAction(m_merge[k]);
        onActive(m_merge[k], mergers[k]);
    }
    m_strongWindMark = make(QStringLiteral("pafoWind"), S::StrongWindArea);
    m_strongWindMark->setCheckable(true);
    format->addAction(m_strongWindMark);
    onActive(m_strongWindMark, [](CalcWindow &calc) { calc.switchStrongWind(); });
    connect(format, &QMenu::aboutToShow, this, [this] { update(m_main.activeCalcWindow()); });
}

void MainCommands::buildViewMenu()
{
    QMenu *view = MakeNamedMenu(&m_main, QStringLiteral("mnuView"), S::MenuView, &m_menus);
    m_toolbarMark = MarkedItem(make(QStringLiteral("mnuViewToolbar"), S::MenuViewToolBar));
    m_statusBarMark = MarkedItem(make(QStringLiteral("mnuViewStatusBar"), S::MenuViewStatusBar));
    m_listInputMark = MarkedItem(make(QStringLiteral("mnuPaf"), S::MenuListInput));
    m_sort = make(QStringLiteral("mnuViewSort"), S::MenuViewSortCells);
    m_hint = make(QStringLiteral("mnuHint"), S::MenuAdvice);
    QAction *options = make(QStringLiteral("mnuViewOptions"), S::MenuViewOptions);
    view->addAction(m_toolbarMark);
    view->addAction(m_statusBarMark);
    AddNamedSeparator(view, &m_main, QStringLiteral("mnuViewBar1"));
    view->addAction(m_listInputMark);
    view->addAction(m_sort);
    view->addAction(m_hint);
    AddNamedSeparator(view, &m_main, QStringLiteral("mnuViewBar2"));
    view->addAction(options);
    OnChosen(m_toolbarMark, this, [this] { m_main.toggleToolbar(); });
    OnChosen(m_statusBarMark, this, [this] { m_main.toggleStatusBar(); });
    OnChosen(m_listInputMark, this, [this] { m_main.listLengthInput(); });
    OnChosen(m_sort, this, [this] { m_main.sortActiveWindow(); });
    OnChosen(m_hint, this, [this] { m_main.showHint(); });
    OnChosen(options, this, [this] { m_main.showOptions(); });
    connect(view, &QMenu::aboutToShow, this, [this] { update(m_main.activeCalcWindow()); });
}

void MainCommands::buildWindowMenu()
{
    m_windowMenu = MakeNamedMenu(&m_main, QStringLiteral("mnuWindow"), S::MenuWindow, &m_menus);
    m_documentItems << m_windowMenu->menuAction();
    const char *arrangements[] = {"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical",
                                  "mnuWindowArrangeIcons"};
    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            AddNamedSeparator(m_windowMenu, &m_main, QStringLiteral("mnuWindowBar"));
        QAction *item = make(QLatin1String(arrangements[i]), S::MenuWindowArrangements + i);
        m_windowMenu->addAction(item);
        OnChosen(item, this, [this, i] { m_main.arrangeWindows(i); });
    }
    // The open windows are listed below the menu's own items.
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainCommands::fillWindowMenu);
}

void MainCommands::fillWindowMenu()
{
    // The fixed items stay; the list of open windows follows them.
    QMenu *menu = m_windowMenu;
    for (QAction *item : menu->actions()) {
        if (item->property("windowEntry").toBool()) {
            menu->removeAction(item);
            item->deleteLater();
        }
    }
    const QList<QMdiSubWindow *> subs = m_main.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    QAction *bar = menu->addSeparator();
    bar->setProperty("windowEntry", true);
    int n = 1;
    for (QMdiSubWindow *sub : subs) {
        auto *item = new QAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()), menu);
        item->setProperty("windowEntry", true);
        item->setCheckable(true);
        item->setChecked(sub == m_main.mdiArea()->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { m_main.mdiArea()->setActiveSubWindow(sub); });
        menu->addAction(item);
    }
}

void MainCommands::buildHelpMenu()
{
    QMenu *help = MakeNamedMenu(&m_main, QStringLiteral("mnuHelp"), S::MenuHelp, &m_menus);
    QAction *about = make(QStringLiteral("mnuHelpAbout"), S::MenuHelpAbout);
    help->addAction(about);
    OnChosen(about, this, [this] { m_main.showAbout(); });
}

void MainCommands::updateNewItems()
{
    for (int k = 0; k < m_newItems.size(); ++k)
        m_newItems[k]->setText(Str(S::MenuFileNewOther).arg(RuleSetName(RuleSets[k])));
}

void MainCommands::update(CalcWindow *active)
{
    for (QAction *item : m_documentItems)
        item->setVisible(active != nullptr);
    updateNewItems();
    followHistory(active);
    if (!active)
        return;
    const CalcSheet &sheet = active->sheet();
    m_convert->setEnabled(sheet.ruleSetKind() == RuleSetKind::Old);
    m_convertOld->setEnabled(sheet.ruleSetKind() == RuleSetKind::Rules2025);
    for (int k = 0; k < 3; ++k)
        m_merge[k]->setChecked(sheet.merge[k]);
    m_strongWindMark->setChecked(sheet.strongWind);
    m_listInputMark->setChecked(active->listInput());
}

} // namespace quiren
