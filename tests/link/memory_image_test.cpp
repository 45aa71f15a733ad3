// The controller memory image: what each settings record carries, what a write
// refuses to send, and what a read makes of the records it gets back.

#include "link/memory_image.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <ranges>
#include <vector>

using muxcc::Configuration;
using namespace muxcc::link;

using Setup = void (*)(Configuration&);
Q_DECLARE_METATYPE(Setup)

namespace {

void Fresh(Configuration&) {}

int ByteOf(const Configuration& config, int record)
{
    const RecordByte encoded = EncodeSettingsRecord(config, record);
    if (!encoded.byte)
        return -1;
    return *encoded.byte;
}

// The settings image a controller would hold after a write of `config`.
SettingsImage WrittenImage(const Configuration& config)
{
    SettingsImage image{};
    for (const int record : SettingsRecordOrder)
        image[static_cast<std::size_t>(record)] = ByteOf(config, record);
    return image;
}

Configuration ReadBack(const SettingsImage& image, std::int16_t voltageModel)
{
    Configuration config;
    config.VoltageModel = voltageModel;
    DecodeKeptValuesAndChannels(image, config);
    DecodeComparators(image, config);
    DecodeFeaturesAndTimers(image, config);
    return config;
}

// The message FirstUnsendableValue gives, or empty when everything can go.
QString Unsendable(const Configuration& config)
{
    const auto message = FirstUnsendableValue(config);
    return message ? QString::fromStdString(*message) : QString();
}

SettingsImage ImageWith(std::initializer_list<std::pair<int, std::int32_t>> records)
{
    SettingsImage image{};
    for (const auto& [record, value] : records)
        image[static_cast<std::size_t>(record)] = value;
    return image;
}

} // namespace

class MemoryImageTest : public QObject {
    Q_OBJECT

private slots:
    void freshConfigurationSendsOnlyTheZeroTemperatureCount();
    void encodesRecords_data();
    void encodesRecords();
    void refusesValueTheRecordCannotCarry_data();
    void refusesValueTheRecordCannotCarry();
    void firstUnsendableValueFollowsSendOrder_data();
    void firstUnsendableValueFollowsSendOrder();
    void decodesVoltageByCurrentModel_data();
    void decodesVoltageByCurrentModel();
    void decodesTemperature_data();
    void decodesTemperature();
    void decodesTimerModesWorkingDown_data();
    void decodesTimerModesWorkingDown();
    void decodesChannelDirectionBits();
    void decodesOutOfRangeValuesWithoutOverflow();
    void everyLegalVoltageSurvivesTheRoundTrip_data();
    void everyLegalVoltageSurvivesTheRoundTrip();
    void everyLegalTemperatureSurvivesTheRoundTrip();
    void everyTimeSurvivesTheRoundTrip();
    void everyBitSetSurvivesTheRoundTrip();
    void wholeConfigurationSurvivesTheRoundTrip_data();
    void wholeConfigurationSurvivesTheRoundTrip();
};

void MemoryImageTest::freshConfigurationSendsOnlyTheZeroTemperatureCount()
{
    const Configuration config;
    for (const int record : SettingsRecordOrder) {
        const bool temperatureSetting = record >= 40 && record <= 55 && (record - 40) % 4 < 2;
        const int expected = !temperatureSetting ? 0 : (record % 2 == 0 ? 3 : 17); // 785 = 3 * 256 + 17
        QCOMPARE(ByteOf(config, record), expected);
    }
    QCOMPARE(Unsendable(config), QString());
}

