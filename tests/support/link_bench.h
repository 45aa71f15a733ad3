#pragma once

#include "link/controller_commands.h"
#include "link/controller_simulator.h"
#include "model/configuration.h"
#include "support/recording_observer.h"
#include "support/run_task.h"
#include "support/virtual_channel.h"
#include "support/virtual_clock.h"
#include "support/virtual_waiter.h"

#include <chrono>

namespace muxcc::test {

// One byte at 9600 baud, 8 data bits, no parity, 1 stop bit: ten bit times.
inline constexpr Microseconds ByteTimeAt9600{1042};

// The tool's commands wired to a simulated controller in virtual time.
struct LinkBench {
    explicit LinkBench(link::SimulatorFaults faults = {}, Microseconds byteTime = Microseconds{0})
        : controller(std::move(faults)), channel(clock, device, byteTime)
    {
    }

    template <typename T>
    std::optional<T> run(link::Task<T> task)
    {
        return RunToCompletion(clock, std::move(task));
    }

    VirtualClock clock;
    link::ControllerSimulator controller;
    SimulatorDevice device{controller};
    VirtualChannel channel;
    VirtualWaiter waiter{clock, channel};
    Configuration config;
    RecordingObserver observer;
    link::ControllerCommands commands{channel, waiter, config, observer};
};

} // namespace muxcc::test
