// The serial link on real pseudo-terminals, in real time: the channel and waiter
// as the kernel delivers the bytes, and the controller commands against the
// muxcc-sim program. Built twice: with MUXCC_WHOLE_WRITE it holds only the
// minute-long whole write, run apart as the slow test.

#include "boolean/compiler.h"
#include "link/memory_image.h"
#include "link/serial_port_channel.h"
#include "link/sim/memory_image_text.h"
#include "link/sim/pseudo_terminal.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "link/controller_commands.h"
#include "link/run_until_done.h"
#include "link/serial_port_waiter.h"
#include "support/recording_observer.h"

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using Command = Task<CommandOutcome> (ControllerCommands::*)();

namespace {

// A pseudo-terminal with the tool's channel and waiter on its device.
struct Line {
    sim::PseudoTerminal terminal = std::get<sim::PseudoTerminal>(sim::PseudoTerminal::open());
    SerialPortChannel channel{QString::fromStdString(terminal.devicePath())};
    SerialPortWaiter waiter{channel};
};

// Starts muxcc-sim with `options`; the device it names on its first line, or nothing.
QString StartSim(QProcess& sim, const QStringList& options)
{
    sim.start(QStringLiteral(MUXCC_SIM_PATH), options);
    const bool named = QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000);
    return named ? QString::fromLocal8Bit(sim.readLine()).trimmed() : QString();
}

// muxcc-sim started with `options`, and one command run over the device it names
// as the program runs it, in a plain event loop: QTest::qWaitFor would sleep
// 10 ms between rounds and slow every exchange down. A command that never ends
// is stopped by the per-function timeout.
struct Run {
    Run(const QStringList& options, Configuration& config, Command command)
        : channel(StartSim(sim, options)), waiter(channel), commands(channel, waiter, config, observer)
    {
        const QDeadlineTimer begun = QDeadlineTimer::current();
        outcome = RunUntilDone((commands.*command)());
        milliseconds = QDeadlineTimer::current() - begun;
    }
    // Stops the simulator, which writes its dump as it stops.
    bool stop() { return (sim.terminate(), sim.waitForFinished(5000)); }
    QProcess sim;
    test::RecordingObserver observer;
    SerialPortChannel channel;
    SerialPortWaiter waiter;
    ControllerCommands commands;
    std::optional<CommandOutcome> outcome;
    qint64 milliseconds = 0;
};

// Settings across the records, with edge values, and compiled equations, the
// texts as a read lists them back from the code.
Configuration KnownConfiguration()
{
    Configuration c;
    c.ChannelDirection[1] = c.ChannelDirection[16] = c.TimerMode[5] = c.CycleCountDigit[4] = 1;
    c.TimerOffTime[2] = c.TemperatureTime[4] = 65535;
    c.VoltageSetting[6] = 20.0F;
    c.CycleCounterOperand = c.SlpOnTime = c.ControllerRecord0 = 255;
    c.BooleanText[1] = c.BooleanEditText[1] = "INPUT1 AND NOT V1 ";
    c.BooleanText[42] = c.BooleanEditText[42] = "( MUX2 OR TMR1 ) AND NOT ( T1 OR OPTION1 ) ";
    if (CompileAllBooleans(c))
        qFatal("the known equations no longer compile");
    return c;
}

// The controller memory, as muxcc-sim writes it out, that a write of `config`
// leaves in an erased controller.
std::string ImageAfterWriting(const Configuration& config)
{
    ControllerSimulator memory;
    for (const int record : SettingsRecordOrder)
        memory.settings[static_cast<std::size_t>(record)] = EncodeSettingsRecord(config, record).byte.value();
    for (std::size_t entry = 0; entry < 2 * memory.code.size(); ++entry)
        memory.code[entry / 2][entry % 2] = static_cast<std::uint8_t>(config.BooleanCode[entry]);
    std::ostringstream image;
    sim::WriteMemoryImage(image, memory);
    return image.str();
}

} // namespace

class LinkOverPtyTest : public QObject {
    Q_OBJECT

private slots:
#ifdef MUXCC_WHOLE_WRITE
    void shouldProgramTheWholeMemoryImage()
    {
        Configuration config = KnownConfiguration();
        Run run({"--dump", dir.filePath("dump.txt")}, config, &ControllerCommands::writeToController);
        QVERIFY(run.stop());
        QVERIFY(run.outcome == CommandOutcome::Succeeded && !run.channel.isOpen());
        QCOMPARE_GE(run.milliseconds, 58700); // the fixed delays alone; a shorter write skipped some
        std::ifstream dump(dir.filePath("dump.txt").toStdString());
        QCOMPARE(std::string(std::istreambuf_iterator<char>(dump), {}), ImageAfterWriting(config));
    }
#else
    // A fresh line for each test.
    void init()
    {
        QVERIFY(line.emplace().channel.open());
    }

