// A thousand controller commands in a row, in virtual time, against one simulated controller that
// commits random faults: every command must end with its own text, the port closed and nothing
// pending, a write must never change the configuration, and no success may carry wrong data. The
// seed is fixed and printed, so a failing run can be repeated exactly.

#include <QTest>

#include "link/expected_memory.h"
#include "support/virtual_link.h"

#include <random>

using namespace std::chrono_literals;
using namespace std::string_view_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

namespace {

constexpr unsigned Seed = 20261206;
using Kind = SimulatorFault::Kind;

struct CommandText {
    Command start;
    int requests; // of the whole command with contact at the first request
    std::string succeeded, failed;
};
const std::array<CommandText, 4> Commands{{
    {&ControllerCommands::writeToController, 661, "Unit has been programmed", WriteFailure},
    {&ControllerCommands::readFromController, 771, "READ COMPLETED", ReadFailure},
    {&ControllerCommands::displayCycleCount, 771, "READ COMPLETED", ReadFailure},
    {&ControllerCommands::resetCycleCounter, 11, "Cycle count has been Reset to 00000", ResetFailure},
}};

// Characters a line fault may leave in a reply: signs, a point, a space, letters, control bytes.
constexpr std::string_view NoiseBytes = "-+. xAVD\x00\xff\r9"sv;

// Up to three faults at random requests of a command that makes `requests` requests; the second
// and third often strike the request right after the one before, where a double read looks.
SimulatorFaults RandomFaults(const std::function<int(int, int)>& uniform, int requests)
{
    SimulatorFaults faults{.silent = uniform(0, 49) == 0};
    if (uniform(0, 9) == 0)
        faults.answerContactFrom = uniform(2, 7);
    for (int i = 0, count = uniform(0, 3); i < count; ++i) {
        SimulatorFault fault{static_cast<Kind>(uniform(0, int(Kind::Corrupt)))};
        const bool next = i > 0 && uniform(0, 1);
        if (next && uniform(0, 1)) { // the same disturbance again, as a stuck bit would repeat it
            faults.faults.push_back(faults.faults.back());
            ++faults.faults.back().request;
            continue;
        }
        fault.request = next ? faults.faults.back().request + 1 : uniform(1, requests);
        fault.delay = Milliseconds(uniform(1, 250));
        fault.at = static_cast<std::size_t>(uniform(0, 10));
        fault.byte = NoiseBytes[std::size_t(uniform(0, int(NoiseBytes.size()) - 1))];
        faults.faults.push_back(fault);
    }
    return faults;
}

// Two requests in a row whose replies are falsified alike into other well-formed fields: a double
// read then sees a controller that consistently holds other data, which no check on this side can
// tell from the real thing. Falsified into anything but digits, it must still fail.
bool LiesConsistently(const SimulatorFaults& faults)
{
    return std::ranges::any_of(faults.faults, [&](const SimulatorFault& a) {
        return std::ranges::any_of(faults.faults, [&](const SimulatorFault& b) {
            return b.request == a.request + 1 && a.kind == b.kind &&
                   (a.kind == Kind::Garble || (a.kind == Kind::Corrupt && a.at == b.at && a.byte == b.byte &&
                                               a.byte >= '0' && a.byte <= '9'));
        });
    });
}

} // namespace

