#pragma once

// A main window with its first calculation window, shown under the
// offscreen platform, and the means to drive its controls as a user would.
#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/FramingGrid.h"
#include "gui/calcwindow/JudgementGrid.h"
#include "gui/shell/MainWindow.h"
#include "gui/tools/NumberEntry.h"
#include "gui/widgets/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace quiren::test {

class CalcWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppData::instance().walls.clear();
        WriteOnList(false);
        WritePafKind(true);
        WriteWallCoefficient(51);
        // The window tests drive the old-rule window unless they switch.
        WriteNewSheet2025(false);
        SetMessageResponder([this](const MessageRequest &request) {
            messages.push_back(request);
            return answer;
        });
        main = std::make_unique<MainWindow>(false);
        main->load();
        main->resize(1200, 900);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        calc = main->activeCalcWindow();
        ASSERT_NE(calc, nullptr);
    }

    void TearDown() override
    {
        SetMessageResponder({});
        main.reset();
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        // A storey page is built when first shown or asked for.
        for (int s = 0; s < 3; ++s)
            calc->storeyPage(s);
        T *found = calc->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit *box(const QString &name) const { return control<QLineEdit>(name); }
    QString labelText(const QString &name) const { return control<QLabel>(name)->text(); }

    FramingGrid *grid(int s) const { return calc->framingGrid(s); }
    // Grid rows count the two heading rows.
    QString cell(int s, int row, int column) const
    {
        return grid(s)->model()->index(row, column).data().toString();
    }
    QString judgement(int s, int column) const
    {
        return calc->judgementGrid()->model()->index(2 + s, column).data().toString();
    }

    void showPage(int s)
    {
        calc->findChild<QTabWidget *>(QStringLiteral("TS"))->setCurrentIndex(s);
    }

    void clickCell(int s, int row, int column)
    {
        showPage(s);
        FramingGrid *g = grid(s);
        const QModelIndex index = g->model()->index(row, column);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
    }

    QWidget *editorOf(int s, int row, int column) const
    {
        return grid(s)->indexWidget(grid(s)->model()->index(row, column));
    }

    // Clicks a list cell and clicks the item in the list that drops down.
    void chooseFromList(int s, int row, int column, const QString &item)
    {
        clickCell(s, row, column);
        auto *combo = qobject_cast<QComboBox *>(editorOf(s, row, column));
        ASSERT_NE(combo, nullptr) << "no list at " << row << "," << column;
        // The kind list shows each kind with its multiplier; it is found by the kind.
        int position = combo->findText(item);
        if (position < 0)
            position = combo->findData(item);
        ASSERT_GE(position, 0) << item.toStdString();
        QAbstractItemView *list = combo->view();
        ASSERT_TRUE(list->isVisible());
        const QModelIndex entry = list->model()->index(position, 0);
        // Into the middle: an item the list's edge cuts in half is "visible"
        // to a plain scroll, but its centre may lie outside the list.
        list->scrollTo(entry, QAbstractItemView::PositionAtCenter);
        QApplication::processEvents();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
        QApplication::processEvents();
    }

    // Types into a cell whose click starts free typing, then Enter.
    void typeAfterClick(int s, int row, int column, const QString &text)
    {
        clickCell(s, row, column);
        auto *edit = qobject_cast<QLineEdit *>(editorOf(s, row, column));
        ASSERT_NE(edit, nullptr) << "no text editor at " << row << "," << column;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }

    // Makes a cell current and types: the first key starts the edit.
    void typeIntoCurrent(int s, int row, int column, const QString &text)
    {
        showPage(s);
        FramingGrid *g = grid(s);
        const QModelIndex index = g->model()->index(row, column);
        g->setFocus();
        g->setCurrentIndex(index);
        QTest::keyClicks(g, text.left(1));
        auto *edit = qobject_cast<QLineEdit *>(g->indexWidget(index));
        ASSERT_NE(edit, nullptr) << "typing did not start an edit";
        QTest::keyClicks(edit, text.mid(1));
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }

    // Clicks a places cell; the number entry window is answered by `act`.
    void usePlacesWindow(int s, int row, int column, std::function<void(NumberEntryDialog *)> act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<NumberEntryDialog *>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog)
                act(dialog);
        });
        clickCell(s, row, column);
        EXPECT_TRUE(seen) << "the number entry window did not open";
    }

    // Types into a box as the user does and presses Enter, which hands the
    // text on (a box checks and stores its text only then, or when left).
    static void enter(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        // Full-width text comes from an input method, not from keys.
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        if (!ascii)
            commitText(box, text);
        else if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
    }

    // What an input method hands over when the user confirms a text.
    static void commitText(QWidget *widget, const QString &text)
    {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(widget, &typed);
    }

    void pressKey(int s, int row, int column, Qt::Key key)
    {
        showPage(s);
        FramingGrid *g = grid(s);
        g->setCurrentIndex(g->model()->index(row, column));
        QTest::keyClick(g, key);
    }

    std::unique_ptr<MainWindow> main;
    CalcWindow *calc = nullptr;
    std::vector<MessageRequest> messages;
    MsgAnswer answer = MsgAnswer::Ok;
};

} // namespace quiren::test
