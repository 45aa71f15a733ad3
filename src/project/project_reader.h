#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>
#include <string_view>

namespace muxcc {

// Reads a project file's bytes into the file fields of config: the 99 fields
// of the last record, with the packed option word split into VoltageModel and
// OptionFlags and kept as PackedOptionWord. A file of zero bytes holds no
// record, so every file field takes its empty value (0 or empty text).
//
// Every record is checked before anything is stored: on failure config is
// unchanged and the result names the field and what is wrong with it.
std::optional<std::string> ReadProjectRecord(Configuration& config, std::string_view bytes);

} // namespace muxcc
