// The calculation window of a sheet under the 2025 rules: the figures follow
// the load inputs, the half-of-necessary cap of the quasi-bearing walls is
// visible, and the sheet survives a save and an open.
#include "CalcWindowFixture.h"

#include "core/documents/SheetFile.h"
#include "gui/calcwindow/BalancePanel.h"
#include "gui/calcwindow/LoadsGroup.h"
#include "gui/calcwindow/LwBreakdownWindow.h"
#include "gui/calcwindow/QuasiWallGrid.h"
#include "gui/calcwindow/Storey2025Panel.h"
#include "gui/calcwindow/StoreyPage.h"
#include "gui/tools/Hint.h"
#include "gui/documents/DocumentCommands.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <algorithm>
#include <functional>

namespace quiren::test {
namespace {

class Window2025Test : public CalcWindowFixture {
protected:
    void SetUp() override
    {
        CalcWindowFixture::SetUp();
        calc->startSheet(RuleSetKind::Rules2025);
    }

    void type(const QString &name, const QString &text)
    {
        enter(box(name), text);
    }

    // One framing row: a 4.5×9 brace (multiplier 2.0), 0.91 m at 4 places = 7.28 m.
    void addBrace()
    {
        FramingRow &row = calc->sheet().framing[0][0];
        row[ColKind] = QStringLiteral("木材");
        row[ColSection] = QStringLiteral("4.5×9");
        row[ColXBracing] = QStringLiteral("しない");
        row[ColLength0] = QStringLiteral("0.91");
        row[ColPlaces0] = QStringLiteral("4");
    }
};

// One storey of 50 m², siding, no panels, h1 2.9 m, rise 1.5 m, overhang
// 0.6 m, pitch 4 寸. By hand: Z = 17.7 × 7.2 × √116 / 990 = 1.3864;
// W_wall = (720 + 207.14 + 90 + 50) / 1000 = 1.0671 kN/m². Tile (990):
// w1 = (990 Z + 100) / 1000 + W_wall / 2 = 2.0061, Lw = ⌈0.2 w1 / 0.0196⌉ =
// 21, 10.5 m. Metal (500): w1 = 1.3268, Lw 14, 7.0 m. The brace gives 7.28 m.
TEST_F(Window2025Test, LoadInputsCarryThroughToLwRequirementAndJudgement)
{
    addBrace();
    type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("50"));
    type(QStringLiteral("StoreyHeight(0)"), QStringLiteral("2.9"));
    type(QStringLiteral("Rise"), QStringLiteral("1.5"));
    type(QStringLiteral("Overhang"), QStringLiteral("0.6"));
    // Without the pitch there is no Lw, and no judgement.
    EXPECT_EQ(judgement(0, 5), QString());
    type(QStringLiteral("Pitch"), QStringLiteral("4"));
    EXPECT_TRUE(calc->storey2025Panel(0)->seismicText().startsWith(QStringLiteral("必要壁量＝Lw 21cm")))
        << calc->storey2025Panel(0)->seismicText().toStdString();
    EXPECT_EQ(judgement(0, 1), QStringLiteral("10.5000"));
    EXPECT_EQ(judgement(0, 4), QStringLiteral("7.2800"));
    EXPECT_EQ(judgement(0, 5), QStringLiteral("69.3% "));

    control<QComboBox>(QStringLiteral("RoofFinish"))->setCurrentIndex(static_cast<int>(RoofFinish::Metal));
    EXPECT_TRUE(calc->storey2025Panel(0)->seismicText().startsWith(QStringLiteral("必要壁量＝Lw 14cm")));
    EXPECT_EQ(judgement(0, 1), QStringLiteral("7.0000"));
    EXPECT_EQ(judgement(0, 5), QStringLiteral("OK"));
    EXPECT_TRUE(calc->sheet().changed);
}

// Typed Lw 41 on 50 m²: 20.5 m necessary, so at most 10.25 m of quasi walls
// count. Gypsum board at full height (0.9 × 0.6 = 0.54), 10 m at 3 places:
// 16.2 m, capped.
TEST_F(Window2025Test, QuasiWallsBeyondHalfTheNecessaryLengthShowTheCap)
{
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    type(QStringLiteral("TypedLw(0)"), QStringLiteral("41"));
    type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("50"));
    QAbstractItemModel *quasi = calc->quasiGrid(0)->model();
    quasi->setData(quasi->index(0, QuasiWallModel::Kind), QStringLiteral("せっこうボード"), Qt::EditRole);
    for (int column : {int(QuasiWallModel::PanelHeight), int(QuasiWallModel::ClearHeight)})
        quasi->setData(quasi->index(0, column), QStringLiteral("240"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::Length0), QStringLiteral("10"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::Places0), QStringLiteral("3"), Qt::EditRole);

