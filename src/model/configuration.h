#pragma once

#include "model/one_based.h"

#include <array>
#include <cstdint>
#include <string>

namespace muxcc {

inline constexpr int ChannelCount = 16;
inline constexpr int TimerCount = 5;
inline constexpr int VoltageComparatorCount = 6;
inline constexpr int TemperatureComparatorCount = 4;
inline constexpr int OutputCount = 42;
inline constexpr int CycleCountDigitCount = 4;

// The compiled code area: code pairs of the 42 equations and the end pair.
// Entries 0..511 travel to and from the controller; entry 512 only exists so
// that an over-long compile has somewhere to stop.
inline constexpr int CodeAreaSize = 513;
inline constexpr int CodeAreaSentSize = 512;
using CodeArea = std::array<std::int16_t, CodeAreaSize>;

// The one record of everything the technician edits, plus the values kept for
// the controller and the current-file fields. Times of timers and comparators
// are counts of 20 ms; the additional-feature times are whole seconds.
struct Configuration {
    // Multiplexed channels: 0 = input, 1 = output.
    OneBased<std::int16_t, ChannelCount> ChannelDirection;

    // Timers: 0 = duty timer, 1 = triggerable one shot.
    OneBased<std::int32_t, TimerCount> TimerOffTime;
    OneBased<std::int32_t, TimerCount> TimerOnTime;
    OneBased<std::int16_t, TimerCount> TimerMode;

    // Battery voltage and temperature comparators.
    OneBased<float, VoltageComparatorCount> VoltageSetting;
    OneBased<std::int32_t, VoltageComparatorCount> VoltageTime;
    OneBased<float, TemperatureComparatorCount> TemperatureSetting;
    OneBased<std::int32_t, TemperatureComparatorCount> TemperatureTime;
    std::int16_t VoltageModel = 0; // 0 = 12 V, 1 = 24 V

    // Output equations in the output order (MUX1..MUX16, FET1..FET10,
    // VRT1..VRT10, BUZZER, TRIG1..TRIG5).
    OneBased<std::string, OutputCount> BooleanText;

    // Additional features.
    std::int16_t OptionFlags = 0; // bit 1 = OPTION1 .. bit 8 = OPTION4
    std::int16_t CycleCounterOperand = 0;
    std::int16_t CycleCounterTime = 0;
    std::int16_t SlpOperand = 0;
    std::int16_t SlpOffTime = 0;
    std::int16_t SlpOnTime = 0;

    // Kept for the controller: records 0..4 as last read.
    std::int16_t ControllerRecord0 = 0;
    OneBased<std::int16_t, CycleCountDigitCount> CycleCountDigit; // 1 = units .. 4 = thousands

    // Current project file.
    std::string FileName;
    std::int16_t FileAssociated = 0;
    std::int16_t PackedOptionWord = 0;

    // The boolean window's working copy of the equation texts.
    OneBased<std::string, OutputCount> BooleanEditText;

    // The compiled code, refilled by a compile or a read from the controller.
    CodeArea BooleanCode{};

    bool operator==(const Configuration&) const = default;
};

} // namespace muxcc
