#pragma once

#include <string>

namespace muxcc {

// A modal message for the technician: what the program shows in a message box.
struct Notice {
    enum class Icon { Information, Exclamation };
    Icon icon = Icon::Information;
    std::string title;
    std::string text;

    bool operator==(const Notice&) const = default;
};

} // namespace muxcc
