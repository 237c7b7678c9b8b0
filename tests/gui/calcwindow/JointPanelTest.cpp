// The column-end joints on a storey page: typed inputs move A, N and the
// verdict as they are typed; a storey-1 column takes the pull of the
// storey-2 column of its name; weak hardware fails.
#include "CalcWindowFixture.h"

#include "gui/calcwindow/JointPanel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTableView>

namespace quiren::test {
namespace {

using JointPanelTest = CalcWindowFixture;

class JointTyping {
public:
    explicit JointTyping(JointPanel *panel) : m_panel(panel) {}

    QModelIndex at(int row, int column) const { return m_panel->model()->index(row, column); }
    QString text(int row, int column) const { return at(row, column).data().toString(); }

    // Types into a cell without closing the editor.
    QLineEdit *type(int row, int column, const QString &text)
    {
        QTableView *table = m_panel->table();
        table->setFocus();
        table->setCurrentIndex(at(row, column));
        QTest::keyClicks(table, text.left(1));
        auto *edit = qobject_cast<QLineEdit *>(table->indexWidget(at(row, column)));
        EXPECT_NE(edit, nullptr) << "typing did not start an edit";
        if (edit)
            QTest::keyClicks(edit, text.mid(1));
        QApplication::processEvents();
        return edit;
    }

    void finish(QLineEdit *edit)
    {
        if (edit)
            QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }

    void pick(int row, int column, const QString &item)
    {
        QTableView *table = m_panel->table();
        table->setCurrentIndex(at(row, column));
        table->edit(at(row, column));
        auto *box = qobject_cast<QComboBox *>(table->indexWidget(at(row, column)));
        ASSERT_NE(box, nullptr);
        const int i = box->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
        table->setCurrentIndex(at(row, JointModel::Direction));
        QApplication::processEvents();
    }

private:
    JointPanel *m_panel;
};

TEST_F(JointPanelTest, ColumnsJudgedAsTheUserTypes)
{
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    CalcSheet &sheet = calc->sheet();

    // Storey 2: X1-Y1, a corner column with a 3×9 brace meeting it at its head.
    showPage(1);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdJoints(1)")), Qt::LeftButton);
    JointPanel *upper = calc->jointPanel(1);
    QTest::mouseClick(upper->addButton(), Qt::LeftButton);
    JointTyping up(upper);
    up.finish(up.type(0, JointModel::Name, QStringLiteral("X1-Y1")));
    upper->model()->setData(up.at(0, JointModel::Corner), Qt::Checked, Qt::CheckStateRole);
    up.pick(0, JointModel::Kind0, QStringLiteral("木材"));
    up.pick(0, JointModel::Brace0, QStringLiteral("3×9"));
    EXPECT_EQ(up.text(0, JointModel::Correction), QStringLiteral("+0.5"));
    EXPECT_EQ(up.text(0, JointModel::A), QStringLiteral("2.0"));
    EXPECT_EQ(up.text(0, JointModel::N), QStringLiteral("1.20"));   // 2.0 × 0.8 − 0.4
    EXPECT_EQ(up.text(0, JointModel::Joint), QStringLiteral("(に)"));
    EXPECT_TRUE(sheet.changed);

    // Storey 1 under it: a typed 3.0; N follows each keystroke.
    showPage(0);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdJoints(0)")), Qt::LeftButton);
    JointPanel *lower = calc->jointPanel(0);
    QTest::mouseClick(lower->addButton(), Qt::LeftButton);
    JointTyping low(lower);
    low.finish(low.type(0, JointModel::Name, QStringLiteral("X1-Y1")));
    lower->model()->setData(low.at(0, JointModel::Corner), Qt::Checked, Qt::CheckStateRole);
    QLineEdit *typing = low.type(0, JointModel::Typed0, QStringLiteral("3"));
    // 3 × 0.8 + 2.0 × 0.8 − 1.0 = 3.0 → (ち), before the editor closes.
    EXPECT_EQ(low.text(0, JointModel::A2), QStringLiteral("2.0"));
    EXPECT_EQ(low.text(0, JointModel::N), QStringLiteral("3.00"));
    EXPECT_EQ(low.text(0, JointModel::Joint), QStringLiteral("(ち)"));
    low.finish(typing);

    // Hardware of 15 kN is below the 20 kN (ち) needs.
    low.finish(low.type(0, JointModel::Hardware, QStringLiteral("15")));
    EXPECT_EQ(low.text(0, JointModel::Verdict), QStringLiteral("NG"));
    EXPECT_TRUE(lower->verdictLabel()->text().contains(QStringLiteral("柱頭柱脚 <span style=\"color:#ff0000\">NG")));
    EXPECT_TRUE(control<QLabel>(QStringLiteral("JointPageVerdict(0)"))->text().contains(QStringLiteral("NG")));

    // The storey-2 brace meeting the column at its foot instead: A2 = 1.0,
    // N = 3 × 0.8 + 1.0 × 0.8 − 1.0 = 2.2 → (と), 15 kN: it passes.
    showPage(1);
    up.pick(0, JointModel::At0, QStringLiteral("脚"));
    showPage(0);
    EXPECT_EQ(low.text(0, JointModel::A2), QStringLiteral("1.0"));
    EXPECT_EQ(low.text(0, JointModel::Joint), QStringLiteral("(と)"));
    EXPECT_EQ(low.text(0, JointModel::Verdict), QStringLiteral("OK"));

    // The 告示 table is refused over 3.2 m.
    sheet.weightInputs.memberDistance[0] = QStringLiteral("3.3");
    lower->methodBox()->setCurrentIndex(1);
    EXPECT_EQ(sheet.joints[0].method, JointMethod::Table);
    EXPECT_TRUE(lower->verdictLabel()->text().contains(QStringLiteral("NG")));
    lower->methodBox()->setCurrentIndex(0);
    sheet.weightInputs.memberDistance[0].clear();
    lower->refresh();

    const QString folder = qEnvironmentVariable("QUIREN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(lower->addButton(), Qt::LeftButton);
            low.finish(low.type(2 + 2 * i, JointModel::Name, QStringLiteral("X%1-Y3").arg(i + 2)));
            low.pick(2 + 2 * i, JointModel::Kind0, QStringLiteral("木材"));
            low.pick(2 + 2 * i, JointModel::Brace0, i == 1 ? QStringLiteral("4.5×9 たすき") : QStringLiteral("9×9"));
            low.finish(low.type(3 + 2 * i, JointModel::Typed1, QStringLiteral("2.5")));
        }
        if (auto *frame = qobject_cast<QMdiSubWindow *>(calc->parentWidget()))
            frame->showMaximized();
        QTest::qWait(300);
        QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0);
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            picture = main->grab();
        picture.save(folder + QStringLiteral("/joints.png"));
    }
}

} // namespace
} // namespace quiren::test
