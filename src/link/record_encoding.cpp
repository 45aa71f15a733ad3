#include "link/record_encoding.h"

#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace muxcc::link {

namespace {

constexpr double Volts12Span = 200.5; // tenths of a volt over the 1024 steps of the 12 V model
constexpr double Volts24Span = 399.0;
constexpr int CountSteps = 1024;

double VoltageSpan(std::int16_t voltageModel)
{
    // Only an exact 1 selects the 24 V model; anything else is the 12 V model.
    return voltageModel == 1 ? Volts24Span : Volts12Span;
}

// Narrows to a float field without undefined behaviour for values no float holds.
float ToStoredFloat(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace

double VoltageCount(float setting, std::int16_t voltageModel)
{
    return RoundHalfEven(static_cast<double>(setting) * 10 * CountSteps / VoltageSpan(voltageModel));
}

double TemperatureCount(float setting)
{
    const double t = setting;
    const double p = -1.0309115690701e-05 * std::pow(t, 4) + 0.00227157434998593 * std::pow(t, 3) -
                     0.0992091975903122 * std::pow(t, 2) - 9.70563164976511 * t + 785.217464535166;
    // The controller's table was built from the single-precision value.
    return RoundHalfEven(static_cast<double>(ToStoredFloat(p)));
}

std::optional<BytePair> CountBytes(double count)
{
    if (!(count >= 0))
        return std::nullopt;
    // Every count from 1024 up splits alike, so clipping first keeps the integer small.
    int c = static_cast<int>(std::min(count, static_cast<double>(CountSteps)));
    int high = 0;
    if (c >= 512) {
        high = 2;
        c -= 512;
    }
    if (c >= 256) {
        high += 1;
        c -= 256;
    }
    const int low = c >= 256 ? 255 : c;
    return BytePair{static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low)};
}

std::optional<BytePair> LimitedTimeBytes(std::int32_t time)
{
    if (time > 65535)
        return BytePair{255, 255};
    return TimeBytes(time);
}

std::optional<BytePair> TimeBytes(std::int32_t time)
{
    if (time < 0 || time > 65535)
        return std::nullopt;
    return BytePair{static_cast<std::uint8_t>(time / 256), static_cast<std::uint8_t>(time % 256)};
}

std::optional<std::uint8_t> PlainByte(std::int32_t value)
{
    if (value < 0 || value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

float VoltageFromCount(std::int64_t count, std::int16_t voltageModel)
{
    const double x = static_cast<double>(count);
    return ToStoredFloat(RoundHalfEven(x * VoltageSpan(voltageModel) / CountSteps) / 10);
}

float TemperatureFromCount(std::int64_t count)
{
    const double x = static_cast<double>(count);
    const double q = -2.1995410332e-12 * std::pow(x, 5) + 5.5017522102729e-09 * std::pow(x, 4) -
                     5.39503919723407e-06 * std::pow(x, 3) + 0.00262220216290136 * std::pow(x, 2) -
                     0.735283476136578 * x + 137.406886253273;
    return ToStoredFloat(RoundHalfEven(q));
}

} // namespace muxcc::link
