#pragma once

#include <QString>

#include <array>
#include <vector>

// What the user gives the balance check (4分割法) of one storey: the two side
// parts of each direction, and how many of each framing row's places lie in
// them. Kept as typed, like every input of the sheet; Balance.h works the
// check out from them and the framing rows.
namespace quiren {

constexpr int SidePartCount = 2;

// One side part as the user describes it.
struct SidePart {
    QString floorArea;        // m², as typed; empty until given
    QString multiplier;       // a typed multiplier where the rules allow one; empty: the storey's
    bool oneStorey = false;   // "平屋部分": no storey above this part of the ground storey

    bool isBlank() const { return floorArea.isEmpty() && multiplier.isEmpty() && !oneStorey; }
    bool operator==(const SidePart &other) const = default;
};

// The side parts of one storey: [direction][part].
using StoreySideParts = std::array<std::array<SidePart, SidePartCount>, 2>;

// How many places of one framing row lie in each side part: [direction][part],
// the text of a whole number, empty for none.
using SideCounts = std::array<std::array<QString, SidePartCount>, 2>;

inline bool IsBlank(const SideCounts &counts)
{
    for (const auto &direction : counts)
        for (const QString &count : direction)
            if (!count.isEmpty())
                return false;
    return true;
}

struct BalanceStorey {
    StoreySideParts parts;
    // Per framing row of the storey, by its position in the grid. The sheet
    // moves them with their rows when the rows are sorted.
    std::vector<SideCounts> rowCounts;

    // The counts of framing row r; none for a row beyond the list.
    const SideCounts &counts(int r) const
    {
        static const SideCounts none;
        return r >= 0 && r < int(rowCounts.size()) ? rowCounts[r] : none;
    }
    SideCounts &counts(int r)
    {
        if (r >= int(rowCounts.size()))
            rowCounts.resize(r + 1);
        return rowCounts[r];
    }
    // Whether the storey holds any balance input (a side part or a count).
    bool isBlank() const
    {
        for (const auto &direction : parts)
            for (const SidePart &part : direction)
                if (!part.isBlank())
                    return false;
        for (const SideCounts &c : rowCounts)
            if (!IsBlank(c))
                return false;
        return true;
    }
};

using BalanceInputs = std::array<BalanceStorey, 3>;

} // namespace quiren
