#include "settings/setting_boxes.h"

#include "model/rounding.h"
#include "project/decimal_text.h"

#include <charconv>
#include <cmath>

namespace muxcc {

namespace {

constexpr double TimeCountSeconds = 0.02;
constexpr double LongestTime = 1310;
constexpr double HighestTemperature = 100;
constexpr double HighestFeatureSeconds = 255;

double HighestVoltage(int voltageModel)
{
    return voltageModel == 0 ? 20 : 36;
}

// The value of a number box when it lies in low..high, both ends included.
std::optional<double> NumberWithin(std::string_view text, double low, double high)
{
    const std::optional<double> value = NumberInBox(text);
    if (!value || !(*value >= low && *value <= high))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> NumberInBox(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string_view VoltageRangeMessage(int voltageModel)
{
    return voltageModel == 0 ? " MUST BE A NUMBER BETWEEN 0 AND 20" : " MUST BE A NUMBER BETWEEN 0 AND 36";
}

std::string TimerTimeTitle(int timer, bool onTime)
{
    return "TIMER#" + std::to_string(timer) + (onTime ? " ON TIME" : " OFF TIME");
}

std::string VoltageSettingTitle(int comparator)
{
    return "V" + std::to_string(comparator) + " VOLTAGE SETTING";
}

std::string VoltageTimeTitle(int comparator)
{
    return "V" + std::to_string(comparator) + " TIME SETTING";
}

std::string TemperatureSettingTitle(int comparator)
{
    return "T" + std::to_string(comparator) + " TEMPERATURE SETTING";
}

std::string TemperatureTimeTitle(int comparator)
{
    return "T" + std::to_string(comparator) + " TIME SETTING";
}

std::optional<std::int32_t> TimeCountFromBox(std::string_view text)
{
    const std::optional<double> seconds = NumberWithin(text, 0, LongestTime);
    if (!seconds)
        return std::nullopt;
    return static_cast<std::int32_t>(RoundHalfEven(*seconds / TimeCountSeconds));
}

std::string TimeCountText(std::int32_t count)
{
    return DecimalText(count * TimeCountSeconds, 15);
}

std::optional<float> VoltageFromBox(std::string_view text, int voltageModel)
{
    const std::optional<double> volts = NumberWithin(text, 0, HighestVoltage(voltageModel));
    if (!volts)
        return std::nullopt;
    return static_cast<float>(RoundHalfEven(*volts * 10) / 10);
}

std::optional<float> TemperatureFromBox(std::string_view text)
{
    const std::optional<double> degrees = NumberWithin(text, 0, HighestTemperature);
    if (!degrees)
        return std::nullopt;
    return static_cast<float>(RoundHalfEven(*degrees));
}

std::string ThresholdText(float value)
{
    return DecimalText(value, 7);
}

std::optional<std::int16_t> FeatureSecondsFromBox(std::string_view text)
{
    const std::optional<double> seconds = NumberWithin(text, 0, HighestFeatureSeconds);
    if (!seconds)
        return std::nullopt;
    return static_cast<std::int16_t>(RoundHalfEven(*seconds));
}

} // namespace muxcc
