#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace muxcc {

// A fixed array indexed 1..N, so that code reads with the channel, timer and
// output numbers a technician uses (MUX1 is ChannelDirection[1]).
template <typename T, int N>
class OneBased {
public:
    constexpr T& operator[](int i)
    {
        assert(i >= 1 && i <= N);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    constexpr const T& operator[](int i) const
    {
        assert(i >= 1 && i <= N);
        return items_[static_cast<std::size_t>(i - 1)];
    }

    constexpr auto begin() { return items_.begin(); }
    constexpr auto end() { return items_.end(); }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.end(); }

    bool operator==(const OneBased&) const = default;

private:
    std::array<T, N> items_{};
};

} // namespace muxcc
