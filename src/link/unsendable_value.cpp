#include "link/unsendable_value.h"

#include "link/memory_image.h"
#include "settings/setting_boxes.h"

#include <charconv>
#include <string_view>

namespace muxcc::link {

namespace {

struct WindowField {
    std::string title;
    std::string value;
    std::string_view range;
};

std::string Seconds(std::int32_t count)
{
    return TimeCountText(count) + " seconds";
}

// `field` as the link names it ("TimerOnTime[3]") the way its window shows it.
std::optional<WindowField> AsWindowShowsIt(const Configuration& config, std::string_view field)
{
    const std::size_t bracket = field.find('[');
    const std::string_view name = field.substr(0, bracket);
    int n = 0;
    if (bracket != std::string_view::npos)
        std::from_chars(field.data() + bracket + 1, field.data() + field.size(), n);

    if (name == "VoltageSetting")
        return WindowField{VoltageSettingTitle(n), ThresholdText(config.VoltageSetting[n]) + " V",
                           VoltageRangeMessage(config.VoltageModel)};
    if (name == "VoltageTime")
        return WindowField{VoltageTimeTitle(n), Seconds(config.VoltageTime[n]), TimeRangeMessage};
    if (name == "TemperatureSetting")
        return WindowField{TemperatureSettingTitle(n), ThresholdText(config.TemperatureSetting[n]),
                           TemperatureRangeMessage};
    if (name == "TemperatureTime")
        return WindowField{TemperatureTimeTitle(n), Seconds(config.TemperatureTime[n]), TimeRangeMessage};
    if (name == "TimerOffTime")
        return WindowField{TimerTimeTitle(n, false), Seconds(config.TimerOffTime[n]), TimeRangeMessage};
    if (name == "TimerOnTime")
        return WindowField{TimerTimeTitle(n, true), Seconds(config.TimerOnTime[n]), TimeRangeMessage};
    // The additional features window's titles, spelled as it spells them.
    if (name == "CycleCounterTime")
        return WindowField{"CYCLE ON TIME", std::to_string(config.CycleCounterTime) + " seconds",
                           FeatureSecondsRangeMessage};
    if (name == "SlpOffTime")
        return WindowField{"Off TIME", std::to_string(config.SlpOffTime) + " seconds",
                           FeatureSecondsRangeMessage};
    if (name == "SlpOnTime")
        return WindowField{"On TIME", std::to_string(config.SlpOnTime) + " seconds",
                           FeatureSecondsRangeMessage};
    return std::nullopt;
}

} // namespace

std::optional<std::string> UnsendableValueMessage(const Configuration& config)
{
    const std::optional<std::string> unsendable = FirstUnsendableValue(config);
    if (!unsendable)
        return std::nullopt;
    for (const int record : SettingsRecordOrder) {
        const RecordByte encoded = EncodeSettingsRecord(config, record);
        if (encoded.byte)
            continue;
        if (const auto shown = AsWindowShowsIt(config, encoded.field))
            return shown->title + " is " + shown->value +
                   " and cannot be sent to the controller:" + std::string(shown->range);
        return unsendable;
    }
    // Every settings record can be sent, so the code area is out of date or damaged.
    return *unsendable + ": compile the equations again (Compile Booleans) before writing";
}

} // namespace muxcc::link
