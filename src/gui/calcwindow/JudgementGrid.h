#pragma once

#include "gui/calcwindow/GridModels.h"

#include <QStyledItemDelegate>
#include <QTableView>

namespace quiren {

// Paints a judgement cell over its bar: blue for "OK", red for a
// percentage, as long as the ratio (full width from 100 per cent up).
class JudgementBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

// The judgement grid J_FA: one row per existing storey under two heading
// rows, always visible beside the storey pages.
class JudgementGrid : public QTableView {
    Q_OBJECT

public:
    JudgementGrid(CalcSheet &sheet, QWidget *parent = nullptr);

    JudgementModel *judgementModel() const { return m_model; }
    void setDirectionCaptions(const QString &direction0, const QString &direction1);
    void refresh();
    // Columns of the sheet's rule set; true when they changed.
    bool updateLayout();
    // SizeJudgementRows(k): rows 0 to k-1 share the grid's height (less 60
    // twips); the rows of storeys that do not exist are not shown.
    void sizeJudgementRows(int k);
    int contentWidth() const;

private:
    void updateSpans();
    void updateColumns();

    JudgementModel *m_model;
    int m_shownRows = 3;
};

} // namespace quiren
