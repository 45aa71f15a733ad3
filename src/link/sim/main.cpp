// muxcc-sim: a simulated controller on a pseudo-terminal, for trying the
// transfer commands without the hardware.

#include "link/sim/controller_server.h"
#include "link/sim/memory_image_text.h"
#include "link/sim/sim_options.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <variant>
#include <vector>

using namespace muxcc::link;
using namespace muxcc::link::sim;

namespace {

int Simulate(const std::vector<std::string>& args)
{
    const ParsedOptions parsed = ParseSimOptions(args);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::cout << SimUsage;
        return 0;
    }
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "muxcc-sim: " << *error << '\n' << SimUsage;
        return 2;
    }
    const SimOptions& options = std::get<SimOptions>(parsed);

    // Stop requests arrive as a readable descriptor so the serving loop sees
    // them between replies instead of being cut off inside one.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::perror("muxcc-sim: signalfd");
        return 1;
    }

    ControllerSimulator controller(options.faults);
    if (!options.preloadPath.empty()) {
        std::ifstream preloadFile;
        if (options.preloadPath != "-")
            preloadFile.open(options.preloadPath);
        if (options.preloadPath != "-" && !preloadFile) {
            std::cerr << "muxcc-sim: cannot open " << options.preloadPath << '\n';
            return 1;
        }
        std::istream& preload = options.preloadPath == "-" ? std::cin : preloadFile;
        if (const auto error = LoadMemoryImage(preload, controller)) {
            std::cerr << "muxcc-sim: " << options.preloadPath << ": " << *error << '\n';
            return 1;
        }
    }

    std::ofstream logFile;
    if (!options.logPath.empty() && options.logPath != "-") {
        logFile.open(options.logPath, std::ios::app);
        if (!logFile) {
            std::cerr << "muxcc-sim: cannot open " << options.logPath << '\n';
            return 1;
        }
    }
    std::ostream* log = options.logPath.empty() ? nullptr : options.logPath == "-" ? &std::cerr : &logFile;

    auto opened = PseudoTerminal::open();
    if (const auto* error = std::get_if<std::string>(&opened)) {
        std::cerr << "muxcc-sim: " << *error << '\n';
        return 1;
    }
    PseudoTerminal& terminal = std::get<PseudoTerminal>(opened);
    std::cout << terminal.devicePath() << std::endl;

    ServeController(terminal, controller, stopFd, log);
    if (controller.vanished())
        std::cerr << "muxcc-sim: the device vanished\n";
    close(stopFd);

    if (!options.dumpPath.empty()) {
        std::ofstream dump(options.dumpPath);
        WriteMemoryImage(dump, controller);
        if (!dump.flush()) {
            std::cerr << "muxcc-sim: cannot write " << options.dumpPath << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return Simulate(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "muxcc-sim: " << error.what() << '\n';
        return 1;
    }
}
