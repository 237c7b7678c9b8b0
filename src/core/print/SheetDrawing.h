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
    int wallCoefficient = WallCoefficientDefault;     // "WallCoefficeient"
    OfficeData office;
};

// The settings as the program reads them when a sheet is drawn: "PafKind"
// and "WallCoefficeient" from the store, the office record from `data`
// (filled by LoadOptionData).
SheetSettings ReadSheetSettings(const AppData &data);

class SheetDrawing {
public:
    SheetDrawing(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings);

    // Draws the whole sheet. In print mode the device's page is opened first.
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
    // The wind factor as printed: "0.5" for the ordinary factor, otherwise
    // the strong-wind setting divided by 100 ("0.51", "0.6").
    QString WindFactorText() const;
    // Heads of the projected-area columns (row 1) and of the framing blocks.
    QString ProjectedHead(int d) const;
    QString FramingHead(int d) const;

private:
    void Put(int column, int row, const QString &text);
    void PutRight(int column, int row, const QString &text);
    QString CellOrNa(const QString &text) const;
    const FramingRow *FramingRowAt(int s, int r) const;

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    const SheetSettings &m_settings;
    int m_n = 0;
    QString m_wind;
};

// The sheet drawn by `painter` (print or file mode, as the painter is set),
// followed, when the sheet holds a balance check, by the quarter-method
// table on the next page.
void DrawSheet(SheetPainter &painter, const CalcSheet &sheet, const SheetSettings &settings);

} // namespace quiren
