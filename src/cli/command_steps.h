#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc::cli {

// The steps the commands share. Each prints its own failure on stderr.

// OPEN of `path`; false after printing the reason.
bool OpenProject(const std::string& path, Configuration& config);
// SAVE AS to `path`, or the same record on stdout for "-"; false after
// printing the reason.
bool SaveProject(const std::string& path, Configuration& config);
// OPEN, then what the boolean window's Compile does: equations of input
// channels are left out first, each with a warning. The code length through
// the end pair, or nothing after printing why.
std::optional<int> OpenAndCompile(const std::string& path, Configuration& config);
// The first value a write could not send, printed as the settings windows
// would name it; false when everything can go.
bool ReportUnsendableValue(const Configuration& config);

} // namespace muxcc::cli
