// The whole read against the simulated controller in virtual time: what it
// queries, what it decodes and lists, what it announces, and what a failure
// at each stage leaves behind.

#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "support/link_bench.h"
#include "support/wire_records.h"
#endif

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

Q_DECLARE_METATYPE(SimulatorFaults)

namespace {

const std::string FailureText = "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
constexpr int FirstCodeQuery = 260; // after "A" and two queries for each of records 0..128

// A controller holding a configuration worked out by hand.
void LoadController(ControllerSimulator& controller)
{
    const std::map<int, std::uint8_t> records = {
        {0, 9},    {1, 4},    {2, 3},   {3, 2},   {4, 1},    {12, 5},   {13, 5},  {14, 128},
        {16, 2},   {17, 104}, {18, 1},  {19, 2},  {20, 2},   {21, 101}, {40, 2},  {41, 0},
        {42, 0},   {43, 50},  {57, 17}, {58, 30}, {59, 3},   {61, 10},  {62, 20}, {63, 17},
        {64, 255}, {65, 220}, {66, 0},  {67, 50}, {100, 77},
    };
    for (const auto& [record, byte] : records)
        controller.settings[static_cast<std::size_t>(record)] = byte;
    controller.code[0] = {0, 1};   // MUX1
    controller.code[1] = {1, 130}; //   AND NOT MUX2
    controller.code[2] = {0, 17};  // FET1
    controller.code[255] = {1, 255};
}

// What the tool held before the read: all of it must either survive or be replaced.
Configuration EarlierConfiguration(std::int16_t voltageModel)
{
    Configuration config;
    config.VoltageModel = voltageModel;
    config.FileName = "PUMP.MCF";
    config.ChannelDirection[2] = 1;
    config.TimerOnTime[2] = 400;
    config.BooleanText[1] = "INPUT1 ";
    config.BooleanEditText[1] = "INPUT1 OR ";
    config.BooleanCode.fill(99);
    return config;
}

std::vector<std::string> ExpectedQueries()
{
    std::vector<std::string> requests{"A"};
    for (int record = 0; record <= 128; ++record)
        requests.insert(requests.end(), 2, Query(0, record));
    for (int word = 0; word <= 255; ++word)
        requests.insert(requests.end(), 2, Query(8, word));
    return requests;
}

} // namespace

class ReadFromControllerTest : public QObject {
    Q_OBJECT

private slots:
    void wholeRead_data()
    {
        QTest::addColumn<int>("voltageModel");
        QTest::addColumn<float>("voltage1"); // count 616
        QTest::addColumn<float>("voltage2"); // count 613

        QTest::newRow("12 V model") << 0 << 12.1f << 12.0f;
        QTest::newRow("24 V model") << 1 << 24.0f << 23.9f;
    }
    void wholeRead()
    {
        QFETCH(int, voltageModel);
        QFETCH(float, voltage1);
        QFETCH(float, voltage2);

        LinkBench bench;
        LoadController(bench.controller);
        bench.config = EarlierConfiguration(static_cast<std::int16_t>(voltageModel));
        std::vector<Configuration> atEachRefresh;
        bench.observer.onReplaced = [&](SettingsGroup) { atEachRefresh.push_back(bench.config); };

        QCOMPARE(bench.run(bench.commands.readFromController()), std::optional(CommandOutcome::Succeeded));
        QCOMPARE(bench.controller.requests, ExpectedQueries());
        QCOMPARE(bench.observer.statuses,
                 (std::vector<std::string>{
                     "STARTING COMMUNICATIONS.......", "STARTING COMMUNICATIONS..CONNECTED....",
                     "STARTING COMMUNICATIONS..CONNECTED..25%COMPLETE...",
                     "STARTING COMMUNICATIONS..CONNECTED..100%COMPLETE...", "READ COMPLETED"}));
        QCOMPARE(
            bench.observer.replaced,
            (std::vector<SettingsGroup>{SettingsGroup::Channels, SettingsGroup::Analog, SettingsGroup::Timers,
                                        SettingsGroup::Booleans, SettingsGroup::AdditionalFeatures}));
        QVERIFY(!bench.channel.isOpen());
        QCOMPARE(bench.clock.now(), Microseconds(100ms));

        const Configuration& config = bench.config;
        QCOMPARE(config.ControllerRecord0, std::int16_t{9});
        QCOMPARE(config.CycleCountDigit[4] * 1000 + config.CycleCountDigit[3] * 100 +
                     config.CycleCountDigit[2] * 10 + config.CycleCountDigit[1],
                 1234);
        QCOMPARE(config.OptionFlags, std::int16_t{5});
        const std::vector<int> outputs{1, 3, 16};
        for (int n = 1; n <= ChannelCount; ++n)
            QCOMPARE(config.ChannelDirection[n], std::int16_t(std::count(outputs.begin(), outputs.end(), n)));
        QCOMPARE(config.VoltageSetting[1], voltage1);
        QCOMPARE(config.VoltageSetting[2], voltage2);
        QCOMPARE(config.VoltageTime[1], 258);
        QCOMPARE(config.TemperatureSetting[1], 25.0f);
        QCOMPARE(config.TemperatureTime[1], 50);
        QCOMPARE(config.CycleCounterOperand, std::int16_t{17});
        QCOMPARE(config.SlpOnTime, std::int16_t{20});
        QCOMPARE(config.TimerMode[1], std::int16_t{1});
        QCOMPARE(config.TimerMode[3], std::int16_t{0});
        QCOMPARE(config.TimerMode[5], std::int16_t{1});
        QCOMPARE(config.TimerOffTime[1], 65500);
        QCOMPARE(config.TimerOnTime[1], 50);
        QCOMPARE(config.TimerOnTime[2], 0);
        QCOMPARE(config.VoltageModel, std::int16_t(voltageModel));
        QCOMPARE(config.FileName, std::string("PUMP.MCF"));
        for (std::size_t word = 0; word < 256; ++word) {
            QCOMPARE(config.BooleanCode[2 * word], std::int16_t{bench.controller.code[word][0]});
            QCOMPARE(config.BooleanCode[2 * word + 1], std::int16_t{bench.controller.code[word][1]});
        }
        QCOMPARE(config.BooleanCode[512], std::int16_t{99});
        QCOMPARE(config.BooleanText[1], std::string("MUX1 AND NOT MUX2 "));
        QCOMPARE(config.BooleanText[2], std::string("FET1 "));
        QCOMPARE(config.BooleanText[42], std::string());
        QVERIFY(config.BooleanEditText == config.BooleanText);

        // Each group is replaced before it is announced, and not before.
        QCOMPARE(atEachRefresh.size(), std::size_t{5});
        QCOMPARE(atEachRefresh[0].ChannelDirection[1], std::int16_t{1});
        QCOMPARE(atEachRefresh[0].TemperatureSetting[1], 0.0f);
        QCOMPARE(atEachRefresh[1].TemperatureSetting[1], 25.0f);
        QCOMPARE(atEachRefresh[1].TimerOnTime[2], 400);
        QCOMPARE(atEachRefresh[2].TimerOnTime[2], 0);
        QCOMPARE(atEachRefresh[2].BooleanCode[0], std::int16_t{99});
        QCOMPARE(atEachRefresh[3].BooleanText[1], std::string("MUX1 AND NOT MUX2 "));
    }

