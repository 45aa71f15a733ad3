#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc::cli {

// Opens a project file as OPEN does and compiles it as the boolean window's
// Compile does: equations of input channels are dropped first, each with its
// warning on stderr. Returns the code length through the end pair, or nothing
// after printing the reason on stderr.
std::optional<int> OpenAndCompile(const std::string& path, Configuration& config);

} // namespace muxcc::cli
