// The serial link on real pseudo-terminals, in real time: the channel and waiter
// as the kernel delivers the bytes, and the controller commands against the
// muxcc-sim program. Built twice: with MUXCC_WHOLE_WRITE it holds only the
// minute-long whole write, run apart as the slow test.

#include "../link/expected_memory.h"
#include "link/port_name.h"
#include "link/run_until_done.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "link/sim/memory_image_text.h"
#include "link/sim/pseudo_terminal.h"
#include "support/recording_observer.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;
using Spoil = void (*)(termios&);
Q_DECLARE_METATYPE(Spoil)

namespace {

// A pseudo-terminal with the tool's channel and waiter on its device.
struct Line {
    sim::PseudoTerminal terminal = std::get<sim::PseudoTerminal>(sim::PseudoTerminal::open());
    SerialPortChannel channel{QString::fromStdString(terminal.devicePath())};
    SerialPortWaiter waiter{channel};
};

// Timers the waiter still holds: a wait left behind by a command that has ended.
int LiveTimers(SerialPortWaiter& waiter)
{
    return int(QAbstractEventDispatcher::instance()->registeredTimers(&waiter).size());
}

#ifdef MUXCC_WHOLE_WRITE
// The controller memory, as muxcc-sim writes it out, that a write of `config` leaves in an erased controller.
std::string ImageAfterWriting(const Configuration& config)
{
    ControllerSimulator memory;
    Program(memory, config);
    std::ostringstream image;
    sim::WriteMemoryImage(image, memory);
    return image.str();
}

#else
// The line settings of a terminal device as the kernel holds them, after `spoil` changed them if given:
// speeds in and out, data bits, parity, stop bits, hardware and software flow control.
std::vector<unsigned> LineSettings(const std::string& device, Spoil spoil = nullptr)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    const bool read = fd >= 0 && tcgetattr(fd, &t) == 0;
    if (read && spoil)
        spoil(t);
    const bool set = read && (!spoil || tcsetattr(fd, TCSANOW, &t) == 0);
    ::close(fd);
    if (!set)
        return {};
    return {cfgetispeed(&t),    cfgetospeed(&t),     t.c_cflag & CSIZE,         t.c_cflag & PARENB,
            t.c_cflag & CSTOPB, t.c_cflag & CRTSCTS, t.c_iflag & (IXON | IXOFF)};
}
#endif

} // namespace

class LinkOverPtyTest : public QObject {
    Q_OBJECT

private slots:
#ifdef MUXCC_WHOLE_WRITE
    // A write of the known configuration over muxcc-sim's device, run as the program runs it, in a plain
    // event loop: QTest::qWaitFor would sleep 10 ms between rounds and slow every exchange.
    void shouldProgramTheWholeMemoryImage()
    {
        QProcess sim;
        sim.start(QStringLiteral(MUXCC_SIM_PATH), {"--dump", dir.filePath("dump.txt")});
        QVERIFY(QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000)); // it names its device first
        SerialPortChannel channel(QString::fromLocal8Bit(sim.readLine()).trimmed());
        SerialPortWaiter waiter(channel);
        RecordingObserver observer;
        Configuration config = KnownConfiguration();
        ControllerCommands commands(channel, waiter, config, observer);
        const QDeadlineTimer begun = QDeadlineTimer::current();
        QVERIFY(RunUntilDone(commands.writeToController()) == CommandOutcome::Succeeded);
        // The fixed delays alone take this long; a shorter write skipped some.
        QCOMPARE_GE(QDeadlineTimer::current() - begun, 58700);
        sim.terminate(); // it writes its dump as it stops
        QVERIFY(sim.waitForFinished(5000) && !channel.isOpen() && LiveTimers(waiter) == 0);
        std::ifstream dump(dir.filePath("dump.txt").toStdString());
        QCOMPARE(std::string(std::istreambuf_iterator<char>(dump), {}), ImageAfterWriting(config));
    }
