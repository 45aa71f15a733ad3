// The whole write against the simulated controller in virtual time: every
// record in order, the progress texts, the timing and every way it can fail.

#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "link/memory_image.h"
#include "support/link_bench.h"
#include "support/wire_records.h"
#endif

#include <map>

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

Q_DECLARE_METATYPE(SimulatorFaults)

namespace {

const std::string FailureText = "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
constexpr Microseconds WholeWriteAtLeast = 58'700ms;

// Requests are counted from 1; request 1 is the contact request.
int SettingsStoreRequest(int record)
{
    const auto position = std::find(SettingsRecordOrder.begin(), SettingsRecordOrder.end(), record);
    return 2 + 2 * static_cast<int>(position - SettingsRecordOrder.begin());
}
int CodeStoreRequest(int word)
{
    return 150 + 8 * (word / 4) + word % 4;
}
// The batch check queries the last word of its batch first.
int BatchCheckRequest(int word)
{
    return 150 + 8 * (word / 4) + 4 + (3 - word % 4);
}

Configuration SampleConfiguration()
{
    Configuration config;
    config.ControllerRecord0 = 9;
    config.CycleCountDigit[1] = 4;
    config.CycleCountDigit[2] = 3;
    config.CycleCountDigit[3] = 2;
    config.CycleCountDigit[4] = 1;
    config.OptionFlags = 5;
    config.ChannelDirection[1] = 1;
    config.ChannelDirection[9] = 1;
    config.VoltageSetting[1] = 12.0f;
    config.VoltageTime[1] = 65500;
    config.TemperatureSetting[1] = 25;
    config.TimerMode[1] = 1;
    config.TimerMode[5] = 1;
    config.TimerOnTime[1] = 65500;
    config.CycleCounterOperand = 17;
    config.CycleCounterTime = 30;
    config.SlpOperand = 3;
    config.SlpOffTime = 10;
    config.SlpOnTime = 20;
    for (std::size_t entry = 0; entry < CodeAreaSentSize; ++entry)
        config.BooleanCode[entry] = static_cast<std::int16_t>(entry * 37 % 256);
    config.BooleanCode[0] = 1;
    config.BooleanCode[1] = 255;
    return config;
}

// What the sample configuration puts into a few records, worked out by hand.
const std::map<int, int> SampleRecords = {
    {0, 9},   {1, 4},    {2, 3},    {3, 2},    {4, 1},   {12, 5},  {13, 1},   {14, 1},
    {16, 2},  {17, 101}, {18, 255}, {19, 220}, {40, 2},  {41, 0},  {44, 3},   {45, 17},
    {57, 17}, {58, 30},  {59, 3},   {61, 10},  {62, 20}, {63, 17}, {66, 255}, {67, 220},
};

std::vector<std::string> ExpectedRequests(const Configuration& config)
{
    std::vector<std::string> requests{"A"};
    for (const int record : SettingsRecordOrder) {
        requests.push_back(Store(0, record, 0, EncodeSettingsRecord(config, record).byte.value()));
        requests.push_back(Query(0, record));
    }
    for (int first = 0; first < 256; first += 4) {
        for (int word = first; word < first + 4; ++word)
            requests.push_back(
                Store(8, word, config.BooleanCode[2 * word], config.BooleanCode[2 * word + 1]));
        for (int word = first + 3; word >= first; --word)
            requests.push_back(Query(8, word));
    }
    return requests;
}

std::vector<std::string> ExpectedStatuses()
{
    std::vector<std::string> statuses{"Starting Communications", "Starting Communications...CONNECTED.."};
    for (const char* pct : {"5", "10", "15", "20", "25"})
        statuses.push_back(std::string("Starting Communications...Connected..") + pct + "%DONE..");
    for (const int pct :
         {26, 27, 29, 30, 31, 32, 33, 34, 36, 37, 38, 39, 40, 41, 43, 44, 45, 46, 47, 48, 50, 51,
          52, 53, 54, 55, 57, 58, 59, 60, 61, 63, 64, 65, 66, 67, 68, 70, 71, 72, 73, 74, 75, 77,
          78, 79, 80, 81, 82, 84, 85, 86, 87, 88, 89, 91, 92, 93, 94, 95, 96, 98, 99, 100})
        statuses.push_back("Starting Communications...Connected.. " + std::to_string(pct) + "%DONE..");
    statuses.push_back("Unit has been programmed");
    return statuses;
}

} // namespace

