// The controller commands end to end: the tool's serial channel and waiter on
// a real pseudo-terminal served by the muxcc-sim program, in real time.

#include "boolean/compiler.h"
#include "link/memory_image.h"
#include "link/serial_port_channel.h"
#include "link/sim/memory_image_text.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>
#include <optional>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/controller_commands.h"
#include "link/serial_port_waiter.h"
#include "support/recording_observer.h"
#endif

using namespace muxcc;
using link::CommandOutcome;
using link::ControllerCommands;
using link::ControllerSimulator;

namespace {

using Command = link::Task<CommandOutcome> (ControllerCommands::*)();

constexpr std::string_view WriteFailure = "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
constexpr std::string_view ReadFailure = "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";

// The muxcc-sim program for one test: started with `options`, stopped (and its
// dump written) by finish() or when it goes out of scope.
class SimProcess {
public:
    explicit SimProcess(const QStringList& options)
    {
        process_.setProgram(QStringLiteral(MUXCC_SIM_PATH));
        process_.setArguments(options);
        process_.start();
    }
    ~SimProcess() { finish(); }

    // The device named on the simulator's first line; empty if it never came.
    QString device()
    {
        if (device_.isEmpty() && QTest::qWaitFor([this] { return process_.canReadLine(); }, 5000))
            device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        return device_;
    }

    bool finish()
    {
        if (process_.state() != QProcess::NotRunning)
            process_.terminate();
        return process_.waitForFinished(5000);
    }

    bool hasEndedByItself()
    {
        return QTest::qWaitFor([this] { return process_.state() == QProcess::NotRunning; }, 2000);
    }

private:
    QProcess process_;
    QString device_;
};

// One command run over the device, as the program runs it.
struct Run {
    std::optional<CommandOutcome> outcome;
    test::RecordingObserver observer;
    qint64 milliseconds = 0;
    bool channelOpenAfter = true;
};

std::unique_ptr<Run> RunCommand(const QString& device, Configuration& config, Command command, int timeout)
{
    auto run = std::make_unique<Run>();
    link::SerialPortChannel channel(device);
    link::SerialPortWaiter waiter(channel);
    ControllerCommands commands(channel, waiter, config, run->observer);
    QElapsedTimer clock;
    clock.start();
    // A plain event loop, as the program has: QTest::qWaitFor would sleep
    // 10 ms between its rounds and slow every exchange down.
    QEventLoop loop;
    link::startDetached<CommandOutcome>((commands.*command)(), [&run, &loop](CommandOutcome outcome) {
        run->outcome = outcome;
        loop.quit();
    });
    // A command still running at the timeout leaves `outcome` empty.
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    if (!run->outcome)
        loop.exec();
    run->milliseconds = clock.elapsed();
    run->channelOpenAfter = channel.isOpen();
    return run;
}

// A configuration that exercises every kind of record, with its equations compiled.
Configuration KnownConfiguration()
{
    Configuration config;
    config.ChannelDirection[1] = 1;
    config.ChannelDirection[3] = 1;
    config.ChannelDirection[16] = 1;
    config.TimerMode[1] = 1;
    config.TimerMode[5] = 1;
    config.TimerOffTime[2] = 65500;
    config.TimerOnTime[2] = 50;
    config.TimerOnTime[5] = 300;
    config.VoltageSetting[1] = 12.0F;
    config.VoltageTime[1] = 100;
    config.VoltageSetting[6] = 20.0F;
    config.TemperatureSetting[1] = 25.0F;
    config.TemperatureSetting[4] = 100.0F;
    config.TemperatureTime[4] = 65535;
    config.OptionFlags = 5;
    config.CycleCounterOperand = 41;
    config.CycleCounterTime = 255;
    config.SlpOperand = 61;
    config.SlpOffTime = 7;
    config.SlpOnTime = 9;
    config.ControllerRecord0 = 3;
    config.CycleCountDigit[1] = 4;
    config.CycleCountDigit[2] = 3;
    config.CycleCountDigit[3] = 2;
    config.CycleCountDigit[4] = 1;
    config.BooleanText[1] = "INPUT1 AND NOT V1";
    config.BooleanText[17] = "( MUX2 OR TMR1 ) AND OPTION1";
    config.BooleanText[37] = "NOT ( T1 OR T2 )";
    config.BooleanText[42] = "TRIG5";
    if (CompileAllBooleans(config))
        qFatal("the known equations no longer compile");
    return config;
}

// The controller memory a write of `config` leaves in an erased controller.
ControllerSimulator MemoryAfterWriting(const Configuration& config)
{
    ControllerSimulator memory;
    for (const int record : link::SettingsRecordOrder)
        memory.settings[static_cast<std::size_t>(record)] =
            link::EncodeSettingsRecord(config, record).byte.value();
    for (std::size_t word = 0; word < memory.code.size(); ++word)
        memory.code[word] = {static_cast<std::uint8_t>(config.BooleanCode[2 * word]),
                             static_cast<std::uint8_t>(config.BooleanCode[2 * word + 1])};
    return memory;
}

} // namespace