#else
    void init()
    {
        line.emplace();
    }

    // Whatever the device was left with, port 1's device opens at 9600 baud, 8 data bits, no parity,
    // 1 stop bit and no flow control. A pseudo-terminal refuses data bits other than 8 and any parity,
    // so those cannot be spoiled beforehand; they are read back all the same.
    void shouldOpenWithTheControllersLineSettings_data()
    {
        QTest::addColumn<Spoil>("spoil"); // what the device had before the port opened
        QTest::newRow("1200 baud") << +[](termios& t) { cfsetspeed(&t, B1200); };
        QTest::newRow("19200 baud out only") << +[](termios& t) { cfsetospeed(&t, B19200); };
        QTest::newRow("2 stop bits") << +[](termios& t) { t.c_cflag |= CSTOPB; };
        QTest::newRow("RTS/CTS flow control") << +[](termios& t) { t.c_cflag |= CRTSCTS; };
        QTest::newRow("XON/XOFF flow control") << +[](termios& t) { t.c_iflag |= IXON | IXOFF; };
    }
    void shouldOpenWithTheControllersLineSettings()
    {
        QFETCH(Spoil, spoil);
        const std::string& device = line->terminal.devicePath();
        const std::vector<unsigned> controllers{B9600, B9600, CS8, 0, 0, 0, 0};
        QVERIFY(!LineSettings(device, spoil).empty() && LineSettings(device) != controllers);
        QVERIFY(line->channel.open());
        QCOMPARE(LineSettings(device), controllers);
        QCOMPARE(SerialPortDevice(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(SerialPortDevice(2), QStringLiteral("/dev/ttyS1"));
    }

    // A late reply to an earlier command, left in the device while the port was closed, is gone once
    // the port opens; the wait then resumes once, when the awaited bytes have all arrived.
    void shouldResumeOnceWhenTheAwaitedBytesHaveArrived()
    {
        QVERIFY(line->terminal.write("D000D"));
        QTest::qWait(50);
        QVERIFY(line->channel.open());
        QTest::qWait(100);
        int resumed = 0;
        line->waiter.whenBytesWaiting(5, 5000ms, [&resumed] { ++resumed; });
        std::size_t sent = 0;
        for (const std::string piece : {"00", "3", "700370"}) { // the last piece goes past the five
            QCOMPARE(resumed, 0);
            QVERIFY(line->terminal.write(piece));
            sent += piece.size(); // each piece is seen on its own before the next is sent
            QVERIFY(QTest::qWaitFor([&] { return line->channel.bytesWaiting() == sent; }));
        }
        QTest::qWait(100);
        // Resumed once by now; and a wait for bytes already there is resumed later, never within the call.
        line->waiter.whenBytesWaiting(9, 5000ms, [&resumed] { ++resumed; });
        QCOMPARE(resumed, 1);
        QVERIFY(QTest::qWaitFor([&] { return resumed == 2; }, 100));
        QVERIFY(line->channel.readAll() == "003700370" && LiveTimers(line->waiter) == 0);
    }

    // A whole reply is part of what either reply wait wants and no end to a pause; then the device
    // vanishes, well before the last deadline, and the wait still pending ends with the channel closed.
    void shouldResumeEachWaitOnceAtItsDeadlineOrWhenTheDeviceVanishes()
    {
        QVERIFY(line->channel.open());
        std::vector<int> order; // the limits of the waits as they end; negative if ended early
        auto at = [&](int ms) {
            return [&, ms, due = QDeadlineTimer(ms)] { order.push_back(due.hasExpired() ? ms : -ms); };
        };
        line->waiter.whenBytesWaiting(6, 120ms, at(120));
        line->waiter.after(40ms, at(40));
        line->waiter.whenBytesWaiting(10, 80ms, at(80));
        line->waiter.whenBytesWaiting(10, 5000ms, at(5000));
        QVERIFY(line->terminal.write("D000D"));
        QTest::qWait(300);
        line->terminal.close();
        QTest::qWait(300);
        QCOMPARE(order, (std::vector<int>{40, 80, 120, -5000}));
        QVERIFY(!line->channel.isOpen() && LiveTimers(line->waiter) == 0);
    }
#endif

private:
    std::optional<Line> line; // a fresh one for each test
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(LinkOverPtyTest)
#include "link_over_pty_test.moc"
