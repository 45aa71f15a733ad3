#pragma once

#include "cli/command_line.h"

namespace muxcc::cli {

// Each command gets its arguments, already checked for known options and the
// number of files, and returns the exit status: 0 success, 1 the command
// failed, 2 usage error.
int compileCommand(const CommandArgs& args);
int imageCommand(const CommandArgs& args);
int normalizeCommand(const CommandArgs& args);
int reportCommand(const CommandArgs& args);
int writeCommand(const CommandArgs& args);
int readCommand(const CommandArgs& args);
int countCommand(const CommandArgs& args);
int resetCountCommand(const CommandArgs& args);
int portsCommand(const CommandArgs& args);

} // namespace muxcc::cli
