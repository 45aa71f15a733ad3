#pragma once

#include "link/waiter.h"

#include <QObject>

#include <map>
#include <optional>

namespace muxcc::link {

class SerialPortChannel;

// Waits on a SerialPortChannel from the Qt event loop: each wait owns a precise
// single-shot timer and ends at the first of its deadline, enough bytes
// collected, or the channel closing (which also ends a pacing delay). Nothing spins and nothing nests an
// event loop. Waits still pending when the waiter is destroyed are never resumed.
class SerialPortWaiter final : public QObject, public Waiter {
public:
    explicit SerialPortWaiter(SerialPortChannel& channel, QObject* parent = nullptr);

    void whenBytesWaiting(std::size_t count, Milliseconds limit, Resume resume) override;
    void after(Milliseconds delay, Resume resume) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Wait {
        std::optional<std::size_t> count; // nothing: only the deadline ends it
        Resume resume;
    };

    void start(Milliseconds limit, Wait wait);
    bool satisfied(const Wait& wait) const;
    void resumeSatisfied();
    void finish(int timerId);

    SerialPortChannel& channel_;
    std::map<int, Wait> waits_; // keyed by the id of the wait's own timer
};

} // namespace muxcc::link