    EXPECT_EQ(quasi->index(0, QuasiWallModel::Effective0).data().toString(), QStringLiteral("16.2000"));
    EXPECT_EQ(judgement(0, 1), QStringLiteral("20.5000"));
    EXPECT_EQ(judgement(0, 3), QStringLiteral("※10.2500"));
    EXPECT_EQ(judgement(0, 4), QStringLiteral("10.2500"));
    EXPECT_EQ(judgement(0, 5), QStringLiteral("50.0% "));
    // The other direction has none: nothing capped there.
    EXPECT_EQ(judgement(0, 8), QStringLiteral("0.0000"));

    // A text that is not a number is refused, the cell keeps its value.
    EXPECT_FALSE(quasi->setData(quasi->index(0, QuasiWallModel::Places0), QStringLiteral("x"), Qt::EditRole));
    EXPECT_EQ(quasi->index(0, QuasiWallModel::Places0).data().toString(), QStringLiteral("3"));
}

// Every column of the 2025 judgement grid repaints when the sheet changes:
// the 梁 half (columns 7-10) once kept a stale blue "OK" after a change of
// the floor area, Lw or the quasi-bearing walls, until something else
// repainted it.
TEST_F(Window2025Test, EveryJudgementColumnRepaintsAfterAnEdit)
{
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    QAbstractItemModel *model = calc->judgementGrid()->model();
    const int last = model->columnCount() - 1;
    ASSERT_GE(last, JudgementColumnCount);
    QAbstractItemModel *quasi = calc->quasiGrid(0)->model();
    const std::function<void()> edits[] = {
        [&] { type(QStringLiteral("TypedLw(0)"), QStringLiteral("41")); },
        [&] { type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("200")); },
        [&] { quasi->setData(quasi->index(0, QuasiWallModel::Kind), QStringLiteral("せっこうボード"), Qt::EditRole); },
    };
    for (const auto &edit : edits) {
        QSignalSpy spy(model, &QAbstractItemModel::dataChanged);
        edit();
        const bool lastColumnRepainted = std::any_of(spy.begin(), spy.end(), [&](const QList<QVariant> &args) {
            const QModelIndex from = args.at(0).toModelIndex();
            const QModelIndex to = args.at(1).toModelIndex();
            return from.column() <= last && to.column() >= last && from.row() <= 2 && to.row() >= 2;
        });
        EXPECT_TRUE(lastColumnRepainted) << spy.count() << " repaints";
    }
}

// A hanging wall counts only once the user confirms walls on both sides;
// until then the row says why it does not count.
TEST_F(Window2025Test, HangingWallsCountOnceBothSidesAreConfirmed)
{
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    type(QStringLiteral("TypedLw(0)"), QStringLiteral("41"));
    type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("50"));
    QAbstractItemModel *quasi = calc->quasiGrid(0)->model();
    quasi->setData(quasi->index(0, QuasiWallModel::Kind), QStringLiteral("せっこうボード"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::WallKind), QStringLiteral("垂れ壁・腰壁"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::PanelHeight), QStringLiteral("60"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::ClearHeight), QStringLiteral("240"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::Length0), QStringLiteral("1.82"), Qt::EditRole);
    quasi->setData(quasi->index(0, QuasiWallModel::Places0), QStringLiteral("2"), Qt::EditRole);
    EXPECT_TRUE(quasi->index(0, QuasiWallModel::Reason).data().toString().contains(QStringLiteral("両側")));
    EXPECT_EQ(quasi->index(0, QuasiWallModel::Effective0).data().toString(), QString());

    // 0.9 × 0.6 × 60 / 240 = 0.135 → 0.13; 1.82 × 2 × 0.13 = 0.4732.
    quasi->setData(quasi->index(0, QuasiWallModel::BothSides), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(quasi->index(0, QuasiWallModel::Reason).data().toString(), QString());
    EXPECT_EQ(quasi->index(0, QuasiWallModel::Effective0).data().toString(), QStringLiteral("0.4732"));
    EXPECT_EQ(judgement(0, 4), QStringLiteral("0.4732"));
}

