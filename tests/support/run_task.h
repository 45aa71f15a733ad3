#pragma once

#include "link/task.h"
#include "support/virtual_clock.h"

#include <functional>
#include <optional>
#include <utility>

namespace muxcc::test {

// Runs `task` by moving virtual time on from event to event; nothing when it
// was still waiting after the last event.
template <typename T>
std::optional<T> RunToCompletion(VirtualClock& clock, link::Task<T> task)
{
    std::optional<T> result;
    link::startDetached(std::move(task),
                        std::function<void(T)>([&result](T value) { result = std::move(value); }));
    while (!result && clock.runNext()) {
    }
    return result;
}

} // namespace muxcc::test
