#pragma once

#include "link/controller_simulator.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace muxcc::link::sim {

// The controller memory as text, one unit a line: "S <record> <value>" for a
// settings record, "C <word> <even> <odd>" for a code word, all decimal.
// Blank lines are skipped; units not named keep their contents. Returns the
// first bad line (with its number) and leaves the memory partly loaded.
std::optional<std::string> LoadMemoryImage(std::istream& in, ControllerSimulator& controller);

// Every settings record, then every code word.
void WriteMemoryImage(std::ostream& out, const ControllerSimulator& controller);

} // namespace muxcc::link::sim
