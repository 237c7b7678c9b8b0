#pragma once

#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnJointEdit.h"
#include "gui/widgets/GridKeys.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace quiren {

// The columns of one storey for the column-end joints: two rows per column
// (its X and Y directions). The inputs are typed or picked here; A, N, the
// joint and the verdict come from the core's check, worked out again after
// every edit.
class JointModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Name, Corner, Direction, Kind0, Brace0, At0, Typed0, Kind1, Brace1, At1, Typed1, Correction,
        Upper, UpperName, A2, A, N, Joint, Hardware, Verdict, ColumnCount
    };

    JointModel(CalcSheet &sheet, int storey, QObject *parent = nullptr);

    // The input field of a grid column, or nullopt for a result column.
    static std::optional<JointField> fieldOf(int column);
    // The texts a list column offers.
    QStringList choices(int column) const;
    // Works the results out again and shows them (after any change).
    void refresh();
    const JointStoreyResult &result() const { return m_result; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // An input was stored; the sheet may have changed.
    void edited();

public:
    // A text written as if typed: the message refusing it, or empty.
    QString put(const QModelIndex &index, const QString &text);
    // The text last refused and its message (taken once); a text stored
    // since clears it, so typing on the way to a number says nothing.
    QString takeRefusal(QString *text) { return m_refusal.take(text); }

private:
    HeldRefusal m_refusal;
    bool editable(int row, int column) const;
    bool ground() const;

    CalcSheet &m_sheet;
    int m_storey;
    JointStoreyResult m_result;
};

// Combo boxes for the list columns; the rest are typed.
class JointDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit JointDelegate(JointModel *model, QObject *parent = nullptr);
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    JointModel *m_model;
};

// One storey's column-end joints: the method, the column table, the
// verdicts of the storey's checks side by side.
class JointPanel : public QWidget {
    Q_OBJECT

public:
    JointPanel(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    JointModel *model() const { return m_model; }
    QTableView *table() const { return m_table; }
    QComboBox *methodBox() const { return m_method; }
    QLabel *verdictLabel() const { return m_verdict; }
    QPushButton *addButton() const { return m_add; }

    // Shows the sheet again after changes elsewhere (framing, heights, a file).
    void refresh();

signals:
    void sheetEdited();

private:
    void showResults();

    CalcSheet &m_sheet;
    int m_storey;
    JointModel *m_model;
    QTableView *m_table;
    QComboBox *m_method;
    QLabel *m_heights;
    QLabel *m_verdict;
    QLabel *m_notes;
    QPushButton *m_add;
    QPushButton *m_remove;
    bool m_showing = false;
};

// "壁量 OK　つり合い －　柱頭柱脚 NG" for storey s, in the judgement grid's colours.
QString StoreyVerdictsText(const CalcSheet &sheet, int s);
// "柱頭柱脚 NG" alone (verdict "NG"), for the storey page beside its buttons.
QString JointVerdictText(const QString &verdict);

} // namespace quiren
