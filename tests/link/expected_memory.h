#pragma once

// What a whole write leaves in the controller and what a whole read makes of it, worked out from the
// memory image alone, for the link tests to hold the commands against, and a configuration to send.

#include "boolean/compiler.h"
#include "boolean/listing.h"
#include "link/controller_commands.h"
#include "link/controller_simulator.h"
#include "link/memory_image.h"

#include <QtGlobal>

#include <algorithm>
#include <string>
#include <vector>

namespace muxcc::test {

using Strings = std::vector<std::string>;
using Command = link::Task<link::CommandOutcome> (link::ControllerCommands::*)();

inline const std::string WriteFailure = "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
inline const std::string ReadFailure = "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
inline const std::string ResetFailure = "An Error occurred, Check Communication connections and Try again.";

inline void Program(link::ControllerSimulator& controller, const Configuration& config)
{
    for (const int record : link::SettingsRecordOrder)
        controller.settings[std::size_t(record)] = link::EncodeSettingsRecord(config, record).byte.value();
    for (std::size_t entry = 0; entry < CodeAreaSentSize; ++entry)
        controller.code[entry / 2][entry % 2] = static_cast<std::uint8_t>(config.BooleanCode[entry]);
}

inline Configuration Decoded(const link::SettingsImage& image, Configuration config)
{
    link::DecodeKeptValuesAndChannels(image, config);
    link::DecodeComparators(image, config);
    link::DecodeFeaturesAndTimers(image, config);
    return config;
}

// The settings decoded and, when `words` reaches 256, the code listed back as the equations.
inline Configuration AfterRead(const link::ControllerSimulator& controller, Configuration config,
                               int words = 256)
{
    link::SettingsImage image{};
    std::copy_n(controller.settings.begin(), image.size(), image.begin());
    config = Decoded(image, config);
    for (std::size_t word = 0; int(word) < words; ++word)
        std::ranges::copy(controller.code[word], config.BooleanCode.begin() + 2 * std::ptrdiff_t(word));
    if (words == 256)
        config.BooleanText = config.BooleanEditText = ListAllBooleans(config.BooleanCode);
    return config;
}

// Settings across the records, with edge values, and compiled equations, the texts as a read lists them
// back from the code.
inline Configuration KnownConfiguration()
{
    Configuration c;
    c.ChannelDirection[1] = c.ChannelDirection[16] = c.TimerMode[5] = c.CycleCountDigit[4] = 1;
    c.TimerOffTime[2] = c.TemperatureTime[4] = 65535;
    c.VoltageSetting[6] = 20.0F;
    c.CycleCounterOperand = c.SlpOnTime = c.ControllerRecord0 = 255;
    c.BooleanText[1] = c.BooleanEditText[1] = "INPUT1 AND NOT V1 ";
    c.BooleanText[42] = c.BooleanEditText[42] = "( MUX2 OR TMR1 ) AND NOT ( T1 OR OPTION1 ) ";
    if (CompileAllBooleans(c))
        qFatal("the known equations no longer compile");
    return c;
}

} // namespace muxcc::test
