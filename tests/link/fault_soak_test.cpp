// A thousand controller commands in a row, in virtual time, against one simulated controller that
// commits random faults: every command must end with its own text, the port closed and nothing
// pending, a write must never change the configuration, and no success may carry wrong data. The
// seed is fixed and printed, so a failing run can be repeated exactly.

#include <QTest>

#include "boolean/compiler.h"
#include "boolean/listing.h"
#include "link/memory_image.h"
#include "link/record_format.h"
#include "support/virtual_link.h"

#include <random>

using namespace std::chrono_literals;
using namespace std::string_view_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

namespace {

constexpr unsigned Seed = 20261206;
constexpr int Transfers = 1000;
using Kind = SimulatorFault::Kind;
using Strings = std::vector<std::string>;
enum class Command { Write, Read, Count, Reset };

struct CommandText {
    Command command;
    Task<CommandOutcome> (ControllerCommands::*start)();
    int requests; // of the whole command with contact at the first request
    std::string_view succeeded;
    std::string_view failed;
};

constexpr std::string_view ReadFailure = "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
const std::array<CommandText, 4> Commands{{
    {Command::Write, &ControllerCommands::writeToController, 661, "Unit has been programmed",
     "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN."},
    {Command::Read, &ControllerCommands::readFromController, 771, "READ COMPLETED", ReadFailure},
    {Command::Count, &ControllerCommands::displayCycleCount, 771, "READ COMPLETED", ReadFailure},
    {Command::Reset, &ControllerCommands::resetCycleCounter, 11, "Cycle count has been Reset to 00000",
     "An Error occurred, Check Communication connections and Try again."},
}};

// Characters a line fault may leave in a reply: signs, a point, a space, letters, control bytes.
constexpr std::string_view NoiseBytes = "-+. xAVD\x00\xff\r9"sv;

struct Figures {
    int transfers = 0, faults = 0, struck = 0, staleBytes = 0, successes = 0, failures = 0, hangs = 0,
        losses = 0, consistentLies = 0, failedUnharmed = 0, refused = 0;
};

// Settings across the records and compiled equations: what the controller holds at the start.
Configuration StartingConfiguration()
{
    Configuration c;
    c.ChannelDirection[3] = c.TimerMode[2] = c.CycleCountDigit[2] = 1;
    c.TimerOnTime[4] = 65500;
    c.VoltageSetting[2] = 13.5F;
    c.TemperatureSetting[3] = 60.0F;
    c.SlpOperand = 12;
    c.BooleanText[1] = "INPUT1 AND NOT V1 ";
    c.BooleanText[7] = "( MUX2 OR TMR1 ) AND NOT T1 ";
    c.BooleanEditText = c.BooleanText;
    if (CompileAllBooleans(c))
        qFatal("the starting equations no longer compile");
    return c;
}

// The controller's memory after writing `config`.
void Program(ControllerSimulator& controller, const Configuration& config)
{
    for (const int record : SettingsRecordOrder)
        controller.settings[std::size_t(record)] = EncodeSettingsRecord(config, record).byte.value();
    for (std::size_t entry = 0; entry < CodeAreaSentSize; ++entry)
        controller.code[entry / 2][entry % 2] = static_cast<std::uint8_t>(config.BooleanCode[entry]);
}

// What a whole read of `controller` makes of `config`.
Configuration AfterRead(const ControllerSimulator& controller, Configuration config)
{
    SettingsImage image{};
    std::copy_n(controller.settings.begin(), image.size(), image.begin());
    DecodeKeptValuesAndChannels(image, config);
    DecodeComparators(image, config);
    DecodeFeaturesAndTimers(image, config);
    for (std::size_t entry = 0; entry < CodeAreaSentSize; ++entry)
        config.BooleanCode[entry] = controller.code[entry / 2][entry % 2];
    config.BooleanText = config.BooleanEditText = ListAllBooleans(config.BooleanCode);
    return config;
}

// Up to three faults at random requests of a command that makes `requests` requests; the second
// and third often strike the request right after the one before, where a double read looks.
SimulatorFaults RandomFaults(std::mt19937& random, int requests)
{
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    SimulatorFaults faults;
    if (uniform(0, 49) == 0)
        faults.silent = true;
    if (uniform(0, 9) == 0)
        faults.answerContactFrom = uniform(2, 7);
    const int count = uniform(0, 3);
    for (int i = 0; i < count; ++i) {
        SimulatorFault fault;
        fault.kind = static_cast<Kind>(uniform(0, int(Kind::Corrupt)));
        const bool next = i > 0 && uniform(0, 1);
        if (next && uniform(0, 1)) { // the same disturbance again, as a stuck bit would repeat it
            fault = faults.faults.back();
            ++fault.request;
            faults.faults.push_back(fault);
            continue;
        }
        fault.request = next ? faults.faults.back().request + 1 : uniform(1, requests);
        fault.delay = Milliseconds(uniform(1, 250));
        fault.at = static_cast<std::size_t>(uniform(0, 10));
        fault.byte = NoiseBytes[static_cast<std::size_t>(uniform(0, int(NoiseBytes.size()) - 1))];
        faults.faults.push_back(fault);
    }
    return faults;
}

// Two requests in a row whose replies are falsified alike into other well-formed fields: a double
// read then sees a controller that consistently holds other data, which no check on this side can
// tell from the real thing. Falsified into anything but digits, it must still fail.
bool LiesConsistently(const SimulatorFaults& faults)
{
    const auto alike = [](const SimulatorFault& a, const SimulatorFault& b) {
        const bool digit = a.byte >= '0' && a.byte <= '9';
        return b.request == a.request + 1 && a.kind == b.kind &&
               (a.kind == Kind::Garble ||
                (a.kind == Kind::Corrupt && a.at == b.at && a.byte == b.byte && digit));
    };
    for (const SimulatorFault& a : faults.faults)
        if (std::ranges::any_of(faults.faults, [&](const SimulatorFault& b) { return alike(a, b); }))
            return true;
    return false;
}

bool Struck(const SimulatorFaults& faults, std::size_t requests)
{
    return faults.silent || faults.answerContactFrom > 1 ||
           std::ranges::any_of(faults.faults,
                               [&](const SimulatorFault& f) { return std::size_t(f.request) <= requests; });
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

        Configuration config = StartingConfiguration();
        ControllerSimulator memory; // the controller's memory, carried from command to command
        Program(memory, config);
        std::string heldByDriver; // late replies to one command, waiting for the next open
        Figures figures;

        for (int transfer = 0; transfer < Transfers; ++transfer) {
            const CommandText& command = Commands[std::size_t(uniform(0, 3))];
            const SimulatorFaults faults = RandomFaults(random, command.requests);
            LinkBench bench(faults);
            bench.controller.settings = memory.settings;
            bench.controller.code = memory.code;
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
            ++figures.transfers;
            figures.faults += int(faults.faults.size()) + faults.silent + (faults.answerContactFrom > 1);
            figures.staleBytes += int(stale);
            if (!outcome) {
                ++figures.hangs;
                qWarning("%s never ended", context.c_str());
                continue;
            }
            if (outcome == CommandOutcome::Refused) {
                // A read that believed a consistent lie may leave a value no write can send: the
                // write says so and opens nothing.
                ++figures.refused;
                QVERIFY2(command.command == Command::Write && FirstUnsendableValue(before) &&
                             bench.written.empty() && bench.observer.notices.size() == 1,
                         context.c_str());
                heldByDriver = bench.heldByDriver;
                continue;
            }
            const bool succeeded = outcome == CommandOutcome::Succeeded;
            succeeded ? ++figures.successes : ++figures.failures;
            const bool struck = Struck(faults, bench.controller.requests.size());
            figures.struck += struck;

            QVERIFY2(outcome == CommandOutcome::Succeeded || outcome == CommandOutcome::Failed,
                     context.c_str());
            QVERIFY2(!bench.isOpen() && bench.pendingWaits() == 0, context.c_str());
            QVERIFY2(bench.discardedAtOpen == stale, context.c_str());
            const Strings& statuses = bench.observer.statuses;
            const std::size_t last = statuses.size() - (command.command == Command::Count ? 2 : 1);
            QVERIFY2(statuses.size() >= 2, context.c_str());
            QCOMPARE(statuses[last], std::string(succeeded ? command.succeeded : command.failed));
            if (!succeeded && !struck) {
                ++figures.failedUnharmed;
                qWarning("%s failed although no fault struck it", context.c_str());
            }

            // A success carries exactly the data: the controller holds what was sent, or the
            // configuration what the controller holds.
            bool exact = true;
            if (command.command == Command::Write || command.command == Command::Reset)
                QVERIFY2(bench.config == before, context.c_str());
            if (succeeded && command.command == Command::Write) {
                ControllerSimulator expected;
                expected.settings = memory.settings;
                Program(expected, before);
                exact =
                    bench.controller.settings == expected.settings && bench.controller.code == expected.code;
            } else if (succeeded && command.command == Command::Reset) {
                exact = std::all_of(bench.controller.settings.begin(), bench.controller.settings.begin() + 5,
                                    [](std::uint8_t byte) { return byte == 0; });
            } else if (succeeded) {
                exact = bench.config == AfterRead(memory, before);
            }
            if (!exact && LiesConsistently(faults)) {
                ++figures.consistentLies;
            } else if (!exact) {
                ++figures.losses;
                qWarning("%s succeeded with wrong data", context.c_str());
            }

            // What the next command finds: the memory as left, late replies held by the driver.
            while (bench.runNext()) {
            }
            memory.settings = bench.controller.settings;
            memory.code = bench.controller.code;
            config = bench.config;
            heldByDriver = bench.heldByDriver;
        }
        qInfo("transfers %d, faults injected %d (commands struck %d), stale bytes at open %d, successes %d, "
              "failures %d, hangs %d, losses %d (successes with data falsified alike in both reads %d), "
              "failures without a fault %d, writes refused for an unsendable value %d",
              figures.transfers, figures.faults, figures.struck, figures.staleBytes, figures.successes,
              figures.failures, figures.hangs, figures.losses, figures.consistentLies, figures.failedUnharmed,
              figures.refused);
        QCOMPARE(figures.transfers, Transfers);
        QCOMPARE(figures.hangs, 0);
        QCOMPARE(figures.losses, 0);
        QCOMPARE(figures.failedUnharmed, 0);
    }
};

QTEST_GUILESS_MAIN(FaultSoakTest)
#include "fault_soak_test.moc"
