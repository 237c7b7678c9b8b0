#pragma once

#include "core/calc/CalcSheet.h"
#include "core/calc/SeismicWeight.h"

#include <QString>

#include <vector>

// The steps from the building's loads to Lw, as lines a reviewer reads from
// top to bottom: the roof factor, the load lines ① to ⑤, w, α, h, T, Ai and
// Lw before and after rounding up. The calculation window's breakdown, the
// printed sheet, `qrn show` and `qrn lw` show the same lines, and the
// equations of Af and of the seismic requirement read alike in all of them.
namespace quiren {

struct ReportLine {
    QString label;   // "① 屋根", "w1", "A2", ...
    QString value;   // as shown, with the places the figure needs
    QString unit;    // "kN/㎡", "cm/㎡", "m", empty
};

// The lines of a breakdown; empty when it is not valid.
std::vector<ReportLine> LwReportLines(const LwBreakdown &breakdown);
// The sheet's: empty when its Lw is typed or could not be worked out.
std::vector<ReportLine> LwBreakdownLines(const CalcSheet &sheet);

// The loads the figure was built from, one line each (roof, solar panels,
// wall, use, C0, overhang, pitch, rise, storey heights).
std::vector<ReportLine> LwInputLines(const CalcSheet &sheet);

// Af of storey s with its terms named, as a reviewer retraces it:
// "床面積 66.24 ＋ 小屋裏物置 8.2㎡×1.2/2.1 ＝ 4.69（2階の小屋裏物置）".
QString AfTermsText(const CalcSheet &sheet, int s);
// Af as it is used: the digits of the typed floor area, at least two.
QString AfText(double af);
// The equations of storey s as every view shows them:
// "Af＝床面積 66.24 ＋ …　＝ 74.93㎡" and
// "必要壁量＝Lw 41cm/㎡ × Af 50.00㎡ ＝ 20.5000m" (Lw "未定" while unknown).
QString AfEquation(const CalcSheet &sheet, int s);
QString FloorRequirementEquation(const CalcSheet &sheet, int s);

} // namespace quiren
