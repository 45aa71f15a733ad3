// The serial link on real pseudo-terminals, in real time: the channel and waiter
// as the kernel delivers the bytes, and the controller commands against the
// muxcc-sim program. Built twice: with MUXCC_WHOLE_WRITE it holds only the
// minute-long whole write, run apart as the slow test.

#include "boolean/compiler.h"
#include "link/memory_image.h"
#include "link/serial_port_channel.h"
#include "link/sim/memory_image_text.h"
#include "link/sim/pseudo_terminal.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <optional>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/controller_commands.h"
#include "link/serial_port_waiter.h"
#include "support/recording_observer.h"
#endif

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

// One command run over `device` as the program runs it, in a plain event loop:
// QTest::qWaitFor would sleep 10 ms between rounds and slow every exchange down.
// A command that never ends is stopped by the per-function timeout.
struct Run {
    Run(const QString& device, Configuration& config, Command command)
        : channel(device), waiter(channel), commands(channel, waiter, config, observer)
    {
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        startDetached<CommandOutcome>((commands.*command)(), [&](CommandOutcome done) {
            outcome = done;
            loop.quit();
        });
        if (!outcome)
            loop.exec();
        milliseconds = clock.elapsed();
    }
    test::RecordingObserver observer;
    SerialPortChannel channel;
    SerialPortWaiter waiter;
    ControllerCommands commands;
    std::optional<CommandOutcome> outcome;
    qint64 milliseconds = 0;
};

// Settings across the records, with edge values, and compiled equations.
Configuration KnownConfiguration()
{
    Configuration c;
    c.ChannelDirection[1] = c.ChannelDirection[16] = c.TimerMode[5] = c.CycleCountDigit[4] = 1;
    c.TimerOffTime[2] = c.TemperatureTime[4] = 65535;
    c.VoltageSetting[6] = 20.0F;
    c.CycleCounterOperand = c.SlpOnTime = c.ControllerRecord0 = 255;
    c.BooleanText[1] = "INPUT1 AND NOT V1";
    c.BooleanText[42] = "( MUX2 OR TMR1 ) AND NOT ( T1 OR OPTION1 )";
    if (CompileAllBooleans(c))
        qFatal("the known equations no longer compile");
    return c;
}

// The controller memory a write of `config` leaves in an erased controller.
ControllerSimulator MemoryAfterWriting(const Configuration& config)
{
    ControllerSimulator memory;
    for (const int record : SettingsRecordOrder)
        memory.settings[static_cast<std::size_t>(record)] = EncodeSettingsRecord(config, record).byte.value();
    for (std::size_t word = 0; word < memory.code.size(); ++word)
        memory.code[word] = {static_cast<std::uint8_t>(config.BooleanCode[2 * word]),
                             static_cast<std::uint8_t>(config.BooleanCode[2 * word + 1])};
    return memory;
}

} // namespace

class LinkOverPtyTest : public QObject {
    Q_OBJECT

private slots:
#ifdef MUXCC_WHOLE_WRITE
    void shouldProgramTheWholeMemoryImage()
    {
        Configuration config = KnownConfiguration();
        QTemporaryDir dir;
        QProcess sim;
        const Run run(StartSim(sim, {"--dump", dir.filePath("dump.txt")}), config,
                      &ControllerCommands::writeToController);
        sim.terminate(); // the simulator writes its dump as it stops
        QVERIFY(sim.waitForFinished(5000));

        QCOMPARE(run.outcome, CommandOutcome::Succeeded);
        QVERIFY(!run.channel.isOpen());
        // The fixed delays alone take 58.7 s; a shorter write skipped some.
        QVERIFY2(run.milliseconds >= 58700, qPrintable(QString::number(run.milliseconds)));
        ControllerSimulator programmed;
        std::ifstream dump(dir.filePath("dump.txt").toStdString());
        QCOMPARE(sim::LoadMemoryImage(dump, programmed), std::nullopt);
        QCOMPARE(programmed.settings, MemoryAfterWriting(config).settings);
        QCOMPARE(programmed.code, MemoryAfterWriting(config).code);
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
        QVERIFY(QTest::qWaitFor([&] { return resumed > 0; }));
        QTest::qWait(20);
        // Resumed once; and a wait for bytes already there is resumed later, never within the call.
        line->waiter.whenBytesWaiting(9, 5000ms, [&resumed] { ++resumed; });
        QCOMPARE(resumed, 1);
        QVERIFY(QTest::qWaitFor([&] { return resumed == 2; }, 100));
        QCOMPARE(line->channel.readAll(), "003700370");
    }

    void shouldResumeEachWaitOnceNoEarlierThanItsOwnDeadline()
    {
        std::vector<int> order; // the limits of the waits as they end; negative if ended early
        QElapsedTimer clock;
        clock.start();
        auto at = [&](int ms) { return [&, ms] { order.push_back(clock.elapsed() < ms ? -ms : ms); }; };
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
        // Well before the wait's own deadline.
        QVERIFY(QTest::qWaitFor([&] { return resumed > 0; }, 1000));
        QVERIFY(!line->channel.isOpen());
        QTest::qWait(50);
        QCOMPARE(resumed, 1);
    }

    void shouldReadAndDecodeAPreloadedController()
    {
        Configuration expected = KnownConfiguration();
        QTemporaryDir dir;
        std::ofstream preload(dir.filePath("preload.txt").toStdString());
        sim::WriteMemoryImage(preload, MemoryAfterWriting(expected));
        preload.close();
        QProcess sim;
        Configuration config;
        config.BooleanText[5] = "MUX9"; // replaced by the listing
        const Run run(StartSim(sim, {"--preload", dir.filePath("preload.txt")}), config,
                      &ControllerCommands::readFromController);
        QCOMPARE(run.outcome, CommandOutcome::Succeeded);
        QVERIFY(!run.channel.isOpen());
        QVERIFY2(run.milliseconds < 3000, qPrintable(QString::number(run.milliseconds)));
        for (std::string& text : expected.BooleanText)
            text += text.empty() ? "" : " "; // as listed from the code read back
        expected.BooleanEditText = expected.BooleanText;
        QVERIFY(config == expected);
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
    }

    void shouldFailPromptlyWhenTheDeviceVanishesMidTransfer_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("isWrite");
        // Request 1 is the contact; a read queries each settings record twice.
        QTest::newRow("read, during the code area") << "vanish@300" << false;
        QTest::newRow("write, during the settings records") << "vanish@8" << true;
    }

    void shouldFailPromptlyWhenTheDeviceVanishesMidTransfer()
    {
        QFETCH(QString, fault);
        QFETCH(bool, isWrite);
        QProcess sim;
        Configuration config;
        const Run run(StartSim(sim, {"--fault", fault}), config,
                      isWrite ? &ControllerCommands::writeToController
                              : &ControllerCommands::readFromController);
        QCOMPARE(run.outcome, CommandOutcome::Failed);
        QCOMPARE(run.observer.statuses.back(), isWrite
                                                   ? "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN."
                                                   : "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.");
        QVERIFY(!run.channel.isOpen());
        QVERIFY2(run.milliseconds < 2000, qPrintable(QString::number(run.milliseconds)));
        // The simulator ends by itself as its device vanishes.
        QVERIFY(QTest::qWaitFor([&] { return sim.state() == QProcess::NotRunning; }, 2000));
    }
#endif

private:
    std::optional<Line> line;
};

QTEST_GUILESS_MAIN(LinkOverPtyTest)
#include "link_over_pty_test.moc"
