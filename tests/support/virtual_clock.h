#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace muxcc::test {

using Microseconds = std::chrono::microseconds;

// Time that passes only when the next scheduled event runs. Events due at the
// same moment run in the order they were scheduled.
class VirtualClock {
public:
    Microseconds now() const { return now_; }
    void after(Microseconds delay, std::function<void()> event);
    // Moves time to the next event and runs it; false when nothing is scheduled.
    bool runNext();

private:
    Microseconds now_{0};
    std::uint64_t scheduled_ = 0;
    std::map<std::pair<Microseconds, std::uint64_t>, std::function<void()>> events_;
};

} // namespace muxcc::test
