// The document commands driven through the real windows: numbering of new
// windows, proposed names, Save and Save As, the close question, Exit, the
// recent-files menus, files already open, the command line and failed saves.
// File dialogs and message boxes are answered from scripts.
#include "core/documents/CalcFile.h"
#include "core/documents/RecentFiles.h"
#include "core/documents/SheetFile.h"
#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/documents/DocumentCommands.h"
#include "gui/documents/DocumentTable.h"
#include "gui/shell/MainWindow.h"
#include "gui/tools/ComDlg.h"
#include "gui/widgets/MessageBox.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <deque>
#include <memory>

namespace quiren {
namespace {

const QString QuestionTail = QStringLiteral("]内のデータは変更されています。\n変更を保存しますか？");

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppData::instance().walls.clear();
        // New sheets of the old rules, whose file is the ".qrn".
        WriteNewSheet2025(false);
        for (int p = 1; p <= RecentFiles::Count; ++p)
            DeleteSetting(QStringLiteral("Quiren"), QStringLiteral("OpenFiles"), RecentFiles::Key(p));
        folder = test::makeScratchDir(QString::fromLatin1(
            ::testing::UnitTest::GetInstance()->current_test_info()->name()));

        SetMessageResponder([this](const MessageRequest &request) {
            messages.push_back(request);
            busyDuringMessage = busyDuringMessage || QGuiApplication::overrideCursor() != nullptr;
            if (messageAnswers.empty())
                return MsgAnswer::Ok;
            const MsgAnswer a = messageAnswers.front();
            messageAnswers.pop_front();
            return a;
        });
        SetFileDialogResponder([this](const FileDialogRequest &request) {
            dialogs.push_back(request);
            if (dialogAnswers.empty())
                return QString();
            const QString a = dialogAnswers.front();
            dialogAnswers.pop_front();
            return a;
        });
    }

    void TearDown() override
    {
        main.reset();
        settle();
        SetMessageResponder({});
        SetFileDialogResponder({});
    }

    void start(const QString &commandLine = QString())
    {
        main = std::make_unique<MainWindow>(false);
        main->load(commandLine);
        main->resize(1000, 800);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // Windows in the order of their document numbers, as captions.
    QStringList captions() const
    {
        QStringList list;
        for (CalcWindow *w : main->documentTable().openWindows())
            list << w->caption();
        return list;
    }

    static void setTitle(CalcWindow *w, const QString &title)
    {
        w->findChild<QLineEdit *>(QStringLiteral("TitleName"))->setText(title);
    }
    static void typeFloorArea(CalcWindow *w, const QString &text)
    {
        // As typed and the box left.
        auto *box = w->findChild<NumberBox *>(QStringLiteral("txtFloorDimensions(0)"));
        box->setText(text);
        box->commit();
    }
    // The menus act on the active window: `w` is made active first.
    void choose(CalcWindow *w, const char *item)
    {
        main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(w->parentWidget()));
        w->action(QLatin1String(item))->trigger();
    }
    void closeWindow(CalcWindow *w)
    {
        choose(w, "mnuFileClose");
        settle();
    }

    QString path(const QString &name) const { return folder + QLatin1Char('/') + name; }

    // A file saved from a fresh sheet with `title` and a floor area.
    QString makeFile(const QString &name, const QString &title)
    {
        CalcSheet sheet(&AppData::instance().walls);
        sheet.SetUpNewSheet();
        sheet.titleName = title;
        sheet.SetFloorArea(0, QStringLiteral("50"));
        const QString p = path(name);
        EXPECT_TRUE(WriteCalcFile(p, sheet));
        return p;
    }

    bool documentCommandsOn() const
    {
        bool on = true;
        for (const char *key : {"Save", "Print", "Sort", "List", "Info"})
            on = on && main->toolButton(QLatin1String(key))->isEnabled();
        for (const char *name : {"mnuPaf", "mnuViewSort", "mnuHint"})
            on = on && main->action(QLatin1String(name))->isEnabled();
        return on;
    }
    bool documentCommandsOff() const
    {
        bool off = true;
        for (const char *key : {"Save", "Print", "Sort", "List", "Info"})
            off = off && !main->toolButton(QLatin1String(key))->isEnabled();
        for (const char *name : {"mnuPaf", "mnuViewSort", "mnuHint"})
            off = off && !main->action(QLatin1String(name))->isEnabled();
        return off;
    }