void MemoryImageTest::encodesRecords_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("record");
    QTest::addColumn<std::vector<int>>("bytes"); // of `record` and the records after it

    const Setup allOutputs = +[](Configuration& c) { std::ranges::fill(c.ChannelDirection, 1); };
    using V = std::vector<int>;
    // clang-format off
    QTest::newRow("fresh T4 count is 785")               << &Fresh << 52 << V{3, 17};
    QTest::newRow("12.0 V on the 12 V model is 613")     << +[](Configuration& c) { c.VoltageSetting[1] = 12.0F; } << 16 << V{2, 101};
    QTest::newRow("24.0 V on the 24 V model is 616")     << +[](Configuration& c) { c.VoltageSetting[1] = 24.0F; c.VoltageModel = 1; } << 16 << V{2, 104};
    QTest::newRow("20.0 V on the 12 V model is 1021")    << +[](Configuration& c) { c.VoltageSetting[3] = 20.0F; } << 24 << V{3, 253};
    QTest::newRow("36.0 V on the 24 V model is 924")     << +[](Configuration& c) { c.VoltageSetting[6] = 36.0F; c.VoltageModel = 1; } << 36 << V{3, 156};
    QTest::newRow("model 2 counts as the 12 V model")    << +[](Configuration& c) { c.VoltageSetting[2] = 12.0F; c.VoltageModel = 2; } << 20 << V{2, 101};
    QTest::newRow("36.0 V on the 12 V model saturates")  << +[](Configuration& c) { c.VoltageSetting[4] = 36.0F; } << 28 << V{3, 255};
    QTest::newRow("infinite voltage saturates")          << +[](Configuration& c) { c.VoltageSetting[5] = INFINITY; } << 32 << V{3, 255};
    QTest::newRow("tiny negative voltage rounds to 0")   << +[](Configuration& c) { c.VoltageSetting[1] = -0.001F; } << 16 << V{0, 0};
    QTest::newRow("temperature 25 is 512")               << +[](Configuration& c) { c.TemperatureSetting[2] = 25.0F; } << 44 << V{2, 0};
    QTest::newRow("temperature 50 is 271")               << +[](Configuration& c) { c.TemperatureSetting[3] = 50.0F; } << 48 << V{1, 15};
    QTest::newRow("temperature 100 is 63")               << +[](Configuration& c) { c.TemperatureSetting[1] = 100.0F; } << 40 << V{0, 63};
    QTest::newRow("temperature 77 is 124")               << +[](Configuration& c) { c.TemperatureSetting[2] = 77.0F; } << 44 << V{0, 124};
    QTest::newRow("temperature -10 is 870")              << +[](Configuration& c) { c.TemperatureSetting[4] = -10.0F; } << 52 << V{3, 102};
    QTest::newRow("voltage time 65500")                  << +[](Configuration& c) { c.VoltageTime[1] = 65500; } << 18 << V{255, 220};
    QTest::newRow("voltage time above 65535 is limited") << +[](Configuration& c) { c.VoltageTime[2] = 65536; } << 22 << V{255, 255};
    QTest::newRow("temperature time far above limited")  << +[](Configuration& c) { c.TemperatureTime[1] = 2000000000; } << 42 << V{255, 255};
    QTest::newRow("temperature time 300")                << +[](Configuration& c) { c.TemperatureTime[4] = 300; } << 54 << V{1, 44};
    QTest::newRow("timer 1 off time 65500")              << +[](Configuration& c) { c.TimerOffTime[1] = 65500; } << 64 << V{255, 220};
    QTest::newRow("timer 3 on time 300")                 << +[](Configuration& c) { c.TimerOnTime[3] = 300; } << 74 << V{1, 44};
    QTest::newRow("timer 5 on time 65535")               << +[](Configuration& c) { c.TimerOnTime[5] = 65535; } << 82 << V{255, 255};
    QTest::newRow("MUX1 and MUX9 outputs")               << +[](Configuration& c) { c.ChannelDirection[1] = c.ChannelDirection[9] = 1; } << 13 << V{1, 1};
    QTest::newRow("all outputs")                         << allOutputs << 13 << V{255, 255};
    QTest::newRow("MUX16 output is the top bit")         << +[](Configuration& c) { c.ChannelDirection[16] = 1; } << 13 << V{0, 128};
    QTest::newRow("direction 2 or -1 is an input")       << +[](Configuration& c) { c.ChannelDirection[1] = 2; c.ChannelDirection[2] = 1; c.ChannelDirection[8] = -1; } << 13 << V{2};
    QTest::newRow("timers 1 and 5 one shot")             << +[](Configuration& c) { c.TimerMode[1] = c.TimerMode[5] = 1; } << 63 << V{17};
    QTest::newRow("timer mode 2 is a duty timer")        << +[](Configuration& c) { c.TimerMode[3] = 2; c.TimerMode[2] = 1; } << 63 << V{2};
    QTest::newRow("kept values as kept")                 << +[](Configuration& c) { c.ControllerRecord0 = 200; c.CycleCountDigit[1] = 7; c.CycleCountDigit[4] = 255; } << 0 << V{200, 7, 0, 0, 255};
    QTest::newRow("options and direction banks")         << +[](Configuration& c) { c.OptionFlags = 15; c.ChannelDirection[3] = 1; } << 12 << V{15, 4, 0};
    QTest::newRow("operands and seconds")                << +[](Configuration& c) { c.CycleCounterOperand = 65; c.CycleCounterTime = 255; c.SlpOperand = 61; } << 57 << V{65, 255, 61};
    QTest::newRow("sleep seconds")                       << +[](Configuration& c) { c.SlpOffTime = 10; c.SlpOnTime = 20; } << 61 << V{10, 20};
    // clang-format on
}

