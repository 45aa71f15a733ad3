#include "project/settings_report.h"

#include "project_lines.h"

#include <QTest>

#include <algorithm>

using namespace muxcc;
using test::Change;

class SettingsReportTest : public QObject {
    Q_OBJECT

private slots:
    void shouldHold71And53LinesAroundOnePageBreak()
    {
        const auto report = SettingsReport(Configuration{});
        QCOMPARE(report.size(), std::size_t{71 + 1 + 53});
        QCOMPARE(std::count_if(report.begin(), report.end(),
                               [](const ReportLine& line) { return line.pageBreak; }),
                 1);
        QVERIFY(report[71].pageBreak && report[71].items.empty());
    }

    // Line numbers run through the whole list: the second page starts at 73.
    void shouldPrintEachLine_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("line");
        QTest::addColumn<std::string>("text");
        QTest::addColumn<bool>("bold");

        const Change fresh = [](Configuration&) {};
        const std::string stars = " ****************************************";
        // clang-format off
        QTest::newRow("three blank lines open a page")  << fresh << 3   << std::string()                               << true;
        QTest::newRow("no file name on a fresh start")  << fresh << 4   << std::string("Filename = ")                  << true;
        QTest::newRow("the first page's version")       << fresh << 5   << std::string(" ORLA version 1.1 ")           << true;
        QTest::newRow("stars of forty asterisks")       << fresh << 7   << stars                                       << true;
        QTest::newRow("a fresh channel is an input")    << fresh << 11  << std::string("MUX Channel 1 = Input")        << false;
        QTest::newRow("the timers heading")             << fresh << 29  << std::string(" Timers Configuration")        << true;
        QTest::newRow("a fresh timer is a duty timer")  << fresh << 48  << std::string(" Timer 5 is a Duty Timer.")    << false;
        QTest::newRow("a blank line ends each timer")   << fresh << 51  << std::string()                               << false;
        QTest::newRow("a fresh comparator")             << fresh << 57  << std::string(" V1 IS TRUE WHEN BATTERY VOLTAGE IS > 0 For 0 Seconds") << false;
        QTest::newRow("the last line of the first page") << fresh << 71 << std::string(" T4 IS TRUE WHEN TEMPERATURE IS > 0 For 0 Seconds") << false;
        QTest::newRow("the second page's version")      << fresh << 77  << std::string(" ORLA version 1.0 ")           << true;
        QTest::newRow("two blank lines after it")       << fresh << 79  << std::string()                               << true;
        QTest::newRow("the equations heading")          << fresh << 81  << std::string(" DEFINED BOOLEANS")            << true;
        QTest::newRow("an undefined equation's label")  << fresh << 125 << std::string("TRIG5 =")                      << false;
        QTest::newRow("the file name on page two")      << Change([](Configuration& c) { c.FileName = "/home/t/BUS.MCF"; }) << 76 << std::string("Filename = /home/t/BUS.MCF") << true;
        QTest::newRow("an output channel")              << Change([](Configuration& c) { c.ChannelDirection[16] = 1; }) << 26 << std::string("MUX Channel 16 = Output") << false;
        QTest::newRow("a direction of 2 is an input")   << Change([](Configuration& c) { c.ChannelDirection[1] = 2; })  << 11 << std::string("MUX Channel 1 = Input") << false;
        QTest::newRow("a mode of 2 is a one shot")      << Change([](Configuration& c) { c.TimerMode[1] = 2; })         << 32 << std::string(" Timer 1 is a Triggerable One Shot Timer.") << false;
        QTest::newRow("75 counts are 1.5 seconds")      << Change([](Configuration& c) { c.TimerOffTime[1] = 75; })     << 33 << std::string(" Timer 1 Off time 1.5 Seconds") << false;
        QTest::newRow("7 counts without a leading zero") << Change([](Configuration& c) { c.TimerOnTime[1] = 7; })      << 34 << std::string(" Timer 1 On time .14 Seconds") << false;
        QTest::newRow("V4 at 11.5 for 5 seconds")       << Change([](Configuration& c) { c.VoltageSetting[4] = 11.5F; c.VoltageTime[4] = 250; }) << 60 << std::string(" V4 IS TRUE WHEN BATTERY VOLTAGE IS < 11.5 For 5 Seconds") << false;
        QTest::newRow("13.2 to seven digits")           << Change([](Configuration& c) { c.VoltageSetting[6] = 13.2F; c.VoltageTime[6] = 65500; }) << 62 << std::string(" V6 IS TRUE WHEN BATTERY VOLTAGE IS < 13.2 For 1310 Seconds") << false;
        QTest::newRow("a negative threshold")           << Change([](Configuration& c) { c.TemperatureSetting[1] = -0.5F; }) << 68 << std::string(" T1 IS TRUE WHEN TEMPERATURE IS <-.5 For 0 Seconds") << false;
        QTest::newRow("an equation after its label")    << Change([](Configuration& c) { c.BooleanText[37] = "T1 OR T2"; }) << 120 << std::string("BUZZER =T1 OR T2") << false;
        // clang-format on
    }

    void shouldPrintEachLine()
    {
        QFETCH(Change, change);
        QFETCH(int, line);
        QFETCH(std::string, text);
        QFETCH(bool, bold);

        Configuration config;
        change(config);
        const ReportLine printed = SettingsReport(config).at(static_cast<std::size_t>(line - 1));
        QCOMPARE(QString::fromStdString(printed.text()), QString::fromStdString(text));
        QCOMPARE(printed.bold, bold);
    }
};

QTEST_APPLESS_MAIN(SettingsReportTest)
#include "settings_report_test.moc"
