// The number entry window: what it shows, and what each button writes.
#include "gui/tools/NumberEntry.h"
#include "gui/widgets/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <vector>

namespace quiren {
namespace {

QPushButton *button(NumberEntryDialog &dialog, int i)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("cmdOK(%1)").arg(i));
}

QSpinBox *spinner(NumberEntryDialog &dialog)
{
    return dialog.findChild<QSpinBox *>(QStringLiteral("udNum"));
}

TEST(NumberEntry, OpensAtTheCellsNumberOrOne)
{
    NumberEntryDialog empty{QString()};
    EXPECT_EQ(empty.windowTitle(), QStringLiteral("軸組みの箇所数"));
    EXPECT_EQ(empty.shownNumber(), QStringLiteral("1"));
    QTest::mouseClick(button(empty, 0), Qt::LeftButton);
    EXPECT_EQ(empty.result(), QStringLiteral("1"));

    NumberEntryDialog four{QStringLiteral("4")};
    EXPECT_EQ(four.shownNumber(), QStringLiteral("4"));
    QTest::mouseClick(button(four, 0), Qt::LeftButton);
    EXPECT_EQ(four.choice(), NumberEntryDialog::Choice::Ok);
    EXPECT_EQ(four.result(), QStringLiteral("4"));
}

// A dialog's frame whose caption can be read; a number typed in full-width
// digits is taken.
TEST(NumberEntry, IsADialogThatTakesFullWidthDigits)
{
    NumberEntryDialog dialog{QString()};
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    dialog.show();
    EXPECT_GT(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()));

    QSpinBox *spin = spinner(dialog);
    spin->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("１２"));
    QApplication::sendEvent(spin, &typed);
    EXPECT_EQ(dialog.shownNumber(), QStringLiteral("12"));
}

TEST(NumberEntry, SpinnerStopsAtOneAndAHundred)
{
    NumberEntryDialog low{QStringLiteral("2")};
    QTest::keyClick(spinner(low), Qt::Key_Down);
    QTest::keyClick(spinner(low), Qt::Key_Down);
    QTest::keyClick(spinner(low), Qt::Key_Down);
    EXPECT_EQ(low.shownNumber(), QStringLiteral("1"));

    NumberEntryDialog high{QStringLiteral("99")};
    QTest::keyClick(spinner(high), Qt::Key_Up);
    QTest::keyClick(spinner(high), Qt::Key_Up);
    EXPECT_EQ(high.shownNumber(), QStringLiteral("100"));
    QTest::mouseClick(button(high, 0), Qt::LeftButton);
    EXPECT_EQ(high.result(), QStringLiteral("100"));
}

TEST(NumberEntry, ClearEmptiesAndCancelKeeps)
{
    NumberEntryDialog clear{QStringLiteral("4")};
    QTest::mouseClick(button(clear, 2), Qt::LeftButton);
    EXPECT_EQ(button(clear, 2)->text(), QStringLiteral("クリヤ"));
    EXPECT_EQ(clear.choice(), NumberEntryDialog::Choice::Clear);
    EXPECT_TRUE(clear.result().isEmpty());

    NumberEntryDialog cancel{QStringLiteral("4")};
    QTest::keyClick(spinner(cancel), Qt::Key_Up);
    QTest::mouseClick(button(cancel, 1), Qt::LeftButton);
    EXPECT_EQ(cancel.result(), QStringLiteral("4"));
}

// A number typed beyond the spinner's range, or one that is no count, is
// refused on OK with the window left open; it once became 100 or 3.
TEST(NumberEntry, TypedNumbersOutOfRangeAreRefusedNotClamped)
{
    std::vector<MessageRequest> told;
    SetMessageResponder([&told](const MessageRequest &request) {
        told.push_back(request);
        return MsgAnswer::Ok;
    });
    const struct {
        const char *typed;
        const char *message;   // empty: taken
        const char *result;
    } cases[] = {
        {"100000", "箇所には0から32767までの整数を入力してください", "4"},
        {"-3", "箇所には0から32767までの整数を入力してください", "4"},
        {"1.82", "箇所には0から32767までの整数を入力してください", "4"},
        {"250", "", "250"},   // beyond the arrows, but a count
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        told.clear();
        NumberEntryDialog dialog{QStringLiteral("4")};
        dialog.show();
        QSpinBox *spin = spinner(dialog);
        spin->selectAll();
        QTest::keyClicks(spin, QString::fromLatin1(c.typed));
        EXPECT_EQ(dialog.shownNumber(), QString::fromLatin1(c.typed));
        QTest::keyClick(spin, Qt::Key_Return);
        if (*c.message) {
            ASSERT_EQ(told.size(), 1u);
            EXPECT_EQ(told[0].text, QString::fromUtf8(c.message));
            EXPECT_TRUE(dialog.isVisible());
            QTest::mouseClick(button(dialog, 1), Qt::LeftButton);
        } else {
            EXPECT_TRUE(told.empty());
        }
        EXPECT_EQ(dialog.result(), QString::fromLatin1(c.result));
    }
    SetMessageResponder({});
}

TEST(NumberEntry, ModalEditReturnsTheNewText)
{
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<NumberEntryDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog->findChild<QSpinBox *>(QStringLiteral("udNum")), Qt::Key_Up);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    NumberEntryDialog::Choice choice = NumberEntryDialog::Choice::Cancel;
    EXPECT_EQ(NumberEntryDialog::edit(nullptr, QStringLiteral("7"), &choice), QStringLiteral("8"));
    EXPECT_EQ(choice, NumberEntryDialog::Choice::Ok);
}

} // namespace
} // namespace quiren