void MemoryImageTest::encodesRecords()
{
    QFETCH(Setup, setup);
    QFETCH(int, record);
    QFETCH(std::vector<int>, bytes);

    Configuration config;
    setup(config);
    for (const int expected : bytes)
        QCOMPARE(ByteOf(config, record++), expected);
}

void MemoryImageTest::refusesValueTheRecordCannotCarry_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<std::vector<int>>("records"); // every record the value would go in; none for code
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");

    using V = std::vector<int>;
    // clang-format off
    QTest::newRow("negative voltage count")       << +[](Configuration& c) { c.VoltageSetting[2] = -1.5F; } << V{20, 21} << "VoltageSetting[2]" << "-1.5";
    QTest::newRow("voltage not a number")         << +[](Configuration& c) { c.VoltageSetting[6] = NAN; } << V{36, 37} << "VoltageSetting[6]" << "nan";
    QTest::newRow("negative temperature count")   << +[](Configuration& c) { c.TemperatureSetting[3] = 200.0F; } << V{48, 49} << "TemperatureSetting[3]" << "200";
    QTest::newRow("far below zero degrees")       << +[](Configuration& c) { c.TemperatureSetting[1] = -100.0F; } << V{40, 41} << "TemperatureSetting[1]" << "-100";
    QTest::newRow("negative voltage time")        << +[](Configuration& c) { c.VoltageTime[1] = -1; } << V{18, 19} << "VoltageTime[1]" << "-1";
    QTest::newRow("negative temperature time")    << +[](Configuration& c) { c.TemperatureTime[4] = -5; } << V{54, 55} << "TemperatureTime[4]" << "-5";
    QTest::newRow("negative timer off time")      << +[](Configuration& c) { c.TimerOffTime[2] = -1; } << V{68, 69} << "TimerOffTime[2]" << "-1";
    QTest::newRow("timer on time above 65535")    << +[](Configuration& c) { c.TimerOnTime[3] = 70000; } << V{74, 75} << "TimerOnTime[3]" << "70000";
    QTest::newRow("timer off time just above")    << +[](Configuration& c) { c.TimerOffTime[5] = 65536; } << V{80, 81} << "TimerOffTime[5]" << "65536";
    QTest::newRow("controller record 0 negative") << +[](Configuration& c) { c.ControllerRecord0 = -1; } << V{0} << "ControllerRecord0" << "-1";
    QTest::newRow("cycle digit above a byte")     << +[](Configuration& c) { c.CycleCountDigit[4] = 256; } << V{4} << "CycleCountDigit[4]" << "256";
    QTest::newRow("option flags above a byte")    << +[](Configuration& c) { c.OptionFlags = 300; } << V{12} << "OptionFlags" << "300";
    QTest::newRow("cycle counter operand 256")    << +[](Configuration& c) { c.CycleCounterOperand = 256; } << V{57} << "CycleCounterOperand" << "256";
    QTest::newRow("cycle counter seconds 256")    << +[](Configuration& c) { c.CycleCounterTime = 256; } << V{58} << "CycleCounterTime" << "256";
    QTest::newRow("negative sleep operand")       << +[](Configuration& c) { c.SlpOperand = -3; } << V{59} << "SlpOperand" << "-3";
    QTest::newRow("sleep off seconds 1000")       << +[](Configuration& c) { c.SlpOffTime = 1000; } << V{61} << "SlpOffTime" << "1000";
    QTest::newRow("sleep on seconds negative")    << +[](Configuration& c) { c.SlpOnTime = -1; } << V{62} << "SlpOnTime" << "-1";
    QTest::newRow("code entry above a byte")      << +[](Configuration& c) { c.BooleanCode[17] = 300; } << V{} << "BooleanCode[17]" << "300";
    QTest::newRow("last sent code entry below 0") << +[](Configuration& c) { c.BooleanCode[511] = -1; } << V{} << "BooleanCode[511]" << "-1";
    // clang-format on
}

