#include "project/project_reader.h"

#include "model/rounding.h"
#include "project/field_scanner.h"
#include "project/project_fields.h"

#include <algorithm>
#include <array>
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

// The largest comparator time a save writes: the largest count whose fifty
// times still fits the 32-bit field. A larger one could not be saved again.
constexpr std::int32_t LargestComparatorTime = std::numeric_limits<std::int32_t>::max() / 50 * 50;

// A threshold keeps the significant digits a save writes, so that what is read
// is written back the same.
constexpr int ThresholdDigits = 7;

// A field's text as a reason shows it: quoted, cut short if it is long, and
// with control and 8-bit bytes as \xNN, so that a crafted file cannot drive the
// terminal that shows the reason.
std::string shown(std::string_view text)
{
    constexpr std::size_t longest = 32;
    constexpr std::string_view hexDigits = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text.substr(0, longest)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= ' ' && byte < 0x7f)
            quoted += c;
        else
            quoted += {'\\', 'x', hexDigits[byte >> 4], hexDigits[byte & 0xf]};
    }
    return quoted + (text.size() > longest ? "...\"" : "\"");
}

// Whether a number that double cannot hold is too small rather than too large:
// its leading digit, with the exponent, stands below the units.
bool isTiny(std::string_view text)
{
    const auto exponentAt = std::min(text.find_first_of("eE"), text.size());
    const std::string_view mantissa = text.substr(0, exponentAt);
    const auto leadingAt = mantissa.find_first_of("123456789");
    if (leadingAt == std::string_view::npos)
        return true; // zero, whatever its exponent
    std::string_view exponentText = text.substr(std::min(exponentAt + 1, text.size()));
    if (!exponentText.empty() && exponentText.front() == '+')
        exponentText.remove_prefix(1);
    long long exponent = 0;
    const auto parsed =
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (parsed.ec == std::errc::result_out_of_range)
        return exponentText.front() == '-';

    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    const auto leading = static_cast<long long>(leadingAt);
    const long long power = leading < point ? point - leading - 1 : point - leading;
    return power + exponent < 0;
}

// A decimal number with or without a zero before the point; blanks were
// already dropped by the scanner. Written infinities and NaN are not numbers
// here; a number too small for double reads as 0, and one too large as
// infinity, which every field's range check then refuses.
std::optional<double> parseNumber(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1); // from_chars takes only a minus sign
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return isTiny(text) ? 0.0 : std::numeric_limits<double>::infinity();
    if (error != std::errc{} || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// value to the significant digits of a threshold, as the nearest float.
float thresholdOf(double value)
{
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, ThresholdDigits - 1);
    double rounded = 0;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return static_cast<float>(rounded);
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
        if (raw.text.size() > LongestEquation)
            return "the text holds " + std::to_string(raw.text.size()) + " characters, more than the " +
                   std::to_string(LongestEquation) + " of the longest equation";
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
            value = thresholdOf(*number);
        } else if (field.kind == FieldKind::ComparatorTime) {
            const double fileValue = RoundHalfEven(*number);
            if (std::fabs(fileValue) > LargestComparatorTime)
                return shown(raw.text) + " is outside the comparator time range (-" +
                       std::to_string(LargestComparatorTime) + ".." + std::to_string(LargestComparatorTime) +
                       ")";
            value = static_cast<Value>(RoundHalfEven(fileValue * SecondsPerCount));
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

std::string OversizeReason(std::uintmax_t size)
{
    return "the file holds " + std::to_string(size) + " bytes, more than the " +
           std::to_string(LargestProjectFile) + " of the largest project file";
}

std::optional<std::string> ReadProjectRecord(Configuration& config, std::string_view bytes)
{
    if (bytes.size() > LargestProjectFile)
        return OversizeReason(bytes.size());

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
