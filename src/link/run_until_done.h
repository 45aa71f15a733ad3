#pragma once

#include "link/task.h"

#include <QEventLoop>

#include <optional>

namespace muxcc::link {

// Runs `task` to its end on an event loop of its own and returns its result:
// for a program or a test whose whole work is this one task, never for a
// window, whose commands run on the application's loop.
template <typename T>
T RunUntilDone(Task<T> task)
{
    QEventLoop loop;
    std::optional<T> result;
    startDetached<T>(std::move(task), [&](T value) {
        result = std::move(value);
        loop.quit();
    });
    if (!result) // a task that ended before its first wait needs no loop
        loop.exec();
    return std::move(*result);
}

} // namespace muxcc::link