void MemoryImageTest::refusesValueTheRecordCannotCarry()
{
    QFETCH(Setup, setup);
    QFETCH(std::vector<int>, records);
    QFETCH(QString, field);
    QFETCH(QString, value);

    Configuration config;
    setup(config);
    for (const int record : SettingsRecordOrder) {
        const RecordByte encoded = EncodeSettingsRecord(config, record);
        const bool refused = std::ranges::find(records, record) != records.end();
        QVERIFY2(encoded.byte.has_value() != refused, qPrintable(QString::number(record)));
        if (refused) {
            QCOMPARE(QString::fromStdString(encoded.field), field);
            QCOMPARE(QString::fromStdString(encoded.fieldValue), value);
        }
    }
    QCOMPARE(Unsendable(config), field + " = " + value + " cannot be sent to the controller");
}

void MemoryImageTest::firstUnsendableValueFollowsSendOrder_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("message"); // empty: everything can be sent

    // clang-format off
    QTest::newRow("settings record before code")     << +[](Configuration& c) { c.BooleanCode[0] = 256; c.TimerOnTime[5] = -2; }
        << "TimerOnTime[5] = -2 cannot be sent to the controller";
    QTest::newRow("lower record before higher")      << +[](Configuration& c) { c.TimerOnTime[1] = 70000; c.VoltageTime[6] = -1; }
        << "VoltageTime[6] = -1 cannot be sent to the controller";
    QTest::newRow("lower code entry first")          << +[](Configuration& c) { c.BooleanCode[300] = 294; c.BooleanCode[3] = -7; }
        << "BooleanCode[3] = -7 cannot be sent to the controller";
    QTest::newRow("code entry 512 is never sent")    << +[](Configuration& c) { c.BooleanCode[512] = 999; } << QString();
    QTest::newRow("saturating values are sendable")  << +[](Configuration& c) { c.VoltageSetting[1] = 50.0F; c.VoltageTime[1] = 100000; c.TemperatureTime[2] = 70000; }
        << QString();
    QTest::newRow("byte limits are sendable")        << +[](Configuration& c) { c.BooleanCode[511] = 255; c.OptionFlags = 255; c.TimerOffTime[4] = 65535; }
        << QString();
    // clang-format on
}

void MemoryImageTest::firstUnsendableValueFollowsSendOrder()
{
    QFETCH(Setup, setup);
    QFETCH(QString, message);

    Configuration config;
    setup(config);
    QCOMPARE(Unsendable(config), message);
}

