#pragma once

#include "core/calc/CalcSheet.h"
#include "core/print/SheetPainter.h"
#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"

#include <QString>

// The one-page calculation sheet: title, project line, the ruled table with
// one block per storey, the coefficient block with the legal table of wall
// multipliers and, when enabled, the design office's data.
//
// Everything is drawn through the SheetPainter primitives in one fixed order;
// the JW-CAD file is that order written down, so it must not change.
namespace quiren {

// What the sheet reads from the settings besides the sheet itself.
struct SheetSettings {
    bool pafKind = true;                              // "PafKind"
    OfficeData office;
};

// The settings as the program reads them when a sheet is drawn: "PafKind"
// from the store, the office record from `data` (filled by LoadOptionData).
// The wind factor is not among them: the sheet prints the one its
// requirements were computed with.
SheetSettings ReadSheetSettings(const AppData &data);

class SheetDrawing {
public:
    SheetDrawing(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings);

    // Draws the whole sheet, opening the output's first page.
    void DrawSheet();

    // ---- the blocks, in the order DrawSheet calls them ---------------------
    void DrawFrame();
    void DrawLengthLabels(int a, int b);
    void DrawRequirementHeadings(const QString &floor, const QString &lf, const QString &a1,
                                 const QString &l1, const QString &a2, const QString &l2,
                                 int headRow, int orRow);
    void DrawRequirementLines(int s, int row);
    void DrawStoreyLabels(int first);
    void DrawFramingHeadings();
    void DrawFramingRows();
    void DrawCoefficientBlock();
    void DrawOfficeBlock();

    // ---- working texts ---------------------------------------------------
    int StoreyIndex() const { return m_n; }
    // "平屋建）", "２階建）" or "３階建）".
    QString StoreySuffix() const;
    // The wind factor as printed: the sheet's own factor in its shortest
    // form ("0.5", "0.51", "0.6").
    QString WindFactorText() const;
    // Heads of the projected-area columns (row 1) and of the framing blocks.
    QString ProjectedHead(int d) const;
    QString FramingHead(int d) const;

private:
    void Put(int column, int row, const QString &text);
    // A text of a cell: at column `column` and no further right than
    // `right`, or ending at column `column` and no further left than `left`;
    // shrunk or cut when it is too long (SheetPainter::PutFitted).
    void PutIn(int column, int row, const QString &text, float right);
    void PutRightIn(int column, int row, const QString &text, float left);
    // The room left between a text and the next line: a quarter of a
    // full-width character at 8 points.
    float Gap() const;
    QString CellOrNa(const QString &text) const;
    const FramingRow *FramingRowAt(int s, int r) const;

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    const SheetSettings &m_settings;
    int m_n = 0;
    QString m_wind;
};

// The sheet drawn by `painter` (on its device or into its vector output),
// followed, when the sheet holds a balance check, by the quarter-method
// table on the next page.
void DrawSheet(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings);

} // namespace quiren
