#include "link/memory_image.h"

#include "link/record_encoding.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace muxcc::link {

namespace {

RecordByte Sent(std::uint8_t byte)
{
    return RecordByte{byte, {}, {}};
}

std::string ValueText(std::int32_t value)
{
    return std::to_string(value);
}

std::string ValueText(float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string Indexed(const char* name, int n)
{
    return std::string(name) + "[" + std::to_string(n) + "]";
}

template <typename Value>
RecordByte Plain(Value value, std::string field)
{
    if (const auto byte = PlainByte(value))
        return Sent(*byte);
    return RecordByte{std::nullopt, std::move(field), ValueText(value)};
}

// A value that travels as two records, high byte first.
struct TwoRecordValue {
    std::optional<BytePair> bytes;
    std::string field;
    std::string value; // for the message when there are no bytes
};

template <typename Value>
TwoRecordValue TwoRecords(std::optional<BytePair> bytes, const char* name, int n, Value value)
{
    return {bytes, Indexed(name, n), ValueText(value)};
}

// Bit k is set when values[first + k] is exactly 1.
template <int N>
std::uint8_t BitsOfOnes(const OneBased<std::int16_t, N>& values, int first, int count)
{
    int bits = 0;
    for (int k = 0; k < count; ++k) {
        if (values[first + k] == 1)
            bits |= 1 << k;
    }
    return static_cast<std::uint8_t>(bits);
}

template <typename Field>
Field Saturated(std::int64_t value)
{
    return static_cast<Field>(std::clamp<std::int64_t>(value, std::numeric_limits<Field>::min(),
                                                       std::numeric_limits<Field>::max()));
}

// A two-byte value of the image as the controller means it: high * 256 + low.
std::int64_t Word(const SettingsImage& image, int record)
{
    return std::int64_t{image[record]} * 256 + image[record + 1];
}

constexpr int FirstVoltageRecord = 16;
constexpr int FirstTemperatureRecord = 40;
constexpr int FirstTimerRecord = 64;
constexpr int RecordsPerGroup = 4; // setting or off time: 2 records; time or on time: 2 records

// Comparators and timers take four records each, from `firstRecord` on: two
// for one value of group n, two for the other. `valueOf(n, first)` gives them.
template <typename ValueOf>
RecordByte EncodeGroupRecord(int record, int firstRecord, ValueOf valueOf)
{
    const int offset = record - firstRecord;
    const int slot = offset % RecordsPerGroup;
    const TwoRecordValue value = valueOf(offset / RecordsPerGroup + 1, slot < 2);
    if (!value.bytes)
        return RecordByte{std::nullopt, value.field, value.value};
    return Sent(slot % 2 == 0 ? value.bytes->high : value.bytes->low);
}

std::string UnsendableMessage(const std::string& field, const std::string& value)
{
    return field + " = " + value + " cannot be sent to the controller";
}

} // namespace

RecordByte EncodeSettingsRecord(const Configuration& config, int record)
{
    if (record == 0)
        return Plain<std::int32_t>(config.ControllerRecord0, "ControllerRecord0");
    if (record >= 1 && record <= 4)
        return Plain<std::int32_t>(config.CycleCountDigit[record], Indexed("CycleCountDigit", record));
    if (record >= FirstVoltageRecord && record < FirstTemperatureRecord)
        return EncodeGroupRecord(record, FirstVoltageRecord, [&config](int n, bool first) {
            if (first)
                return TwoRecords(CountBytes(VoltageCount(config.VoltageSetting[n], config.VoltageModel)),
                                  "VoltageSetting", n, config.VoltageSetting[n]);
            return TwoRecords(LimitedTimeBytes(config.VoltageTime[n]), "VoltageTime", n,
                              config.VoltageTime[n]);
        });
    if (record >= FirstTemperatureRecord && record <= 55)
        return EncodeGroupRecord(record, FirstTemperatureRecord, [&config](int n, bool first) {
            if (first)
                return TwoRecords(CountBytes(TemperatureCount(config.TemperatureSetting[n])),
                                  "TemperatureSetting", n, config.TemperatureSetting[n]);
            return TwoRecords(LimitedTimeBytes(config.TemperatureTime[n]), "TemperatureTime", n,
                              config.TemperatureTime[n]);
        });
    if (record >= FirstTimerRecord && record <= 83)
        return EncodeGroupRecord(record, FirstTimerRecord, [&config](int n, bool first) {
            if (first)
                return TwoRecords(TimeBytes(config.TimerOffTime[n]), "TimerOffTime", n,
                                  config.TimerOffTime[n]);
            return TwoRecords(TimeBytes(config.TimerOnTime[n]), "TimerOnTime", n, config.TimerOnTime[n]);
        });
    switch (record) {
    case 12:
        return Plain<std::int32_t>(config.OptionFlags, "OptionFlags");
    case 13:
        return Sent(BitsOfOnes(config.ChannelDirection, 1, 8));
    case 14:
        return Sent(BitsOfOnes(config.ChannelDirection, 9, 8));
    case 57:
        return Plain<std::int32_t>(config.CycleCounterOperand, "CycleCounterOperand");
    case 58:
        return Plain<std::int32_t>(config.CycleCounterTime, "CycleCounterTime");
    case 59:
        return Plain<std::int32_t>(config.SlpOperand, "SlpOperand");
    case 61:
        return Plain<std::int32_t>(config.SlpOffTime, "SlpOffTime");
    case 62:
        return Plain<std::int32_t>(config.SlpOnTime, "SlpOnTime");
    case 63:
        return Sent(BitsOfOnes(config.TimerMode, 1, TimerCount));
    default:
        // Records 5..11, 15, 56, 60 and 84 up hold nothing of the configuration.
        return RecordByte{std::nullopt, "settings record " + std::to_string(record), {}};
    }
}

std::optional<std::string> FirstUnsendableValue(const Configuration& config)
{
    for (const int record : SettingsRecordOrder) {
        const RecordByte encoded = EncodeSettingsRecord(config, record);
        if (!encoded.byte)
            return UnsendableMessage(encoded.field, encoded.fieldValue);
    }
    for (int entry = 0; entry < CodeAreaSentSize; ++entry) {
        const std::int16_t value = config.BooleanCode[static_cast<std::size_t>(entry)];
        if (!PlainByte(value))
            return UnsendableMessage(Indexed("BooleanCode", entry), ValueText(std::int32_t{value}));
    }
    return std::nullopt;
}

void DecodeKeptValuesAndChannels(const SettingsImage& image, Configuration& config)
{
    config.ControllerRecord0 = Saturated<std::int16_t>(image[0]);
    for (int digit = 1; digit <= CycleCountDigitCount; ++digit)
        config.CycleCountDigit[digit] = Saturated<std::int16_t>(image[digit]);
    config.OptionFlags = Saturated<std::int16_t>(image[12]);
    for (int n = 1; n <= ChannelCount; ++n) {
        const std::int32_t bits = n <= 8 ? image[13] : image[14];
        const int bit = 1 << ((n - 1) % 8);
        config.ChannelDirection[n] = (bits & bit) != 0 ? 1 : 0;
    }
}

void DecodeComparators(const SettingsImage& image, Configuration& config)
{
    for (int n = 1; n <= VoltageComparatorCount; ++n) {
        const int b = FirstVoltageRecord + RecordsPerGroup * (n - 1);
        config.VoltageSetting[n] = VoltageFromCount(Word(image, b), config.VoltageModel);
        config.VoltageTime[n] = Saturated<std::int32_t>(Word(image, b + 2));
    }
    for (int n = 1; n <= TemperatureComparatorCount; ++n) {
        const int b = FirstTemperatureRecord + RecordsPerGroup * (n - 1);
        config.TemperatureSetting[n] = TemperatureFromCount(Word(image, b));
        config.TemperatureTime[n] = Saturated<std::int32_t>(Word(image, b + 2));
    }
}

void DecodeFeaturesAndTimers(const SettingsImage& image, Configuration& config)
{
    config.CycleCounterOperand = Saturated<std::int16_t>(image[57]);
    config.CycleCounterTime = Saturated<std::int16_t>(image[58]);
    config.SlpOperand = Saturated<std::int16_t>(image[59]);
    config.SlpOffTime = Saturated<std::int16_t>(image[61]);
    config.SlpOnTime = Saturated<std::int16_t>(image[62]);

    // Working down by thresholds rather than testing bits: for 0..31 the two
    // agree, above 31 every timer reads as one shot.
    std::int32_t v = image[63];
    for (int n = TimerCount; n >= 2; --n) {
        const int weight = 1 << (n - 1);
        config.TimerMode[n] = v > weight - 1 ? 1 : 0;
        if (v > weight - 1)
            v -= weight;
    }
    config.TimerMode[1] = v > 0 ? 1 : 0;

    for (int n = 1; n <= TimerCount; ++n) {
        const int b = FirstTimerRecord + RecordsPerGroup * (n - 1);
        config.TimerOffTime[n] = Saturated<std::int32_t>(Word(image, b));
        config.TimerOnTime[n] = Saturated<std::int32_t>(Word(image, b + 2));
    }
}

} // namespace muxcc::link
