#pragma once

#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc::link {

// The first value of the configuration that a write could not send, named as
// the settings window that edits it names it, in that window's units and with
// the range it allows: "TIMER#3 ON TIME is 1400 seconds and cannot be sent to
// the controller: MUST BE A NUMBER BETWEEN 0 AND 1310". Values no window edits
// keep the link's own wording; a code entry that is not a byte asks for the
// equations to be compiled again. Nothing when everything can be sent.
std::optional<std::string> UnsendableValueMessage(const Configuration& config);

} // namespace muxcc::link
