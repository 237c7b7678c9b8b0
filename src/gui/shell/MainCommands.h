#pragma once

#include <QList>
#include <QObject>

#include <array>

class QAction;
class QMenu;

namespace quiren {

class CalcWindow;
class MainWindow;

// The program's one set of menu commands, made once in the main window as
// in Qt's MDI example: each command acts on the active calculation window,
// and update() enables, shows and checks them for it. The document
// commands (close, save, print, the Format and Window menus ...) are shown
// only while a calculation window is open, so the menu bar reads as it
// always has with and without one.
//
// Object names stay those the program has always used: mnuFileNew ...
// mnuHelpAbout, mnuRecentFile(0..5), T_Merge(0..2), pafoWind.
class MainCommands : public QObject {
    Q_OBJECT

public:
    explicit MainCommands(MainWindow &main);

    // In menu-bar order: File, Edit, Format, View, Window, Help.
    QList<QMenu *> menus() const { return m_menus; }
    QMenu *windowMenu() const { return m_windowMenu; }
    // mnuRecentFile(0) (the separator) to mnuRecentFile(5).
    QList<QAction *> recentFileActions() const { return m_recentFiles; }
    QAction *toolbarMark() const { return m_toolbarMark; }
    QAction *statusBarMark() const { return m_statusBarMark; }
    QAction *listInputMark() const { return m_listInputMark; }
    // The commands that need an open calculation window (mnuPaf, mnuViewSort,
    // mnuHint), switched with the tool bar's.
    QList<QAction *> documentCommands() const { return {m_listInputMark, m_sort, m_hint}; }

    // The commands shown, enabled and checked for `active` (nullptr while
    // no calculation window is open).
    void update(CalcWindow *active);

private:
    QAction *make(const QString &name, int caption);
    // A command on the active calculation window; the marks follow it after.
    void onActive(QAction *item, void (*command)(CalcWindow &));
    void buildFileMenu();
    void buildEditMenu();
    void followHistory(CalcWindow *active);
    void buildFormatMenu();
    void buildViewMenu();
    void buildWindowMenu();
    void buildHelpMenu();
    void updateNewItems();
    void fillWindowMenu();

    MainWindow &m_main;
    QList<QMenu *> m_menus;
    QList<QAction *> m_documentItems;   // shown only with a calculation window
    QList<QAction *> m_recentFiles;
    QList<QAction *> m_newItems;        // one per rule set
    QMenu *m_windowMenu = nullptr;
    QAction *m_convert = nullptr;
    QAction *m_convertOld = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QList<QMetaObject::Connection> m_historyLinks;   // the active window's undo history
    std::array<QAction *, 3> m_merge{};
    QAction *m_strongWindMark = nullptr;
    QAction *m_toolbarMark = nullptr;
    QAction *m_statusBarMark = nullptr;
    QAction *m_listInputMark = nullptr;
    QAction *m_sort = nullptr;
    QAction *m_hint = nullptr;
};

} // namespace quiren