    // The paths shown by a window's recent-file items, and whether the
    // separator is shown.
    static QStringList shownRecent(const QList<QAction *> &items)
    {
        QStringList shown;
        for (int i = 1; i < items.size(); ++i) {
            if (items[i]->isVisible())
                shown << items[i]->text();
        }
        return shown;
    }

    std::unique_ptr<MainWindow> main;
    QString folder;
    std::vector<MessageRequest> messages;
    bool busyDuringMessage = false;
    std::deque<MsgAnswer> messageAnswers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<QString> dialogAnswers;
};

// ---- numbering -------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, NewWindowsTakeTheLowestFreeNumberAndStartUnchanged)
{
    start();
    EXPECT_EQ(captions(), QStringList{QStringLiteral("新規計算書1")});
    EXPECT_TRUE(documentCommandsOn());
    for (int i = 0; i < 3; ++i)
        main->toolButton(QStringLiteral("New"))->trigger();
    EXPECT_EQ(captions(), (QStringList{"新規計算書1", "新規計算書2", "新規計算書3", "新規計算書4"}));
    CalcWindow *two = main->documentTable().slot(2).window;
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->documentNumber(), 2);

    // Window 2 is changed and closed without saving.
    setTitle(two, QStringLiteral("捨てる"));
    EXPECT_TRUE(main->documentTable().slot(2).Changed());
    messageAnswers = {MsgAnswer::No};
    closeWindow(two);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("[新規計算書2") + QuestionTail);
    EXPECT_EQ(messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
    EXPECT_EQ(captions(), (QStringList{"新規計算書1", "新規計算書3", "新規計算書4"}));
    EXPECT_TRUE(main->documentTable().slot(2).Free);

    // New again: number 2 once more, and a clean sheet.
    CalcWindow *again = main->newCalcWindow();
    EXPECT_EQ(again->caption(), QStringLiteral("新規計算書2"));
    EXPECT_FALSE(again->sheet().changed);
    EXPECT_FALSE(main->documentTable().slot(2).Changed());
    EXPECT_TRUE(again->sheet().titleName.isEmpty());
    EXPECT_EQ(main->documentTable().size(), 5);   // 0..4, nothing added

    // New from a calculation window's own File menu takes number 5.
    choose(again, "mnuFileNew");
    EXPECT_EQ(main->activeCalcWindow()->caption(), QStringLiteral("新規計算書5"));
}

TEST_F(DocumentCommandsTest, DocumentCommandsFollowTheOpenWindows)
{
    start();
    EXPECT_TRUE(documentCommandsOn());
    closeWindow(main->activeCalcWindow());
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_FALSE(AnyCalcWindowOpen(*main));
    EXPECT_TRUE(documentCommandsOff());
    EXPECT_TRUE(main->toolButton(QStringLiteral("New"))->isEnabled());
    EXPECT_TRUE(main->toolButton(QStringLiteral("Open"))->isEnabled());

    // A file rejected as foreign leaves them off.
    const QString foreign = path(QStringLiteral("foreign.qrn"));
    test::writeAll(foreign, "\"Other\"\r\n");
    dialogAnswers = {foreign};
    main->toolButton(QStringLiteral("Open"))->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Quirenのデータファイルではありません。"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(documentCommandsOff());
    // The busy pointer is gone before the message, and stays gone.
    EXPECT_FALSE(busyDuringMessage);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A good file brings them back, as number 1.
    const QString good = makeFile(QStringLiteral("good.qrn"), QStringLiteral("良い"));
    dialogAnswers = {good};
    main->action(QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(captions(), QStringList{good});
    EXPECT_EQ(main->activeCalcWindow()->documentNumber(), 1);
    EXPECT_TRUE(documentCommandsOn());
    EXPECT_EQ(dialogs.back().action, ComDlgOpen);
    EXPECT_EQ(dialogs.back().flags, OFN_HIDEREADONLY);
    EXPECT_TRUE(dialogs.back().proposedName.isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DocumentCommandsTest, NumbersAFileCannotHoldAreEmptiedAndNamedOnOpening)
{
    start();
    const QString odd = path(QStringLiteral("odd.qrn"));
    // Not a number at all ("45,3") is named as well; it was once emptied
    // before anything could name it.
    test::writeAll(odd, "\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n\"T\",0,0,0,#FALSE#\r\n\"-5\",\"20\",\"45,3\"\r\n");
    dialogAnswers = {odd};
    main->action(QStringLiteral("mnuFileOpen"))->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.endsWith(QStringLiteral("\n一階 床面積 \"-5\"\n一階 見付面積(B) \"45,3\"")))
        << qPrintable(messages[0].text);
    CalcWindow *window = main->activeCalcWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->sheet().floorArea[0].isEmpty());
    EXPECT_EQ(window->sheet().projectedArea[0], QStringLiteral("20"));
    EXPECT_TRUE(window->sheet().projectedArea[3].isEmpty());
    EXPECT_FALSE(window->sheet().changed);
}

