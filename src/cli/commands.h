#pragma once

#include <span>
#include <string>

namespace muxcc::cli {

// Each command gets its own arguments (after the command name) and returns the
// exit status: 0 success, 1 the command failed, 2 usage error.
int compileCommand(std::span<const std::string> args);
int imageCommand(std::span<const std::string> args);
int normalizeCommand(std::span<const std::string> args);
int reportCommand(std::span<const std::string> args);
int writeCommand(std::span<const std::string> args);
int readCommand(std::span<const std::string> args);
int countCommand(std::span<const std::string> args);
int resetCountCommand(std::span<const std::string> args);

} // namespace muxcc::cli
