#pragma once

#include "core/calc/QuasiBearingWall.h"

#include <QString>

// A quasi-bearing row as the sheet, the window and qrn show print it, so a
// reviewer can retrace its multiplier from the page.
namespace quiren {

// The base multiplier of the row's panel: the typed one, or the listed
// panel's ("木ずり 0.5" for lath, whose own factor replaces the 0.6).
QString QuasiBaseText(const QuasiWallRow &row);

// "2.5×0.6×240/284.4" (lath: "0.5×240/284.4"); empty without heights.
QString QuasiFormulaText(const QuasiWallRow &row);

} // namespace quiren
