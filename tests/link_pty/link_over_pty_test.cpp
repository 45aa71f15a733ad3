// The serial link on real pseudo-terminals, in real time: the channel and waiter
// as the kernel delivers the bytes, and the controller commands against the
// muxcc-sim program. Built twice: with MUXCC_WHOLE_WRITE it holds only the
// minute-long whole write, run apart as the slow test.

#include "boolean/compiler.h"
#include "link/memory_image.h"
#include "link/port_name.h"
#include "link/serial_port_channel.h"
#include "link/sim/memory_image_text.h"
#include "link/sim/pseudo_terminal.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "link/controller_commands.h"
#include "link/run_until_done.h"
#include "link/serial_port_waiter.h"
#include "support/recording_observer.h"

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using Command = Task<CommandOutcome> (ControllerCommands::*)();
using Spoil = void (*)(termios&);
Q_DECLARE_METATYPE(Spoil)

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

// Timers the waiter still holds: a wait left behind by a command that has ended.
int LiveTimers(SerialPortWaiter& waiter)
{
    return int(QAbstractEventDispatcher::instance()->registeredTimers(&waiter).size());
}

// The line settings of a terminal device, as the kernel holds them.
struct LineSettings {
    speed_t inputSpeed, outputSpeed;
    tcflag_t dataBits, parity, twoStopBits, hardwareFlow, softwareFlow;
    bool operator==(const LineSettings&) const = default;
};

std::optional<LineSettings> ReadLineSettings(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    const bool read = fd >= 0 && tcgetattr(fd, &t) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!read)
        return std::nullopt;
    return LineSettings{cfgetispeed(&t),           cfgetospeed(&t),    t.c_cflag & CSIZE,
                        t.c_cflag & PARENB,        t.c_cflag & CSTOPB, t.c_cflag & CRTSCTS,
                        t.c_iflag & (IXON | IXOFF)};
}

bool ChangeLineSettings(const std::string& device, Spoil spoil)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    bool changed = fd >= 0 && tcgetattr(fd, &t) == 0;
    spoil(t);
    changed = changed && tcsetattr(fd, TCSANOW, &t) == 0;
    if (fd >= 0)
        ::close(fd);
    return changed;
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

    // Whatever the device was left with, the port opens at 9600 baud, 8 data bits, no parity,
    // 1 stop bit and no flow control.
    void shouldOpenWithTheControllersLineSettings_data()
    {
        QTest::addColumn<Spoil>("spoil"); // what the device had before the port opened

        // A pseudo-terminal refuses data bits other than 8 and any parity, so those cannot be
        // spoiled beforehand; they are read back all the same.
        // clang-format off
        QTest::newRow("1200 baud") << +[](termios& t) { cfsetspeed(&t, B1200); };
        QTest::newRow("19200 baud out only") << +[](termios& t) { cfsetospeed(&t, B19200); };
        QTest::newRow("2 stop bits") << +[](termios& t) { t.c_cflag |= CSTOPB; };
        QTest::newRow("RTS/CTS flow control") << +[](termios& t) { t.c_cflag |= CRTSCTS; };
        QTest::newRow("XON/XOFF flow control") << +[](termios& t) { t.c_iflag |= IXON | IXOFF; };
        // clang-format on
    }
    void shouldOpenWithTheControllersLineSettings()
    {
        QFETCH(Spoil, spoil);
        const std::string& device = line->terminal.devicePath();
        line->channel.close();
        QVERIFY(ChangeLineSettings(device, spoil));
        const std::optional<LineSettings> controllers = LineSettings{B9600, B9600, CS8, 0, 0, 0, 0};
        QVERIFY(ReadLineSettings(device) != controllers);
        QVERIFY(line->channel.open());
        QCOMPARE(ReadLineSettings(device), controllers);
    }

    void shouldNamePortOneAfterTheFirstSerialDevice()
    {
        QCOMPARE(SerialPortDevice(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(SerialPortDevice(2), QStringLiteral("/dev/ttyS1"));
    }

    // A late reply to an earlier command, left in the device while the port was closed, is gone
    // once the port opens again.
    void shouldOpenWithNothingWaiting()
    {
        line->channel.close();
        QVERIFY(line->terminal.write("D000D"));
        QTest::qWait(50);
        QVERIFY(line->channel.open());
        QTest::qWait(100);
        QCOMPARE(line->channel.bytesWaiting(), std::size_t(0));
        QVERIFY(line->terminal.write("00370"));
        QVERIFY(QTest::qWaitFor([&] { return line->channel.bytesWaiting() == 5; }));
        QCOMPARE(line->channel.readAll(), "00370");
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
        QCOMPARE(LiveTimers(line->waiter), 0);
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
        QCOMPARE(LiveTimers(line->waiter), 0);
    }

    void shouldCloseTheChannelAndResumeOnceWhenTheDeviceVanishes()
    {
        int resumed = 0;
        line->waiter.whenBytesWaiting(10, 5000ms, [&resumed] { ++resumed; });
        line->terminal.close();
        QTest::qWait(300); // well before the wait's own deadline
        QVERIFY(!line->channel.isOpen());
        QCOMPARE(resumed, 1);
        QCOMPARE(LiveTimers(line->waiter), 0);
    }

    void shouldReadAndDecodeAPreloadedController()
    {
        std::ofstream(dir.filePath("preload.txt").toStdString()) << ImageAfterWriting(KnownConfiguration());
        Configuration config;
        config.BooleanText[5] = "MUX9"; // replaced by the listing
        Run run({"--preload", dir.filePath("preload.txt")}, config, &ControllerCommands::readFromController);
        QVERIFY(run.stop());
        QVERIFY(run.outcome == CommandOutcome::Succeeded && !run.channel.isOpen());
        QCOMPARE(LiveTimers(run.waiter), 0);
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
        Run run({"--fault", QString("vanish@%1").arg(vanishAt)}, config,
                during == "READING" ? &ControllerCommands::readFromController
                                    : &ControllerCommands::writeToController);
        QVERIFY(run.outcome == CommandOutcome::Failed && !run.channel.isOpen());
        QCOMPARE(LiveTimers(run.waiter), 0);
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