// ---- saving ----------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, SaveProposesTheTitleOrUntitledAndFilesTheWindow)
{
    start();
    CalcWindow *w = main->activeCalcWindow();

    // Empty title: "Untitled.qrn"; cancelling changes nothing.
    typeFloorArea(w, QStringLiteral("80"));
    choose(w, "mnuFileSave");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].action, ComDlgSaveAs);
    EXPECT_EQ(dialogs[0].proposedName, QStringLiteral("Untitled.qrn"));
    EXPECT_EQ(dialogs[0].nameFilters,
              (QStringList{QStringLiteral("筋違計算ﾌｧｲﾙ (*.qrn)"), QStringLiteral("壁量計算ﾌｧｲﾙ (*.qrn2)")}));
    EXPECT_EQ(w->caption(), QStringLiteral("新規計算書1"));
    EXPECT_TRUE(w->sheet().changed);

    // Title ABC: "ABC.qrn"; the chosen path is written and names the window.
    setTitle(w, QStringLiteral("ABC"));
    const QString abc = path(QStringLiteral("ABC.qrn"));
    dialogAnswers = {abc};
    main->toolButton(QStringLiteral("Save"))->trigger();
    EXPECT_EQ(dialogs.back().proposedName, QStringLiteral("ABC.qrn"));
    EXPECT_EQ(w->caption(), abc);
    EXPECT_FALSE(w->sheet().changed);
    EXPECT_EQ(RecentFiles::Entry(1), abc);
    const CalcFileRead read = ReadCalcFile(abc);
    ASSERT_EQ(read.status, CalcFileStatus::Ok);
    EXPECT_EQ(read.data.titleName, QStringLiteral("ABC"));
    EXPECT_EQ(read.data.floorArea[0], QStringLiteral("80"));

    // Filed: Save writes to its own file without a dialog.
    typeFloorArea(w, QStringLiteral("90"));
    const size_t shown = dialogs.size();
    choose(w, "mnuFileSave");
    EXPECT_EQ(dialogs.size(), shown);
    EXPECT_FALSE(w->sheet().changed);
    EXPECT_EQ(ReadCalcFile(abc).data.floorArea[0], QStringLiteral("90"));

    // Save As on the filed window proposes its full path; a new path
    // renames it and leaves the old file as it was.
    typeFloorArea(w, QStringLiteral("100"));
    const QString copy = path(QStringLiteral("copy.qrn"));
    dialogAnswers = {copy};
    choose(w, "mnuFileSaveAs");
    EXPECT_EQ(dialogs.back().proposedName, abc);
    EXPECT_EQ(dialogs.back().startFolder, folder);
    EXPECT_EQ(w->caption(), copy);
    EXPECT_EQ(ReadCalcFile(copy).data.floorArea[0], QStringLiteral("100"));
    EXPECT_EQ(ReadCalcFile(abc).data.floorArea[0], QStringLiteral("90"));

    // Save As cancelled: nothing changes.
    typeFloorArea(w, QStringLiteral("110"));
    choose(w, "mnuFileSaveAs");
    EXPECT_EQ(w->caption(), copy);
    EXPECT_TRUE(w->sheet().changed);
    EXPECT_TRUE(messages.empty());
}

