#pragma once

#include "model/configuration.h"

#include <string>
#include <string_view>

namespace muxcc {

// The equation window's live check of the box being edited: what Compile would
// make of `text` as the equation of `output` (1..42), in one short line such as
// "MUX2: compiles, 4 code pairs" or "MUX2: missing \")\"". A multiplexed channel
// set as an input is named instead, because Save empties its equation.
std::string EquationCheckText(int output, std::string_view text,
                              const OneBased<std::int16_t, ChannelCount>& channelDirection);

// How many of the 512 code entries the 42 texts would take once Save has
// emptied the equations of input channels, end pair included; equations that
// do not compile are counted apart.
std::string CodeUsageText(OneBased<std::string, OutputCount> texts,
                          const OneBased<std::int16_t, ChannelCount>& channelDirection);

} // namespace muxcc
