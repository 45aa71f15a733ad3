#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc {

// The file side of OPEN, SAVE and SAVE AS. Each returns nothing on success, or
// a reason for the technician (which field, what is wrong) on failure.

// OPEN: reads and checks the whole file first; on failure nothing changes at
// all. On success stores every file field, copies BooleanText into
// BooleanEditText, sets FileName = path, FileAssociated = 1 and
// PackedOptionWord.
std::optional<std::string> OpenProjectFile(Configuration& config, const std::string& path);

// SAVE AS (and SAVE with path = FileName): writes the record beside the target
// and replaces it atomically, so a failed save never destroys the old file.
// On success sets FileName = path, FileAssociated = 1 and PackedOptionWord.
std::optional<std::string> SaveProjectFile(Configuration& config, const std::string& path);

} // namespace muxcc
