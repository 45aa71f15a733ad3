#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc {

// Field 99 of the project file: OptionFlags, plus 16 when VoltageModel is
// exactly 1. Wider than 16 bits only for flags far outside 0..15.
int PackOptionWord(const Configuration& config);

// Why config cannot be saved as it is, if it cannot: a value the file would
// not give back on opening (an equation text with a double quote or a line
// break, which the unescaped one-line format cannot hold, or longer than
// LongestEquation, or a number beyond what the reader accepts).
std::optional<std::string> SaveRefusal(const Configuration& config);

// The project file's one record for config: 99 comma-separated fields in file
// order, ended by CR LF. Check SaveRefusal first: a refused configuration
// would not read back as it was.
std::string ProjectRecordLine(const Configuration& config);

} // namespace muxcc