// Options → Apply has every open sheet work its figures out again at once:
// a certified wall's new multiplier shows now, not after some later edit
// happens to recalculate the storey.
TEST_F(Window2025Test, SheetRecalculatedWhenTheOptionsChangeTheWalls)
{
    AppData::instance().walls = CertifiedWallList{CertifiedWall{QStringLiteral("A壁"), 2.0f}};
    calc->refillCertifiedWalls();
    CalcSheet &sheet = calc->sheet();
    sheet.certifiedChoice = 0;
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("A壁");
    row[ColLength0] = QStringLiteral("1.82");
    row[ColPlaces0] = QStringLiteral("2");
    sheet.RecalcStorey(0);
    ASSERT_EQ(row[ColMultiplier0], QStringLiteral("2.00"));

    AppData::instance().walls[0].multiplier = 4.0f;
    calc->recalculateSheet();
    EXPECT_EQ(row[ColMultiplier0], QStringLiteral("4.00"));
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], QStringLiteral("14.5600"));
    EXPECT_FALSE(sheet.changed);
}

// A 2025 sheet is written as ".qrn2" and comes back with the same inputs
// and figures.
TEST_F(Window2025Test, SaveAndOpenKeepTheSheet)
{
    const QString dir = makeScratchDir(QStringLiteral("window-2025"));
    calc->startSheet(RuleSetKind::Rules2025);
    control<QComboBox>(QStringLiteral("LwMethod"))->setCurrentIndex(LwMethodIndex(LwMethod::Typed));
    type(QStringLiteral("TypedLw(0)"), QStringLiteral("41"));
    box(QStringLiteral("LwSource"))->setText(QStringLiteral("早見表"));   // typed as a whole: QTest types ASCII only
    type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("50"));
    type(QStringLiteral("LoftMaxHeight(0)"), QStringLiteral("1.2"));

    const QString saved = dir + QStringLiteral("/house.qrn2");
    ASSERT_TRUE(SaveCalcFile(*main, *calc, saved));
    EXPECT_EQ(calc->caption(), saved);

    CalcWindow *opened = OpenCalcFile(*main, saved, false);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->sheet().ruleSetKind(), RuleSetKind::Rules2025);
    EXPECT_EQ(opened->sheet().weightInputs.floor[0].loftMaxHeight, QStringLiteral("1.2"));
    EXPECT_EQ(opened->sheet().weightInputs.seismic.lwSource, QStringLiteral("早見表"));
    EXPECT_EQ(opened->storey2025Panel(0)->seismicText(), calc->storey2025Panel(0)->seismicText());
    EXPECT_FALSE(opened->sheet().changed);
    EXPECT_TRUE(opened->loadsGroup()->isVisibleTo(opened));
}

// Tab runs down a storey page as it reads: the area boxes, the framing grid
// (or the balance check), the 2025 inputs, the balance and joint buttons,
// the quasi-bearing walls. Whether the window began under these rules or took
// them later, and whether the balance check was opened before or after.
TEST_F(Window2025Test, TabRunsDownTheStoreyPageInReadingOrder)
{
    const auto tabOrder = [](CalcWindow *window) {
        QWidget *page = window->storeyPage(0);
        QStringList order;
        for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
            if (!page->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window))
                continue;
            QString name = w->objectName();
            if (window->storey2025Panel(0)->isAncestorOf(w))
                name = QStringLiteral("2025");
            else if (window->balancePanel(0)->isAncestorOf(w))
                name = QStringLiteral("balance");
            if (order.isEmpty() || order.last() != name)
                order << name;
        }
        return order.join(u' ').toStdString();
    };
    // The areas, the storey's inputs below them, the grids, then the
    // checks' buttons, an open check's view after its button.
    const std::string framing = "txtFloorDimensions(0) txtWallDimensions(0) txtWallDimensions(3) 2025 Z_FA(0) "
                                "Q_FA(0) cmdBalance(0) cmdColumns(0) cmdJoints(0)";
    const std::string balance = "txtFloorDimensions(0) txtWallDimensions(0) txtWallDimensions(3) "
                                "2025 Q_FA(0) cmdBalance(0) balance cmdColumns(0) cmdJoints(0)";
    CalcWindow *opensBalanceFirst = main->newCalcWindow(RuleSetKind::Old);
    opensBalanceFirst->findChild<QPushButton *>(QStringLiteral("cmdBalance(0)"))->click();
    opensBalanceFirst->startSheet(RuleSetKind::Rules2025);

    for (CalcWindow *window : {calc, main->newCalcWindow(RuleSetKind::Rules2025), opensBalanceFirst}) {
        auto *button = window->findChild<QPushButton *>(QStringLiteral("cmdBalance(0)"));
        button->setChecked(false);
        EXPECT_EQ(tabOrder(window), framing);
        button->setChecked(true);
        EXPECT_EQ(tabOrder(window), balance);
    }
}