    void faultEndsTheRead_data()
    {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<int>("codeWordsRead"); // -1: failed before any decoding

        using Kind = SimulatorFault::Kind;
        QTest::newRow("no controller") << SimulatorFaults{.silent = true} << -1;
        QTest::newRow("contact acknowledged twice") << SimulatorFaults{.faults = {{Kind::Double, 1}}} << -1;
        QTest::newRow("record 0 first reply lost") << SimulatorFaults{.faults = {{Kind::Drop, 2}}} << -1;
        QTest::newRow("record 20 read differently the second time")
            << SimulatorFaults{.faults = {{Kind::Garble, 2 + 2 * 20 + 1}}} << -1;
        QTest::newRow("record 100 answered short")
            << SimulatorFaults{.faults = {{Kind::Short, 2 + 2 * 100}}} << -1;
        QTest::newRow("record 16 second reply doubled")
            << SimulatorFaults{.faults = {{Kind::Double, 2 + 2 * 16 + 1}}} << -1;
        QTest::newRow("device vanishes at record 50")
            << SimulatorFaults{.faults = {{Kind::Vanish, 2 + 2 * 50}}} << -1;
        QTest::newRow("code word 0 first reply lost")
            << SimulatorFaults{.faults = {{Kind::Drop, FirstCodeQuery}}} << 0;
        QTest::newRow("code word 10 read differently the second time")
            << SimulatorFaults{.faults = {{Kind::Garble, FirstCodeQuery + 2 * 10 + 1}}} << 10;
        QTest::newRow("code word 30 first reply late")
            << SimulatorFaults{.faults = {{Kind::Late, FirstCodeQuery + 2 * 30, 60ms}}} << 30;
        QTest::newRow("code word 200 answered short")
            << SimulatorFaults{.faults = {{Kind::Short, FirstCodeQuery + 2 * 200}}} << 200;
        QTest::newRow("device vanishes at code word 255")
            << SimulatorFaults{.faults = {{Kind::Vanish, FirstCodeQuery + 2 * 255 + 1}}} << 255;
    }
    void faultEndsTheRead()
    {
        QFETCH(SimulatorFaults, faults);
        QFETCH(int, codeWordsRead);

        // What a read that went through would have made of the same controller.
        LinkBench healthy;
        LoadController(healthy.controller);
        healthy.config = EarlierConfiguration(0);
        QCOMPARE(healthy.run(healthy.commands.readFromController()),
                 std::optional(CommandOutcome::Succeeded));

        LinkBench bench(faults);
        LoadController(bench.controller);
        bench.config = EarlierConfiguration(0);
        const Configuration before = bench.config;
        QCOMPARE(bench.run(bench.commands.readFromController()), std::optional(CommandOutcome::Failed));
        QCOMPARE(bench.observer.statuses.back(), FailureText);
        QVERIFY(!bench.channel.isOpen());

        if (codeWordsRead < 0) {
            QVERIFY(bench.config == before);
            QVERIFY(bench.observer.replaced.empty());
            return;
        }
        Configuration expected = healthy.config;
        expected.BooleanText = before.BooleanText;
        expected.BooleanEditText = before.BooleanEditText;
        std::copy(before.BooleanCode.begin() + 2 * codeWordsRead, before.BooleanCode.end(),
                  expected.BooleanCode.begin() + 2 * codeWordsRead);
        QVERIFY(bench.config == expected);
        QCOMPARE(bench.observer.replaced,
                 (std::vector<SettingsGroup>{SettingsGroup::Channels, SettingsGroup::Analog,
                                             SettingsGroup::Timers}));
    }
};

QTEST_GUILESS_MAIN(ReadFromControllerTest)
#include "read_from_controller_test.moc"
