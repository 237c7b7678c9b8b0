#include "core/calc/CoefficientTable.h"

namespace quiren {

namespace {

// Index = weight × 9 + s × 3 + n. Upper storeys of lower buildings stay 0.
constexpr std::array<float, 18> table{
    // light: (s0,n0) (s0,n1) (s0,n2) (s1,n0) (s1,n1) (s1,n2) (s2,n0) (s2,n1) (s2,n2)
    0.11f, 0.29f, 0.46f, 0.0f, 0.15f, 0.34f, 0.0f, 0.0f, 0.18f,
    // heavy
    0.15f, 0.33f, 0.50f, 0.0f, 0.21f, 0.39f, 0.0f, 0.0f, 0.24f,
};

} // namespace

float CoefficientTable::value(int weight, int s, int n)
{
    const int index = weight * 9 + s * 3 + n;
    if (index < 0 || index >= static_cast<int>(table.size()))
        return 0.0f;
    return table[index];
}

const std::array<float, 18> &CoefficientTable::values()
{
    return table;
}

} // namespace quiren