void MemoryImageTest::decodesVoltageByCurrentModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<float>("volts");

    // clang-format off
    QTest::newRow("613 on the 12 V model")           << 0 << 2 << 101  << 12.0F;
    QTest::newRow("1021 on the 12 V model")          << 0 << 3 << 253  << 20.0F;
    QTest::newRow("616 on the 24 V model")           << 1 << 2 << 104  << 24.0F;
    QTest::newRow("613 on the 24 V model")           << 1 << 2 << 101  << 23.9F;
    QTest::newRow("model 2 reads as 12 V")           << 2 << 2 << 101  << 12.0F;
    QTest::newRow("zero count")                      << 1 << 0 << 0    << 0.0F;
    QTest::newRow("saturated count on 12 V")         << 0 << 3 << 255  << 20.0F;
    QTest::newRow("200.5 tenths halve to even 20.0") << 0 << 4 << 0    << 20.0F;
    QTest::newRow("598.5 tenths halve to even 59.8") << 1 << 6 << 0    << 59.8F;
    QTest::newRow("bytes above 255 are taken whole") << 0 << 0 << 1021 << 20.0F;
    // clang-format on
}

void MemoryImageTest::decodesVoltageByCurrentModel()
{
    QFETCH(int, model);
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(float, volts);

    Configuration config;
    config.VoltageModel = static_cast<std::int16_t>(model);
    DecodeComparators(ImageWith({{16, high}, {17, low}, {36, high}, {37, low}}), config);
    QCOMPARE(config.VoltageSetting[1], volts);
    QCOMPARE(config.VoltageSetting[6], volts);
    QCOMPARE(config.VoltageModel, model);
}

void MemoryImageTest::decodesTemperature_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("degrees");

    // clang-format off
    QTest::newRow("785 is 0")   << 785 << 0.0F;
    QTest::newRow("512 is 25")  << 512 << 25.0F;
    QTest::newRow("271 is 50")  << 271 << 50.0F;
    QTest::newRow("131 is 75")  << 131 << 75.0F;
    QTest::newRow("63 is 100")  << 63  << 100.0F;
    QTest::newRow("124 is 78")  << 124 << 78.0F;
    QTest::newRow("76 is 94")   << 76  << 94.0F;
    // clang-format on
}

void MemoryImageTest::decodesTemperature()
{
    QFETCH(int, count);
    QFETCH(float, degrees);

    Configuration config;
    DecodeComparators(ImageWith({{44, count / 256}, {45, count % 256}}), config);
    QCOMPARE(config.TemperatureSetting[2], degrees);
}

void MemoryImageTest::decodesTimerModesWorkingDown_data()
{
    QTest::addColumn<int>("record63");
    QTest::addColumn<std::vector<int>>("modes"); // TimerMode[1..5]

    // clang-format off
    QTest::newRow("17 is timers 1 and 5")          << 17  << std::vector{1, 0, 0, 0, 1};
    QTest::newRow("31 is all five")                << 31  << std::vector{1, 1, 1, 1, 1};
    QTest::newRow("5 is timers 1 and 3")           << 5   << std::vector{1, 0, 1, 0, 0};
    QTest::newRow("0 is all duty timers")          << 0   << std::vector{0, 0, 0, 0, 0};
    QTest::newRow("32 is more than every weight")  << 32  << std::vector{1, 1, 1, 1, 1};
    QTest::newRow("999 is more than every weight") << 999 << std::vector{1, 1, 1, 1, 1};
    QTest::newRow("negative is all duty timers")   << -4  << std::vector{0, 0, 0, 0, 0};
    // clang-format on
}

void MemoryImageTest::decodesTimerModesWorkingDown()
{
    QFETCH(int, record63);
    QFETCH(std::vector<int>, modes);

    Configuration config;
    DecodeFeaturesAndTimers(ImageWith({{63, record63}}), config);
    for (int n = 1; n <= muxcc::TimerCount; ++n)
        QCOMPARE(config.TimerMode[n], modes[static_cast<std::size_t>(n - 1)]);
}

