#include "project/project_writer.h"

#include "model/output_order.h"
#include "project/decimal_text.h"
#include "project/project_fields.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace muxcc {

namespace {

// The file keeps comparator times as seconds / 0.02 instead of counts.
constexpr std::int64_t ComparatorTimeScale = 50;

constexpr int ThresholdDigits = 7;

template <typename Field>
constexpr bool fitsIn(std::int64_t value)
{
    return value >= std::numeric_limits<Field>::min() && value <= std::numeric_limits<Field>::max();
}

} // namespace

int PackOptionWord(const Configuration& config)
{
    return config.OptionFlags + (config.VoltageModel == 1 ? 16 : 0);
}

std::optional<std::string> SaveRefusal(const Configuration& config)
{
    std::optional<std::string> refusal;
    const auto refuse = [&refusal](std::string reason) {
        if (!refusal)
            refusal = std::move(reason);
    };
    ForEachProjectField(config, [&](const ProjectField& field, const auto& value) {
        using Value = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::string>) {
            if (value.find('"') != std::string::npos)
                refuse("the " + OutputName(field.index) +
                       " equation contains a double quote, which a project file cannot hold");
            else if (value.find_first_of("\r\n") != std::string::npos)
                refuse("the " + OutputName(field.index) +
                       " equation contains a line break, which a project file cannot hold");
            else if (value.size() > LongestEquation)
                refuse("the " + OutputName(field.index) + " equation holds " + std::to_string(value.size()) +
                       " characters, more than the " + std::to_string(LongestEquation) +
                       " a project file keeps");
        } else if constexpr (std::is_same_v<Value, float>) {
            if (!std::isfinite(value))
                refuse(field.label() + ": only a finite number can be saved");
        } else if (field.kind == FieldKind::ComparatorTime) {
            if (!fitsIn<std::int32_t>(value * ComparatorTimeScale))
                refuse(field.label() + ": " + std::to_string(value) + " counts are too many to save");
        } else if (field.kind == FieldKind::PackedOptionWord) {
            if (!fitsIn<std::int16_t>(PackOptionWord(config)))
                refuse(field.label() + ": OptionFlags " + std::to_string(config.OptionFlags) +
                       " is too large to save");
        }
    });
    return refusal;
}

std::string ProjectRecordLine(const Configuration& config)
{
    std::string line;
    ForEachProjectField(config, [&](const ProjectField& field, const auto& value) {
        using Value = std::remove_cvref_t<decltype(value)>;
        if (field.number > 1)
            line += ',';
        if constexpr (std::is_same_v<Value, std::string>)
            line += '"' + value + '"';
        else if constexpr (std::is_same_v<Value, float>)
            line += DecimalText(value, ThresholdDigits);
        else if (field.kind == FieldKind::ComparatorTime)
            line += std::to_string(value * ComparatorTimeScale);
        else if (field.kind == FieldKind::PackedOptionWord)
            line += std::to_string(PackOptionWord(config));
        else
            line += std::to_string(value);
    });
    return line + "\r\n";
}

} // namespace muxcc
