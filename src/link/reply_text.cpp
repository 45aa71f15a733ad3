#include "link/reply_text.h"

#include <algorithm>
#include <charconv>

namespace muxcc::link {

double NumericValue(std::string_view text)
{
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

} // namespace muxcc::link
