#pragma once

#include "link/byte_channel.h"
#include "link/controller_simulator.h"
#include "support/virtual_clock.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace muxcc::test {

// Whatever answers on the far side of the line.
class Device {
public:
    virtual ~Device() = default;
    virtual std::vector<link::SimulatorReply> receive(std::string_view bytes) = 0;
    virtual bool gone() const = 0;
};

class SimulatorDevice final : public Device {
public:
    explicit SimulatorDevice(link::ControllerSimulator& controller) : controller_(controller) {}
    std::vector<link::SimulatorReply> receive(std::string_view bytes) override
    {
        return controller_.receive(bytes);
    }
    bool gone() const override { return controller_.vanished(); }

private:
    link::ControllerSimulator& controller_;
};

// A device that gives its replies in turn, one per write, whatever was written.
class ScriptedDevice final : public Device {
public:
    explicit ScriptedDevice(std::vector<std::string> replies) : replies_(std::move(replies)) {}
    std::vector<link::SimulatorReply> receive(std::string_view bytes) override;
    bool gone() const override { return false; }

    std::vector<std::string> received;

private:
    std::vector<std::string> replies_;
};

// A serial line in virtual time. Replies arrive after their delay, one after
// the other; with a byte time (1.04 ms at 9600 baud) every byte of a request
// and of a reply takes that long, and reply bytes arrive one by one. Bytes
// arriving while the port is closed are lost; a device that goes away closes
// the port, as a resource error would.
class VirtualChannel final : public link::ByteChannel {
public:
    VirtualChannel(VirtualClock& clock, Device& device, Microseconds byteTime = Microseconds{0});

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void write(std::string_view bytes) override;
    std::size_t bytesWaiting() const override { return received_.size(); }
    std::string readAll() override;

    // Called after bytes arrived or the port closed.
    void onChange(std::function<void()> listener) { changed_ = std::move(listener); }

    bool openFails = false; // the device cannot be opened at all
    int timesOpened = 0;

private:
    void arrive(std::string bytes);
    void deviceGone();

    VirtualClock& clock_;
    Device& device_;
    Microseconds byteTime_;
    Microseconds lineFreeAt_{0};
    bool open_ = false;
    std::string received_;
    std::function<void()> changed_;
};

} // namespace muxcc::test
