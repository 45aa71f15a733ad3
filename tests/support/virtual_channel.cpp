#include "support/virtual_channel.h"

#include <algorithm>

namespace muxcc::test {

std::vector<link::SimulatorReply> ScriptedDevice::receive(std::string_view bytes)
{
    received.emplace_back(bytes);
    if (received.size() > replies_.size())
        return {};
    return {{replies_[received.size() - 1]}};
}

VirtualChannel::VirtualChannel(VirtualClock& clock, Device& device, Microseconds byteTime)
    : clock_(clock), device_(device), byteTime_(byteTime)
{
}

bool VirtualChannel::open()
{
    if (open_ || openFails || device_.gone())
        return false;
    open_ = true;
    ++timesOpened;
    return true;
}

void VirtualChannel::close()
{
    open_ = false;
    received_.clear();
    if (changed_)
        changed_();
}

std::string VirtualChannel::readAll()
{
    return std::exchange(received_, {});
}

void VirtualChannel::write(std::string_view bytes)
{
    if (!open_)
        return;
    const Microseconds requestArrives = clock_.now() + static_cast<long>(bytes.size()) * byteTime_;
    for (link::SimulatorReply& reply : device_.receive(bytes)) {
        const Microseconds start = std::max(requestArrives + reply.delay, lineFreeAt_);
        if (byteTime_ == Microseconds{0}) {
            clock_.after(start - clock_.now(), [this, bytes = std::move(reply.bytes)] { arrive(bytes); });
            lineFreeAt_ = start;
            continue;
        }
        Microseconds at = start;
        for (const char byte : reply.bytes) {
            at += byteTime_;
            clock_.after(at - clock_.now(), [this, byte] { arrive(std::string(1, byte)); });
        }
        lineFreeAt_ = at;
    }
    if (device_.gone())
        clock_.after(requestArrives - clock_.now(), [this] { deviceGone(); });
}

void VirtualChannel::arrive(std::string bytes)
{
    if (!open_)
        return;
    received_ += bytes;
    if (changed_)
        changed_();
}

void VirtualChannel::deviceGone()
{
    if (open_)
        close();
}

} // namespace muxcc::test
