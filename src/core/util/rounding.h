// Rounding of pixel sizes derived from proportions: to the nearest integer, halves to even.
#pragma once

#include <cmath>

namespace wexbo {

// 52.5 gives 52, 53.5 gives 54, 93.33 gives 93, -2.5 gives -2. Does not depend on the
// floating-point rounding mode.
inline long long RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    long long result = static_cast<long long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

}  // namespace wexbo
