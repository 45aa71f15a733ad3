#pragma once

// Project lines and configurations shared by the project tests.

#include "model/configuration.h"

#include <QMetaType>

#include <functional>
#include <string>

namespace muxcc::test {

// A change made to a configuration, for table rows.
using Change = std::function<void(Configuration&)>;

// The line a fresh start saves: 50 zeros, 42 empty texts, 7 zeros.
inline const std::string FreshLine =
    "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
    R"("","","","","","","","","","","","","","","","","","","","","",)"
    R"("","","","","","","","","","","","","","","","","","","","","",)"
    "0,0,0,0,0,0,0\r\n";

// MUX1 an output, timer 1 a one shot (on 250, off 100), V1 at 13.5 V for 250
// counts, options 1 and 3 with the 24 V model, and an equation for MUX1.
inline void makeExample(Configuration& config)
{
    config.ChannelDirection[1] = 1;
    config.TimerMode[1] = 1;
    config.TimerOnTime[1] = 250;
    config.TimerOffTime[1] = 100;
    config.VoltageSetting[1] = 13.5F;
    config.VoltageTime[1] = 250;
    config.OptionFlags = 5;
    config.VoltageModel = 1;
    config.BooleanText[1] = "INPUT1 AND V1";
}

inline const std::string ExampleLine =
    "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,250,100,1,0,0,0,0,0,0,13.5,0,0,0,0,0,12500,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
    "0,0,0,0,"
    R"("INPUT1 AND V1","","","","","","","","","","","","","","","","","","","","",)"
    R"("","","","","","","","","","","","","","","","","","","","","",)"
    "0,0,0,0,0,0,21\r\n";

// The fresh line with field `number` (1..99) written as `text`.
inline std::string freshLineWith(int number, const std::string& text)
{
    // The fresh line has no commas inside quotes, so commas separate its fields.
    std::size_t start = 0;
    for (int field = 1; field < number; ++field)
        start = FreshLine.find(',', start) + 1;
    return FreshLine.substr(0, start) + text + FreshLine.substr(FreshLine.find_first_of(",\r", start));
}

} // namespace muxcc::test

Q_DECLARE_METATYPE(muxcc::test::Change)
