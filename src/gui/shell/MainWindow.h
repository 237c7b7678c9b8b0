#pragma once

#include "core/calc/RuleSet.h"
#include "gui/calcwindow/CalcWindowHost.h"
#include "gui/documents/DocumentFrame.h"
#include "gui/documents/DocumentTable.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace quiren {

class CalcWindow;

// The main window (frmMain): the frame that holds every calculation window,
// with the tool bar, the status bar and, while no calculation window is
// open, its own menu bar. While a calculation window is active its menus
// take the menu bar's place, and the tool bar's document commands act on it.
//
// It is the host of its calculation windows (the commands of their menus
// that belong to the whole program) and the frame of the documents (their
// numbers and the recent files).
//
// Creating a MainWindow neither shows a splash window nor touches the
// single-instance server (both belong to the start-up in Startup.cpp), so
// tests can make one, call load() and drive it.
class MainWindow : public QMainWindow, public CalcWindowHost, public DocumentFrame {
    Q_OBJECT

public:
    // The initialisation: reads the certified walls and the office data
    // (LoadOptionData) unless `loadOptionData` is false.
    explicit MainWindow(bool loadOptionData = true, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window's load: captions, placement, list input, then the first
    // window — a new untitled calculation window, or the files named on the
    // command line (separated by CommandLineFileSeparator), each in a window
    // of its own, when `commandLine` is not empty.
    void load(const QString &commandLine = QString());

    // ---- calculation windows ------------------------------------------------
    QMdiArea *mdiArea() const { return m_mdi; }
    // Every open calculation window, in creation order.
    QList<CalcWindow *> calcWindows() const;
    // The active calculation window (the one whose menus are shown), or
    // nullptr when none is open.
    CalcWindow *activeCalcWindow() const;
    CalcWindow *createCalcWindow(RuleSetKind kind) override;

    // ---- commands (menus and tool bar end here) ----------------------------
    // New (mnuFileNew of both windows, tool bar New): document numbers and
    // the recent files in the new window's File menu. The sheet follows the
    // rules chosen in the options window.
    CalcWindow *newCalcWindow() override;
    // A new sheet of the given rules (the File menu's other rule set).
    CalcWindow *newCalcWindow(RuleSetKind kind) override;
    // Open (mnuFileOpen of both windows, tool bar Open): the Open dialog,
    // then the file unless it is open already.
    void openFileCommand() override;
    // mnuRecentFile(1..5) of any window.
    void openRecentFile(const QString &path) override;
    // A file named on the command line at start: opened as document 1.
    void openFileFromCommandLine(const QString &path);
    // A later start of the program handed over its command line: each file
    // is opened in a new document; an empty line only brings the frame to
    // the front.
    void openHandedOverFile(const QString &commandLine);
    // Save of the active calculation window (tool bar Save).
    void saveActiveWindow();
    // PrintActiveSheet (tool bar Print): A4 portrait is set first.
    void printActiveSheet();
    // SortFramingRows on the active calculation window (tool bar Sort,
    // mnuViewSort of this window).
    void sortActiveWindow();
    // Options window (mnuViewOptions / mnuViewOption), modal over this window.
    void showOptions() override;
    // Advice window (mnuHint, tool bar Info) for the active calculation
    // window, modal over this window; nothing opens without one.
    void showHint() override;
    // About window (mnuHelpAbout of both windows).
    void showAbout() override;
    // mnuFileExit of this window: ends the program at once, the placement
    // is not stored.
    void exitProgram();
    // mnuFileExit of a calculation window: closes this window as its close
    // box does (the placement is stored).
    void closeFrame() override;

    // ListLengthInput: inverts the list-input check mark `mark` (of this
    // window or a calculation window), makes tool bar button "List" follow
    // it and stores "OnList".
    void listLengthInput(QAction &mark) override;
    // ToggleToolbar / ToggleStatusBar with the check mark of this window or
    // of a calculation window; this window's own mark follows.
    void toggleToolbar(QAction &mark) override;
    void toggleStatusBar(QAction &mark) override;
    // Window arrangement: 0 cascade, 1 tile one above the other, 2 side by
    // side, 3 arrange the icons of minimised windows.
    void arrangeWindows(int arrangement) override;

    // Closes every calculation window after every close question; false
    // when one of them was answered Cancel and windows are left open.
    bool closeAllCalcWindows();

    // The document commands (tool bar Save, Print, Sort, List, Info and the
    // menu items mnuPaf, mnuViewSort, mnuHint of this window) are available
    // exactly while a calculation window is open.
    void setDocumentCommandsEnabled(bool enabled) override;

    // ---- documents -----------------------------------------------------------
    bool saveDocument(CalcWindow &window) override;
    bool saveDocumentAs(CalcWindow &window) override;
    bool confirmClose(CalcWindow &window) override;
    DocumentTable &documentTable() override { return m_documents; }
    QWidget *frameWidget() override { return this; }

    // ---- state other windows read ---------------------------------------------
    // Panel 1 of the status bar.
    void setStatusText(const QString &text) override;
    QString statusText() const;
    // The list-input check mark of this window's mnuPaf (copied by each new
    // calculation window).
    bool listInputChecked() const override;
    // A menu item or tool bar button of this window by its object name
    // (mnuFileNew, mnuViewToolbar, ...) or key ("New" ... "Info"), for
    // tests; nullptr when there is none.
    QAction *action(const QString &name) const;
    QAction *toolButton(const QString &key) const;
    // mnuRecentFile(0) (the separator) to mnuRecentFile(5) of this window.
    QList<QAction *> recentFileActions() const override { return m_recentFiles; }
    // This window's own menus (shown while no calculation window is open).
    QList<QMenu *> ownMenus() const { return m_ownMenus; }
    QToolBar *toolBar() const { return m_toolBar; }

    // Stores the placement (twips) under "MainLeft" ... "MainHeight".
    void storePlacement();

signals:
    // A calculation window has been created and shown, and one has been
    // destroyed.
    void calcWindowOpened(quiren::CalcWindow *window);
    void calcWindowClosed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void applyPlacement();
    void fitFirstCalcWindow();
    void updateMenuBar();
    void updateClock();
    void onListButton();
    void onCalcWindowDestroyed();
    void fillWindowMenu(QMenu *menu);

    QAction *makeAction(const QString &name, int caption);

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QTimer *m_clock = nullptr;
    DocumentTable m_documents;

    // This window's menu items.
    QAction *m_fileNew = nullptr;
    QAction *m_fileNewOther = nullptr;
    QAction *m_fileOpen = nullptr;
    QAction *m_fileExit = nullptr;
    QList<QAction *> m_recentFiles;
    QAction *m_toolbarMark = nullptr;
    QAction *m_statusBarMark = nullptr;
    QAction *m_listInputMark = nullptr;
    QAction *m_sort = nullptr;
    QAction *m_hint = nullptr;
    QAction *m_options = nullptr;
    QAction *m_about = nullptr;
    // The tool bar's buttons.
    QAction *m_toolSave = nullptr;
    QAction *m_toolPrint = nullptr;
    QAction *m_toolSort = nullptr;
    QAction *m_toolList = nullptr;
    QAction *m_toolInfo = nullptr;

    QList<QMenu *> m_ownMenus;
    QList<QMenu *> m_shownMenus;
    bool m_storePlacementOnClose = true;
    bool m_hadCalcWindow = false;
};

} // namespace quiren
