#include "link/reply_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace muxcc::link {

double NumericValue(std::string_view text)
{
    // Only digits start a number: from_chars alone would also take "inf" and "nan".
    const std::size_t start = text.starts_with('-') ? 1 : 0;
    if (text.size() <= start ||
        !(std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '.'))
        return 0;
    double value = 0;
    const auto parsed =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return parsed.ec == std::errc{} ? value : 0;
}

std::string_view Characters(std::string_view text, std::size_t first, std::size_t last)
{
    const std::size_t from = std::min(first - 1, text.size());
    return text.substr(from, last - first + 1);
}

bool AllDigits(std::string_view text)
{
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace muxcc::link
