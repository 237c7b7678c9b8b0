#pragma once

#include "core/calc/CalcSheet.h"
#include "gui/calcwindow/NumberBox.h"
#include "gui/widgets/GridKeys.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quiren {

// The storey's framing rows with the places of each lying in the side
// parts of the balance check. Rows 0 and 1 are headings, then one row per
// framing row of the storey; kind, length and places are shown from the
// framing grid, only the four side-part counts are typed here.
class SideCountModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Kind, Length0, Places0, Count00, Count01, Length1, Places1, Count10, Count11, ColumnCount
    };
    static constexpr int HeadingRows = 2;

    SideCountModel(CalcSheet &sheet, int storey, QObject *parent = nullptr);

    // Direction and side part of a count column; false for other columns.
    static bool countColumn(int column, int *d, int *p);
    static int framingRow(const QModelIndex &index)
    {
        return index.isValid() && index.row() >= HeadingRows ? index.row() - HeadingRows : -1;
    }
    void refresh();
    // What the last typed count came to.
    SideCountCheck lastCheck() const { return m_lastCheck; }
    // A count written as if typed: the message refusing it, or empty.
    QString put(const QModelIndex &index, const QString &text);
    // The last text refused by an editor and its message (taken once).
    QString takeRefusal(QString *text) { return m_refusal.take(text); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString heading(int row, int column) const;

    CalcSheet &m_sheet;
    int m_storey;
    SideCountCheck m_lastCheck = SideCountCheck::Accepted;
    HeldRefusal m_refusal;
};

// The grid of side-part counts, with the keys of the framing grid: typing
// starts an edit, Delete empties a count. A refused count is answered with
// a message once the editor has closed, and the count is emptied.
class SideCountGrid : public QTableView {
    Q_OBJECT

public:
    SideCountGrid(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    SideCountModel *countModel() const { return m_model; }
    void refresh();
    int contentWidth() const;
    int contentHeight() const;

signals:
    // A count was typed or emptied; the sheet has changed.
    void countEdited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    SideCountModel *m_model;
    GridCells m_cells;
};

// One storey's balance check: the side-part counts of its framing rows, the
// side parts' floor areas and multipliers, and the results as the user
// types, with the wall-quantity verdict beside the balance verdict.
class BalancePanel : public QWidget {
    Q_OBJECT

public:
    BalancePanel(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    int storey() const { return m_storey; }
    SideCountGrid *countGrid() const { return m_counts; }
    QLineEdit *areaBox(int d, int p) const { return m_area[d][p]; }
    QLineEdit *multiplierBox(int d, int p) const { return m_multiplierBox[d][p]; }
    QCheckBox *oneStoreyBox(int d, int p) const { return m_oneStorey[d][p]; }
    QLabel *fillRatioLabel(int d, int p) const { return m_fill[d][p]; }
    // "充足率がいずれも1を超える" / "壁率比 0.xx ≧ 0.5" / ...
    QLabel *judgementLabel(int d) const { return m_judgement[d]; }
    // "壁量 OK  つり合い NG": both verdicts of the direction.
    QLabel *verdictLabel(int d) const { return m_verdict[d]; }

    // Shows the sheet again (inputs and results), without change reactions.
    void refresh();
    // Only the results and the counts grid (after edits elsewhere).
    void refreshResults();

signals:
    // An input of the panel changed the sheet.
    void sheetEdited();

private:
    void onAreaChanged(int d, int p, const QString &text);
    void onMultiplierChanged(int d, int p, const QString &text);

    CalcSheet &m_sheet;
    int m_storey;
    bool m_showing = false;
    SideCountGrid *m_counts = nullptr;
    std::array<std::array<NumberBox *, SidePartCount>, 2> m_area{};
    std::array<std::array<QLabel *, SidePartCount>, 2> m_multiplier{};
    std::array<std::array<NumberBox *, SidePartCount>, 2> m_multiplierBox{};
    std::array<std::array<QCheckBox *, SidePartCount>, 2> m_oneStorey{};
    std::array<std::array<QLabel *, SidePartCount>, 2> m_necessary{};
    std::array<std::array<QLabel *, SidePartCount>, 2> m_existing{};
    std::array<std::array<QLabel *, SidePartCount>, 2> m_fill{};
    std::array<QLabel *, 2> m_judgement{};
    std::array<QLabel *, 2> m_verdict{};
};

} // namespace quiren
