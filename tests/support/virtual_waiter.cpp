#include "support/virtual_waiter.h"

#include <vector>

namespace muxcc::test {

VirtualWaiter::VirtualWaiter(VirtualClock& clock, VirtualChannel& channel) : clock_(clock), channel_(channel)
{
    channel_.onChange([this] { resumeSatisfied(); });
}

void VirtualWaiter::whenBytesWaiting(std::size_t count, link::Milliseconds limit, Resume resume)
{
    const int wait = nextWait_++;
    waits_.emplace(wait, std::pair{count, std::move(resume)});
    // Bytes already waiting end the wait too, but never from within this call.
    clock_.after(Microseconds{0}, [this] { resumeSatisfied(); });
    clock_.after(limit, [this, wait] { finish(wait); });
}

void VirtualWaiter::after(link::Milliseconds delay, Resume resume)
{
    clock_.after(delay, std::move(resume));
}

void VirtualWaiter::resumeSatisfied()
{
    std::vector<int> satisfied;
    for (const auto& [wait, awaited] : waits_) {
        if (!channel_.isOpen() || channel_.bytesWaiting() >= awaited.first)
            satisfied.push_back(wait);
    }
    for (const int wait : satisfied)
        finish(wait);
}

void VirtualWaiter::finish(int wait)
{
    auto found = waits_.extract(wait);
    if (found)
        found.mapped().second();
}

} // namespace muxcc::test
