// Pictures of the windows for a person to look at, not a test: it asserts
// nothing. Built beside the tests (it drives the windows with their helpers)
// as build/tests/look; run it with QUIREN_SCREENSHOT_DIR naming a folder,
// under Xvfb with QT_QPA_PLATFORM=xcb so that drop-down lists are in the
// picture:
//   QUIREN_SCREENSHOT_DIR=/tmp/look QT_QPA_PLATFORM=xcb xvfb-run -a build/tests/look
#include "gui/calcwindow/CalcWindowFixture.h"

#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"
#include "gui/calcwindow/LoadsGroup.h"
#include "gui/calcwindow/ColumnPanel.h"
#include "gui/calcwindow/LwBreakdownWindow.h"
#include "gui/calcwindow/QuasiWallGrid.h"
#include "gui/documents/DocumentCommands.h"
#include "gui/shell/AboutWindow.h"
#include "gui/widgets/ChoiceBox.h"
#include "gui/widgets/WidgetSupport.h"
#include "gui/shell/SplashWindow.h"
#include "gui/shell/Startup.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QGuiApplication>
#include <QTabWidget>
#include <QScreen>
#include <QScrollArea>

namespace quiren::test {
namespace {

class Look : public CalcWindowFixture {
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("QUIREN_SCREENSHOT_DIR");
        if (folder.isEmpty())
            GTEST_SKIP() << "QUIREN_SCREENSHOT_DIR not set";
        UseJapaneseFont(*qApp);
        CalcWindowFixture::SetUp();
        main->move(0, 0);
    }

