#pragma once

#include "core/calc/RuleSet.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace quiren {

class CalcWindow;

// The main window (frmMain): the frame that holds every calculation window,
// with the tool bar, the status bar and, while no calculation window is
// open, its own menu bar. While a calculation window is active its menus
// take the menu bar's place.
//
// Creating a MainWindow neither shows a splash window nor touches the
// single-instance server (both belong to the start-up in Startup.cpp), so
// tests can make one, call load() and drive it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The initialisation: reads the certified walls and the office data
    // (LoadOptionData) unless `loadOptionData` is false.
    explicit MainWindow(bool loadOptionData = true, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window's load: captions, placement, list input, then the first
    // window — a new untitled calculation window, or the file named on the
    // command line when `commandLine` is not empty.
    void load(const QString &commandLine = QString());

    // ---- calculation windows ------------------------------------------------
    QMdiArea *mdiArea() const { return m_mdi; }
    // Every open calculation window, in creation order.
    QList<CalcWindow *> calcWindows() const;
    // The active calculation window (the one whose menus are shown), or
    // nullptr when none is open.
    CalcWindow *activeCalcWindow() const;
    // Creates a calculation window in the frame, shows it and returns it. It
    // loads as a new sheet; the caller gives it its caption and number.
    CalcWindow *createCalcWindow();

    // ---- commands (menus and tool bar end here) ----------------------------
    // New (mnuFileNew of both windows, tool bar New).
    // Filled by the document work: document numbers and the DocumentTable.
    // The sheet follows the rules chosen in the options window.
    CalcWindow *newCalcWindow();
    // A new sheet of the given rules (the File menu's other rule set).
    CalcWindow *newCalcWindow(RuleSetKind kind);
    // Open (mnuFileOpen of both windows, tool bar Open).
    // Filled by the document work: the Open dialog and OpenCalcFile.
    void openFileCommand();
    // A file named on the command line at start, or handed over by a second
    // start of the program: opened as a document.
    // Filled by the document work: OpenCalcFile and the recent-files list.
    void openFileFromCommandLine(const QString &path);
    // A later start of the program handed over its command line: the file
    // is opened in a new document; an empty line only brings the frame to
    // the front.
    // Filled by the document work: OpenCalcFile (unless the file is open).
    void openHandedOverFile(const QString &commandLine);
    // Save of the active calculation window (tool bar Save).
    // Filled by the document work.
    void saveActiveWindow();
    // PrintActiveSheet (tool bar Print). Filled by the printing work.
    void printActiveSheet();
    // SortFramingRows on the active calculation window (tool bar Sort,
    // mnuViewSort of this window).
    void sortActiveWindow();
    // Options window (mnuViewOptions / mnuViewOption), modal over this window.
    // Filled by the options work.
    void showOptions();
    // Advice window (mnuHint, tool bar Info), modal over this window.
    // Filled by the advice work.
    void showHint();
    // About window (mnuHelpAbout of both windows).
    void showAbout();
    // mnuFileExit of this window: ends the program at once, the placement
    // is not stored.
    void exitProgram();

    // ListLengthInput: inverts the list-input check mark of `window` (this
    // window or a calculation window), makes tool bar button "List" follow
    // it and stores "OnList".
    void listLengthInput(QWidget *window);
    // ToggleToolbar / ToggleStatusBar for this window or a calculation window.
    void toggleToolbar(QWidget *window);
    void toggleStatusBar(QWidget *window);
    // Window arrangement: 0 cascade, 1 tile one above the other, 2 side by
    // side, 3 arrange the icons of minimised windows.
    void arrangeWindows(int arrangement);

    // Closes every calculation window; false when one of them refused (its
    // close question was answered Cancel) and windows are left open.
    // The document work adds the close questions of all windows first.
    bool closeAllCalcWindows();

    // The document commands (tool bar Save, Print, Sort, List, Info and the
    // menu items mnuPaf, mnuViewSort, mnuHint of this window) are available
    // exactly while a calculation window is open.
    void setDocumentCommandsEnabled(bool enabled);

    // ---- state other windows read ---------------------------------------------
    // Panel 1 of the status bar.
    void setStatusText(const QString &text);
    QString statusText() const;
    // The list-input check mark of this window's mnuPaf (copied by each new
    // calculation window).
    bool listInputChecked() const;
    // A named menu item or tool bar button of this window (mnuFileNew,
    // mnuViewToolbar, ..., tool bar buttons by their keys "New" ... "Info").
    QAction *action(const QString &name) const;
    QAction *toolButton(const QString &key) const;
    // mnuRecentFile(0) (the separator) to mnuRecentFile(5) of this window.
    QList<QAction *> recentFileActions() const { return m_recentFiles; }
    // This window's own menus (shown while no calculation window is open).
    QList<QMenu *> ownMenus() const { return m_ownMenus; }
    QToolBar *toolBar() const { return m_toolBar; }

    // Stores the placement (twips) under "MainLeft" ... "MainHeight".
    void storePlacement();

signals:
    // A calculation window has been created and shown (documents can number
    // it), and one has been destroyed.
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
    void onToolButton(const QString &key);
    void onCalcWindowDestroyed();
    void fillWindowMenu(QMenu *menu);

    QAction *makeAction(const QString &name, int caption);

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QTimer *m_clock = nullptr;
    QList<QMenu *> m_ownMenus;
    QList<QAction *> m_recentFiles;
    QList<QMenu *> m_shownMenus;
    bool m_storePlacementOnClose = true;
    bool m_hadCalcWindow = false;
};

} // namespace quiren
