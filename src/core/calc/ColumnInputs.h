#pragma once

#include <QString>

#include <array>

// What the user types for the column diameter check (柱の小径) of one sheet:
// per storey the method, the timber and the load, per direction the column
// and the distance between the horizontal members it stands between. Kept as
// typed, like every input of the sheet; the figures are worked out by
// ColumnCheck.h. Storeys 0..2 (the old rules allow three).
namespace quiren {

// How the storey's columns are shown to be thick enough.
enum class ColumnMethod {
    Ratio,      // the ratio formula dp = 0.027·l + 22.5·Wd/l (old rules: the table ratio)
    Buckling,   // the buckling check with 5 m² of floor per column
    Area,       // the area the chosen section may carry against the largest tributary area
};

// Where the load per floor area Wd comes from.
enum class WdSource {
    Typed,   // read from the official tool (or worked out elsewhere) and typed
    Loads,   // the sheet's own loads, as for the storey's Lw (an assumption)
};

// One direction (0: 張り間, 1: けた行).
struct ColumnDirectionInputs {
    QString lengthMm;   // l, distance between the horizontal members, mm
    QString depthMm;    // d, side of the section in this direction, mm
    QString widthMm;    // b, the other side, mm; empty: square (b = d)

    bool isBlank() const { return lengthMm.isEmpty() && depthMm.isEmpty() && widthMm.isEmpty(); }
    bool operator==(const ColumnDirectionInputs &other) const = default;
};

struct StoreyColumnInputs {
    ColumnMethod method = ColumnMethod::Ratio;
    std::array<ColumnDirectionInputs, 2> direction;
    QString timber;       // key of the timber list; empty: the typed Fc
    QString typedFc;      // N/mm², used when no timber is chosen
    WdSource wdSource = WdSource::Typed;
    QString typedWd;      // N/m²
    QString wdNote;       // where a typed Wd came from, shown and printed
    QString areaM2;       // the largest tributary area of a column, m² (method Area)

    bool isBlank() const
    {
        return method == ColumnMethod::Ratio && direction[0].isBlank() && direction[1].isBlank()
               && timber.isEmpty() && typedFc.isEmpty() && wdSource == WdSource::Typed
               && typedWd.isEmpty() && wdNote.isEmpty() && areaM2.isEmpty();
    }
    bool operator==(const StoreyColumnInputs &other) const = default;
};

using ColumnInputs = std::array<StoreyColumnInputs, 3>;

} // namespace quiren
