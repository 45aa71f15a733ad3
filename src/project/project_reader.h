#pragma once

#include "model/configuration.h"

#include <cstdint>
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
// A file larger than LargestProjectFile is refused unread, and an equation
// longer than LongestEquation is refused.
std::optional<std::string> ReadProjectRecord(Configuration& config, std::string_view bytes);

// Why a file of size bytes, more than LargestProjectFile, is not read.
std::string OversizeReason(std::uintmax_t size);

} // namespace muxcc
