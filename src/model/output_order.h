#pragma once

#include <string>

namespace muxcc {

// Name of equation output n (1..42) in the output order: "MUX1".."MUX16",
// "FET1".."FET10", "VRT1".."VRT10", "BUZZER", "TRIG1".."TRIG5".
std::string OutputName(int n);

} // namespace muxcc
