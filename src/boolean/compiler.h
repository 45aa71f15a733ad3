#pragma once

#include "model/configuration.h"
#include "model/notice.h"

#include <optional>
#include <string_view>

namespace muxcc {

// Compiles BooleanText[1..42] into BooleanCode from index 0 and appends the end
// pair. Returns nothing on success, else the one message to show ("Boolean
// Error"). On failure BooleanCode keeps what was appended up to the error.
std::optional<Notice> CompileAllBooleans(Configuration& config);

} // namespace muxcc