    void shouldResumeOnceWhenTheAwaitedBytesHaveArrived()
    {
        int resumed = 0;
        line->waiter.whenBytesWaiting(5, 5000ms, [&resumed] { ++resumed; });
        std::size_t sent = 0;
        for (const std::string piece : {"00", "3", "700370"}) { // the last piece goes past the five
            QCOMPARE(resumed, 0);
            QVERIFY(line->terminal.write(piece));
            sent += piece.size();
            // Each piece is seen on its own before the next is sent.
            QVERIFY(QTest::qWaitFor([&] { return line->channel.bytesWaiting() == sent; }));
        }
        QTest::qWait(100);
        // Resumed once by now; and a wait for bytes already there is resumed later, never within the call.
        line->waiter.whenBytesWaiting(9, 5000ms, [&resumed] { ++resumed; });
        QCOMPARE(resumed, 1);
        QVERIFY(QTest::qWaitFor([&] { return resumed == 2; }, 100));
        QCOMPARE(line->channel.readAll(), "003700370");
    }

    void shouldResumeEachWaitOnceNoEarlierThanItsOwnDeadline()
    {
        std::vector<int> order; // the limits of the waits as they end; negative if ended early
        auto at = [&](int ms) {
            return [&, ms, due = QDeadlineTimer(ms)] { order.push_back(due.hasExpired() ? ms : -ms); };
        };
        line->waiter.whenBytesWaiting(6, 120ms, at(120));
        line->waiter.after(40ms, at(40));
        line->waiter.whenBytesWaiting(10, 80ms, at(80));
        // A whole reply: part of what either reply wait wants, and no end to a pause.
        QVERIFY(line->terminal.write("D000D"));
        QTest::qWait(300);
        QCOMPARE(order, (std::vector<int>{40, 80, 120}));
    }

    void shouldCloseTheChannelAndResumeOnceWhenTheDeviceVanishes()
    {
        int resumed = 0;
        line->waiter.whenBytesWaiting(10, 5000ms, [&resumed] { ++resumed; });
        line->terminal.close();
        QTest::qWait(300); // well before the wait's own deadline
        QVERIFY(!line->channel.isOpen());
        QCOMPARE(resumed, 1);
    }

    void shouldReadAndDecodeAPreloadedController()
    {
        std::ofstream(dir.filePath("preload.txt").toStdString()) << ImageAfterWriting(KnownConfiguration());
        Configuration config;
        config.BooleanText[5] = "MUX9"; // replaced by the listing
        Run run({"--preload", dir.filePath("preload.txt")}, config, &ControllerCommands::readFromController);
        QVERIFY(run.stop());
        QVERIFY(run.outcome == CommandOutcome::Succeeded && !run.channel.isOpen());
        QCOMPARE_LT(run.milliseconds, 3000);
        QVERIFY(config == KnownConfiguration());
    }

    void shouldFailPromptlyWhenTheDeviceVanishesMidTransfer_data()
    {
        QTest::addColumn<int>("vanishAt"); // the request during which the device vanishes
        QTest::addColumn<QString>("during");
        // Request 1 is the contact; a read queries each settings record twice.
        QTest::newRow("read, during the code area") << 300 << "READING";
        QTest::newRow("write, during the settings records") << 8 << "PROGRAMMING";
    }

    void shouldFailPromptlyWhenTheDeviceVanishesMidTransfer()
    {
        QFETCH(int, vanishAt);
        QFETCH(QString, during);
        Configuration config;
        const Run run({"--fault", QString("vanish@%1").arg(vanishAt)}, config,
                      during == "READING" ? &ControllerCommands::readFromController
                                          : &ControllerCommands::writeToController);
        QVERIFY(run.outcome == CommandOutcome::Failed && !run.channel.isOpen());
        QCOMPARE(QString::fromStdString(run.observer.statuses.back()),
                 "ERROR OCCURRED DURING " + during + ", PLEASE TRY AGAIN.");
        QCOMPARE_LT(run.milliseconds, 2000);
        // The simulator ends by itself as its device vanishes.
        QVERIFY(QTest::qWaitFor([&] { return run.sim.state() == QProcess::NotRunning; }, 2000));
    }
#endif

private:
    std::optional<Line> line;
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(LinkOverPtyTest)
#include "link_over_pty_test.moc"