// A sheet converted to the 2025 rules cannot go back to its ".qrn": its
// first save asks where, proposing the ".qrn2" beside it, and no save
// replaces a file another window holds. Both once overwrote NAME.qrn2
// without a word.
TEST_F(DocumentCommandsTest, AConvertedSheetAsksWhereAndNeverOverwritesAnOpenFile)
{
    start();
    const QString qrn = makeFile(QStringLiteral("house.qrn"), QString());
    const QString qrn2 = path(QStringLiteral("house.qrn2"));
    const QString other = makeFile(QStringLiteral("other.qrn"), QString());
    // house.qrn2 is open in a window of its own.
    {
        CalcSheet sheet(&AppData::instance().walls);
        sheet.SetUpNewSheet();
        sheet.SetFloorArea(0, QStringLiteral("77"));
        ASSERT_TRUE(WriteSheetFile(qrn2, SheetFileDataOf(sheet)).ok);
    }
    CalcWindow *holder = OpenCalcFile(*main, qrn2, false);
    ASSERT_NE(holder, nullptr);
    const QByteArray held = test::readAll(qrn2);
    CalcWindow *window = OpenCalcFile(*main, qrn, false);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->sheet().SetRuleSet(RuleSetKind::Rules2025));

    const struct {
        const char *answer;     // the dialog's answer: "" cancels
        bool saved;
        bool toldOpenElsewhere;
    } cases[] = {
        {"", false, false},
        {"house.qrn2", false, true},
        {"elsewhere.qrn2", true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        dialogs.clear();
        messages.clear();
        dialogAnswers = {*c.answer ? path(QString::fromLatin1(c.answer)) : QString()};
        EXPECT_EQ(SaveCommand(*main, *window), c.saved);
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(QFileInfo(dialogs[0].proposedName).fileName(), QStringLiteral("house.qrn2"));
        EXPECT_TRUE(dialogs[0].flags & OFN_OVERWRITEPROMPT);
        EXPECT_EQ(messages.size(), c.toldOpenElsewhere ? 1u : 0u);
        EXPECT_EQ(test::readAll(qrn2), held);
    }
    EXPECT_EQ(window->caption(), path(QStringLiteral("elsewhere.qrn2")));

    // Save As onto the file of another open window is refused as well.
    dialogAnswers = {other};
    OpenCalcFile(*main, other, false);
    const QByteArray before = test::readAll(other);
    messages.clear();
    EXPECT_FALSE(SaveAsCommand(*main, *holder));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("別のｳｨﾝﾄﾞｳで開いている")));
    EXPECT_EQ(test::readAll(other), before);
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheOldFileTheCaptionAndTheChanges)
{
    const QString filed = makeFile(QStringLiteral("kept.qrn"), QString());
    const QByteArray before = test::readAll(filed);
    start(filed);
    CalcWindow *w = main->activeCalcWindow();
    typeFloorArea(w, QStringLiteral("75"));

    // A folder that cannot exist: its parent is a regular file (this fails
    // even for root).
    const QString blocker = path(QStringLiteral("not-a-folder"));
    test::writeAll(blocker, "x");
    const QString impossible = blocker + QStringLiteral("/new.qrn");
    dialogAnswers = {impossible};
    choose(w, "mnuFileSaveAs");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
    EXPECT_FALSE(messages[0].text.isEmpty());
    EXPECT_EQ(w->caption(), filed);
    EXPECT_TRUE(w->sheet().changed);
    EXPECT_FALSE(QFileInfo::exists(impossible));
    EXPECT_EQ(test::readAll(filed), before);
    // The path is listed even though the save failed.
    EXPECT_EQ(RecentFiles::Entry(1), impossible);

    // Its own file replaced by a folder: Save fails, nothing is lost.
    QFile::remove(filed);
    ASSERT_TRUE(QDir().mkpath(filed));
    choose(w, "mnuFileSave");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(w->caption(), filed);
    EXPECT_TRUE(w->sheet().changed);
    EXPECT_TRUE(QFileInfo(filed).isDir());
}