class FaultSoakTest : public QObject {
    Q_OBJECT

private slots:
    void shouldEndEveryCommandCleanlyUnderRandomFaults()
    {
        std::mt19937 random(Seed);
        qInfo("seed %u", Seed);
        const auto uniform = [&random](int low, int high) {
            return std::uniform_int_distribution(low, high)(random);
        };
        // The configuration the controller was programmed with, carried from command to command as the
        // controller's memory is and the late replies waiting in the driver for the next open.
        Configuration config = KnownConfiguration();
        ControllerSimulator memory;
        Program(memory, config);
        std::string heldByDriver;
        std::map<std::string, int> figures{
            {"hangs", 0}, {"losses", 0}, {"writes refused for an unsendable value", 0}};

        for (int transfer = 0; transfer < 1000; ++transfer) {
            const CommandText& command = Commands[std::size_t(uniform(0, 3))];
            const bool writes = command.start == &ControllerCommands::writeToController;
            const bool reads = command.requests == 771;
            const SimulatorFaults faults = RandomFaults(uniform, command.requests);
            LinkBench bench(faults);
            std::tie(bench.controller.settings, bench.controller.code) =
                std::tie(memory.settings, memory.code);
            bench.config = config;
            bench.heldByDriver = heldByDriver;
            if (uniform(0, 4) == 0) // noise on the line while the port was closed
                for (int noise = uniform(1, 8); noise > 0; --noise)
                    bench.heldByDriver += NoiseBytes[std::size_t(uniform(0, int(NoiseBytes.size()) - 1))];
            if (uniform(0, 9) == 0) // every reply byte by byte at 9600 baud
                bench.byteTime = 1042us;
            const std::size_t stale = bench.heldByDriver.size();
            const Configuration before = bench.config;

            const std::optional<CommandOutcome> outcome = bench.run((bench.commands.*command.start)());
            const std::string context = "transfer " + std::to_string(transfer);
            ++figures["transfers"];
            figures["faults injected"] +=
                int(faults.faults.size()) + faults.silent + (faults.answerContactFrom > 1);
            figures["stale bytes at open"] += int(stale);
            if (!outcome) {
                ++figures["hangs"];
                continue;
            }
            if (outcome == CommandOutcome::Refused) {
                // A read that believed a consistent lie may leave a value no write can send: the
                // write says so and opens nothing.
                ++figures["writes refused for an unsendable value"];
                QVERIFY2(writes && FirstUnsendableValue(before) && bench.written.empty() &&
                             bench.observer.notices.size() == 1,
                         context.c_str());
                heldByDriver = bench.heldByDriver;
                continue;
            }
            const bool succeeded = outcome == CommandOutcome::Succeeded;
            ++figures[succeeded ? "successes" : "failures"];
            const bool struck = faults.silent || faults.answerContactFrom > 1 ||
                                std::ranges::any_of(faults.faults, [&](const SimulatorFault& f) {
                                    return std::size_t(f.request) <= bench.controller.requests.size();
                                });
            figures["commands struck"] += struck;
            figures["failures without a fault"] += !succeeded && !struck;
            const Strings& statuses = bench.observer.statuses;
            QVERIFY2((outcome == CommandOutcome::Failed || succeeded) && !bench.isOpen() &&
                         bench.pendingWaits() == 0 && bench.discardedAtOpen == stale &&
                         statuses.size() >= 2 && (bench.config == before || reads),
                     context.c_str());
            QCOMPARE(
                statuses[statuses.size() - (command.start == &ControllerCommands::displayCycleCount ? 2 : 1)],
                succeeded ? command.succeeded : command.failed);

            // A success carries exactly the data: the controller holds what was sent, or the
            // configuration what the controller holds.
            ControllerSimulator expected = memory;
            if (writes)
                Program(expected, before);
            else if (command.start == &ControllerCommands::resetCycleCounter)
                std::fill_n(expected.settings.begin(), 5, 0);
            const bool exact = bench.controller.settings == expected.settings &&
                               bench.controller.code == expected.code &&
                               bench.config == (reads ? AfterRead(memory, before) : before);
            if (succeeded && !exact)
                ++figures[LiesConsistently(faults) ? "successes with data falsified alike in both reads"
                                                   : "losses"];

            // What the next command finds: the memory as left, late replies held by the driver.
            while (bench.runNext()) {
            }
            std::tie(memory.settings, memory.code) =
                std::tie(bench.controller.settings, bench.controller.code);
            config = bench.config;
            heldByDriver = bench.heldByDriver;
        }
        for (const auto& [name, count] : figures)
            qInfo("%s: %d", name.c_str(), count);
        QCOMPARE(figures["transfers"], 1000);
        QCOMPARE(figures["hangs"] + figures["losses"] + figures["failures without a fault"], 0);
    }
};

QTEST_GUILESS_MAIN(FaultSoakTest)
#include "fault_soak_test.moc"
