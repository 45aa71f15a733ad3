// The record operations at the byte level: what goes out, how long each wait
// lasts and which replies pass, against scripted replies and the simulator.

#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/controller_link.h"
#include "link/reply_text.h"
#include "support/link_bench.h"
#include "support/wire_records.h"
#endif

#include <memory>

using namespace std::chrono_literals;
using namespace muxcc::link;
using namespace muxcc::test;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(SimulatorFaults)

namespace {

// A link over a scripted device: one reply per write, in turn.
struct ScriptedLink {
    explicit ScriptedLink(std::vector<std::string> replies) : device(std::move(replies)) { channel.open(); }

    VirtualClock clock;
    ScriptedDevice device;
    VirtualChannel channel{clock, device};
    VirtualWaiter waiter{clock, channel};
    ControllerLink link{channel, waiter};
};

// A link over the simulator, port already open and contact made.
struct SimulatedLink {
    explicit SimulatedLink(SimulatorFaults faults = {}) : controller(std::move(faults)) { channel.open(); }

    VirtualClock clock;
    ControllerSimulator controller;
    SimulatorDevice device{controller};
    VirtualChannel channel{clock, device};
    VirtualWaiter waiter{clock, channel};
    ControllerLink link{channel, waiter};
};

} // namespace

class ControllerLinkTest : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsTheNumberAtTheStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        QTest::newRow("a reply field") << "00370" << 370.0;
        QTest::newRow("four characters") << "0037" << 37.0;
        QTest::newRow("two fields run together") << "0001002550" << 1002550.0;
        QTest::newRow("a trailing space") << "00370 " << 370.0;
        QTest::newRow("digits then letters") << "12D000D" << 12.0;
        QTest::newRow("the acknowledgement") << "D000D" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }
    void numericValueReadsTheNumberAtTheStart()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(NumericValue(text.toStdString()), value);
    }

    void contact_data()
    {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<bool>("contact");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("elapsedMs");

        using Kind = SimulatorFault::Kind;
        QTest::newRow("prompt controller") << SimulatorFaults{} << true << 1 << 0;
        QTest::newRow("answers only the second request")
            << SimulatorFaults{.answerContactFrom = 2} << true << 2 << 100;
        QTest::newRow("answers only the sixth request")
            << SimulatorFaults{.answerContactFrom = 6} << true << 6 << 500;
        QTest::newRow("no controller") << SimulatorFaults{.silent = true} << false << 6 << 600;
        QTest::newRow("two acknowledgements run together")
            << SimulatorFaults{.faults = {{Kind::Double, 1}}} << false << 1 << 0;
        QTest::newRow("garbled acknowledgement")
            << SimulatorFaults{.faults = {{Kind::Garble, 1}}} << false << 1 << 0;
        QTest::newRow("short acknowledgement joins the next one")
            << SimulatorFaults{.faults = {{Kind::Short, 1}}} << false << 2 << 100;
        QTest::newRow("device vanishes at the second request")
            << SimulatorFaults{.answerContactFrom = 2, .faults = {{Kind::Vanish, 2}}} << false << 2 << 100;
    }
    void contact()
    {
        QFETCH(SimulatorFaults, faults);
        QFETCH(bool, contact);
        QFETCH(int, requests);
        QFETCH(int, elapsedMs);

        SimulatedLink bench(faults);
        bench.channel.close();
        QCOMPARE(RunToCompletion(bench.clock, bench.link.openAndMakeContact()), std::optional(contact));
        QCOMPARE(bench.controller.requests,
                 std::vector<std::string>(static_cast<std::size_t>(requests), "A"));
        QCOMPARE(bench.clock.now(), Microseconds(std::chrono::milliseconds(elapsedMs)));
    }

    void writeSetting_data()
    {
        QTest::addColumn<std::vector<std::string>>("replies");
        QTest::addColumn<int>("data_l");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("writes");

        using Replies = std::vector<std::string>;
        QTest::newRow("acknowledged and read back") << Replies{"D000D", "00370"} << 37 << true << 2;
        QTest::newRow("four characters pass the length check") << Replies{"D000D", "0037"} << 4 << true << 2;
        QTest::newRow("three characters fail the length check") << Replies{"D000D", "000"} << 0 << false << 2;
        QTest::newRow("a half rounds down to even") << Replies{"D000D", "0025"} << 2 << true << 2;
        QTest::newRow("a half rounds up to even") << Replies{"D000D", "0035"} << 4 << true << 2;
        QTest::newRow("wrong value read back") << Replies{"D000D", "00380"} << 37 << false << 2;
        QTest::newRow("no acknowledgement") << Replies{} << 37 << false << 1;
        QTest::newRow("two acknowledgements run together") << Replies{"D000DD000D"} << 37 << false << 1;
        QTest::newRow("empty read back") << Replies{"D000D"} << 0 << false << 2;
    }
    void writeSetting()
    {
        QFETCH(std::vector<std::string>, replies);
        QFETCH(int, data_l);
        QFETCH(bool, stored);
        QFETCH(int, writes);

        ScriptedLink bench(replies);
        QCOMPARE(RunToCompletion(bench.clock, bench.link.write_setting(0, 12, 0, data_l)), stored);
        const std::vector<std::string> sent{Store(0, 12, 0, data_l), Query(0, 12)};
        QCOMPARE(bench.device.received, std::vector<std::string>(sent.begin(), sent.begin() + writes));
    }

    void readSetting_data()
    {
        QTest::addColumn<std::vector<std::string>>("replies");
        QTest::addColumn<int>("byte"); // -1: the read fails
        QTest::addColumn<int>("queries");

        using Replies = std::vector<std::string>;
        QTest::newRow("two equal replies") << Replies{"00370", "00370"} << 37 << 2;
        QTest::newRow("equal in value, not in text") << Replies{"00370", "00370 "} << 37 << 2;
        QTest::newRow("four characters fail the length check") << Replies{"0037", "0037"} << -1 << 1;
        QTest::newRow("replies differ") << Replies{"00370", "00380"} << -1 << 2;
        QTest::newRow("empty first reply") << Replies{} << -1 << 1;

        QTest::newRow("a lost second reply has the value 0") << Replies{"00000"} << 0 << 2;
    }
    void readSetting()
    {
        QFETCH(std::vector<std::string>, replies);
        QFETCH(int, byte);
        QFETCH(int, queries);

        ScriptedLink bench(replies);
        const std::optional<int> read = RunToCompletion(bench.clock, bench.link.read_setting(0, 40)).value();
        QCOMPARE(read.value_or(-1), byte);
        QCOMPARE(bench.device.received,
                 std::vector<std::string>(static_cast<std::size_t>(queries), Query(0, 40)));
    }

    void readCodeWord_data()
    {
        QTest::addColumn<std::vector<std::string>>("replies");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("queries");

        using Replies = std::vector<std::string>;
        QTest::newRow("bytes 1 and 255") << Replies{"0001002550", "0001002550"} << true << 2;
        QTest::newRow("equal in value, not in text") << Replies{"0001002550", "0001002550 "} << false << 2;
        QTest::newRow("nine characters fail the length check")
            << Replies{"000100255", "000100255"} << false << 1;
        QTest::newRow("replies differ") << Replies{"0001002550", "0001002540"} << false << 2;
        QTest::newRow("empty second reply") << Replies{"0001002550"} << false << 2;
    }
    void readCodeWord()
    {
        QFETCH(std::vector<std::string>, replies);
        QFETCH(bool, read);
        QFETCH(int, queries);

        ScriptedLink bench(replies);
        const std::optional<CodeWord> word =
            RunToCompletion(bench.clock, bench.link.read_code_word(8, 200)).value();
        QCOMPARE(word, read ? std::optional(CodeWord{1, 255}) : std::nullopt);
        QCOMPARE(bench.device.received,
                 std::vector<std::string>(static_cast<std::size_t>(queries), Query(8, 200)));
    }

    void verifyCodeBatch_data()
    {
        QTest::addColumn<int>("wrongWord"); // the word the controller holds differently, or -1
        QTest::addColumn<bool>("verified");
        QTest::addColumn<std::vector<std::string>>("queries");

        using Queries = std::vector<std::string>;
        const Queries all{Query(8, 7), Query(8, 6), Query(8, 5), Query(8, 4)};
        QTest::newRow("all four words as written") << -1 << true << all;
        QTest::newRow("last word wrong stops at once") << 7 << false << Queries(all.begin(), all.begin() + 1);
        QTest::newRow("first word wrong is found last") << 4 << false << all;
        QTest::newRow("a word outside the batch is not queried") << 3 << true << all;
    }
    void verifyCodeBatch()
    {
        QFETCH(int, wrongWord);
        QFETCH(bool, verified);
        QFETCH(std::vector<std::string>, queries);

        SimulatedLink bench;
        muxcc::CodeArea code{};
        for (std::size_t word = 0; word < 8; ++word) {
            code[2 * word] = 1;
            code[2 * word + 1] = 255;
            bench.controller.code[word] = {1, 255};
        }
        if (wrongWord >= 0)
            bench.controller.code[static_cast<std::size_t>(wrongWord)][1] = 254;
        QCOMPARE(RunToCompletion(bench.clock, bench.link.verify_code_batch(code, 16)), verified);
        QCOMPARE(bench.controller.requests, queries);
    }

    void writeCodeWordWaitsAfterItsAcknowledgement_data()
    {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("elapsedMs");

        QTest::newRow("acknowledged") << SimulatorFaults{} << true << 100;
        QTest::newRow("unacknowledged")
            << SimulatorFaults{.faults = {{SimulatorFault::Kind::Drop, 1}}} << false << 50;
        QTest::newRow("acknowledged late")
            << SimulatorFaults{.faults = {{SimulatorFault::Kind::Late, 1, 60ms}}} << false << 50;
    }
    void writeCodeWordWaitsAfterItsAcknowledgement()
    {
        QFETCH(SimulatorFaults, faults);
        QFETCH(bool, stored);
        QFETCH(int, elapsedMs);

        SimulatedLink bench(faults);
        QCOMPARE(RunToCompletion(bench.clock, bench.link.write_code_word(8, 3, 1, 255)), stored);
        QCOMPARE(bench.clock.now(), Microseconds(std::chrono::milliseconds(elapsedMs)));
        QCOMPARE(bench.controller.requests, std::vector<std::string>{Store(8, 3, 1, 255)});
    }

    void valueOutsideAByteIsNotSent()
    {
        SimulatedLink bench;
        QCOMPARE(RunToCompletion(bench.clock, bench.link.write_setting(0, 5, 0, 256)), false);
        QCOMPARE(RunToCompletion(bench.clock, bench.link.write_code_word(8, 5, -1, 0)), false);
        QVERIFY(bench.controller.requests.empty());
    }
};

QTEST_GUILESS_MAIN(ControllerLinkTest)
#include "controller_link_test.moc"
