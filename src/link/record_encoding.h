#pragma once

#include <cstdint>
#include <optional>

namespace muxcc::link {

// The byte encodings of the controller's settings records and their inverses.
// An encoder gives nothing when the controller cannot hold the value; values
// the controller clips on purpose (counts >= 1024, limited times > 65535) are
// clipped here too.

struct BytePair {
    std::uint8_t high = 0;
    std::uint8_t low = 0;

    bool operator==(const BytePair&) const = default;
};

// Comparator counts before the split: whole numbers, possibly negative or huge.
double VoltageCount(float setting, std::int16_t voltageModel);
double TemperatureCount(float setting);

// A voltage or temperature count as two bytes; nothing for a negative (or NaN) count.
std::optional<BytePair> CountBytes(double count);
// VoltageTime / TemperatureTime: above 65535 goes as (255, 255); nothing below 0.
std::optional<BytePair> LimitedTimeBytes(std::int32_t time);
// TimerOffTime / TimerOnTime: nothing outside 0..65535.
std::optional<BytePair> TimeBytes(std::int32_t time);
// A value sent as it is: nothing outside 0..255.
std::optional<std::uint8_t> PlainByte(std::int32_t value);

// Inverses used by the read; `count` is high * 256 + low of the bytes read.
float VoltageFromCount(std::int64_t count, std::int16_t voltageModel);
float TemperatureFromCount(std::int64_t count);

} // namespace muxcc::link
