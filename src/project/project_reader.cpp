#include "project/project_reader.h"

#include "model/rounding.h"
#include "project/field_scanner.h"
#include "project/project_fields.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace muxcc {

namespace {

// Field 99 at or above this value means the 24 V model.
constexpr int VoltageModelBit = 16;

// The file keeps comparator times as seconds / 0.02 instead of counts.
constexpr double SecondsPerCount = 0.02;

// A field's text as a reason shows it: quoted, and cut short if it is long.
std::string shown(const std::string& text)
{
    constexpr std::size_t longest = 32;
    if (text.size() <= longest)
        return '"' + text + '"';
    return '"' + text.substr(0, longest) + "...\"";
}

// A decimal number with or without a zero before the point; blanks were
// already dropped by the scanner. Written infinities and NaN are not numbers
// here; a number beyond the range of double comes back as infinity, which
// every field's range check then refuses.
std::optional<double> parseNumber(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1); // from_chars takes only a minus sign
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    if (error != std::errc{} || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename Integer>
std::optional<Integer> roundedInto(double value)
{
    const double whole = RoundHalfEven(value);
    if (whole < std::numeric_limits<Integer>::min() || whole > std::numeric_limits<Integer>::max())
        return std::nullopt;
    return static_cast<Integer>(whole);
}

template <typename Integer>
std::string rangeName()
{
    return std::to_string(std::numeric_limits<Integer>::digits + 1) + "-bit range (" +
           std::to_string(std::numeric_limits<Integer>::min()) + ".." +
           std::to_string(std::numeric_limits<Integer>::max()) + ")";
}

// Converts one raw field into its configuration field; the problem if it cannot.
template <typename Value>
std::optional<std::string> store(const ProjectField& field, const RawField& raw, Value& value)
{
    if constexpr (std::is_same_v<Value, std::string>) {
        value = raw.text;
        return std::nullopt;
    } else {
        if (raw.text.empty()) {
            value = 0; // an empty entry reads as zero
            return std::nullopt;
        }
        const auto number = parseNumber(raw.text);
        if (!number)
            return shown(raw.text) + " is not a number";

        if constexpr (std::is_same_v<Value, float>) {
            if (std::fabs(*number) > std::numeric_limits<float>::max())
                return shown(raw.text) + " is outside the float range";
            value = static_cast<float>(*number);
        } else if (field.kind == FieldKind::ComparatorTime) {
            const auto fileValue = roundedInto<std::int32_t>(*number);
            if (!fileValue)
                return shown(raw.text) + " is outside the " + rangeName<std::int32_t>();
            value = static_cast<Value>(RoundHalfEven(*fileValue * SecondsPerCount));
        } else {
            const auto whole = roundedInto<Value>(*number);
            if (!whole)
                return shown(raw.text) + " is outside the " + rangeName<Value>();
            value = *whole;
        }
        return std::nullopt;
    }
}

// Reads one record into config; the reason if the record is broken.
std::optional<std::string> readRecord(FieldScanner& scanner, Configuration& config)
{
    std::optional<std::string> failure;
    ForEachProjectField(config, [&](const ProjectField& field, auto& value) {
        if (failure)
            return;
        if (scanner.atEnd()) {
            failure = "the file ends inside a record: " + field.label() + " is missing";
            return;
        }
        const auto scanned = scanner.next();
        if (const auto* problem = std::get_if<FieldProblem>(&scanned)) {
            failure = field.label() + ": " + problem->what;
            return;
        }
        if (auto problem = store(field, std::get<RawField>(scanned), value))
            failure = field.label() + ": " + *problem;
    });
    return failure;
}

} // namespace

std::optional<std::string> ReadProjectRecord(Configuration& config, std::string_view bytes)
{
    Configuration loaded = config;
    ForEachProjectField(loaded, [](const ProjectField&, auto& value) { value = {}; });

    FieldScanner scanner(bytes);
    for (int record = 1; !scanner.atEnd(); ++record) {
        if (auto failure = readRecord(scanner, loaded))
            return record == 1 ? *failure : "record " + std::to_string(record) + ", " + *failure;
    }

    const bool model24 = loaded.PackedOptionWord >= VoltageModelBit;
    loaded.VoltageModel = model24 ? 1 : 0;
    loaded.OptionFlags = static_cast<std::int16_t>(loaded.PackedOptionWord - (model24 ? VoltageModelBit : 0));
    config = std::move(loaded);
    return std::nullopt;
}

} // namespace muxcc
