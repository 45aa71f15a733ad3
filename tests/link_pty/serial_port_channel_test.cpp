// The serial channel and its waiter on a real pseudo-terminal: what the
// kernel does to the bytes and to their timing, which no in-process double shows.

#include "link/serial_port_channel.h"
#include "link/sim/pseudo_terminal.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>
#include <poll.h>
#include <unistd.h>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/serial_port_waiter.h"
#endif

using namespace std::chrono_literals;
using muxcc::link::Milliseconds;
using muxcc::link::SerialPortChannel;
using muxcc::link::SerialPortWaiter;
using muxcc::link::sim::PseudoTerminal;

namespace {

// Everything the tool has written so far, read from the controller's end.
std::string DrainControllerEnd(const PseudoTerminal& terminal)
{
    std::string bytes;
    char buffer[512];
    for (ssize_t got; (got = ::read(terminal.fd(), buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    return bytes;
}

std::string AllByteValues()
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

} // namespace

class SerialPortChannelTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        auto opened = PseudoTerminal::open();
        if (const auto* error = std::get_if<std::string>(&opened))
            QFAIL(error->c_str());
        terminal = std::make_unique<PseudoTerminal>(std::get<PseudoTerminal>(std::move(opened)));
        channel = std::make_unique<SerialPortChannel>(QString::fromStdString(terminal->devicePath()));
        waiter = std::make_unique<SerialPortWaiter>(*channel);
        QVERIFY(channel->open());
    }

    void cleanup()
    {
        waiter.reset();
        channel.reset();
        terminal.reset();
    }

    void shouldCarryEveryByteValueUnchanged_data()
    {
        QTest::addColumn<bool>("fromTool");
        QTest::newRow("tool to controller") << true;
        QTest::newRow("controller to tool") << false;
    }

    void shouldCarryEveryByteValueUnchanged()
    {
        QFETCH(bool, fromTool);
        const std::string sent = AllByteValues();
        if (fromTool) {
            channel->write(sent);
            std::string received;
            QVERIFY(QTest::qWaitFor([&] {
                received += DrainControllerEnd(*terminal);
                return received.size() >= sent.size();
            }));
            QCOMPARE(received, sent);
        } else {
            QVERIFY(terminal->write(sent));
            QVERIFY(QTest::qWaitFor([&] { return channel->bytesWaiting() >= sent.size(); }));
            QCOMPARE(channel->readAll(), sent);
            QCOMPARE(channel->bytesWaiting(), std::size_t{0});
        }
    }

    void shouldResumeOnceWhenTheLastPieceArrives_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<int>("awaited");
        QTest::newRow("acknowledgement in one piece") << QStringList{"D000D"} << 5;
        QTest::newRow("acknowledgement in two pieces") << QStringList{"D00", "0D"} << 5;
        QTest::newRow("code reply byte by byte")
            << QStringList{"0", "0", "0", "1", "0", "0", "2", "5", "5", "0"} << 10;
        QTest::newRow("more than awaited in the last piece") << QStringList{"0037", "00370"} << 5;
    }

    void shouldResumeOnceWhenTheLastPieceArrives()
    {
        QFETCH(QStringList, pieces);
        QFETCH(int, awaited);
        int resumed = 0;
        waiter->whenBytesWaiting(static_cast<std::size_t>(awaited), 5000ms, [&resumed] { ++resumed; });

        std::size_t sent = 0;
        for (const QString& piece : pieces) {
            QCOMPARE(resumed, 0);
            QVERIFY(terminal->write(piece.toStdString()));
            sent += static_cast<std::size_t>(piece.size());
            // Each piece is seen on its own before the next is sent.
            QVERIFY(QTest::qWaitFor([&] { return channel->bytesWaiting() == sent; }));
        }
        QVERIFY(QTest::qWaitFor([&] { return resumed > 0; }));
        QTest::qWait(20);
        QCOMPARE(resumed, 1);
        QCOMPARE(QString::fromStdString(channel->readAll()), pieces.join(QString()));
    }

