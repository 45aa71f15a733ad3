#pragma once

#include "link/controller_commands.h"
#include "link/controller_link.h"
#include "link/controller_simulator.h"
#include "support/recording_observer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace muxcc::test {

using Microseconds = std::chrono::microseconds;

// The wire records written out byte by byte, independently of the link's own builders.
inline std::string Store(int area, int address, int high, int low)
{
    return {'S', char(area), char(address), char(high), char(low), 'D'};
}
inline std::string Query(int area, int address)
{
    return {'V', char(area), char(address), '0', '0', 'V'};
}

// The commands and the record operations on a serial line in virtual time: time passes only when the
// next event runs, and events due at the same moment run in the order they were scheduled. The line
// leads to the simulated controller, which takes every request; with `answer`, the replies are those it
// gives instead. Replies arrive whole after their delay; with a byte time every byte of a request and of a
// reply takes that long and reply bytes arrive one by one, in the order the controller sent them. Bytes
// arriving while the port is closed stay in the driver until the next open discards them, as a real port's
// open does; a controller that vanishes closes the port. Any number of waits may be pending, each ended by
// its own deadline, by enough bytes waiting or by the port closing.
struct LinkBench final : link::ByteChannel, link::Waiter {
    explicit LinkBench(link::SimulatorFaults faults = {}) : controller(std::move(faults)) {}

    bool open() override
    {
        if (std::exchange(open_, true))
            return false;
        discardedAtOpen += std::exchange(heldByDriver, {}).size();
        return true;
    }
    void close() override
    {
        open_ = false;
        received_.clear();
        resumeSatisfied();
    }
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() const override { return received_.size(); }
    std::string readAll() override { return std::exchange(received_, {}); }
    void write(std::string_view bytes) override
    {
        if (!open_)
            return;
        written.emplace_back(bytes);
        std::vector<link::SimulatorReply> replies = controller.receive(bytes);
        if (answer)
            replies = answer(controller.requests.size());
        const Microseconds arrives = now + static_cast<long>(bytes.size()) * byteTime;
        for (const link::SimulatorReply& reply : replies) {
            Microseconds at = arrives + reply.delay;
            const std::size_t step = byteTime > Microseconds{0} ? 1 : reply.bytes.size();
            for (std::size_t i = 0; i < reply.bytes.size(); i += step) {
                // Byte by byte, the line keeps the order: no byte overtakes one sent before it.
                at = (byteTime > Microseconds{0} ? std::max(at, lastByteArrives_) : at) + byteTime;
                lastByteArrives_ = at;
                schedule(at, [this, piece = reply.bytes.substr(i, step)] { arrive(piece); });
            }
        }
        if (controller.vanished())
            schedule(arrives, [this] { close(); });
    }
    void whenBytesWaiting(std::size_t count, link::Milliseconds limit, Resume resume) override
    {
        const int wait = nextWait_++;
        waits_.emplace(wait, std::pair{count, std::move(resume)});
        schedule(now,
                 [this] { resumeSatisfied(); }); // bytes already waiting end it, but not from within here
        schedule(now + limit, [this, wait] { finish(wait); });
    }
    // A pause is a wait for more bytes than ever come: only its deadline or the port closing ends it.
    void after(link::Milliseconds delay, Resume resume) override
    {
        const int wait = nextWait_++;
        waits_.emplace(wait, std::pair{SIZE_MAX, std::move(resume)});
        schedule(now + delay, [this, wait] { finish(wait); });
    }

    void schedule(Microseconds at, std::function<void()> event)
    {
        events_.emplace(std::pair{at, scheduled_++}, std::move(event));
    }
    // Moves time to the next event and runs it; false when nothing is scheduled.
    bool runNext()
    {
        if (events_.empty())
            return false;
        auto next = events_.extract(events_.begin());
        now = next.key().first;
        next.mapped()();
        return true;
    }
    // Waits registered and not yet resumed.
    std::size_t pendingWaits() const { return waits_.size(); }

    // Runs `task` from event to event; nothing when it still waits after the last event.
    template <typename T>
    std::optional<T> run(link::Task<T> task)
    {
        std::optional<T> result;
        link::startDetached(std::move(task), std::function<void(T)>([&result](T value) { result = value; }));
        while (!result && runNext()) {
        }
        return result;
    }

    link::ControllerSimulator controller;
    Microseconds byteTime{0};
    Microseconds now{0};
    // The replies to request n (counted from 1), in place of the controller's.
    std::function<std::vector<link::SimulatorReply>(std::size_t request)> answer;
    // Every write to the open port, as written.
    std::vector<std::string> written;
    // Bytes that arrived while the port was closed (a late reply, noise); the next open discards them.
    std::string heldByDriver;
    std::size_t discardedAtOpen = 0;
    Configuration config;
    RecordingObserver observer;
    link::ControllerCommands commands{*this, *this, config, observer};
    link::ControllerLink link{*this, *this};

private:
    void arrive(const std::string& bytes)
    {
        (open_ ? received_ : heldByDriver) += bytes;
        resumeSatisfied();
    }
    void resumeSatisfied()
    {
        std::vector<int> satisfied;
        for (const auto& [wait, awaited] : waits_)
            if (!open_ || received_.size() >= awaited.first)
                satisfied.push_back(wait);
        for (const int wait : satisfied)
            finish(wait);
    }
    void finish(int wait)
    {
        if (auto found = waits_.extract(wait))
            found.mapped().second();
    }

    bool open_ = false;
    std::string received_;
    Microseconds lastByteArrives_{0};
    long scheduled_ = 0;
    std::map<std::pair<Microseconds, long>, std::function<void()>> events_;
    int nextWait_ = 0;
    std::map<int, std::pair<std::size_t, Resume>> waits_; // wait -> bytes awaited, resume
};

} // namespace muxcc::test
