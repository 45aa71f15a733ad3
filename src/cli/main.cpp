// muxcc-cli: the companion command-line tool, built from the same core as the program.

#include "cli/command_line.h"
#include "cli/commands.h"
#include "link/port_name.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using muxcc::cli::CommandArgs;

struct Command {
    std::string name;
    std::string synopsis; // after the command name
    std::string summary;
    std::string help;
    std::set<std::string> valueOptions;
    std::size_t fileCount;
    int (*run)(const CommandArgs&);
};

const std::string PortHelp = "  --port DEVICE, --port=DEVICE\n"
                             "                  the controller's serial device (default: port 1, " +
                             muxcc::link::SerialPortDevice(1).toStdString() + ")\n";

const std::array<Command, 9> Commands{{
    {"compile",
     "FILE",
     "compile the project's equations; print the code image",
     "Opens the project file FILE, leaves out the equations of channels set as inputs (a warning\n"
     "each), compiles the 42 equations and prints the code image through the end pair.\n",
     {},
     1,
     muxcc::cli::compileCommand},
    {"image",
     "FILE",
     "print every settings record and code word a write would send",
     "Opens and compiles the project file FILE and prints, in the order a write sends them, every\n"
     "settings record (\"S <record> <value>\") and code word (\"C <word> <even> <odd>\"): the format\n"
     "muxcc-sim --preload reads.\n",
     {},
     1,
     muxcc::cli::imageCommand},
    {"normalize",
     "IN OUT",
     "open the project file IN and save it as OUT",
     "Opens the project file IN and saves it as the project file OUT, as OPEN then SAVE AS do.\n"
     "OUT - writes to standard output; a device or a pipe as OUT is refused.\n",
     {},
     2,
     muxcc::cli::normalizeCommand},
    {"report",
     "FILE [--pdf OUT.pdf]",
     "print the settings report of a project file",
     "Prints the two-page settings report of the project file FILE as plain text, a form feed\n"
     "between the pages. --pdf OUT.pdf paints it into a PDF file instead, as PRINT does.\n",
     {"--pdf"},
     1,
     muxcc::cli::reportCommand},
    {"write",
     "FILE [--port DEVICE]",
     "compile a project file and write it into the controller",
     "Opens and compiles the project file FILE and writes the settings and the code into the\n"
     "controller. Progress is one line rewritten in place on a terminal, a line per step otherwise.\n",
     {"--port"},
     1,
     muxcc::cli::writeCommand},
    {"read",
     "[--port DEVICE] [--model 12|24] [-o OUT]",
     "read the controller; save the result as OUT",
     "Reads the settings and the equations from the controller. The controller does not know its\n"
     "voltage model: --model 24 decodes the voltage thresholds of a 24 V system; the default, 12,\n"
     "reads a 24 V project back with halved thresholds. -o OUT saves the result as the project\n"
     "file OUT (- for standard output).\n",
     {"--port", "--model", "-o"},
     0,
     muxcc::cli::readCommand},
    {"count",
     "[--port DEVICE]",
     "read the controller and show its cycle count",
     "Reads the whole controller, as the cycle-count display does, and prints the cycle count.\n",
     {"--port"},
     0,
     muxcc::cli::countCommand},
    {"reset-count",
     "[--port DEVICE]",
     "reset the controller's cycle count to zero",
     "Resets the controller's cycle count to zero.\n",
     {"--port"},
     0,
     muxcc::cli::resetCountCommand},
    {"ports",
     "",
     "list the serial ports present",
     "Lists the serial ports present: device, then description.\n",
     {},
     0,
     muxcc::cli::portsCommand},
}};

std::string Synopsis(const Command& command)
{
    return "muxcc-cli " + command.name + (command.synopsis.empty() ? "" : " " + command.synopsis);
}

std::string Overview()
{
    constexpr std::size_t summaryColumn = 34;
    std::string text = "usage: muxcc-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const Command& command : Commands) {
        const std::string left = "  " + Synopsis(command).substr(std::string_view("muxcc-cli ").size());
        // A synopsis too long for its column puts the summary on the next line.
        text += left.size() < summaryColumn ? left + std::string(summaryColumn - left.size(), ' ')
                                            : left + "\n" + std::string(summaryColumn, ' ');
        text += command.summary + "\n";
    }
    return text + "\n'muxcc-cli COMMAND --help' describes one command.\n"
                  "Exit status: 0 success, 1 the command failed, 2 usage error.\n";
}

std::string CommandHelp(const Command& command)
{
    std::string text = "usage: " + Synopsis(command) + "\n\n" + command.help;
    if (command.valueOptions.contains("--port"))
        text += "\n" + PortHelp;
    return text;
}

int Run(const std::vector<std::string>& args, int argc, char* argv[])
{
    if (args.empty()) {
        std::cerr << Overview();
        return 2;
    }
    if (args.front() == "--help" || args.front() == "-h") {
        std::cout << Overview();
        return 0;
    }
    const auto command = std::find_if(Commands.begin(), Commands.end(),
                                      [&](const Command& known) { return known.name == args.front(); });
    if (command == Commands.end()) {
        std::cerr << "muxcc-cli: unknown command '" << args.front() << "'\n" << Overview();
        return 2;
    }

    const auto parsed =
        muxcc::cli::ParseCommandArgs(std::span<const std::string>(args).subspan(1), command->valueOptions);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "muxcc-cli " << command->name << ": " << *error << "\nusage: " << Synopsis(*command)
                  << '\n';
        return 2;
    }
    const CommandArgs& commandArgs = std::get<CommandArgs>(parsed);
    if (commandArgs.help) {
        std::cout << CommandHelp(*command);
        return 0;
    }
    if (commandArgs.files.size() != command->fileCount) {
        std::cerr << "usage: " << Synopsis(*command) << '\n';
        return 2;
    }

    // Painting a PDF needs fonts, hence a GUI application; it never shows a
    // window, so it needs no display either.
    std::unique_ptr<QCoreApplication> app;
    if (commandArgs.options.contains("--pdf")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return command->run(commandArgs);
}

} // namespace

int main(int argc, char* argv[])
{
    // Qt's own warnings (a painter that would not start, a missing runtime
    // folder) would only repeat, less clearly, the reason the tool prints.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "muxcc-cli: " << message.toStdString() << '\n';
    });
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc), argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "muxcc-cli: " << error.what() << '\n';
        return 1;
    }
}
