#pragma once

#include "core/calc/CalcSheet.h"
#include "core/calc/CheckVerdicts.h"

#include <QAbstractTableModel>

class QTableView;

class QWidget;

// The models behind the framing grids Z_FA(s) and the judgement grid J_FA.
// Both read the sheet directly; their first two rows are the headings.
namespace quiren {

class FramingModel : public QAbstractTableModel {
    Q_OBJECT

public:
    FramingModel(CalcSheet &sheet, int storey, QObject *parent = nullptr);

    int storey() const { return m_storey; }
    CalcSheet &sheet() { return m_sheet; }

    // Row of the sheet's framing rows for a grid row, -1 for a heading.
    static int framingRow(const QModelIndex &index);
    static bool isHeading(const QModelIndex &index) { return index.row() < FramingHeaderRows; }

    // Row 0 texts of columns 3-6 and 7-10.
    void setDirectionCaptions(const QString &direction0, const QString &direction1);
    QString headingText(int row, int column) const;
    // The whole grid shows the sheet again.
    void refresh();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Column alignment of the framing rows: left or right, centred vertically.
    static Qt::Alignment columnAlignment(int column);
    // Column width in twips.
    static int columnWidthTwips(int column);
    static bool columnEditable(int column);

private:
    QString kindToolTip(const FramingRow &row) const;

    CalcSheet &m_sheet;
    int m_storey;
    QString m_direction[2];
};

// Under the old rules three columns per direction (necessary, effective,
// ratio). Under the 2025 rules five: necessary, bearing walls, counted
// quasi-bearing walls, their total, and the judgement. Then the verdict of
// each check beside the wall quantity, so that one that fails shows here
// whatever the storey pages show.
class JudgementModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int Rows = 5;
    static constexpr int Columns2025 = 11;
    static constexpr int CheckColumns = 3;

    explicit JudgementModel(CalcSheet &sheet, QObject *parent = nullptr);

    const CalcSheet &sheet() const { return m_sheet; }
    // Row 0 texts of columns 1-3 and 4-6.
    void setDirectionCaptions(const QString &direction0, const QString &direction1);
    const QString &directionCaption(int d) const { return m_direction[d]; }
    void refresh();
    // Follows the sheet's rule set; true when the columns changed.
    bool updateLayout();
    bool rules2025() const { return m_rules2025; }
    // Whether the quasi-bearing walls of storey s, direction d, reach
    // beyond the half of the necessary length that may count.
    bool quasiCapped(int s, int d) const;

    // The bar of a judgement cell, or nullptr for any other cell.
    const JudgementBar *bar(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static int columnWidthTwips(int column) { return column == 0 ? 450 : 765; }

private:
    QString text(int row, int column) const;
    QString text2025(int row, int column) const;
    int directionOf(int column) const;
    int wallColumns() const { return m_rules2025 ? Columns2025 : JudgementColumnCount; }
    // The check of a verdict column (0, 1, 2), or -1.
    int checkOf(int column) const;
    QVariant checkData(int row, int check, int role) const;

    CalcSheet &m_sheet;
    QString m_direction[2];
    bool m_rules2025 = false;
    // Per storey, the checks' captions and verdicts as of the last refresh.
    std::array<std::vector<StoreyCheckVerdict>, StoreyCount> m_verdicts;
};

// Row height of the grids for their font, and the room a cell text needs
// (blanks around it not counted, a margin each side included).
int GridRowHeight(const QWidget *grid);
int GridTextWidth(const QWidget *grid, const QString &text);

// The look both kinds of grid share: no scroll bars, no wrapping or eliding,
// fixed rows of GridRowHeight and fixed columns.
void ApplySheetGridLook(QTableView *grid);

} // namespace quiren
