#pragma once

#include "link/controller_simulator.h"
#include "link/sim/pseudo_terminal.h"

#include <ostream>
#include <string>
#include <string_view>

namespace muxcc::link::sim {

// Serves `controller` on `terminal` until `stopFd` becomes readable (a signal
// arrived) or the controller vanished, which closes the terminal. Each reply
// goes out once its own delay has passed since the request that caused it.
// With `log`, every request received is written there as it completes.
void ServeController(PseudoTerminal& terminal, ControllerSimulator& controller, int stopFd,
                     std::ostream* log);

// A request as a log line: "A", or the record's letters with its four
// middle bytes in decimal ("S 0 12 0 5 D").
std::string DescribeRequest(std::string_view request);

} // namespace muxcc::link::sim