// ---- the close question ------------------------------------------------------------------

TEST_F(DocumentCommandsTest, CloseQuestionPaths)
{
    const QString own = makeFile(QStringLiteral("own.qrn"), QString());
    const QString titled = makeFile(QStringLiteral("titled.qrn"), QStringLiteral("Titled"));
    start(own);
    dialogAnswers = {titled};
    main->openFileCommand();
    ASSERT_EQ(captions(), (QStringList{own, titled}));
    CalcWindow *ownWindow = main->documentTable().slot(1).window;
    CalcWindow *titledWindow = main->documentTable().slot(2).window;

    // Unchanged: closes without a question.
    CalcWindow *fresh = main->newCalcWindow();
    closeWindow(fresh);
    EXPECT_TRUE(messages.empty());

    // Cancel: stays open and changed.
    typeFloorArea(ownWindow, QStringLiteral("60"));
    messageAnswers = {MsgAnswer::Cancel};
    closeWindow(ownWindow);
    EXPECT_EQ(messages.back().text, QStringLiteral("[") + own + QuestionTail);
    EXPECT_EQ(captions(), (QStringList{own, titled}));
    EXPECT_TRUE(ownWindow->sheet().changed);

    // Yes on a filed window without a title: saved to its own file, no dialog.
    const size_t dialogsBefore = dialogs.size();
    messageAnswers = {MsgAnswer::Yes};
    closeWindow(ownWindow);
    EXPECT_EQ(dialogs.size(), dialogsBefore);
    EXPECT_EQ(ReadCalcFile(own).data.floorArea[0], QStringLiteral("60"));
    EXPECT_EQ(captions(), QStringList{titled});

    // Yes on a filed window with a title: the dialog proposes title & ".qrn"
    // instead of its own file. Cancelling that dialog keeps the window open
    // with its changes.
    typeFloorArea(titledWindow, QStringLiteral("70"));
    messageAnswers = {MsgAnswer::Yes};
    closeWindow(titledWindow);
    EXPECT_EQ(dialogs.back().proposedName, QStringLiteral("Titled.qrn"));
    EXPECT_EQ(captions(), QStringList{titled});
    EXPECT_TRUE(titledWindow->sheet().changed);
    EXPECT_EQ(ReadCalcFile(titled).data.floorArea[0], QStringLiteral("50"));

    // Yes again, with a new name chosen: written there, and the window closes.
    const QString renamed = path(QStringLiteral("renamed.qrn"));
    messageAnswers = {MsgAnswer::Yes};
    dialogAnswers = {renamed};
    closeWindow(titledWindow);
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_EQ(ReadCalcFile(renamed).data.floorArea[0], QStringLiteral("70"));
    EXPECT_EQ(ReadCalcFile(titled).data.floorArea[0], QStringLiteral("50"));

    // An untitled window with an empty title proposes ".qrn"; No discards.
    CalcWindow *untitled = main->newCalcWindow();
    typeFloorArea(untitled, QStringLiteral("5"));
    messageAnswers = {MsgAnswer::Yes};
    closeWindow(untitled);
    EXPECT_EQ(dialogs.back().proposedName, QStringLiteral(".qrn"));
    EXPECT_EQ(captions(), QStringList{QStringLiteral("新規計算書1")});
    messageAnswers = {MsgAnswer::No};
    closeWindow(untitled);
    EXPECT_TRUE(captions().isEmpty());
}

