#include "boolean/input_channel_rule.h"

#include "model/output_order.h"

namespace muxcc {

std::vector<DroppedEquation>
DropInputChannelEquations(OneBased<std::string, OutputCount>& texts,
                          const OneBased<std::int16_t, ChannelCount>& channelDirection)
{
    std::vector<DroppedEquation> dropped;
    for (int k = 1; k <= ChannelCount; ++k) {
        if (texts[k].empty() || channelDirection[k] != 0)
            continue;
        texts[k].clear();
        const std::string channel = OutputName(k);
        dropped.push_back({k, Notice{Notice::Icon::Exclamation, "Boolean Error",
                                     " Boolean Error in " + channel + ", " + channel + " SET AS INPUT"}});
    }
    return dropped;
}

} // namespace muxcc
