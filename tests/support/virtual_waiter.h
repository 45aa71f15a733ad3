#pragma once

#include "link/waiter.h"
#include "support/virtual_channel.h"
#include "support/virtual_clock.h"

#include <map>

namespace muxcc::test {

// Waits in virtual time. Any number of waits may be pending at once, each
// ended by its own deadline, by enough bytes waiting or by the port closing.
class VirtualWaiter final : public link::Waiter {
public:
    VirtualWaiter(VirtualClock& clock, VirtualChannel& channel);

    void whenBytesWaiting(std::size_t count, link::Milliseconds limit, Resume resume) override;
    void after(link::Milliseconds delay, Resume resume) override;

private:
    void resumeSatisfied();
    void finish(int wait);

    VirtualClock& clock_;
    VirtualChannel& channel_;
    int nextWait_ = 0;
    std::map<int, std::pair<std::size_t, Resume>> waits_; // wait -> bytes awaited, resume
};

} // namespace muxcc::test
