#pragma once

#include <cstddef>
#include <string_view>

namespace muxcc::link {

// The decimal number at the start of `text`, read up to the first character
// that cannot continue it; 0 when the text does not start with a number.
double NumericValue(std::string_view text);

// Characters `first` to `last` of `text`, counted from 1; whatever part of
// that range the text holds (a short reply gives a shorter piece).
std::string_view Characters(std::string_view text, std::size_t first, std::size_t last);

// True when every character of `text` is a decimal digit (an empty text has none
// to object to).
bool AllDigits(std::string_view text);

} // namespace muxcc::link
