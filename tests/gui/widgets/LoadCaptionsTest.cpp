// LoadCaptions: numbers put in by design become the string table's texts,
// by the rules of each kind of control; whatever cannot be filled stays.
#include "gui/widgets/Captions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>

namespace quiren {
namespace {

TEST(LoadCaptions, EachKindOfControlTakesItsString)
{
    QWidget window;
    auto *label = new QLabel(QStringLiteral("design"), &window);
    SetTag(label, 1100);
    auto *untagged = new QLabel(QStringLiteral("keep me"), &window);
    auto *junkTag = new QLabel(QStringLiteral("junk"), &window);
    junkTag->setProperty(TagProperty, QStringLiteral("12ab"));
    auto *missing = new QLabel(QStringLiteral("missing"), &window);
    SetTag(missing, 59999);
    auto *frame = new QGroupBox(QStringLiteral("1102"), &window);
    SetTag(frame, 1102);
    auto *option = new QRadioButton(QStringLiteral("1103"), frame);
    SetTag(option, 1103);

    auto *browse = new QPushButton(QStringLiteral("design"), &window);
    browse->setProperty(TagProperty, QStringLiteral("1251"));
    auto *zero = new QPushButton(QStringLiteral("stays"), &window);
    zero->setProperty(TagProperty, QStringLiteral("0"));
    auto *empty = new QPushButton(QStringLiteral("stays too"), &window);
    auto *check = new QCheckBox(QStringLiteral("x"), &window);
    check->setProperty(TagProperty, QStringLiteral("6126 print"));
    check->setToolTip(QStringLiteral("1050"));
    auto *edit = new QLineEdit(QStringLiteral("typed"), &window);
    SetTag(edit, 1100);

    QMenu menu(QStringLiteral("1009"), &window);
    QAction *options = menu.addAction(QStringLiteral("1013"));
    QAction *recent = menu.addAction(QStringLiteral("1004"));
    QAction *plain = menu.addAction(QStringLiteral("no number"));
    auto *bar = new QToolBar(&window);
    QAction *button = bar->addAction(QStringLiteral("New"));
    button->setToolTip(QStringLiteral("1050"));

    LoadCaptions(&window);

    EXPECT_EQ(label->text(), QStringLiteral("工事名(&K)"));
    EXPECT_EQ(untagged->text(), QStringLiteral("keep me"));
    EXPECT_EQ(junkTag->text(), QStringLiteral("junk"));
    EXPECT_EQ(missing->text(), QStringLiteral("missing"));
    EXPECT_EQ(frame->title(), QStringLiteral("階数"));
    EXPECT_EQ(option->text(), QStringLiteral("平屋建て(&R)"));
    EXPECT_EQ(browse->text(), QStringLiteral("参照"));
    EXPECT_EQ(zero->text(), QStringLiteral("stays"));
    EXPECT_EQ(empty->text(), QStringLiteral("stays too"));
    EXPECT_EQ(check->text(), QStringLiteral("計算書に印刷"));
    EXPECT_EQ(check->toolTip(), QStringLiteral("新規作成"));
    EXPECT_EQ(edit->text(), QStringLiteral("typed"));
    EXPECT_EQ(menu.title(), QStringLiteral("表示(&V)"));
    EXPECT_EQ(options->text(), QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    EXPECT_EQ(recent->text(), QStringLiteral("RecentFile1"));
    EXPECT_EQ(plain->text(), QStringLiteral("no number"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("新規作成"));
    EXPECT_EQ(button->text(), QStringLiteral("New"));

    // Once filled, a second pass changes nothing.
    LoadCaptions(&window);
    EXPECT_EQ(label->text(), QStringLiteral("工事名(&K)"));
}

TEST(LoadCaptions, LeadingNumberReadsLikeVal)
{
    EXPECT_EQ(LeadingNumber(QStringLiteral("1251")), 1251);
    EXPECT_EQ(LeadingNumber(QStringLiteral(" 1251abc")), 1251);
    EXPECT_EQ(LeadingNumber(QString()), 0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(LeadingNumber(QStringLiteral("-5")), -5);
}

} // namespace
} // namespace quiren
