#pragma once

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QIcon;
class QMenu;
class QObject;
class QWidget;

// Small pieces every window of the program uses.
namespace quiren {

// The hourglass pointer for as long as the object lives.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    // Back to the ordinary pointer before the object ends (before a message).
    void release();

    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_active = true;
};

// The name of a member of a control array: IndexedName("Z_FA", 2) is "Z_FA(2)".
QString IndexedName(const char *name, int i);

// Runs `command` when the menu item is chosen. A check mark is left to the
// command: the item's own toggle is undone first.
void OnChosen(QAction *item, QObject *context, std::function<void()> command);

// A menu whose caption is the string number `caption` (LoadCaptions puts in
// the text), named `name` together with its menu-bar item; added to
// `keptIn` when one is given (the window's own list of its menus).
QMenu *MakeNamedMenu(QWidget *owner, const QString &name, int caption, QList<QMenu *> *keptIn = nullptr);

// `item` made a check-marked menu item, marked (the tool bar, the status bar
// and list input all start on).
QAction *MarkedItem(QAction *item);

// A separator line named `name`, owned by `owner` so that LoadCaptions and
// look-ups by name find it.
QAction *AddNamedSeparator(QMenu *menu, QObject *owner, const QString &name);

// A recent-file menu item shows `path` (a "&" doubled, so that it is not
// taken for an accelerator) and keeps it as its data.
void ShowRecentPath(QAction *item, const QString &path);
// The path a recent-file item stands for (its text while it has none).
QString RecentPathOf(const QAction *item);

// Tab reaches `group` and the controls inside it right after `previous`, in
// their own order; returns the last of them (`previous` when none takes
// Tab). A group made after the rest of its window would otherwise come
// last, however it is placed.
QWidget *TabIntoAfter(QWidget *previous, QWidget *group);

// The program's own PNG picture (a resource) as an icon. The tool bar's and
// the program's icons come from their pixels decoded at build time: reading
// a PNG has Qt look through its picture-format plugins first, which cost
// the start a millisecond. Any other is read as PNG straight away.
QIcon PngIcon(const QString &path);

// Calls `call` once `painted` has been painted for the first time (in the
// event loop's next turn, so that the picture is on the screen first); not
// at all when `context` goes before.
void CallAfterFirstPaint(QWidget *painted, QObject *context, std::function<void()> call);

} // namespace quiren