class TransferOverPtyTest : public QObject {
    Q_OBJECT

private slots:
    void shouldReadAndDecodeAPreloadedController()
    {
        const Configuration known = KnownConfiguration();
        QTemporaryDir dir;
        const std::string preload = dir.filePath("preload.txt").toStdString();
        {
            std::ofstream out(preload);
            link::sim::WriteMemoryImage(out, MemoryAfterWriting(known));
        }
        SimProcess sim({"--preload", QString::fromStdString(preload)});
        QVERIFY(!sim.device().isEmpty());

        Configuration config;
        config.BooleanText[5] = "MUX9"; // replaced by the listing
        const auto run = RunCommand(sim.device(), config, &ControllerCommands::readFromController, 10000);

        QCOMPARE(run->outcome, CommandOutcome::Succeeded);
        QCOMPARE(run->observer.statuses.back(), "READ COMPLETED");
        QVERIFY(!run->channelOpenAfter);
        QVERIFY2(run->milliseconds < 3000, qPrintable(QString::number(run->milliseconds)));

        QCOMPARE(config.ChannelDirection, known.ChannelDirection);
        QCOMPARE(config.TimerMode, known.TimerMode);
        QCOMPARE(config.TimerOffTime, known.TimerOffTime);
        QCOMPARE(config.TimerOnTime, known.TimerOnTime);
        QCOMPARE(config.VoltageSetting, known.VoltageSetting);
        QCOMPARE(config.VoltageTime, known.VoltageTime);
        QCOMPARE(config.TemperatureSetting, known.TemperatureSetting);
        QCOMPARE(config.TemperatureTime, known.TemperatureTime);
        QCOMPARE(config.OptionFlags, known.OptionFlags);
        QCOMPARE(config.CycleCounterOperand, known.CycleCounterOperand);
        QCOMPARE(config.CycleCounterTime, known.CycleCounterTime);
        QCOMPARE(config.SlpOperand, known.SlpOperand);
        QCOMPARE(config.SlpOffTime, known.SlpOffTime);
        QCOMPARE(config.SlpOnTime, known.SlpOnTime);
        QCOMPARE(config.ControllerRecord0, known.ControllerRecord0);
        QCOMPARE(config.CycleCountDigit, known.CycleCountDigit);
        QVERIFY(std::equal(config.BooleanCode.begin(), config.BooleanCode.begin() + CodeAreaSentSize,
                           known.BooleanCode.begin()));

        QCOMPARE(config.BooleanText[1], "INPUT1 AND NOT V1 ");
        QCOMPARE(config.BooleanText[17], "( MUX2 OR TMR1 ) AND OPTION1 ");
        QCOMPARE(config.BooleanText[37], "NOT ( T1 OR T2 ) ");
        QCOMPARE(config.BooleanText[42], "TRIG5 ");
        QCOMPARE(config.BooleanText[5], "");
        QCOMPARE(config.BooleanEditText, config.BooleanText);
    }

