#pragma once

#include "link/controller_simulator.h"

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace muxcc::link::sim {

struct SimOptions {
    SimulatorFaults faults;
    std::string preloadPath; // empty: start from an erased memory
    std::string dumpPath;    // empty: no dump on exit
    std::string logPath;     // empty: no request log; "-": stderr
};

struct HelpRequested {};

// The options, help, or the reason the arguments are wrong.
using ParsedOptions = std::variant<SimOptions, HelpRequested, std::string>;

ParsedOptions ParseSimOptions(std::span<const std::string> args);

// "drop@3", "late@5:80": one fault and the request it strikes.
std::optional<SimulatorFault> ParseFault(const std::string& text);

extern const char* const SimUsage;

} // namespace muxcc::link::sim