class WriteToControllerTest : public QObject {
    Q_OBJECT

private slots:
    void wholeWrite_data()
    {
        QTest::addColumn<Microseconds>("byteTime");
        QTest::newRow("instant line") << Microseconds{0};
        QTest::newRow("9600 baud") << ByteTimeAt9600;
    }
    void wholeWrite()
    {
        QFETCH(Microseconds, byteTime);

        LinkBench bench({}, byteTime);
        bench.config = SampleConfiguration();
        const Configuration before = bench.config;

        QCOMPARE(bench.run(bench.commands.writeToController()), std::optional(CommandOutcome::Succeeded));
        QCOMPARE(bench.controller.requests, ExpectedRequests(before));
        QCOMPARE(bench.observer.statuses, ExpectedStatuses());
        for (const auto& [record, byte] : SampleRecords)
            QCOMPARE(bench.controller.settings[static_cast<std::size_t>(record)], byte);
        for (std::size_t word = 0; word < 256; ++word) {
            const std::array<std::uint8_t, 2> held{
                static_cast<std::uint8_t>(before.BooleanCode[2 * word]),
                static_cast<std::uint8_t>(before.BooleanCode[2 * word + 1])};
            QCOMPARE(bench.controller.code[word], held);
        }
        QVERIFY(bench.config == before);
        QVERIFY(!bench.channel.isOpen());
        QVERIFY(bench.observer.notices.empty());
        if (byteTime == Microseconds{0})
            QCOMPARE(bench.clock.now(), WholeWriteAtLeast);
        else
            QVERIFY(bench.clock.now() > WholeWriteAtLeast);
    }

    void unsendableValueRefusesTheWrite()
    {
        LinkBench bench;
        bench.config.TimerOnTime[3] = 70000;
        QCOMPARE(bench.run(bench.commands.writeToController()), std::optional(CommandOutcome::Refused));
        QCOMPARE(bench.observer.notices.size(), std::size_t{1});
        const Notice& notice = bench.observer.notices.front();
        QCOMPARE(notice.icon, Notice::Icon::Exclamation);
        QCOMPARE(notice.title, std::string("WRITE TO CONTROLLER"));
        QCOMPARE(notice.text, " " + FirstUnsendableValue(bench.config).value());
        QCOMPARE(bench.channel.timesOpened, 0);
        QVERIFY(bench.observer.statuses.empty());
    }

    // A settings window saved during the write changes the records still to come.
    void changesDuringTheWriteReachTheRecordsToCome_data()
    {
        QTest::addColumn<int>("changedTimer");
        QTest::addColumn<int>("onTime");
        QTest::addColumn<bool>("programmed");
        QTest::addColumn<int>("lastRequest");

        QTest::newRow("a sendable time goes out") << 5 << 300 << true << 661;
        QTest::newRow("an unsendable time stops the write")
            << 5 << 70000 << false << SettingsStoreRequest(81) + 1;
        QTest::newRow("a time already sent stays as sent") << 1 << 70000 << true << 661;
    }
    void changesDuringTheWriteReachTheRecordsToCome()
    {
        QFETCH(int, changedTimer);
        QFETCH(int, onTime);
        QFETCH(bool, programmed);
        QFETCH(int, lastRequest);

        LinkBench bench;
        bench.clock.after(
            7s, [&bench, changedTimer, onTime] { bench.config.TimerOnTime[changedTimer] = onTime; });
        QCOMPARE(bench.run(bench.commands.writeToController()),
                 std::optional(programmed ? CommandOutcome::Succeeded : CommandOutcome::Failed));
        QCOMPARE(static_cast<int>(bench.controller.requests.size()), lastRequest);
        QCOMPARE(bench.observer.statuses.back(),
                 programmed ? std::string("Unit has been programmed") : FailureText);
        QVERIFY(!bench.channel.isOpen());
        if (changedTimer == 5 && programmed)
            QCOMPARE(bench.controller.settings[83], std::uint8_t{300 % 256});
        if (changedTimer == 1)
            QCOMPARE(bench.controller.settings[67], std::uint8_t{0});
    }

