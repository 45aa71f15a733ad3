#pragma once

#include "model/configuration.h"
#include "model/notice.h"

#include <string>
#include <vector>

namespace muxcc {

struct DroppedEquation {
    int channel = 0; // 1..16: MUX1..MUX16
    Notice notice;
};

// A multiplexed channel set as an input cannot be driven: for MUX1..MUX16 in
// order, a non-empty equation of a channel whose direction is 0 is emptied and
// reported, one notice per channel.
std::vector<DroppedEquation>
DropInputChannelEquations(OneBased<std::string, OutputCount>& texts,
                          const OneBased<std::int16_t, ChannelCount>& channelDirection);

} // namespace muxcc
