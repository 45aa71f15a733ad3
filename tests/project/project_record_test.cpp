#include "project/project_reader.h"
#include "project/project_writer.h"

#include "project_lines.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace muxcc;
using test::Change;
using test::freshLineWith;

namespace {

// What reading a file written for `change` must give: the file fields, and
// values the file never holds left as they were.
Configuration loadedWith(const Change& change)
{
    Configuration config;
    config.FileName = "previous.mcf";
    config.BooleanEditText[1] = "being edited";
    config.BooleanCode[0] = 5;
    change(config);
    config.PackedOptionWord = static_cast<std::int16_t>(PackOptionWord(config));
    return config;
}

// File fields away from a fresh start, which a read must overwrite.
Configuration previouslyLoaded()
{
    return loadedWith(test::makeExample);
}

const Change Fresh = [](Configuration&) {};

} // namespace

class ProjectRecordTest : public QObject {
    Q_OBJECT

private slots:
    // Each row is written, compared with its line, and read back.
    void shouldWriteTheExactLineAndReadItBack_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<std::string>("line");

        // clang-format off
        QTest::newRow("a fresh start")                       << Fresh                                                      << test::FreshLine;
        QTest::newRow("the example configuration")           << Change(test::makeExample)                                  << test::ExampleLine;
        QTest::newRow("timer 4 on time after the equations") << Change([](Configuration& c) { c.TimerOnTime[4] = 11; })    << freshLineWith(93, "11");
        QTest::newRow("timer 5 off time before its mode")    << Change([](Configuration& c) { c.TimerOffTime[5] = 13; })   << freshLineWith(97, "13");
        QTest::newRow("T4 time fifty times the count")       << Change([](Configuration& c) { c.TemperatureTime[4] = 65500; }) << freshLineWith(45, "3275000");
        QTest::newRow("TRIG5 equation with a comma")         << Change([](Configuration& c) { c.BooleanText[42] = "A,B"; }) << freshLineWith(92, "\"A,B\"");
        QTest::newRow("options with the 12 V model")         << Change([](Configuration& c) { c.OptionFlags = 15; })       << freshLineWith(99, "15");
        QTest::newRow("the widest 32-bit time")              << Change([](Configuration& c) { c.TimerOnTime[2] = -2147483647 - 1; }) << freshLineWith(20, "-2147483648");
        QTest::newRow("a half with a leading zero")          << Change([](Configuration& c) { c.TemperatureSetting[2] = 0.5F; })  << freshLineWith(39, "0.5");
        QTest::newRow("a negative half")                     << Change([](Configuration& c) { c.TemperatureSetting[2] = -0.5F; }) << freshLineWith(39, "-0.5");
        QTest::newRow("12.2 not as 12.19999981")             << Change([](Configuration& c) { c.TemperatureSetting[2] = 12.2F; }) << freshLineWith(39, "12.2");
        QTest::newRow("a thousandth without exponent")       << Change([](Configuration& c) { c.TemperatureSetting[2] = 1e-3F; }) << freshLineWith(39, "0.001");
        QTest::newRow("a large value without exponent")      << Change([](Configuration& c) { c.TemperatureSetting[2] = 1e30F; }) << freshLineWith(39, "1000000000000000000000000000000");
        QTest::newRow("8-bit text unchanged")                << Change([](Configuration& c) { c.BooleanText[1] = "\xb0\xe9"; })   << freshLineWith(51, "\"\xb0\xe9\"");
        // clang-format on
    }

    void shouldWriteTheExactLineAndReadItBack()
    {
        QFETCH(Change, change);
        QFETCH(std::string, line);

        const Configuration saved = loadedWith(change);
        QCOMPARE(SaveRefusal(saved), std::nullopt);
        QCOMPARE(QString::fromStdString(ProjectRecordLine(saved)), QString::fromStdString(line));
        Configuration config = previouslyLoaded();
        QCOMPARE(ReadProjectRecord(config, line), std::nullopt);
        QVERIFY(config == saved);
    }

    void shouldKeepEveryComparatorCountFromZeroTo65500()
    {
        for (int first = 0; first <= 65500; first += 10) { // ten comparator times a record
            Configuration saved;
            for (int n = 1; n <= 6; ++n)
                saved.VoltageTime[n] = std::min(first + n - 1, 65500);
            for (int n = 1; n <= 4; ++n)
                saved.TemperatureTime[n] = std::min(first + n + 5, 65500);
            Configuration config;
            QCOMPARE(ReadProjectRecord(config, ProjectRecordLine(saved)), std::nullopt);
            if (config.VoltageTime != saved.VoltageTime || config.TemperatureTime != saved.TemperatureTime)
                QFAIL(qPrintable(QString("a count from %1 changed").arg(first)));
        }
    }

    void shouldRefuseToSaveWhatCannotBeReadBack_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<std::string>("reason");

        // clang-format off
        QTest::newRow("a double quote in MUX1")   << Change([](Configuration& c) { c.BooleanText[1] = "A\"B"; })     << std::string("the MUX1 equation contains a double quote");
        QTest::newRow("a double quote in TRIG5")  << Change([](Configuration& c) { c.BooleanText[42] = "\""; })      << std::string("the TRIG5 equation contains a double quote");
        QTest::newRow("a threshold not a number") << Change([](Configuration& c) { c.TemperatureSetting[4] = std::nanf(""); }) << std::string("field 41 (TemperatureSetting[4]): only a finite number");
        QTest::newRow("a count too long to save") << Change([](Configuration& c) { c.TemperatureTime[1] = 42949673; }) << std::string("field 42 (TemperatureTime[1])");
        QTest::newRow("flags too large to pack")  << Change([](Configuration& c) { c.OptionFlags = 32760; c.VoltageModel = 1; }) << std::string("field 99 (PackedOptionWord)");
        // clang-format on
    }

    void shouldRefuseToSaveWhatCannotBeReadBack()
    {
        QFETCH(Change, change);
        QFETCH(std::string, reason);

        Configuration config;
        change(config);
        QCOMPARE(QString::fromStdString(SaveRefusal(config).value_or("").substr(0, reason.size())),
                 QString::fromStdString(reason));
    }

    void shouldReadFilesWrittenOtherwise_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Change>("expected");

        std::string acrossLines = test::ExampleLine;
        acrossLines.replace(acrossLines.find(",250,"), 5, "\r\n250\n");
        acrossLines.replace(acrossLines.find(",\"INPUT1"), 1, "\r");
        const std::string example = test::ExampleLine.substr(0, test::ExampleLine.size() - 2);

        // clang-format off
        QTest::newRow("an empty file is a fresh start") << std::string()                                << Fresh;
        QTest::newRow("two records load the second")   << test::ExampleLine + freshLineWith(17, "5")     << Change([](Configuration& c) { c.TimerOnTime[1] = 5; });
        QTest::newRow("a record across line ends")     << acrossLines                                   << Change(test::makeExample);
        QTest::newRow("a CR line end")                 << example + "\r"                              << Change(test::makeExample);
        QTest::newRow("no line end at all")            << example                                      << Change(test::makeExample);
        QTest::newRow("21 is 24 V with options 1, 3")  << freshLineWith(99, "21")                       << Change([](Configuration& c) { c.VoltageModel = 1; c.OptionFlags = 5; });
        QTest::newRow("16 is 24 V with no options")    << freshLineWith(99, "16")                       << Change([](Configuration& c) { c.VoltageModel = 1; });
        QTest::newRow("blanks around a number")        << freshLineWith(17, " \t250 \t")                << Change([](Configuration& c) { c.TimerOnTime[1] = 250; });
        QTest::newRow("blanks around a quoted comma")  << freshLineWith(51, "  \" V1,V2 \"\t")          << Change([](Configuration& c) { c.BooleanText[1] = " V1,V2 "; });
        QTest::newRow("no zero before the point")      << freshLineWith(26, "-.5")                      << Change([](Configuration& c) { c.VoltageSetting[1] = -0.5F; });
        QTest::newRow("a half rounds down to even")    << freshLineWith(17, "2.5")                      << Change([](Configuration& c) { c.TimerOnTime[1] = 2; });
        QTest::newRow("a half rounds up to even")      << freshLineWith(1, "3.5")                       << Change([](Configuration& c) { c.ChannelDirection[1] = 4; });
        QTest::newRow("a comparator 25 is half a count") << freshLineWith(32, "25")                     << Fresh;
        QTest::newRow("a comparator 75 rounds to 2")   << freshLineWith(33, "75")                       << Change([](Configuration& c) { c.VoltageTime[2] = 2; });
        // clang-format on
    }

    void shouldReadFilesWrittenOtherwise()
    {
        QFETCH(std::string, bytes);
        QFETCH(Change, expected);

        Configuration config = previouslyLoaded();
        const auto reason = ReadProjectRecord(config, bytes);
        QVERIFY2(!reason, reason.value_or("").c_str());
        QVERIFY(config == loadedWith(expected));
    }

    void shouldRefuseBrokenFilesAndChangeNothing_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<std::string>("reason");

        // clang-format off
        QTest::newRow("a short record")           << test::FreshLine.substr(0, test::FreshLine.rfind(',')) << std::string("the file ends inside a record: field 99 (PackedOptionWord) is missing");
        QTest::newRow("only a line end")          << std::string("\r\n")              << std::string("the file ends inside a record: field 2 (ChannelDirection[2]) is missing");
        QTest::newRow("text in a number field")   << freshLineWith(17, "abc")         << std::string("field 17 (TimerOnTime[1]): \"abc\" is not a number");
        QTest::newRow("an infinity")              << freshLineWith(26, "inf")         << std::string("field 26 (VoltageSetting[1]): \"inf\" is not a number");
        QTest::newRow("rounded out of 16 bits")   << freshLineWith(50, "32767.5")     << std::string("field 50 (SlpOnTime): \"32767.5\" is outside the 16-bit range (-32768..32767)");
        QTest::newRow("a comparator above 32 bits") << freshLineWith(32, "2147483648") << std::string("field 32 (VoltageTime[1]): \"2147483648\" is outside the 32-bit range");
        QTest::newRow("above the float range")    << freshLineWith(27, "3.5e38")      << std::string("field 27 (VoltageSetting[2]): \"3.5e38\" is outside the float range");
        QTest::newRow("an unterminated quote")    << freshLineWith(92, "\"V1 AND V2") << std::string("field 92 (BooleanText[42]): the quoted text has no closing double quote");
        QTest::newRow("text after a closing quote") << freshLineWith(51, "\"V1\" OR V2") << std::string("field 51 (BooleanText[1]): unexpected text after the closing double quote");
        QTest::newRow("trailing garbage")         << test::ExampleLine + "xyz"        << std::string("record 2, field 1 (ChannelDirection[1]): \"xyz\" is not a number");
        QTest::newRow("a broken first record")    << freshLineWith(17, "x") + test::ExampleLine << std::string("field 17 (TimerOnTime[1]): \"x\" is not a number");
        // clang-format on
    }

    void shouldRefuseBrokenFilesAndChangeNothing()
    {
        QFETCH(std::string, bytes);
        QFETCH(std::string, reason);

        Configuration config = previouslyLoaded();
        const auto refusal = ReadProjectRecord(config, bytes);
        QCOMPARE(QString::fromStdString(refusal.value_or("").substr(0, reason.size())),
                 QString::fromStdString(reason));
        QVERIFY(config == previouslyLoaded());
    }

    void shouldSurviveArbitraryBytes()
    {
        // Random edits with the format's own characters: every read succeeds,
        // or fails with a reason and changes nothing.
        std::mt19937 random(20240607);
        const auto below = [&random](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };
        constexpr char characters[] = "0123456789,\"\r\n .-+eE\t\xff\0x";
        int accepted = 0;
        for (int round = 0; round < 4000; ++round) {
            std::string bytes = round % 5 == 0 ? "" : test::ExampleLine + (round % 2 ? test::FreshLine : "");
            for (std::size_t edits = 1 + below(8); edits > 0; --edits) {
                const char c = characters[below(sizeof characters - 1)];
                if (bytes.empty() || below(3) == 0)
                    bytes.insert(bytes.empty() ? 0 : below(bytes.size()), 1, c);
                else
                    bytes.erase(below(bytes.size()), 1);
            }
            Configuration config = previouslyLoaded();
            const auto reason = ReadProjectRecord(config, bytes);
            if (!reason)
                ++accepted;
            else if (reason->empty() || config != previouslyLoaded())
                QFAIL(qPrintable("a failed read left a change or gave no reason: " +
                                 QByteArray::fromStdString(bytes).toPercentEncoding()));
        }
        QVERIFY(accepted > 100 && accepted < 3900); // both paths were taken
    }
};

QTEST_APPLESS_MAIN(ProjectRecordTest)
#include "project_record_test.moc"