void MemoryImageTest::decodesChannelDirectionBits()
{
    Configuration config;
    for (auto& direction : config.ChannelDirection)
        direction = 2; // every channel is rewritten, not only those set
    DecodeKeptValuesAndChannels(ImageWith({{13, 5}, {14, 128}}), config);
    const std::vector expected{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (int n = 1; n <= muxcc::ChannelCount; ++n)
        QCOMPARE(config.ChannelDirection[n], expected[static_cast<std::size_t>(n - 1)]);
}

void MemoryImageTest::decodesOutOfRangeValuesWithoutOverflow()
{
    constexpr std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    const SettingsImage image = ImageWith({{0, 999},
                                           {1, 70000},
                                           {2, -70000},
                                           {12, 300},
                                           {18, 99999},
                                           {19, 99999},
                                           {40, huge},
                                           {41, huge},
                                           {57, 1000},
                                           {64, huge},
                                           {65, huge},
                                           {66, -huge},
                                           {67, 0}});
    const Configuration config = ReadBack(image, 1);
    QCOMPARE(config.VoltageModel, 1);
    QCOMPARE(config.ControllerRecord0, 999);
    QCOMPARE(config.CycleCountDigit[1], std::numeric_limits<std::int16_t>::max());
    QCOMPARE(config.CycleCountDigit[2], std::numeric_limits<std::int16_t>::min());
    QCOMPARE(config.OptionFlags, 300);
    QCOMPARE(config.VoltageTime[1], 99999 * 256 + 99999);
    QCOMPARE(config.CycleCounterOperand, 1000);
    QCOMPARE(config.TimerOffTime[1], huge);
    QCOMPARE(config.TimerOnTime[1], std::numeric_limits<std::int32_t>::min());
    QVERIFY(std::isinf(config.TemperatureSetting[1]));
}

void MemoryImageTest::everyLegalVoltageSurvivesTheRoundTrip_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("maximumTenths");

    QTest::newRow("12 V model, 0.0 to 20.0") << 0 << 200;
    QTest::newRow("24 V model, 0.0 to 36.0") << 1 << 360;
}

void MemoryImageTest::everyLegalVoltageSurvivesTheRoundTrip()
{
    QFETCH(int, model);
    QFETCH(int, maximumTenths);

    for (int tenths = 0; tenths <= maximumTenths; ++tenths) {
        Configuration config;
        config.VoltageModel = static_cast<std::int16_t>(model);
        // As the analog window stores it: the typed text read as a float.
        config.VoltageSetting[4] = static_cast<float>(tenths / 10.0);
        const Configuration read = ReadBack(WrittenImage(config), config.VoltageModel);
        QCOMPARE(read.VoltageSetting[4], config.VoltageSetting[4]);
    }
}

void MemoryImageTest::everyLegalTemperatureSurvivesTheRoundTrip()
{
    // The controller's two curves are not exact inverses: these three whole
    // degrees land on a count whose inverse rounds to a neighbour.
    const std::map<int, float> neighbours{{77, 78.0F}, {93, 92.0F}, {95, 94.0F}};
    for (int degrees = 0; degrees <= 100; ++degrees) {
        Configuration config;
        config.TemperatureSetting[3] = static_cast<float>(degrees);
        const Configuration read = ReadBack(WrittenImage(config), 0);
        const auto neighbour = neighbours.find(degrees);
        const float expected =
            neighbour == neighbours.end() ? config.TemperatureSetting[3] : neighbour->second;
        QCOMPARE(read.TemperatureSetting[3], expected);
    }
}

