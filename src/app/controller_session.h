#pragma once

#ifndef Q_MOC_RUN
#include "link/controller_commands.h"
#endif
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "model/configuration.h"

#include <QString>

#include <list>

namespace muxcc {

// The program's controller link: it owns the serial port and runs the
// controller commands, outliving every window. A command started while another
// holds the port is refused by that command's busy check.
class ControllerSession {
public:
    using Command = link::Task<link::CommandOutcome> (link::ControllerCommands::*)();

    ControllerSession(const QString& device, Configuration& config);

    // Starts `command`; it reports to `observer`, which must outlive it.
    void start(Command command, link::TransferObserver& observer);
    // Closes the port if it is open; a running command then ends with its failure text.
    void closePort();

private:
    link::SerialPortChannel channel_;
    link::SerialPortWaiter waiter_;
    Configuration& config_;
    std::list<link::ControllerCommands> running_; // each until its command ends
};

} // namespace muxcc