TEST_F(DocumentCommandsTest, YesSavesTheWindowBeingClosedNotTheActiveOne)
{
    start();
    CalcWindow *first = main->activeCalcWindow();
    CalcWindow *second = main->newCalcWindow();
    setTitle(first, QStringLiteral("一"));
    setTitle(second, QStringLiteral("二"));
    ASSERT_EQ(main->activeCalcWindow(), second);
    messageAnswers = {MsgAnswer::Yes};
    const QString target = path(QStringLiteral("first.qrn"));
    dialogAnswers = {target};
    closeWindow(first);
    EXPECT_EQ(dialogs.back().proposedName, QStringLiteral("一.qrn"));
    EXPECT_EQ(ReadCalcFile(target).data.titleName, QStringLiteral("一"));
    EXPECT_EQ(captions(), QStringList{QStringLiteral("新規計算書2")});
    EXPECT_TRUE(second->sheet().changed);
}

TEST_F(DocumentCommandsTest, ExitAsksEachChangedWindowAndCancelStopsEverything)
{
    start();
    CalcWindow *one = main->activeCalcWindow();
    CalcWindow *two = main->newCalcWindow();
    CalcWindow *three = main->newCalcWindow();
    setTitle(one, QStringLiteral("One"));
    setTitle(two, QStringLiteral("Two"));
    setTitle(three, QStringLiteral("Three"));

    // Yes (saved), then Cancel: the third is not asked, nothing closes.
    const QString onePath = path(QStringLiteral("One.qrn"));
    messageAnswers = {MsgAnswer::Yes, MsgAnswer::Cancel};
    dialogAnswers = {onePath};
    choose(three, "mnuFileExit");
    settle();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, QStringLiteral("[新規計算書1") + QuestionTail);
    EXPECT_EQ(messages[1].text, QStringLiteral("[新規計算書2") + QuestionTail);
    EXPECT_EQ(captions(), (QStringList{onePath, "新規計算書2", "新規計算書3"}));
    EXPECT_FALSE(one->sheet().changed);
    EXPECT_TRUE(QFileInfo::exists(onePath));
    EXPECT_TRUE(main->isVisible());

    // Again: No for two, No for three; one is unchanged now and not asked.
    // Everything closes, each window once.
    messages.clear();
    messageAnswers = {MsgAnswer::No, MsgAnswer::No};
    EXPECT_TRUE(main->close());
    settle();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, QStringLiteral("[新規計算書2") + QuestionTail);
    EXPECT_EQ(messages[1].text, QStringLiteral("[新規計算書3") + QuestionTail);
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_FALSE(main->isVisible());
}

// ---- recent files ------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, SavingSixFilesListsTheLastFiveInEveryFileMenu)
{
    start();
    CalcWindow *first = main->activeCalcWindow();
    // With an empty list the separator and the items stay hidden.
    EXPECT_FALSE(main->recentFileActions()[0]->isVisible());
    EXPECT_TRUE(shownRecent(main->recentFileActions()).isEmpty());
    EXPECT_EQ(first->action(QStringLiteral("mnuRecentFile(0)")), main->recentFileActions()[0]);

    QStringList saved;
    for (int i = 1; i <= 6; ++i) {
        CalcWindow *w = main->newCalcWindow();
        saved << path(QStringLiteral("file%1.qrn").arg(i));
        dialogAnswers = {saved.last()};
        choose(w, "mnuFileSaveAs");
        ASSERT_EQ(w->caption(), saved.last());
    }
    const QStringList expected{saved[5], saved[4], saved[3], saved[2], saved[1]};
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(RecentFiles::Entry(p), expected[p - 1]);
    EXPECT_TRUE(main->recentFileActions()[0]->isVisible());
    EXPECT_EQ(shownRecent(main->recentFileActions()), expected);
}

// A window's file is what it opened, not read back from its caption: a
// file named like an untitled window's caption is saved in place.
TEST_F(DocumentCommandsTest, AFileNamedLikeAnUntitledCaptionIsSavedInPlace)
{
    start();
    makeFile(QStringLiteral("新規計算書9.qrn"), QStringLiteral("A"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder);
    CalcWindow *w = OpenCalcFile(*main, QStringLiteral("新規計算書9.qrn"), false);
    QDir::setCurrent(before);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsUntitled(*w));
    typeFloorArea(w, QStringLiteral("90"));
    const size_t shown = dialogs.size();
    QDir::setCurrent(folder);
    choose(w, "mnuFileSave");
    QDir::setCurrent(before);
    EXPECT_EQ(dialogs.size(), shown);
    EXPECT_FALSE(w->sheet().changed);
    EXPECT_EQ(ReadCalcFile(path(QStringLiteral("新規計算書9.qrn"))).data.floorArea[0], QStringLiteral("90"));
}

