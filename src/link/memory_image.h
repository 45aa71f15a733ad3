#pragma once

#include "model/configuration.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace muxcc::link {

// The 74 settings records a write sends, in the order it sends them.
inline constexpr std::array<int, 74> SettingsRecordOrder = {
    0,  1,  2,  3,  4,  12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32,
    33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 57, 58,
    59, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83};

// The byte of one settings record, or the field whose value the record cannot carry.
struct RecordByte {
    std::optional<std::uint8_t> byte;
    std::string field;      // names the configuration field when there is no byte, e.g. "TimerOnTime[3]"
    std::string fieldValue; // the offending value as text, e.g. "70000" or "-1.5"
};

// Encodes settings record `record` (one of SettingsRecordOrder) from the
// configuration as it stands now.
RecordByte EncodeSettingsRecord(const Configuration& config, int record);

// The first value of the configuration or of BooleanCode entries 0..511 that a
// write could not send, as a message naming the field; nothing when all can go.
std::optional<std::string> FirstUnsendableValue(const Configuration& config);

// Settings records 0..128 as read from the controller.
using SettingsImage = std::array<std::int32_t, 129>;

// The three decoding steps of a read; each replaces one group of the configuration.
// Entries are taken as read, even beyond a byte; a field too narrow for a value
// gets the nearest value it can hold. VoltageModel is used, never changed.
void DecodeKeptValuesAndChannels(const SettingsImage& image, Configuration& config);
void DecodeComparators(const SettingsImage& image, Configuration& config);
void DecodeFeaturesAndTimers(const SettingsImage& image, Configuration& config);

} // namespace muxcc::link
