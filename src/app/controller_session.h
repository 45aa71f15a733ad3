#pragma once

#include "link/byte_channel.h"
#include "link/controller_commands.h"
#include "link/transfer_observer.h"
#include "link/waiter.h"
#include "model/configuration.h"

#include <list>

namespace muxcc {

// The program's controller link: it runs the four controller commands on one
// port and outlives every window, which only asks it to start a command. A
// command started while another holds the port is refused by its busy check.
// Every command reports to the one observer the session was built with.
class ControllerSession {
public:
    ControllerSession(link::ByteChannel& channel, link::Waiter& waiter, Configuration& config,
                      link::TransferObserver& observer);
    // Closes the port, so that a command still running ends with its failure text.
    ~ControllerSession();
    ControllerSession(const ControllerSession&) = delete;
    ControllerSession& operator=(const ControllerSession&) = delete;

    void write();
    void read();
    void displayCycleCount();
    void resetCycleCounter();

    // Closes the port if it is open; a running command then ends with its failure text.
    void closePort();
    // Some command has not ended yet.
    bool commandRunning() const;

private:
    using Command = link::Task<link::CommandOutcome> (link::ControllerCommands::*)();
    void start(Command command);

    link::ByteChannel& channel_;
    link::Waiter& waiter_;
    Configuration& config_;
    link::TransferObserver& observer_;
    std::list<link::ControllerCommands> running_; // each until its command ends
};

} // namespace muxcc