// Pages other than the first are built when first shown. One shown late
// must show its sheet as the first page does: the areas, the captions in the
// style in effect, the parts of its rules and the size of its contents.
TEST_F(Window2025Test, AStoreyPageShownLateShowsItsSheet)
{
    CalcSheet &sheet = calc->sheet();
    sheet.SetStoreyIndex(1);
    sheet.SetFloorArea(1, QStringLiteral("40"));
    sheet.SetProjectedArea(4, QStringLiteral("12.5"));
    calc->showSheet();
    calc->setDirectionCaptions(false);
    sheet.changed = false;
    ASSERT_EQ(calc->findChild<QWidget *>(QStringLiteral("TSPage(1)")), nullptr);

    calc->showStorey(1);
    QApplication::processEvents();
    auto find = [this](const QString &name) { return calc->findChild<QWidget *>(name); };
    EXPECT_EQ(qobject_cast<QLineEdit *>(find(QStringLiteral("txtFloorDimensions(1)")))->text(), QStringLiteral("40"));
    EXPECT_EQ(qobject_cast<QLineEdit *>(find(QStringLiteral("txtWallDimensions(4)")))->text(), QStringLiteral("12.5"));
    EXPECT_EQ(qobject_cast<QLabel *>(find(QStringLiteral("KMLabel(1)")))->text(), QStringLiteral("桁行方向壁面の見付面積：Ｄ"));
    EXPECT_EQ(qobject_cast<QLabel *>(find(QStringLiteral("FSLabel(1)")))->text(),
              qobject_cast<QLabel *>(find(QStringLiteral("FSLabel(0)")))->text());
    EXPECT_EQ(calc->framingGrid(1)->model()->index(0, 3).data().toString(), QStringLiteral("桁行方向壁面について記入"));
    EXPECT_TRUE(calc->storey2025Panel(1)->isVisible());
    EXPECT_FALSE(find(QStringLiteral("Ftimes(1)"))->isVisibleTo(calc));
    EXPECT_FALSE(calc->findChild<QScrollArea *>(QStringLiteral("TSScroll(1)"))->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(sheet.changed);
}

// The advice window names the two directions as the judgement grid does
// (the 2025 grid has five columns a direction), and the quasi-bearing grid
// carries them over its column groups.
TEST_F(Window2025Test, DirectionsNamedInTheAdviceWindowAndTheQuasiGrid)
{
    const std::array<QString, 2> captions = GridDirectionCaptions(true);
    ASSERT_NE(captions[0], captions[1]);
    EXPECT_EQ(calc->hintInput().directionCaptions, captions);
    EXPECT_EQ(calc->quasiGrid(0)->directionCaptions(), captions);
}

// "計算の内訳" lists what the figure is doubtful about under its steps, and
// goes into the window beside the inputs and out again.
TEST_F(Window2025Test, BreakdownShowsTheWarningsAndDocks)
{
    type(QStringLiteral("txtFloorDimensions(0)"), QStringLiteral("50"));
    type(QStringLiteral("StoreyHeight(0)"), QStringLiteral("2.9"));
    type(QStringLiteral("Rise"), QStringLiteral("1.5"));
    type(QStringLiteral("Overhang"), QStringLiteral("0.6"));
    type(QStringLiteral("Pitch"), QStringLiteral("4"));
    LwBreakdownWindow *breakdown = calc->showBreakdown();
    ASSERT_FALSE(breakdown->lines().isEmpty());
    EXPECT_TRUE(breakdown->warningLines().contains(
        QStringLiteral("注意：1階の床面積が100m²未満です。公式ツールは建築面積100m²以上を前提とします。")))
        << breakdown->warningLines().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(breakdown->findChild<QLabel *>(QStringLiteral("lblBreakdownWarnings"))->isVisible());

    auto *dock = breakdown->findChild<QCheckBox *>(QStringLiteral("chkBreakdownDock"));
    dock->click();
    EXPECT_FALSE(breakdown->isWindow());
    EXPECT_TRUE(breakdown->isVisible());
    EXPECT_TRUE(calc->isAncestorOf(breakdown));
    dock->click();
    EXPECT_TRUE(breakdown->isWindow());
    EXPECT_TRUE(breakdown->isVisible());
}

} // namespace
} // namespace quiren::test
