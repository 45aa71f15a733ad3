#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/controller_simulator.h"
#include "support/wire_records.h"
#endif

using namespace muxcc::link;
using muxcc::test::Query;
using muxcc::test::Store;

Q_DECLARE_METATYPE(SimulatorFault::Kind)

namespace {

// Feeds the chunks one by one and joins every reply, in order.
std::string Exchange(ControllerSimulator& controller, const QByteArrayList& chunks)
{
    std::string replies;
    for (const QByteArray& chunk : chunks) {
        for (const SimulatorReply& reply : controller.receive(chunk.toStdString()))
            replies += reply.bytes;
    }
    return replies;
}

QByteArray Raw(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes);
}

} // namespace

class ControllerSimulatorTest : public QObject {
    Q_OBJECT

private slots:
    void answersEachRequestByteForByte_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<int>("requests");

        const std::string store = Store(0, 5, 9, 37);
        QTest::newRow("contact request") << QByteArrayList{"A"} << QByteArray("D000D") << 1;
        QTest::newRow("settings record stored, data_h ignored")
            << QByteArrayList{Raw(store + Query(0, 5))} << QByteArray("D000D00370") << 2;
        QTest::newRow("code word read back even byte first")
            << QByteArrayList{Raw(Store(8, 255, 1, 255) + Query(8, 255))} << QByteArray("D000D0001002550")
            << 2;
        QTest::newRow("record split over three writes")
            << QByteArrayList{Raw(store.substr(0, 1)), Raw(store.substr(1, 3)),
                              Raw(store.substr(4) + Query(0, 5))}
            << QByteArray("D000D00370") << 2;
        QTest::newRow("contact and record run together")
            << QByteArrayList{Raw("A" + Query(0, 0))} << QByteArray("D000D00000") << 2;
        QTest::newRow("stray bytes before a request are ignored")
            << QByteArrayList{"xyA"} << QByteArray("D000D") << 1;
        QTest::newRow("unknown area gets no reply")
            << QByteArrayList{Raw(Store(3, 5, 0, 1) + Query(3, 5))} << QByteArray() << 2;
        QTest::newRow("record without its closing byte gets no reply")
            << QByteArrayList{Raw(Query(0, 5).substr(0, 5) + "X")} << QByteArray() << 1;
    }
    void answersEachRequestByteForByte()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(QByteArray, replies);
        QFETCH(int, requests);

        ControllerSimulator controller;
        QCOMPARE(Exchange(controller, chunks), replies.toStdString());
        QCOMPARE(static_cast<int>(controller.requests.size()), requests);
    }

    void commitsItsFaultAtTheRequestNamed_data()
    {
        QTest::addColumn<SimulatorFault::Kind>("kind");
        QTest::addColumn<int>("request");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<int>("delayMs");

        // Requests: 1 "A", 2 store of record 5 = 37, 3 query of record 5.
        using Kind = SimulatorFault::Kind;
        QTest::newRow("dropped acknowledgement") << Kind::Drop << 2 << QByteArray("D000D00370") << 0;
        QTest::newRow("late read back") << Kind::Late << 3 << QByteArray("D000DD000D00370") << 80;
        QTest::newRow("short read back") << Kind::Short << 3 << QByteArray("D000DD000D0037") << 0;
        QTest::newRow("doubled acknowledgement")
            << Kind::Double << 2 << QByteArray("D000DD000DD000D00370") << 0;
        QTest::newRow("garbled contact") << Kind::Garble << 1 << QByteArray("D100DD000D00370") << 0;
        QTest::newRow("garbled read back") << Kind::Garble << 3 << QByteArray("D000DD000D01370") << 0;
        QTest::newRow("vanishes at the query") << Kind::Vanish << 3 << QByteArray("D000DD000D") << 0;
    }
    void commitsItsFaultAtTheRequestNamed()
    {
        QFETCH(SimulatorFault::Kind, kind);
        QFETCH(int, request);
        QFETCH(QByteArray, replies);
        QFETCH(int, delayMs);

        ControllerSimulator controller({.faults = {{kind, request, std::chrono::milliseconds(80)}}});
        std::string joined;
        int latest = 0;
        for (const std::string& bytes : {std::string("A"), Store(0, 5, 0, 37), Query(0, 5)}) {
            for (const SimulatorReply& reply : controller.receive(bytes)) {
                joined += reply.bytes;
                latest = std::max(latest, static_cast<int>(reply.delay.count()));
            }
        }
        QCOMPARE(joined, replies.toStdString());
        QCOMPARE(latest, delayMs);
        QCOMPARE(controller.settings[5], std::uint8_t{37});
        QCOMPARE(controller.vanished(), kind == SimulatorFault::Kind::Vanish);
    }
};

QTEST_GUILESS_MAIN(ControllerSimulatorTest)
#include "controller_simulator_test.moc"
