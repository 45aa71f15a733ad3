#include "support/virtual_clock.h"

namespace muxcc::test {

void VirtualClock::after(Microseconds delay, std::function<void()> event)
{
    events_.emplace(std::pair{now_ + delay, scheduled_++}, std::move(event));
}

bool VirtualClock::runNext()
{
    if (events_.empty())
        return false;
    auto next = events_.extract(events_.begin());
    now_ = next.key().first;
    next.mapped()();
    return true;
}

} // namespace muxcc::test