    void shoot(const QString &name)
    {
        QTest::qWait(300);
        QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0);
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            picture = main->grab();
        picture.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    QString folder;
};

TEST_F(Look, Windows)
{
    shoot(QStringLiteral("1-empty"));

    // Two storeys; the first storey's second direction falls short.
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    box(QStringLiteral("TitleName"))->insert(QStringLiteral("山田邸新築"));
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("62.5"));
    enter(box(QStringLiteral("txtWallDimensions(0)")), QStringLiteral("28"));
    enter(box(QStringLiteral("txtWallDimensions(3)")), QStringLiteral("31.2"));
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    chooseFromList(0, 2, 1, QStringLiteral("3×9"));
    clickCell(0, 2, 2);
    typeAfterClick(0, 2, 3, QStringLiteral("0.91"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("6"));
    typeAfterClick(0, 2, 7, QStringLiteral("0.91"));
    typeIntoCurrent(0, 2, 8, QStringLiteral("3"));
    chooseFromList(0, 3, 0, QStringLiteral("木摺両面壁+木材"));
    typeAfterClick(0, 3, 3, QStringLiteral("1.82"));
    typeIntoCurrent(0, 3, 4, QStringLiteral("3"));
    typeAfterClick(0, 3, 7, QStringLiteral("1.82"));
    typeIntoCurrent(0, 3, 8, QStringLiteral("2"));
    chooseFromList(0, 4, 0, QStringLiteral("土塗り壁"));
    typeAfterClick(0, 4, 3, QStringLiteral("1.365"));
    typeIntoCurrent(0, 4, 4, QStringLiteral("2"));
    showPage(1);
    enter(box(QStringLiteral("txtFloorDimensions(1)")), QStringLiteral("45"));
    enter(box(QStringLiteral("txtWallDimensions(1)")), QStringLiteral("12"));
    enter(box(QStringLiteral("txtWallDimensions(4)")), QStringLiteral("14.5"));
    chooseFromList(1, 2, 0, QStringLiteral("木材"));
    typeAfterClick(1, 2, 3, QStringLiteral("0.91"));
    typeIntoCurrent(1, 2, 4, QStringLiteral("8"));
    typeAfterClick(1, 2, 7, QStringLiteral("0.91"));
    typeIntoCurrent(1, 2, 8, QStringLiteral("9"));
    showPage(0);
    grid(0)->setCurrentIndex(grid(0)->model()->index(5, 0));
    shoot(QStringLiteral("2-two-storeys"));

    // An open list of kinds.
    clickCell(0, 5, 0);
    shoot(QStringLiteral("3-kind-list"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(editorOf(0, 5, 0), Qt::Key_Escape);

    // The number entry window.
    usePlacesWindow(0, 3, 8, [this](NumberEntryDialog *dialog) {
        dialog->move(main->geometry().center());
        shoot(QStringLiteral("4-number-entry"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK(1)")), Qt::LeftButton);
    });

    // Three storeys, the other naming style.
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(2)")), Qt::LeftButton);
    calc->setDirectionCaptions(false);
    calc->action(QStringLiteral("T_Merge(0)"))->trigger();
    shoot(QStringLiteral("5-three-storeys"));

    // The splash and about windows.
    ShowSplashWindow();
    shoot(QStringLiteral("6-splash"));
    CloseSplashWindow();
    AboutWindow about(main.get());
    about.show();
    about.move(200, 200);
    shoot(QStringLiteral("7-about"));
}

// The windows where silent faults once were: the 2025 judgement grid after
// a change of the floor area, a length typed over an open list, a number
// typed into the number entry window, the first save of a converted sheet.
TEST_F(Look, SilentFaults)
{
    calc->startSheet(RuleSetKind::Rules2025);
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    enter(box(QStringLiteral("TypedLw(0)")), QStringLiteral("20"));
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("50"));
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    chooseFromList(0, 2, 1, QStringLiteral("4.5×9"));
    typeAfterClick(0, 2, 3, QStringLiteral("1.82"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("3"));
    typeAfterClick(0, 2, 7, QStringLiteral("1.82"));
    typeIntoCurrent(0, 2, 8, QStringLiteral("3"));
    shoot(QStringLiteral("11-2025-ok"));
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    enter(floor, QStringLiteral("200"));
    shoot(QStringLiteral("12-2025-floor-200"));

    // A length typed over the open list of lengths.
    calc->setListInput(true);
    chooseFromList(0, 3, 0, QStringLiteral("土塗り壁"));
    clickCell(0, 3, 3);
    auto *combo = qobject_cast<QComboBox *>(editorOf(0, 3, 3));
    shoot(QStringLiteral("13-length-list-open"));
    QTest::keyClicks(combo->view(), QStringLiteral("1"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral(".82"));
    shoot(QStringLiteral("14-length-typed"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    shoot(QStringLiteral("15-length-kept"));

    // 100000 typed into the number entry window, and OK.
    NumberEntryDialog dialog(QStringLiteral("4"), main.get());
    dialog.show();
    dialog.move(main->geometry().center());
    auto *spinner = dialog.findChild<QSpinBox *>(QStringLiteral("udNum"));
    spinner->selectAll();
    QTest::keyClicks(spinner, QStringLiteral("100000"));
    shoot(QStringLiteral("16-number-typed"));
    SetMessageResponder({});
    QTimer::singleShot(400, [this] {
        shoot(QStringLiteral("17-number-refused"));
        if (QWidget *box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdOK(0)")), Qt::LeftButton);
    dialog.close();
    SetMessageResponder([this](const MessageRequest &request) {
        messages.push_back(request);
        return answer;
    });

    // The first save of a sheet converted to the 2025 rules asks where.
    const QString qrn = folder + QStringLiteral("/look-house.qrn");
    CalcSheet old(&AppData::instance().walls);
    old.SetUpNewSheet();
    old.SetFloorArea(0, QStringLiteral("50"));
    ASSERT_TRUE(WriteCalcFile(qrn, old).ok);
    CalcWindow *window = OpenCalcFile(*main, qrn, false);
    ASSERT_NE(window, nullptr);
    answer = MsgAnswer::Yes;
    // The roof it offers.
    SetChoiceResponder([](const ChoiceRequest &request) -> std::optional<int> { return request.chosen; });
    window->convertTo2025();
    SetChoiceResponder({});
    QTimer::singleShot(600, [this] {
        shoot(QStringLiteral("18-converted-save-asks"));
        if (QWidget *box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    window->action(QStringLiteral("mnuFileSave"))->trigger();
}

// The column check of the two-storey 2025 example: storey 1 by the allowable
// area with Wd from the sheet's loads, storey 2 by the buckling check with a
// timber whose Fc is unverified.
TEST_F(Look, ColumnCheck)
{
    CalcWindow *window = OpenCalcFile(*main, QStringLiteral(QUIREN_SOURCE_DIR "/examples/nikai-2025.qrn2"), false);
    ASSERT_NE(window, nullptr);
    auto fill = [&](int s, int method, int wdSource, const char *length, const char *depth) {
        window->findChild<QTabWidget *>(QStringLiteral("TS"))->setCurrentIndex(s);
        ColumnPanel *panel = window->columnPanel(s);
        QTest::mouseClick(window->findChild<QPushButton *>(IndexedName("cmdColumns", s)), Qt::LeftButton);
        panel->methodBox()->setCurrentIndex(method);
        window->findChild<QComboBox *>(IndexedName("cboWdSource", s))->setCurrentIndex(wdSource);
        enter(panel->lengthBox(0), QString::fromUtf8(length));
        enter(panel->depthBox(0), QString::fromUtf8(depth));
        return panel;
    };
    fill(0, 2, 1, "2780", "105");
    enter(window->findChild<QLineEdit *>(QStringLiteral("txtColumnArea(0)")), QStringLiteral("5"));
    shoot(QStringLiteral("8-columns-storey1"));
    ColumnPanel *upper = fill(1, 1, 0, "2695", "105");
    upper->timberBox()->setCurrentIndex(upper->timberBox()->findData(QStringLiteral("hinoki")));
    enter(window->findChild<QLineEdit *>(QStringLiteral("txtColumnWd(1)")), QStringLiteral("1600"));
    enter(upper->lengthBox(1), QStringLiteral("2695"));
    enter(upper->depthBox(1), QStringLiteral("90"));
    shoot(QStringLiteral("9-columns-storey2"));
}

// A house braced with the law's panel walls, entered from scratch: plywood
// outside with gypsum board inside and braces, under the 2025 rules, then
// saved and printed for a person to look at.
TEST_F(Look, LawWallHouse)
{
    calc->startSheet(RuleSetKind::Rules2025);
    control<QRadioButton>(QStringLiteral("F_num(1)"))->click();
    box(QStringLiteral("TitleName"))->insert(QStringLiteral("合板と石膏ボードの家"));
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    enter(box(QStringLiteral("TypedLw(0)")), QStringLiteral("41"));
    enter(box(QStringLiteral("TypedLw(1)")), QStringLiteral("27"));
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("60"));
    enter(box(QStringLiteral("txtWallDimensions(0)")), QStringLiteral("25"));
    enter(box(QStringLiteral("txtWallDimensions(3)")), QStringLiteral("25"));

    // The open kind list, scrolled to the two-face panels.
    clickCell(0, 8, 0);
    if (auto *combo = qobject_cast<QComboBox *>(editorOf(0, 8, 0))) {
        const int at = combo->findData(QStringLiteral("構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)+木材"));
        combo->view()->scrollTo(combo->view()->model()->index(at, 0), QAbstractItemView::PositionAtCenter);
    }
    shoot(QStringLiteral("law-1-kind-list"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(editorOf(0, 8, 0), Qt::Key_Escape);

    chooseFromList(0, 2, 0, QStringLiteral("構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)+木材"));
    chooseFromList(0, 2, 1, QStringLiteral("4.5×9"));
    typeAfterClick(0, 2, 3, QStringLiteral("0.91"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("6"));
    typeAfterClick(0, 2, 7, QStringLiteral("0.91"));
    typeIntoCurrent(0, 2, 8, QStringLiteral("6"));
    chooseFromList(0, 3, 0, QStringLiteral("構造用合板 t7.5 (大壁)"));
    typeAfterClick(0, 3, 3, QStringLiteral("0.91"));
    typeIntoCurrent(0, 3, 4, QStringLiteral("4"));
    typeAfterClick(0, 3, 7, QStringLiteral("0.91"));
    typeIntoCurrent(0, 3, 8, QStringLiteral("4"));
    chooseFromList(0, 4, 0, QStringLiteral("構造用石膏ボードB種 (大壁)"));
    typeAfterClick(0, 4, 3, QStringLiteral("1.82"));
    typeIntoCurrent(0, 4, 4, QStringLiteral("2"));
    typeAfterClick(0, 4, 7, QStringLiteral("1.82"));
    typeIntoCurrent(0, 4, 8, QStringLiteral("2"));
    chooseFromList(0, 5, 0, QStringLiteral("木材"));
    chooseFromList(0, 5, 1, QStringLiteral("4.5×9"));
    clickCell(0, 5, 2);
    typeAfterClick(0, 5, 3, QStringLiteral("0.91"));
    typeIntoCurrent(0, 5, 4, QStringLiteral("2"));
    typeAfterClick(0, 5, 7, QStringLiteral("0.91"));
    typeIntoCurrent(0, 5, 8, QStringLiteral("2"));
    showPage(1);
    enter(box(QStringLiteral("txtFloorDimensions(1)")), QStringLiteral("40"));
    enter(box(QStringLiteral("txtWallDimensions(1)")), QStringLiteral("10"));
    enter(box(QStringLiteral("txtWallDimensions(4)")), QStringLiteral("10"));
    chooseFromList(1, 2, 0, QStringLiteral("構造用パネル(OSB) (大壁)+木材"));
    chooseFromList(1, 2, 1, QStringLiteral("3×9"));
    typeAfterClick(1, 2, 3, QStringLiteral("0.91"));
    typeIntoCurrent(1, 2, 4, QStringLiteral("5"));
    typeAfterClick(1, 2, 7, QStringLiteral("0.91"));
    typeIntoCurrent(1, 2, 8, QStringLiteral("5"));
    clickCell(1, 8, 0);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(editorOf(1, 8, 0), Qt::Key_Escape);
    shoot(QStringLiteral("law-3-storey2"));
    showPage(0);
    shoot(QStringLiteral("law-2-storey1"));

    // The sheet as a file, for qrn and the printed sheet.
    WriteSheetFile(folder + QStringLiteral("/law-house.qrn2"), SheetFileDataOf(calc->sheet()));
}

// Entering values: a refused number with its message and the typed text
// kept, a pasted block with the cells it could not take, undo from the Edit
// menu, and the path Tab takes down a 2025 page.
TEST_F(Look, EnteringValues)
{
    // The program's message boxes are shown as the user sees them, pictured,
    // then answered.
    QString pictureName;
    SetMessageResponder([&](const MessageRequest &request) {
        QMessageBox box(request.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                        request.title, request.text, QMessageBox::Ok, main.get());
        box.show();
        if (!QTest::qWaitForWindowExposed(&box))
            qWarning("look: the message box was not on the screen in time; its picture may be empty");
        if (!pictureName.isEmpty())
            shoot(pictureName);
        pictureName.clear();
        return MsgAnswer::Ok;
    });
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("62.5"));
    QLineEdit *wall = box(QStringLiteral("txtWallDimensions(0)"));
    wall->setFocus();
    QTest::keyClicks(wall, QStringLiteral("-2"));
    shoot(QStringLiteral("29a-1-typing-minus"));   // on the way to a number: nothing said
    QTest::keyClicks(wall, QStringLiteral("8a"));
    pictureName = QStringLiteral("29a-2-refused-message");
    QTest::keyClick(wall, Qt::Key_Return);
    shoot(QStringLiteral("29a-3-refused-text-kept"));
    wall->selectAll();
    enter(wall, QStringLiteral("28"));

    // A block from a spreadsheet pasted into the framing grid.
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    chooseFromList(0, 3, 0, QStringLiteral("土塗り壁"));
    FramingGrid *g = grid(0);
    g->setFocus();
    g->setCurrentIndex(g->model()->index(2, ColLength0));
    QApplication::clipboard()->setText(QStringLiteral("1.82\t4\n0.91\tx\n"));
    pictureName = QStringLiteral("29a-4-paste-message");
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    shoot(QStringLiteral("29a-5-pasted"));

    // Undo from the Edit menu takes the paste back in one step.
    QMenu *edit = main->findChild<QMenu *>(QStringLiteral("mnuEdit"));
    if (edit) {
        edit->popup(main->mapToGlobal(QPoint(60, 30)));
        shoot(QStringLiteral("29a-6-edit-menu"));
        edit->hide();
    }
    calc->action(QStringLiteral("mnuEditUndo"))->trigger();
    shoot(QStringLiteral("29a-7-undone"));

    // Tab down a 2025 page: areas, the storey's inputs, the grids.
    CalcWindow *rules2025 = main->newCalcWindow(RuleSetKind::Rules2025);
    main->mdiArea()->activeSubWindow()->showMaximized();
    main->activateWindow();
    if (!QTest::qWaitForWindowActive(main.get()))
        qWarning("look: the main window did not become active; the typing below may go nowhere");
    QWidget *at = rules2025->findChild<QLineEdit *>(QStringLiteral("txtFloorDimensions(0)"));
    at->setFocus();
    const std::pair<int, const char *> stops[] = {{3, "29a-8-tab-heights"}, {5, "29a-9-tab-framing-grid"},
                                                  {1, "29a-10-tab-quasi-grid"}};
    for (const auto &[tabs, picture] : stops) {
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : at, Qt::Key_Tab);
        shoot(QLatin1String(picture));
    }
}

} // namespace
} // namespace quiren::test

namespace quiren::test {
namespace {

// The 2025 example with storey 2's balance failing: the verdict in the
// judgement grid, the quasi-bearing grid's direction headings, the balance
// inputs on the page and the breakdown docked beside the inputs.
TEST_F(Look, ChecksInView)
{
    main->resize(1366, 740);
    CalcWindow *window =
        OpenCalcFile(*main, QStringLiteral(QUIREN_SOURCE_DIR "/examples/nikai-2025-4bunkatsu.qrn2"), false);
    ASSERT_NE(window, nullptr);
    window->parentWidget()->showMaximized();
    CalcSheet &sheet = window->sheet();
    sheet.balance[1].counts(0)[1] = {QStringLiteral("4"), QString()};
    sheet.balance[1].counts(1)[1] = {QString(), QString()};
    window->document().tellRecalculated();
    window->document().tellCheckEdited(1);
    shoot(QStringLiteral("checks-1-judgement-balance-ng"));

    QWidget *quasi = window->quasiGrid(0);
    window->findChild<QScrollArea *>(QStringLiteral("TSScroll(0)"))->ensureWidgetVisible(quasi);
    for (QScrollArea *outer : window->findChildren<QScrollArea *>())
        if (outer->isAncestorOf(quasi) && outer->objectName().isEmpty())
            outer->ensureWidgetVisible(quasi);
    shoot(QStringLiteral("checks-2-quasi-headings"));

    window->findChild<QTabWidget *>(QStringLiteral("TS"))->setCurrentIndex(1);
    QTest::mouseClick(window->findChild<QPushButton *>(IndexedName("cmdBalance", 1)), Qt::LeftButton);
    shoot(QStringLiteral("checks-3-balance-inputs"));

    window->showBreakdown();
    shoot(QStringLiteral("checks-4-breakdown-floating"));
    window->dockBreakdown(true);
    shoot(QStringLiteral("checks-5-breakdown-docked"));

    // Storey 2 without a wall: 0.0 % in both directions, each with its red.
    window->dockBreakdown(false);
    window->showBreakdown()->hide();
    for (FramingRow &row : sheet.framing[1])
        row[ColPlaces0].clear(), row[ColPlaces1].clear();
    for (QuasiWallRow &row : sheet.quasiWalls[1])
        row.kind.clear();
    sheet.Recalculate();
    window->document().tellRecalculated();
    shoot(QStringLiteral("checks-6-zero-percent"));
}

// The questions of the conversions: the roof's finish on the way to the
// 2025 rules, its weight on the way back.
TEST_F(Look, Conversions)
{
    CalcWindow *window = OpenCalcFile(*main, QStringLiteral(QUIREN_SOURCE_DIR "/examples/nikai.qrn"), false);
    ASSERT_NE(window, nullptr);
    auto answerWithPicture = [this](const QString &name) {
        QTimer::singleShot(600, [this, name] {
            shoot(name);
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
    };
    answer = MsgAnswer::Ok;
    answerWithPicture(QStringLiteral("convert-1-roof"));
    main->findChild<QAction *>(QStringLiteral("mnuConvert2025"))->trigger();
    answerWithPicture(QStringLiteral("convert-2-weight"));
    main->findChild<QAction *>(QStringLiteral("mnuConvertOld"))->trigger();
}

} // namespace
} // namespace quiren::test