void MemoryImageTest::everyTimeSurvivesTheRoundTrip()
{
    // Only the records of the four times are written; the rest of the image stays zero.
    const std::array timeRecords{22, 23, 50, 51, 76, 77, 82, 83};
    Configuration config;
    Configuration read;
    SettingsImage image{};
    for (std::int32_t time = 0; time <= 65535; ++time) {
        config.VoltageTime[2] = time;
        config.TemperatureTime[3] = time;
        config.TimerOffTime[4] = time;
        config.TimerOnTime[5] = time;
        for (const int record : timeRecords)
            image[static_cast<std::size_t>(record)] = ByteOf(config, record);
        DecodeComparators(image, read);
        DecodeFeaturesAndTimers(image, read);
        QCOMPARE(read.VoltageTime[2], time);
        QCOMPARE(read.TemperatureTime[3], time);
        QCOMPARE(read.TimerOffTime[4], time);
        QCOMPARE(read.TimerOnTime[5], time);
    }
}

void MemoryImageTest::everyBitSetSurvivesTheRoundTrip()
{
    for (int bits = 0; bits <= 255; ++bits) {
        Configuration config;
        for (int k = 0; k < 8; ++k) {
            config.ChannelDirection[k + 1] = static_cast<std::int16_t>((bits >> k) & 1);
            config.ChannelDirection[16 - k] = static_cast<std::int16_t>((bits >> k) & 1);
        }
        for (int n = 1; n <= muxcc::TimerCount; ++n)
            config.TimerMode[n] = static_cast<std::int16_t>((bits >> (n - 1)) & 1);
        const Configuration read = ReadBack(WrittenImage(config), 0);
        QCOMPARE(read.ChannelDirection, config.ChannelDirection);
        QCOMPARE(read.TimerMode, config.TimerMode);
    }
}

void MemoryImageTest::wholeConfigurationSurvivesTheRoundTrip_data()
{
    QTest::addColumn<Setup>("setup");

    QTest::newRow("fresh start") << &Fresh;
    QTest::newRow("every field in use, 12 V model") << +[](Configuration& c) {
        c.ControllerRecord0 = 170;
        std::ranges::fill(c.CycleCountDigit, 9);
        c.OptionFlags = 10;
        for (int n = 1; n <= muxcc::ChannelCount; ++n)
            c.ChannelDirection[n] = static_cast<std::int16_t>(n % 3 == 0);
        for (int n = 1; n <= muxcc::VoltageComparatorCount; ++n) {
            c.VoltageSetting[n] = static_cast<float>((30 * n + 7) / 10.0);
            c.VoltageTime[n] = 10000 * n + 17;
        }
        for (int n = 1; n <= muxcc::TemperatureComparatorCount; ++n) {
            c.TemperatureSetting[n] = static_cast<float>(23 * n);
            c.TemperatureTime[n] = 65500 - n;
        }
        c.CycleCounterOperand = 65;
        c.CycleCounterTime = 255;
        c.SlpOperand = 37;
        c.SlpOffTime = 12;
        c.SlpOnTime = 200;
        for (int n = 1; n <= muxcc::TimerCount; ++n) {
            c.TimerMode[n] = static_cast<std::int16_t>(n % 2);
            c.TimerOffTime[n] = 13000 * n + 1;
            c.TimerOnTime[n] = 255 * n;
        }
    };
    QTest::newRow("top of every range, 24 V model") << +[](Configuration& c) {
        c.VoltageModel = 1;
        c.OptionFlags = 15;
        std::ranges::fill(c.VoltageSetting, 36.0F);
        std::ranges::fill(c.TemperatureSetting, 100.0F);
        std::ranges::fill(c.VoltageTime, 65535);
        std::ranges::fill(c.TimerOnTime, 65535);
        std::ranges::fill(c.TimerMode, 1);
        std::ranges::fill(c.ChannelDirection, 1);
    };
}

void MemoryImageTest::wholeConfigurationSurvivesTheRoundTrip()
{
    QFETCH(Setup, setup);

    Configuration config;
    setup(config);
    QCOMPARE(Unsendable(config), QString());
    const Configuration read = ReadBack(WrittenImage(config), config.VoltageModel);
    QCOMPARE(read, config);
}

QTEST_APPLESS_MAIN(MemoryImageTest)

#include "memory_image_test.moc"
