// bench/transfer: one whole write and one whole read against muxcc-sim over a
// pseudo-terminal, timed by the wall clock and by this process's CPU clock.
// Exit status 0 when every target is met.

#include "link/serial_port_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <ctime>

#include "link/controller_commands.h"
#include "link/run_until_done.h"
#include "link/serial_port_waiter.h"

using namespace muxcc;
using link::CommandOutcome;
using link::ControllerCommands;

namespace {

using namespace std::chrono_literals;

// What the fixed delays alone cost a write: 75 pacing delays around the
// settings records and two per code word.
constexpr double WriteFloorSeconds = 58.7;
constexpr double WriteMarginSeconds = 1.5;
constexpr double ReadLimitSeconds = 1.0;
constexpr double WriteCpuShareLimit = 0.05;

class SilentObserver final : public link::TransferObserver {
public:
    void showStatus(std::string_view text) override { lastStatus = text; }
    void showNotice(const Notice& notice) override { lastStatus = notice.text; }
    void settingsReplaced(SettingsGroup) override {}

    std::string lastStatus;
};

struct Timing {
    bool succeeded = false;
    std::string lastStatus;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

Timing Measure(const QString& device, Configuration& config,
               link::Task<CommandOutcome> (ControllerCommands::*command)())
{
    link::SerialPortChannel channel(device);
    link::SerialPortWaiter waiter(channel);
    SilentObserver observer;
    ControllerCommands commands(channel, waiter, config, observer);

    QElapsedTimer wall;
    const double cpuBefore = ProcessCpuSeconds();
    wall.start();
    const CommandOutcome outcome = link::RunUntilDone((commands.*command)());
    return {outcome == CommandOutcome::Succeeded, observer.lastStatus,
            static_cast<double>(wall.nsecsElapsed()) / 1e9, ProcessCpuSeconds() - cpuBefore};
}

// `cpuShareLimit` of 1 or more: the CPU share is only shown.
bool Report(const char* name, const Timing& timing, double wallLimit, double cpuShareLimit,
            const char* floorNote)
{
    const double cpuShare = timing.cpuSeconds / timing.wallSeconds;
    std::printf("%-5s  wall %7.3f s  cpu %6.3f s (%4.1f%% of wall)  %s  [%s]\n", name, timing.wallSeconds,
                timing.cpuSeconds, cpuShare * 100, floorNote, timing.lastStatus.c_str());
    const bool met = timing.succeeded && timing.wallSeconds <= wallLimit && cpuShare < cpuShareLimit;
    if (!met)
        std::printf("%-5s  TARGET MISSED (wall at most %.3f s, cpu under %.0f%% of wall)\n", name, wallLimit,
                    cpuShareLimit * 100);
    return met;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QProcess sim;
    sim.start(QStringLiteral(MUXCC_SIM_PATH), {});
    if (!sim.waitForReadyRead(5000) || !sim.canReadLine()) {
        std::fprintf(stderr, "transfer: muxcc-sim did not start\n");
        return 2;
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    std::printf("device %s\n", qPrintable(device));

    Configuration config;
    const Timing write = Measure(device, config, &ControllerCommands::writeToController);
    char floorNote[64];
    std::snprintf(floorNote, sizeof floorNote, "floor %.1f s, +%.3f s", WriteFloorSeconds,
                  write.wallSeconds - WriteFloorSeconds);
    const bool writeMet =
        Report("write", write, WriteFloorSeconds + WriteMarginSeconds, WriteCpuShareLimit, floorNote);

    Configuration readBack;
    const Timing read = Measure(device, readBack, &ControllerCommands::readFromController);
    const bool readMet = Report("read", read, ReadLimitSeconds, 1.0, "one fixed 100 ms delay");

    sim.terminate();
    sim.waitForFinished(5000);
    return writeMet && readMet ? 0 : 1;
}
