#include "link/serial_port_waiter.h"

#include "link/serial_port_channel.h"

#include <QTimerEvent>

#include <algorithm>

#include <utility>

namespace muxcc::link {

SerialPortWaiter::SerialPortWaiter(SerialPortChannel& channel, QObject* parent)
    : QObject(parent), channel_(channel)
{
    connect(&channel_, &SerialPortChannel::bytesArrived, this, &SerialPortWaiter::resumeSatisfied);
    connect(&channel_, &SerialPortChannel::closed, this, &SerialPortWaiter::resumeSatisfied);
}

void SerialPortWaiter::whenBytesWaiting(std::size_t count, Milliseconds limit, Resume resume)
{
    Wait wait{count, std::move(resume)};
    // Already satisfied: still resume from the event loop, never from here.
    start(satisfied(wait) ? Milliseconds{0} : limit, std::move(wait));
}

void SerialPortWaiter::after(Milliseconds delay, Resume resume)
{
    start(delay, Wait{std::nullopt, std::move(resume)});
}

void SerialPortWaiter::start(Milliseconds limit, Wait wait)
{
    // A coarse timer may fire a few milliseconds early; the limits are minimums.
    const int id = startTimer(limit, Qt::PreciseTimer);
    waits_.emplace(id, std::move(wait));
}

// A closed line ends every wait, the pacing delays included: nothing more can arrive.
bool SerialPortWaiter::satisfied(const Wait& wait) const
{
    return !channel_.isOpen() || (wait.count && channel_.bytesWaiting() >= *wait.count);
}

void SerialPortWaiter::timerEvent(QTimerEvent* event)
{
    finish(event->timerId());
}

void SerialPortWaiter::resumeSatisfied()
{
    // One at a time: a resumed operation may take the bytes another wait counted on.
    for (;;) {
        const auto next = std::find_if(waits_.begin(), waits_.end(),
                                       [this](const auto& entry) { return satisfied(entry.second); });
        if (next == waits_.end())
            return;
        finish(next->first);
    }
}

void SerialPortWaiter::finish(int timerId)
{
    const auto found = waits_.find(timerId);
    if (found == waits_.end())
        return;
    killTimer(timerId);
    Resume resume = std::move(found->second.resume);
    waits_.erase(found);
    resume();
}

} // namespace muxcc::link
