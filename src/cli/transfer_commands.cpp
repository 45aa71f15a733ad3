// muxcc-cli write / read / count / reset-count: the controller commands over a
// serial device, reporting each status text on its own line as it appears.

#include "cli/command_steps.h"
#include "cli/commands.h"
#include "link/controller_commands.h"
#include "link/port_name.h"
#include "link/run_until_done.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"

#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace muxcc::cli {

namespace {

using link::CommandOutcome;
using link::ControllerCommands;

// Statuses go to stdout as they appear; notices (busy, refused values) to stderr.
class ConsoleObserver final : public link::TransferObserver {
public:
    void showStatus(std::string_view text) override
    {
        statuses.emplace_back(text);
        std::cout << text << std::endl;
    }
    void showNotice(const Notice& notice) override
    {
        std::cerr << notice.title << ":" << notice.text << '\n';
    }
    void settingsReplaced(SettingsGroup) override {}

    std::vector<std::string> statuses;
};

struct TransferArgs {
    std::vector<std::string> files;
    QString device = link::SerialPortDevice(1);
    std::string model = "12";
    std::string output;
};

// Accepts the options named in `allowed` ("--port", "--model", "-o") and
// collects everything else as file names; nothing on a malformed line.
std::optional<TransferArgs> ParseTransferArgs(std::span<const std::string> args,
                                              const std::set<std::string>& allowed)
{
    TransferArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with('-')) {
            parsed.files.push_back(arg);
            continue;
        }
        if (!allowed.contains(arg) || i + 1 == args.size())
            return std::nullopt;
        const std::string& value = args[++i];
        if (arg == "--port")
            parsed.device = QString::fromStdString(value);
        else if (arg == "--model")
            parsed.model = value;
        else
            parsed.output = value;
    }
    return parsed;
}

// Runs one controller command to its end; the exit status.
int RunOnController(Configuration& config, const QString& device,
                    link::Task<CommandOutcome> (ControllerCommands::*command)())
{
    link::SerialPortChannel channel(device);
    link::SerialPortWaiter waiter(channel);
    ConsoleObserver observer;
    ControllerCommands commands(channel, waiter, config, observer);

    const CommandOutcome outcome = link::RunUntilDone((commands.*command)());
    if (outcome == CommandOutcome::Succeeded)
        return 0;
    if (outcome == CommandOutcome::Failed) {
        // The cycle count follows the failed read's own text; every other failure text comes last.
        const std::size_t fromEnd = command == &ControllerCommands::displayCycleCount ? 2 : 1;
        std::cerr << "muxcc-cli: " << observer.statuses.at(observer.statuses.size() - fromEnd) << " ("
                  << device.toStdString() << ")\n";
    }
    return 1;
}

// count and reset-count: a command on a fresh configuration, with only --port.
int RunWithoutFile(std::span<const std::string> args, std::string_view synopsis,
                   link::Task<CommandOutcome> (ControllerCommands::*command)())
{
    const auto parsed = ParseTransferArgs(args, {"--port"});
    if (!parsed || !parsed->files.empty())
        return Usage(synopsis);
    Configuration config;
    return RunOnController(config, parsed->device, command);
}

} // namespace

int writeCommand(std::span<const std::string> args)
{
    const auto parsed = ParseTransferArgs(args, {"--port"});
    if (!parsed || parsed->files.size() != 1)
        return Usage("write FILE [--port DEV]");

    Configuration config;
    if (!OpenAndCompile(parsed->files.front(), config))
        return 1;
    return RunOnController(config, parsed->device, &ControllerCommands::writeToController);
}

int readCommand(std::span<const std::string> args)
{
    const auto parsed = ParseTransferArgs(args, {"--port", "--model", "-o"});
    if (!parsed || !parsed->files.empty() || (parsed->model != "12" && parsed->model != "24"))
        return Usage("read [--port DEV] [--model 12|24] [-o OUT]");

    Configuration config;
    config.VoltageModel = parsed->model == "24" ? 1 : 0;
    if (const int status = RunOnController(config, parsed->device, &ControllerCommands::readFromController))
        return status;
    return parsed->output.empty() || SaveProject(parsed->output, config) ? 0 : 1;
}

int countCommand(std::span<const std::string> args)
{
    return RunWithoutFile(args, "count [--port DEV]", &ControllerCommands::displayCycleCount);
}

int resetCountCommand(std::span<const std::string> args)
{
    return RunWithoutFile(args, "reset-count [--port DEV]", &ControllerCommands::resetCycleCounter);
}

} // namespace muxcc::cli