TEST_F(DocumentCommandsTest, ChoosingARecentFileOpensItAndMovesItUp)
{
    const QString a = makeFile(QStringLiteral("a.qrn"), QStringLiteral("A"));
    const QString b = makeFile(QStringLiteral("b.qrn"), QStringLiteral("B"));
    const QString gone = path(QStringLiteral("gone.qrn"));
    RecentFiles::SetEntry(1, b);
    RecentFiles::SetEntry(2, gone);
    RecentFiles::SetEntry(3, a);
    start();
    CalcWindow *first = main->activeCalcWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(shownRecent(main->recentFileActions()), (QStringList{b, gone, a}));

    // Opens, then moves to the top.
    main->recentFileActions()[3]->trigger();
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("新規計算書1"), a}));
    EXPECT_EQ(main->documentTable().slot(2).window->sheet().titleName, QStringLiteral("A"));
    EXPECT_EQ(shownRecent(main->recentFileActions()), (QStringList{a, b, gone}));
    EXPECT_TRUE(messages.empty());

    // Already open: told once, the list stays.
    main->recentFileActions()[1]->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("選択したﾌｧｲﾙはすでに開いています。"));
    EXPECT_EQ(shownRecent(main->recentFileActions()), (QStringList{a, b, gone}));

    // A listed file that is gone: the open failure, and it still moves up.
    main->recentFileActions()[3]->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, gone + QStringLiteral("ﾌｧｲﾙを開けません。"));
    EXPECT_EQ(captions().size(), 2);
    EXPECT_EQ(shownRecent(main->recentFileActions()), (QStringList{gone, a, b}));

    // The main window's own menu works with no calculation window open.
    for (CalcWindow *w : main->documentTable().openWindows())
        closeWindow(w);
    ASSERT_TRUE(captions().isEmpty());
    main->recentFileActions()[3]->trigger();
    EXPECT_EQ(captions(), QStringList{b});
    EXPECT_TRUE(documentCommandsOn());
}

TEST_F(DocumentCommandsTest, OpenDialogLeavesTheListButRefreshesTheMenus)
{
    const QString a = makeFile(QStringLiteral("a.qrn"), QStringLiteral("A"));
    const QString listed = path(QStringLiteral("listed.qrn"));
    start();
    RecentFiles::SetEntry(1, listed);
    dialogAnswers = {a};
    main->openFileCommand();
    EXPECT_EQ(RecentFiles::Entry(1), listed);
    EXPECT_TRUE(RecentFiles::Entry(2).isEmpty());
    CalcWindow *opened = main->activeCalcWindow();
    EXPECT_EQ(opened->caption(), a);
    EXPECT_EQ(shownRecent(main->recentFileActions()), QStringList{listed});
    EXPECT_FALSE(opened->sheet().changed);

    // The same file again through the dialog: told, nothing opens.
    dialogAnswers = {a};
    choose(opened, "mnuFileOpen");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("選択したﾌｧｲﾙはすでに開いています。"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
    EXPECT_EQ(captions().size(), 2);

    // The comparison is exact: another spelling of the path is another file.
    const QString other = folder + QStringLiteral("/./a.qrn");
    dialogAnswers = {other};
    main->openFileCommand();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(captions().size(), 3);
}

TEST_F(DocumentCommandsTest, RecentListLetterCaseThroughTheMenus)
{
    start();
    CalcWindow *w = main->activeCalcWindow();
    const QString lower = path(QStringLiteral("case.qrn"));
    const QString upper = path(QStringLiteral("CASE.qrn"));
    dialogAnswers = {lower};
    choose(w, "mnuFileSaveAs");
    EXPECT_EQ(shownRecent(main->recentFileActions()), QStringList{lower});

    // Another spelling counts as listed but matches no entry exactly: the
    // file is written, the list stays as it was.
    dialogAnswers = {upper};
    choose(w, "mnuFileSaveAs");
    EXPECT_EQ(w->caption(), upper);
    EXPECT_TRUE(QFileInfo::exists(upper));
    EXPECT_EQ(RecentFiles::Entry(1), lower);
    EXPECT_TRUE(RecentFiles::Entry(2).isEmpty());
}

TEST_F(DocumentCommandsTest, AnAmpersandInAPathIsShownAndOpenedAsItIs)
{
    const QString odd = makeFile(QStringLiteral("A&B.qrn"), QStringLiteral("amp"));
    RecentFiles::SetEntry(1, odd);
    start();
    QAction *item = main->recentFileActions()[1];
    EXPECT_EQ(item->text(), QString(odd).replace(QStringLiteral("&"), QStringLiteral("&&")));
    item->trigger();
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("新規計算書1"), odd}));
    EXPECT_EQ(RecentFiles::Entry(1), odd);
    EXPECT_TRUE(RecentFiles::Entry(2).isEmpty());
}

