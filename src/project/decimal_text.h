#pragma once

#include <string>

namespace muxcc {

// value rounded to significantDigits significant digits, in plain decimal
// notation: an optional minus sign, a "." only for a fractional value, no
// exponent, no trailing zeros, and a zero before the point between -1 and 1
// (0.5 -> "0.5", 1e30 -> "1000000000000000000000000000000", -0.0 -> "0").
// value must be finite; the text never depends on the locale.
std::string DecimalText(double value, int significantDigits);

} // namespace muxcc