    void shouldProgramTheWholeMemoryImage()
    {
        Configuration config = KnownConfiguration();
        QTemporaryDir dir;
        const QString dump = dir.filePath("dump.txt");
        SimProcess sim({"--dump", dump});
        QVERIFY(!sim.device().isEmpty());

        const auto run = RunCommand(sim.device(), config, &ControllerCommands::writeToController, 200000);
        QVERIFY(sim.finish());

        QCOMPARE(run->outcome, CommandOutcome::Succeeded);
        QVERIFY(!run->channelOpenAfter);
        // The fixed delays alone take 58.7 s; a shorter write skipped some.
        QVERIFY2(run->milliseconds >= 58700, qPrintable(QString::number(run->milliseconds)));
        const std::vector<std::string>& statuses = run->observer.statuses;
        QCOMPARE(statuses.size(), std::size_t{2 + 5 + 64 + 1});
        QCOMPARE(statuses.front(), "Starting Communications");
        QCOMPARE(statuses[6], "Starting Communications...Connected..25%DONE..");
        QCOMPARE(statuses[7], "Starting Communications...Connected.. 26%DONE..");
        QCOMPARE(statuses[7 + 31], "Starting Communications...Connected.. 63%DONE..");
        QCOMPARE(statuses[7 + 63], "Starting Communications...Connected.. 100%DONE..");
        QCOMPARE(statuses.back(), "Unit has been programmed");

        ControllerSimulator programmed;
        std::ifstream in(dump.toStdString());
        QVERIFY(in.good());
        QCOMPARE(link::sim::LoadMemoryImage(in, programmed), std::nullopt);
        const ControllerSimulator expected = MemoryAfterWriting(config);
        QCOMPARE(programmed.settings, expected.settings);
        QCOMPARE(programmed.code, expected.code);
    }

    void shouldFailPromptlyWhenTheDeviceVanishes_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("isWrite");
        // Request 1 is the contact; a read queries each settings record twice.
        QTest::newRow("read, during the settings records") << "vanish@40" << false;
        QTest::newRow("read, during the code area") << "vanish@300" << false;
        QTest::newRow("write, during the settings records") << "vanish@8" << true;
        QTest::newRow("write, at contact") << "vanish@1" << true;
    }

    void shouldFailPromptlyWhenTheDeviceVanishes()
    {
        QFETCH(QString, fault);
        QFETCH(bool, isWrite);
        SimProcess sim({"--fault", fault});
        QVERIFY(!sim.device().isEmpty());

        Configuration config;
        const auto run = RunCommand(sim.device(), config,
                                    isWrite ? &ControllerCommands::writeToController
                                            : &ControllerCommands::readFromController,
                                    10000);

        QCOMPARE(run->outcome, CommandOutcome::Failed);
        QCOMPARE(run->observer.statuses.back(), isWrite ? WriteFailure : ReadFailure);
        QVERIFY(!run->channelOpenAfter);
        QVERIFY2(run->milliseconds < 2000, qPrintable(QString::number(run->milliseconds)));
        QVERIFY(sim.hasEndedByItself());
    }

    void shouldShowTheCycleCountFromTheCommandLine()
    {
        QTemporaryDir dir;
        const std::string preload = dir.filePath("preload.txt").toStdString();
        {
            std::ofstream out(preload);
            out << "S 1 4\nS 2 3\nS 3 2\nS 4 1\n";
        }
        SimProcess sim({"--preload", QString::fromStdString(preload)});
        QVERIFY(!sim.device().isEmpty());

        QProcess cli;
        cli.start(QStringLiteral(MUXCC_CLI_PATH), {"count", "--port", sim.device()});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList lines =
            QString::fromLocal8Bit(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), "STARTING COMMUNICATIONS.......");
        QCOMPARE(lines.value(lines.size() - 2), "READ COMPLETED");
        QCOMPARE(lines.value(lines.size() - 1), "Cycle Count = 1234");
    }
};

QTEST_GUILESS_MAIN(TransferOverPtyTest)
#include "transfer_over_pty_test.moc"
