// muxcc-cli: the companion command-line tool, built from the same core as the program.

#include "cli/commands.h"

#include <QCoreApplication>

#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* usage = R"(usage: muxcc-cli COMMAND [ARGS]

commands:
  compile FILE                    compile the project's equations; print the code image
  image FILE                      print every settings record and code word a write would send
  normalize IN OUT                open IN and save it as OUT
  report FILE                     print the settings report as plain text
  write FILE [--port DEV]         compile FILE and write it into the controller
  read [--port DEV] [--model 12|24] [-o OUT]
                                  read the controller; save the result as OUT
  count [--port DEV]              read the controller and show its cycle count
  reset-count [--port DEV]        reset the controller's cycle count to zero

Port 1 is /dev/ttyS0 unless --port names another device.
Exit status: 0 success, 1 the command failed, 2 usage error.
)";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << usage;
        return 2;
    }
    if (args.front() == "--help" || args.front() == "-h") {
        std::cout << usage;
        return 0;
    }

    using Command = int (*)(std::span<const std::string>);
    const std::map<std::string, Command> commands{
        {"compile", muxcc::cli::compileCommand},     {"image", muxcc::cli::imageCommand},
        {"normalize", muxcc::cli::normalizeCommand}, {"report", muxcc::cli::reportCommand},
        {"write", muxcc::cli::writeCommand},         {"read", muxcc::cli::readCommand},
        {"count", muxcc::cli::countCommand},         {"reset-count", muxcc::cli::resetCountCommand},
    };
    const auto command = commands.find(args.front());
    if (command == commands.end()) {
        std::cerr << "muxcc-cli: unknown command '" << args.front() << "'\n" << usage;
        return 2;
    }
    return command->second(std::span<const std::string>(args).subspan(1));
}