    void shouldResumeNoEarlierThanTheDeadline_data()
    {
        QTest::addColumn<QString>("arriving");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("isPause");
        QTest::newRow("reply wait, nothing arrives") << QString() << 50 << false;
        QTest::newRow("reply wait, part of a reply arrives") << QString("003") << 50 << false;
        QTest::newRow("pacing delay, a whole reply arrives") << QString("D000D") << 100 << true;
    }

    void shouldResumeNoEarlierThanTheDeadline()
    {
        QFETCH(QString, arriving);
        QFETCH(int, limit);
        QFETCH(bool, isPause);
        int resumed = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 resumedAfter = -1;
        auto resume = [&] {
            ++resumed;
            resumedAfter = clock.elapsed();
        };
        if (isPause)
            waiter->after(Milliseconds{limit}, resume);
        else
            waiter->whenBytesWaiting(5, Milliseconds{limit}, resume);
        QVERIFY(terminal->write(arriving.toStdString()));

        QVERIFY(QTest::qWaitFor([&] { return resumed > 0; }, 2000));
        QTest::qWait(20);
        QCOMPARE(resumed, 1);
        QVERIFY2(resumedAfter >= limit, qPrintable(QString::number(resumedAfter)));
        QVERIFY2(resumedAfter < limit + 200, qPrintable(QString::number(resumedAfter)));
        QCOMPARE(channel->bytesWaiting(), static_cast<std::size_t>(arriving.size()));
    }

    void shouldResumeFromTheEventLoopWhenBytesAlreadyWait()
    {
        QVERIFY(terminal->write("D000D"));
        QVERIFY(QTest::qWaitFor([&] { return channel->bytesWaiting() == 5; }));

        bool resumed = false;
        waiter->whenBytesWaiting(5, 5000ms, [&resumed] { resumed = true; });
        QVERIFY(!resumed);
        QVERIFY(QTest::qWaitFor([&] { return resumed; }, 100));
    }

    void shouldKeepEachWaitToItsOwnDeadline()
    {
        std::vector<int> order;
        waiter->whenBytesWaiting(5, 120ms, [&order] { order.push_back(120); });
        waiter->after(40ms, [&order] { order.push_back(40); });
        waiter->whenBytesWaiting(10, 80ms, [&order] { order.push_back(80); });

        QVERIFY(QTest::qWaitFor([&] { return order.size() == 3; }, 2000));
        QTest::qWait(20);
        QCOMPARE(order, (std::vector<int>{40, 80, 120}));
    }

    void shouldCloseAndResumeWhenTheDeviceVanishes()
    {
        int resumed = 0;
        QElapsedTimer clock;
        clock.start();
        waiter->whenBytesWaiting(10, 5000ms, [&resumed] { ++resumed; });
        QVERIFY(terminal->write("00370"));
        QVERIFY(QTest::qWaitFor([&] { return channel->bytesWaiting() == 5; }));

        terminal->close();
        QVERIFY(QTest::qWaitFor([&] { return resumed > 0; }, 2000));
        QVERIFY2(clock.elapsed() < 1000, "the wait ran on to its deadline");
        QVERIFY(!channel->isOpen());
        QTest::qWait(50);
        QCOMPARE(resumed, 1);
        // What arrived before the device went is still there to be read.
        QCOMPARE(channel->readAll(), std::string("00370"));
    }

    void shouldRefuseToOpenAMissingDevice()
    {
        SerialPortChannel missing(QStringLiteral("/dev/muxcc-no-such-device"));
        QVERIFY(!missing.open());
        QVERIFY(!missing.isOpen());
    }

private:
    std::unique_ptr<PseudoTerminal> terminal;
    std::unique_ptr<SerialPortChannel> channel;
    std::unique_ptr<SerialPortWaiter> waiter;
};

QTEST_GUILESS_MAIN(SerialPortChannelTest)
#include "serial_port_channel_test.moc"
