#include "project/decimal_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <string_view>

namespace muxcc {

std::string DecimalText(double value, int significantDigits)
{
    assert(std::isfinite(value) && significantDigits >= 1 && significantDigits <= 17);
    if (value == 0)
        return "0"; // also for -0.0, which would otherwise keep its sign

    // to_chars does the correct rounding; the scientific form "-d.ddde+XX" is
    // then laid out again without the exponent.
    std::array<char, 48> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, significantDigits - 1);
    assert(written.ec == std::errc{});
    const std::string_view scientific(buffer.data(), written.ptr);

    const bool negative = scientific.front() == '-';
    const auto exponentAt = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(negative ? 1 : 0, exponentAt - (negative ? 1 : 0)))
        if (c != '.')
            digits += c;
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string_view exponentText = scientific.substr(exponentAt + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1); // from_chars takes a minus sign only
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    // Digits before the point: the leading digit stands for 10^exponent.
    const int whole = exponent + 1;
    const int count = static_cast<int>(digits.size());
    std::string text = negative ? "-" : "";
    if (whole <= 0)
        text += "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
    else if (whole >= count)
        text += digits + std::string(static_cast<std::size_t>(whole - count), '0');
    else
        text += digits.substr(0, static_cast<std::size_t>(whole)) + "." +
                digits.substr(static_cast<std::size_t>(whole));
    return text;
}

} // namespace muxcc