    // The status wait of a settings window shares the waiter but has its own deadline.
    void statusWaitNeitherStretchesNorCutsTheTransfer_data()
    {
        QTest::addColumn<Microseconds>("statusWaitStarts");
        QTest::newRow("during the settings records") << Microseconds(1s);
        QTest::newRow("during the code area") << Microseconds(30s);
        QTest::newRow("just before the last reply wait") << WholeWriteAtLeast - Microseconds(1ms);
    }
    void statusWaitNeitherStretchesNorCutsTheTransfer()
    {
        QFETCH(Microseconds, statusWaitStarts);

        LinkBench bench({.faults = {{SimulatorFault::Kind::Late, 600, 30ms}}});
        Microseconds statusWaitEnded{-1};
        bench.clock.after(statusWaitStarts, [&bench, &statusWaitEnded] {
            bench.waiter.after(2000ms, [&bench, &statusWaitEnded] { statusWaitEnded = bench.clock.now(); });
        });
        QCOMPARE(bench.run(bench.commands.writeToController()), std::optional(CommandOutcome::Succeeded));
        QCOMPARE(bench.clock.now(), WholeWriteAtLeast + Microseconds(30ms));
        while (bench.clock.runNext()) {
        }
        QCOMPARE(statusWaitEnded, statusWaitStarts + Microseconds(2000ms));
    }

    void faultEndsTheWrite_data()
    {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<int>("requests");

        using Kind = SimulatorFault::Kind;
        QTest::newRow("no controller") << SimulatorFaults{.silent = true} << 6;
        QTest::newRow("contact garbled") << SimulatorFaults{.faults = {{Kind::Garble, 1}}} << 1;
        QTest::newRow("record 0 not acknowledged") << SimulatorFaults{.faults = {{Kind::Drop, 2}}} << 2;
        QTest::newRow("record 13 acknowledged twice")
            << SimulatorFaults{.faults = {{Kind::Double, SettingsStoreRequest(13)}}}
            << SettingsStoreRequest(13);
        QTest::newRow("record 40 read back short")
            << SimulatorFaults{.faults = {{Kind::Short, SettingsStoreRequest(40) + 1}}}
            << SettingsStoreRequest(40) + 1;
        QTest::newRow("record 63 reads back wrong")
            << SimulatorFaults{.wrongReadBackRecord = 63} << SettingsStoreRequest(63) + 1;
        QTest::newRow("record 83 acknowledged late")
            << SimulatorFaults{.faults = {{Kind::Late, SettingsStoreRequest(83), 80ms}}}
            << SettingsStoreRequest(83);
        QTest::newRow("device vanishes at record 20")
            << SimulatorFaults{.faults = {{Kind::Vanish, SettingsStoreRequest(20)}}}
            << SettingsStoreRequest(20);
        QTest::newRow("code word 5 not acknowledged")
            << SimulatorFaults{.faults = {{Kind::Drop, CodeStoreRequest(5)}}} << CodeStoreRequest(5);
        QTest::newRow("code word 3 garbled in its batch check")
            << SimulatorFaults{.faults = {{Kind::Garble, BatchCheckRequest(3)}}} << BatchCheckRequest(3);
        QTest::newRow("code word 41 short in its batch check")
            << SimulatorFaults{.faults = {{Kind::Short, BatchCheckRequest(41)}}} << BatchCheckRequest(41);
        QTest::newRow("code word 7 acknowledged twice")
            << SimulatorFaults{.faults = {{Kind::Double, CodeStoreRequest(7)}}} << CodeStoreRequest(7);
        QTest::newRow("device vanishes at code word 100")
            << SimulatorFaults{.faults = {{Kind::Vanish, CodeStoreRequest(100)}}} << CodeStoreRequest(100);
        QTest::newRow("code word 252 garbled in the last batch check")
            << SimulatorFaults{.faults = {{Kind::Garble, BatchCheckRequest(252)}}} << 661;
    }
    void faultEndsTheWrite()
    {
        QFETCH(SimulatorFaults, faults);
        QFETCH(int, requests);

        LinkBench bench(faults);
        bench.config = SampleConfiguration();
        const Configuration before = bench.config;
        QCOMPARE(bench.run(bench.commands.writeToController()), std::optional(CommandOutcome::Failed));
        QCOMPARE(static_cast<int>(bench.controller.requests.size()), requests);
        QCOMPARE(bench.observer.statuses.back(), FailureText);
        QCOMPARE(std::count(bench.observer.statuses.begin(), bench.observer.statuses.end(), FailureText), 1);
        QVERIFY(!bench.channel.isOpen());
        QVERIFY(bench.config == before);
    }
};

QTEST_GUILESS_MAIN(WriteToControllerTest)
#include "write_to_controller_test.moc"
