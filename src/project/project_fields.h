#pragma once

#include "model/configuration.h"

#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace muxcc {

// The longest equation text a project file keeps: all an equation box holds.
inline constexpr std::size_t LongestEquation = 32767;

// Larger than any file a save writes: 98 numbers of at most 54 characters (the
// smallest float without an exponent), 42 quoted equations of at most
// LongestEquation characters and the separators come to under 1.4 MB. A larger
// file is no project file and is not read at all.
inline constexpr std::size_t LargestProjectFile = 2 * 1024 * 1024;

// How a file field is written and read back.
enum class FieldKind {
    Plain,            // the field's own value: a whole number, a threshold or a quoted text
    ComparatorTime,   // a count of 20 ms, written fifty times larger
    PackedOptionWord, // OptionFlags, plus 16 for the 24 V model
};

// One of the 99 fields of a project record: its place in the line and the
// configuration field it holds (index 0 for a field that is not an array).
struct ProjectField {
    int number;
    FieldKind kind;
    std::string_view name;
    int index;

    // "field 17 (TimerOnTime[1])": how a reason names the field.
    std::string label() const
    {
        std::string text = "field " + std::to_string(number) + " (" + std::string(name);
        if (index != 0)
            text += "[" + std::to_string(index) + "]";
        return text + ")";
    }
};

// Calls visit(field, value) for the 99 fields in file order, value being the
// configuration field behind it (const when config is). Writer and reader both
// walk this one list, so the file's irregular order lives in one place: timer
// triples on time first, timers 4 and 5 after the equations, and the packed
// option word at the end (visited as PackedOptionWord).
template <typename Config, typename Visit>
requires std::same_as<std::remove_const_t<Config>, Configuration>
void ForEachProjectField(Config& config, Visit&& visit)
{
    constexpr int TimersBeforeEquations = 3;
    int number = 0;
    const auto field = [&](FieldKind kind, std::string_view name, int index, auto& value) {
        visit(ProjectField{++number, kind, name, index}, value);
    };
    const auto timer = [&](int n) {
        field(FieldKind::Plain, "TimerOnTime", n, config.TimerOnTime[n]);
        field(FieldKind::Plain, "TimerOffTime", n, config.TimerOffTime[n]);
        field(FieldKind::Plain, "TimerMode", n, config.TimerMode[n]);
    };

    for (int n = 1; n <= ChannelCount; ++n)
        field(FieldKind::Plain, "ChannelDirection", n, config.ChannelDirection[n]);
    for (int n = 1; n <= TimersBeforeEquations; ++n)
        timer(n);
    for (int n = 1; n <= VoltageComparatorCount; ++n)
        field(FieldKind::Plain, "VoltageSetting", n, config.VoltageSetting[n]);
    for (int n = 1; n <= VoltageComparatorCount; ++n)
        field(FieldKind::ComparatorTime, "VoltageTime", n, config.VoltageTime[n]);
    for (int n = 1; n <= TemperatureComparatorCount; ++n)
        field(FieldKind::Plain, "TemperatureSetting", n, config.TemperatureSetting[n]);
    for (int n = 1; n <= TemperatureComparatorCount; ++n)
        field(FieldKind::ComparatorTime, "TemperatureTime", n, config.TemperatureTime[n]);
    field(FieldKind::Plain, "CycleCounterOperand", 0, config.CycleCounterOperand);
    field(FieldKind::Plain, "CycleCounterTime", 0, config.CycleCounterTime);
    field(FieldKind::Plain, "SlpOperand", 0, config.SlpOperand);
    field(FieldKind::Plain, "SlpOffTime", 0, config.SlpOffTime);
    field(FieldKind::Plain, "SlpOnTime", 0, config.SlpOnTime);
    for (int n = 1; n <= OutputCount; ++n)
        field(FieldKind::Plain, "BooleanText", n, config.BooleanText[n]);
    for (int n = TimersBeforeEquations + 1; n <= TimerCount; ++n)
        timer(n);
    field(FieldKind::PackedOptionWord, "PackedOptionWord", 0, config.PackedOptionWord);
}

} // namespace muxcc
