#include "link/record_format.h"

#include <initializer_list>

namespace muxcc::link {

namespace {

bool IsByte(int value)
{
    return value >= 0 && value <= 255;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(value)));
    return bytes;
}

} // namespace

std::optional<std::string> StoreRecord(int address_h, int address_l, int data_h, int data_l)
{
    if (!IsByte(address_h) || !IsByte(address_l) || !IsByte(data_h) || !IsByte(data_l))
        return std::nullopt;
    return Bytes({'S', address_h, address_l, data_h, data_l, 'D'});
}

std::optional<std::string> QueryRecord(int area, int address_l)
{
    if (!IsByte(area) || !IsByte(address_l))
        return std::nullopt;
    return Bytes({'V', area, address_l, '0', '0', 'V'});
}

std::string ReplyField(std::uint8_t byte)
{
    return {'0', static_cast<char>('0' + byte / 100), static_cast<char>('0' + byte / 10 % 10),
            static_cast<char>('0' + byte % 10), '0'};
}

} // namespace muxcc::link
