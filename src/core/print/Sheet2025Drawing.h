#pragma once

#include "core/calc/CalcSheet.h"
#include "core/print/SheetDrawing.h"
#include "core/print/SheetPainter.h"

// The sheet of a building checked under the 2025 rules, A4 portrait: the
// seismic requirement with the loads and every step to Lw (or the typed Lw
// and its source), the wind requirement, the bearing walls, the
// quasi-bearing walls with the half-of-necessary cap, the judgement of each
// storey and direction, the legend of multipliers and the office block.
// Drawn in rows of the sheet's grid; a table that does not fit goes on to a
// second page. Every figure is the sheet's own text or result, as the
// calculation window shows it.
namespace quiren {

class Sheet2025Drawing {
public:
    // balancePage: the page number of the quarter-method page printed after
    // the sheet, 0 when none is printed.
    Sheet2025Drawing(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings,
                     int balancePage = 0);

    // The pages the sheet takes, worked out on a device that draws nothing.
    static int CountPages(const CalcSheet &sheet, const SheetSettings &settings);

    void Draw();

    // "建築基準法施行令第４６条第４項に基づく壁量計算表（木造２階建）" or 平屋建.
    QString Title() const;
    // The pages drawn (1, or 2 where rows overflow).
    int Pages() const { return m_page + 1; }

private:
    float X(double share) const;
    void text(double share, int row, const QString &text);
    void textRight(double share, int row, const QString &text);
    void centred(double from, double to, int row, const QString &text);
    void rule(int row, double from = 0.0, double to = 1.0);
    void column(double share, int fromRow, int toRow);
    void box(int fromRow, int toRow);
    void heading(const QString &text);
    void ensureRoom(int rows);
    void wallTableHeadings(const QString &kind, const QString &detail);
    void endStoreyRows();
    void closeWallTable(int top, int bodyTop);
    QString directionName(int d) const;
    int storeys() const;

    void drawTitle();
    void drawSeismic();
    void drawWind();
    void drawBearingWalls();
    void drawQuasiWalls();
    void drawJudgement();
    void drawBalanceVerdict(int s);
    void drawLegend();
    void drawOffice();

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    const SheetSettings &m_settings;
    int m_row = 0;
    int m_page = 0;
    int m_balancePage = 0;
};

} // namespace quiren
