#pragma once

#include <array>

namespace quiren {

// Floor-area coefficients in m/m², by weight type, storey and storey count.
// Index = weight × 9 + s × 3 + n; the six combinations with s > n hold 0.
class CoefficientTable {
public:
    static float value(int weight, int s, int n);
    static const std::array<float, 18> &values();
};

} // namespace quiren