// ---- the command line ------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, CommandLineFileIsDocumentOneAndHeadsTheList)
{
    const QString spaced = makeFile(QStringLiteral("with blanks.qrn"), QStringLiteral("空白"));
    RecentFiles::SetEntry(1, path(QStringLiteral("older.qrn")));
    start(spaced);
    ASSERT_EQ(captions(), QStringList{spaced});
    CalcWindow *w = main->activeCalcWindow();
    EXPECT_EQ(w->documentNumber(), 1);
    EXPECT_EQ(w->sheet().titleName, QStringLiteral("空白"));
    EXPECT_EQ(w->sheet().floorArea[0], QStringLiteral("50"));
    EXPECT_FALSE(w->sheet().changed);
    EXPECT_TRUE(documentCommandsOn());
    EXPECT_EQ(RecentFiles::Entry(1), spaced);
    EXPECT_EQ(RecentFiles::Entry(2), path(QStringLiteral("older.qrn")));
    EXPECT_EQ(shownRecent(main->recentFileActions()), (QStringList{spaced, path(QStringLiteral("older.qrn"))}));
    // The next New is number 2.
    EXPECT_EQ(main->newCalcWindow()->caption(), QStringLiteral("新規計算書2"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(DocumentCommandsTest, AMissingOrForeignCommandLineFileLeavesNoWindow)
{
    const QString missing = path(QStringLiteral("missing.qrn"));
    start(missing);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, missing + QStringLiteral("ﾌｧｲﾙを開けません。"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(main->calcWindows().isEmpty());
    EXPECT_TRUE(documentCommandsOff());
    EXPECT_TRUE(main->isVisible());
    // The path is listed all the same, and shown in the main window's menu.
    EXPECT_EQ(shownRecent(main->recentFileActions()), QStringList{missing});
    EXPECT_EQ(main->newCalcWindow()->caption(), QStringLiteral("新規計算書1"));
    main.reset();
    settle();

    messages.clear();
    const QString foreign = path(QStringLiteral("foreign.qrn"));
    test::writeAll(foreign, "\"quiren\"\r\n");   // letter case differs: not ours
    start(foreign);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Quirenのデータファイルではありません。"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(documentCommandsOff());
    EXPECT_EQ(main->newCalcWindow()->caption(), QStringLiteral("新規計算書1"));
}

TEST_F(DocumentCommandsTest, AFileHandedOverLaterOpensAsTheNextDocument)
{
    const QString a = makeFile(QStringLiteral("a.qrn"), QStringLiteral("A"));
    start();
    main->openHandedOverFile(a);
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("新規計算書1"), a}));
    EXPECT_EQ(RecentFiles::Entry(1), a);
    main->openHandedOverFile(a);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("選択したﾌｧｲﾙはすでに開いています。"));
    EXPECT_EQ(captions().size(), 2);
}

} // namespace
} // namespace quiren
