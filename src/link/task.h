#pragma once

#include "link/coroutine.h"
#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace muxcc::link {

// A lazily started coroutine that one awaiting coroutine resumes into, and
// that hands control back to it when it finishes. Waits inside it suspend the
// whole chain; whoever completes the wait resumes it from its own event loop.
template <typename T>
class Task;

namespace detail {

struct ContinueAwaiting {
    bool await_ready() const noexcept { return false; }
    template <typename Promise>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> finished) const noexcept
    {
        if (auto awaiting = finished.promise().awaiting)
            return awaiting;
        return std::noop_coroutine();
    }
    void await_resume() const noexcept {}
};

template <typename T>
struct Promise {
    std::coroutine_handle<> awaiting;
    std::optional<T> value;

    std::suspend_always initial_suspend() const noexcept { return {}; }
    ContinueAwaiting final_suspend() const noexcept { return {}; }
    void unhandled_exception() const noexcept { std::terminate(); }
    Task<T> get_return_object();
    void return_value(T result) { value = std::move(result); }
    T take() { return std::move(*value); }
};

} // namespace detail

template <typename T>
class [[nodiscard]] Task {
public:
    using promise_type = detail::Promise<T>;

    explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept
    {
        if (this != &other) {
            if (handle_)
                handle_.destroy();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    ~Task()
    {
        if (handle_)
            handle_.destroy();
    }

    bool await_ready() const noexcept { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept
    {
        handle_.promise().awaiting = awaiting;
        return handle_;
    }
    T await_resume() { return handle_.promise().take(); }

private:
    std::coroutine_handle<promise_type> handle_;
};

namespace detail {

template <typename T>
Task<T> Promise<T>::get_return_object()
{
    return Task<T>{std::coroutine_handle<Promise>::from_promise(*this)};
}

// A coroutine nobody awaits: it starts at once and frees itself at its end.
struct Detached {
    struct promise_type {
        Detached get_return_object() const noexcept { return {}; }
        std::suspend_never initial_suspend() const noexcept { return {}; }
        std::suspend_never final_suspend() const noexcept { return {}; }
        void return_void() const noexcept {}
        void unhandled_exception() const noexcept { std::terminate(); }
    };
};

template <typename T>
Detached runDetached(Task<T> task, std::function<void(T)> finished)
{
    T result = co_await task;
    finished(std::move(result));
}

} // namespace detail

// Starts `task` and calls `finished` with its result when it ends. The caller
// keeps whatever the task refers to alive until then.
template <typename T>
void startDetached(Task<T> task, std::function<void(T)> finished)
{
    detail::runDetached(std::move(task), std::move(finished));
}

} // namespace muxcc::link
