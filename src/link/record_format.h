#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace muxcc::link {

// The bytes both ends of the serial link agree on.
inline constexpr std::string_view ContactRequest = "A";
inline constexpr std::string_view Acknowledgement = "D000D";
inline constexpr std::size_t RecordSize = 6;
inline constexpr std::size_t FieldSize = 5;
inline constexpr int SettingsAreaByte = 0;
inline constexpr int CodeAreaByte = 8;

// "S", address_h, address_l, data_h, data_l, "D"; nothing when a value is not a byte.
std::optional<std::string> StoreRecord(int address_h, int address_l, int data_h, int data_l);
// "V", area, address_l, "0", "0", "V"; nothing when a value is not a byte.
std::optional<std::string> QueryRecord(int area, int address_l);
// One reply field: "0", the byte as three digits, "0" (37 -> "00370").
std::string ReplyField(std::uint8_t byte);

} // namespace muxcc::link
