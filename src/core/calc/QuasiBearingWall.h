#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Quasi-bearing walls (準耐力壁, and 垂れ壁・腰壁 between openings): panels
// that are not nailed as a bearing wall, or do not run the full height, still
// carry some load. Under the 2025 rules they count, per storey and direction,
// up to half of the necessary length.
//
//     multiplier = base × 0.6 × panel height / clear height     (lath: 0.5 × ratio)
//
// truncated to two decimals (on the safe side), at most 1.5. For a hanging
// wall with a sill wall below the opening, the panel height is the sum of
// the two.
namespace quiren {

// One entry of the panel list: a name and the multiplier the panel has as a
// bearing wall. Lath has no base; its quasi multiplier is 0.5 × ratio.
struct QuasiPanel {
    QString name;
    double base = 0;
    bool lath = false;
};

// The panels offered in the kind cell, common ones first, the lath entry,
// and last the entry whose base the user types ("その他(倍率入力)").
const std::vector<QuasiPanel> &QuasiPanelList();
// The entry of that name, or nothing for a name not in the list.
std::optional<QuasiPanel> FindQuasiPanel(const QString &name);
// The kind whose base the user types in the row's base cell.
extern const QString QuasiTypedBaseKind;
// Names only, in list order, for the kind cell.
QStringList QuasiPanelNames();

// The multiplier for a base multiplier and the two heights (cm), already
// truncated to 0.01 and capped at 1.5. Nothing when a height is not above 0.
// A panel taller than the clear height counts as the clear height.
std::optional<double> QuasiMultiplier(double base, bool lath, double panelHeightCm,
                                      double clearHeightCm);

// Panels lower than this (cm) do not count as hanging or sill walls.
constexpr double QuasiMinimumPanelHeight = 36.0;

// Truncates to two decimals, forgiving the binary noise of the product
// (0.9 × 0.6 × 240 / 240 is 0.54, not 0.53).
double TruncateHundredths(double value);

// The two kinds of quasi-bearing wall, with their conditions:
//   準耐力壁      the panel covers at least 80 % of the clear height, at least 90 cm wide;
//   垂れ壁・腰壁  panel (hanging + sill wall) at least 36 cm high, 90 cm to 2 m wide,
//                 a bearing wall or 準耐力壁 on both sides.
enum class QuasiKind {
    Panel,         // "準耐力壁"
    HangingSill,   // "垂れ壁・腰壁"
};
// "準耐力壁", "垂れ壁・腰壁" (as shown and printed).
QString QuasiKindName(QuasiKind kind);
// "panel", "hangingSill" (file keys).
QString QuasiKindKey(QuasiKind kind);
std::optional<QuasiKind> QuasiKindFromKey(const QString &key);
// The kind a row of an earlier file takes: 準耐力壁 where its heights meet
// that kind's condition (or are not given), otherwise 垂れ壁・腰壁.
QuasiKind QuasiKindOfEarlierRow(double panelHeightCm, double clearHeightCm);

// Why a row of `kind` does not count, in Japanese; empty when its heights
// and sides meet the kind's conditions. Widths are checked per direction
// (QuasiWidthRefusal).
QString QuasiRefusal(QuasiKind kind, double panelHeightCm, double clearHeightCm, bool bothSides);
// Why walls `widthM` wide (a row's length in one direction) do not count.
QString QuasiWidthRefusal(QuasiKind kind, double widthM);

// One row of a storey's quasi-bearing walls. Inputs are kept as typed, like
// the framing rows; the derived cells follow them on every recalculation.
struct QuasiWallRow {
    // ---- inputs ----
    QString kind;          // a name of QuasiPanelList(); empty: row not in use
    QString base;          // typed base multiplier, used for QuasiTypedBaseKind
    QuasiKind wallKind = QuasiKind::Panel;
    bool bothSides = false;   // 垂れ壁・腰壁: the user confirms walls on both sides
    QString panelHeight;   // cm (hanging + sill wall height for 垂れ壁・腰壁)
    QString clearHeight;   // cm, between the horizontal members
    std::array<QString, 2> length;   // m, per direction
    std::array<QString, 2> places;   // whole number, per direction

    // ---- derived ----
    QString multiplier;              // "0.00", empty when it cannot be worked out
    std::array<QString, 2> effective;   // length × places × multiplier, "0.0000" or empty
    QString refusal;                    // why the row does not count; empty when it does
    std::array<QString, 2> widthRefusal;   // why a direction's walls do not count

    bool inUse() const { return !kind.isEmpty(); }
};

// Quasi-bearing rows per storey (a sheet under the 2025 rules has two
// storeys at most; the rows of storey 2 stay while the sheet has one).
constexpr int QuasiRowCount = 7;

} // namespace quiren
