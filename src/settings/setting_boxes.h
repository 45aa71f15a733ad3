#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace muxcc {

// What the settings windows' number boxes accept and show, apart from any
// widget. A box's text is a number when the whole of it, blanks around it
// allowed, is a decimal number ("12.5", " 3 ", ".5"); an empty text is not.
std::optional<double> NumberInBox(std::string_view text);

// The messages of a box whose text is not a number in its range.
inline constexpr std::string_view TimeRangeMessage = " MUST BE A NUMBER BETWEEN 0 AND 1310";
inline constexpr std::string_view TemperatureRangeMessage = " MUST BE A NUMBER BETWEEN 0 AND 100";
inline constexpr std::string_view FeatureSecondsRangeMessage = " MUST BE A NUMBER BETWEEN 0 AND 255";
// 0 selects the 12 V range; any other model the 24 V range.
std::string_view VoltageRangeMessage(int voltageModel);

// The titles of the boxes' messages: "TIMER#1 OFF TIME", "V1 VOLTAGE SETTING",
// "V1 TIME SETTING", "T1 TEMPERATURE SETTING", "T1 TIME SETTING".
std::string TimerTimeTitle(int timer, bool onTime);
std::string VoltageSettingTitle(int comparator);
std::string VoltageTimeTitle(int comparator);
std::string TemperatureSettingTitle(int comparator);
std::string TemperatureTimeTitle(int comparator);

// Timer and comparator times: seconds 0..1310 as counts of 20 ms, rounded
// half to even (0.05 s -> 2). Nothing when the text is not such a number.
std::optional<std::int32_t> TimeCountFromBox(std::string_view text);
// A count as seconds: count x 0.02 to 15 significant digits ("0.04", "1310").
std::string TimeCountText(std::int32_t count);

// Voltage thresholds in tenths of a volt: 0..20 (12 V) or 0..36 (24 V) as
// typed, then rounded to a tenth half to even (12.25 -> 12.2).
std::optional<float> VoltageFromBox(std::string_view text, int voltageModel);
// Temperature thresholds: 0..100 as typed, rounded half to even (99.5 -> 100).
std::optional<float> TemperatureFromBox(std::string_view text);
// A threshold to 7 significant digits ("12.2", "20", "0").
std::string ThresholdText(float value);

// Additional-feature times: whole seconds 0..255 as typed, rounded half to even.
std::optional<std::int16_t> FeatureSecondsFromBox(std::string_view text);

} // namespace muxcc
