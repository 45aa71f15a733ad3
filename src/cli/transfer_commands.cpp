// muxcc-cli write / read / count / reset-count: the controller commands over a
// serial device, reporting each status text as it appears.

#include "cli/command_steps.h"
#include "cli/commands.h"
#include "cli/console_observer.h"
#include "link/controller_commands.h"
#include "link/port_name.h"
#include "link/run_until_done.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace muxcc::cli {

namespace {

using link::CommandOutcome;
using link::ControllerCommands;

QString Device(const CommandArgs& args)
{
    return QString::fromStdString(args.option("--port", link::SerialPortDevice(1).toStdString()));
}

// Runs one controller command to its end; the exit status. A failure names
// the command's own failure text, then why the port would not open, if so.
// Statuses go to stdout unless the command's result goes there.
int RunOnController(Configuration& config, const QString& device,
                    link::Task<CommandOutcome> (ControllerCommands::*command)(), bool resultOnStdout = false)
{
    link::SerialPortChannel channel(device);
    link::SerialPortWaiter waiter(channel);
    ConsoleObserver observer(resultOnStdout ? std::cerr : std::cout, std::cerr,
                             isatty(resultOnStdout ? STDERR_FILENO : STDOUT_FILENO) == 1);
    ControllerCommands commands(channel, waiter, config, observer);

    const CommandOutcome outcome = link::RunUntilDone((commands.*command)());
    observer.finishLine();
    if (outcome == CommandOutcome::Succeeded)
        return 0;
    if (outcome == CommandOutcome::Failed) {
        // The cycle count follows the failed read's own text; every other failure text comes last.
        const std::size_t fromEnd = command == &ControllerCommands::displayCycleCount ? 2 : 1;
        const auto& statuses = observer.statuses();
        std::cerr << "muxcc-cli: " << statuses.at(statuses.size() - fromEnd) << " (" << device.toStdString()
                  << ")\n";
        if (!channel.openProblem().isEmpty())
            std::cerr << "muxcc-cli: " << channel.openProblem().toStdString() << '\n';
    }
    return 1;
}

} // namespace

int writeCommand(const CommandArgs& args)
{
    Configuration config;
    if (!OpenAndCompile(args.files[0], config) || ReportUnsendableValue(config))
        return 1;
    return RunOnController(config, Device(args), &ControllerCommands::writeToController);
}

int readCommand(const CommandArgs& args)
{
    const std::string model = args.option("--model", "12");
    if (model != "12" && model != "24") {
        std::cerr << "muxcc-cli read: --model is 12 or 24, not '" << model << "'\n";
        return 2;
    }
    Configuration config;
    config.VoltageModel = model == "24" ? 1 : 0;
    if (const int status = RunOnController(config, Device(args), &ControllerCommands::readFromController,
                                           args.option("-o") == "-"))
        return status;
    return !args.options.contains("-o") || SaveProject(args.option("-o"), config) ? 0 : 1;
}

int countCommand(const CommandArgs& args)
{
    Configuration config;
    return RunOnController(config, Device(args), &ControllerCommands::displayCycleCount);
}

int resetCountCommand(const CommandArgs& args)
{
    Configuration config;
    return RunOnController(config, Device(args), &ControllerCommands::resetCycleCounter);
}

} // namespace muxcc::cli
