#pragma once

#include "link/byte_channel.h"
#include "link/controller_link.h"
#include "link/task.h"
#include "link/transfer_observer.h"
#include "link/waiter.h"
#include "model/configuration.h"
#include "model/notice.h"

namespace muxcc::link {

enum class CommandOutcome {
    Busy,      // the port was already open; the busy notice was shown, nothing sent
    Refused,   // a value cannot be sent; its notice was shown, nothing sent
    Failed,    // the command's failure text was shown; the port is closed
    Succeeded, // the command's completion text was shown; the port is closed
};

// The four controller commands. One command at a time: a command started while
// the channel is open is refused with the busy notice.
class ControllerCommands {
public:
    ControllerCommands(ByteChannel& channel, Waiter& waiter, Configuration& config,
                       TransferObserver& observer);

    Task<CommandOutcome> writeToController();
    Task<CommandOutcome> readFromController();
    Task<CommandOutcome> displayCycleCount();
    Task<CommandOutcome> resetCycleCounter();

private:
    // Busy check: true (after showing the busy notice) when the port is in use.
    bool refusedAsBusy();
    // The steps between opening the port and closing it; false at the first failure.
    // Awaited results are bound to a local before they are tested: GCC 12
    // miscompiles `if (!co_await ...) { ... co_return ...; }`.
    Task<bool> programController();
    Task<bool> readController();
    Task<bool> clearCycleCountRecords();

    ControllerLink link_;
    Configuration& config_;
    TransferObserver& observer_;
};

} // namespace muxcc::link
