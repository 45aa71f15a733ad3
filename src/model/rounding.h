#pragma once

#include <cmath>

namespace muxcc {

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4):
// the one rounding used for every conversion to a whole number.
inline double RoundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

} // namespace muxcc
