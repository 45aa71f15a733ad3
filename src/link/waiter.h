#pragma once

#include "link/coroutine.h"
#include <chrono>
#include <cstddef>
#include <functional>

namespace muxcc::link {

using Milliseconds = std::chrono::milliseconds;

// Suspends a record operation until its channel has enough bytes waiting or its
// own deadline has passed. Every wait has a deadline of its own: no wait can
// stretch or cut another.
class Waiter {
public:
    using Resume = std::function<void()>;
    virtual ~Waiter() = default;

    // Calls `resume` once, later, from the event loop: when at least `count`
    // bytes are waiting, when `limit` has passed, or when the channel closed
    // (the device went away). Never calls it from within this call.
    virtual void whenBytesWaiting(std::size_t count, Milliseconds limit, Resume resume) = 0;
    // Calls `resume` once, later, from the event loop, when `delay` has passed
    // or the channel closed.
    virtual void after(Milliseconds delay, Resume resume) = 0;
};

// co_await bytesWaitingOrTimeout(waiter, 5, 50ms);
inline auto bytesWaitingOrTimeout(Waiter& waiter, std::size_t count, Milliseconds limit)
{
    struct Awaiter {
        Waiter& waiter;
        std::size_t count;
        Milliseconds limit;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> suspended)
        {
            waiter.whenBytesWaiting(count, limit, [suspended] { suspended.resume(); });
        }
        void await_resume() const noexcept {}
    };
    return Awaiter{waiter, count, limit};
}

// co_await pause(waiter, 100ms);
inline auto pause(Waiter& waiter, Milliseconds delay)
{
    struct Awaiter {
        Waiter& waiter;
        Milliseconds delay;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> suspended)
        {
            waiter.after(delay, [suspended] { suspended.resume(); });
        }
        void await_resume() const noexcept {}
    };
    return Awaiter{waiter, delay};
}

} // namespace muxcc::link
