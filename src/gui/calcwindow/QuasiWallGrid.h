#pragma once

#include "core/calc/CalcSheet.h"
#include "gui/widgets/GridKeys.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

namespace quiren {

// The quasi-bearing walls of one storey: the panel, its base multiplier
// where the user types it, the panel and clear heights, the multiplier that
// follows, and per direction length, places and effective length.
class QuasiWallModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // WallKind: 準耐力壁 or 垂れ壁・腰壁; BothSides: the user confirms bearing
    // or quasi-bearing walls on both sides (垂れ壁・腰壁); Reason: why a row
    // does not count.
    enum Column {
        WallKind, Kind, Base, PanelHeight, ClearHeight, BothSides, Multiplier,
        Length0, Places0, Effective0, Length1, Places1, Effective1, Reason, ColumnCount
    };

    QuasiWallModel(CalcSheet &sheet, int storey, QObject *parent = nullptr);

    void refresh();
    static bool typedColumn(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // An input of the sheet changed; the window recalculates.
    void edited();

public:
    // A text written as if typed: the message refusing it, or empty.
    QString put(const QModelIndex &index, const QString &text);
    // The last text refused by an editor and its message (taken once).
    QString takeRefusal(QString *text) { return m_refusal.take(text); }

private:
    HeldRefusal m_refusal;
    QString *cell(int row, int column);
    QString cellText(int row, int column) const;

    CalcSheet &m_sheet;
    int m_storey;
};

// The kind cell offers the panel list with "ｸﾘﾔ" first.
class QuasiKindDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

class QuasiWallGrid : public QTableView {
    Q_OBJECT

public:
    QuasiWallGrid(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    QuasiWallModel *quasiModel() const { return m_model; }
    void refresh() { m_model->refresh(); }
    int contentWidth() const;
    int contentHeight() const;
    // The headings over each direction's length, places and effective
    // length ("桁行方向", "梁間方向").
    void setDirectionCaptions(const std::array<QString, 2> &captions);
    const std::array<QString, 2> &directionCaptions() const;

signals:
    void edited();
    void focused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QuasiWallModel *m_model;
    class DirectionHeader *m_header;
    GridCells m_cells;
};

} // namespace quiren
