#pragma once

#include "core/calc/RuleSet.h"
#include "gui/calcwindow/CalcWindowHost.h"
#include "gui/documents/DocumentFrame.h"
#include "gui/documents/DocumentTable.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace quiren {

class CalcWindow;
class MainCommands;

// The main window (frmMain): the frame that holds every calculation window,
// with the menu bar, the tool bar and the status bar. Its one set of
// commands (MainCommands) acts on the active calculation window and is
// enabled and checked for it.
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
    // New (mnuFileNew, tool bar New): the next document number. The sheet
    // follows the rules chosen in the options window.
    CalcWindow *newCalcWindow();
    // A new sheet of the given rules (the File menu's list of rule sets).
    CalcWindow *newCalcWindow(RuleSetKind kind);
    // Open (mnuFileOpen, tool bar Open): the Open dialog, then the file
    // unless it is open already.
    void openFileCommand();
    // mnuRecentFile(1..5).
    void openRecentFile(const QString &path);
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
    // mnuViewSort).
    void sortActiveWindow();
    // Options window (mnuViewOptions), modal over this window.
    void showOptions();
    // Advice window (mnuHint, tool bar Info) for the active calculation
    // window, modal over this window; nothing opens without one.
    void showHint();
    // About window (mnuHelpAbout).
    void showAbout();
    // mnuFileExit with no calculation window open: ends the program at
    // once, the placement is not stored.
    void exitProgram();
    // mnuFileExit with a calculation window open: closes this window as
    // its close box does (the placement is stored).
    void closeFrame();

    // ListLengthInput: inverts the list input of the active calculation
    // window (or, with none open, the mark new windows start with); the
    // mark and tool bar button "List" follow it, and "OnList" is stored.
    void listLengthInput();
    // ToggleToolbar / ToggleStatusBar: the bar is shown or hidden, its
    // mark follows.
    void toggleToolbar();
    void toggleStatusBar();
    // Window arrangement: 0 cascade, 1 tile one above the other, 2 side by
    // side, 3 arrange the icons of minimised windows.
    void arrangeWindows(int arrangement);

    // Closes every calculation window after every close question; false
    // when one of them was answered Cancel and windows are left open.
    bool closeAllCalcWindows();

    // The document commands (tool bar Save, Print, Sort, List, Info and the
    // menu items mnuPaf, mnuViewSort, mnuHint) are available
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
    // The list-input check mark mnuPaf (copied by each new calculation window).
    bool listInputChecked() const override;
    // A menu item or tool bar button by its object name (mnuFileNew,
    // mnuViewToolbar, ...) or key ("New" ... "Info"), for tests; nullptr
    // when there is none.
    QAction *action(const QString &name) const;
    QAction *commandAction(const QString &name) const override { return action(name); }
    QAction *toolButton(const QString &key) const;
    // mnuRecentFile(0) (the separator) to mnuRecentFile(5).
    QList<QAction *> recentFileActions() const override;
    // The menus, in menu-bar order (File, Format, View, Window, Help).
    QList<QMenu *> menus() const;
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
    void buildToolBar();
    void buildStatusBar();
    void applyPlacement();
    void fitFirstCalcWindow();
    // The room the calculation windows have: the frame's inside less its
    // menu, tool and status bars (known before the frame is first shown),
    // and the width and height those take.
    QSize windowRoom() const;
    QSize windowRoom(int &frame, int &chrome) const;
    // A calculation window placed where it overlaps the others least may
    // start left of the room when it is as wide as the room: it is moved
    // back, its title bar and close button in sight.
    void keepInSight(QMdiSubWindow *sub) const;
    void updateMenuBar();
    void updateClock();
    void onListButton();
    void onCalcWindowDestroyed();

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QTimer *m_clock = nullptr;
    DocumentTable m_documents;

    MainCommands *m_commands = nullptr;
    // The tool bar's buttons.
    QAction *m_toolSave = nullptr;
    QAction *m_toolPrint = nullptr;
    QAction *m_toolSort = nullptr;
    QAction *m_toolList = nullptr;
    QAction *m_toolInfo = nullptr;

    bool m_storePlacementOnClose = true;
    // On a first start the frame grows for the first window, which is not
    // cut to the frame's room.
    bool m_growingForFirstWindow = false;
    bool m_openingEmptyFirstWindow = false;   // the new sheet a start without files opens on
    bool m_hadCalcWindow = false;
};

} // namespace quiren
