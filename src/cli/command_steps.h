#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>
#include <string_view>

namespace muxcc::cli {

// The steps the commands share. Each prints its own failure on stderr.

// Prints "usage: muxcc-cli SYNOPSIS"; the usage exit status.
int Usage(std::string_view synopsis);
// OPEN of `path`; false after printing the reason.
bool OpenProject(const std::string& path, Configuration& config);
// SAVE AS to `path`; false after printing the reason.
bool SaveProject(const std::string& path, Configuration& config);
// OPEN, then what the boolean window's Compile does: equations of input
// channels are dropped first, each with its warning. The code length through
// the end pair, or nothing after printing why.
std::optional<int> OpenAndCompile(const std::string& path, Configuration& config);

} // namespace muxcc::cli
