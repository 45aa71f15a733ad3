#pragma once

#include <string>

namespace muxcc::test {

// The wire records written out byte by byte, independently of the link's own builders.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

inline std::string Store(int area, int address, int data_h, int data_l)
{
    return Bytes({'S', area, address, data_h, data_l, 'D'});
}

inline std::string Query(int area, int address)
{
    return Bytes({'V', area, address, '0', '0', 'V'});
}

} // namespace muxcc::test
