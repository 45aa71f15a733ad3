#include "boolean/operand_list.h"
#include "settings/setting_boxes.h"
#include "settings_bench.h"

#include <algorithm>

using namespace muxcc;
using namespace muxcc::test;

namespace {

const QStringList BoxesInCheckOrder{"T1SET",  "T1TIME", "T2SET",  "T2TIME", "T3SET",  "T3TIME", "T4SET",
                                    "T4TIME", "V1SET",  "V1TIME", "V2SET",  "V2TIME", "V3SET",  "V3TIME",
                                    "V4SET",  "V4TIME", "V5SET",  "V5TIME", "V6SET",  "V6TIME"};

// A refused box reads "none"; floats show 9 digits, so 12.2f is "12.1999998". An operand entry reads "code at
// position is entry" (-1: not in the list): the code found by name, and the code's entry.
QString Convert(const QString& conversion, const QString& input)
{
    const std::string text = input.toStdString();
    std::optional<double> value;
    if (conversion == "time")
        value = TimeCountFromBox(text);
    else if (conversion == "temperature")
        value = TemperatureFromBox(text);
    else if (conversion == "operand") {
        const auto& entries = OperandListEntries();
        const auto at = std::find(entries.begin(), entries.end(), text);
        const int code = OperandCodeOfEntry(text);
        return QStringLiteral("%1 at %2 is %3")
            .arg(code)
            .arg(at == entries.end() ? -1 : at - entries.begin())
            .arg(QString::fromStdString(OperandEntry(code)));
    } else
        value = VoltageFromBox(text, conversion.toInt());
    return value ? QString::number(*value, 'g', conversion.front().isDigit() ? 9 : 15)
                 : QStringLiteral("none");
}

} // namespace

// The settings windows driven as a technician would: each window's save in one table.
class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    // Conversions named by what they convert; a digit names the voltage model.
    void shouldConvertBoxTextsWithinTheirRanges_data()
    {
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("number with blanks around") << "time" << "  3.5 " << "175";
        QTest::newRow("number with leading plus") << "time" << "+5" << "250";
        QTest::newRow("blanks only") << "time" << "   " << "none";
        QTest::newRow("number then letters") << "time" << "12abc" << "none";
        QTest::newRow("two plus signs") << "time" << "++5" << "none";
        QTest::newRow("hexadecimal") << "time" << "0x10" << "none";
        QTest::newRow("infinity") << "time" << "inf" << "none";
        QTest::newRow("not a number") << "time" << "nan" << "none";
        QTest::newRow("half count down to even") << "time" << "1.01" << "50";
        QTest::newRow("half count up to even") << "time" << "1.03" << "52";
        QTest::newRow("12 V rounds to top") << "0" << "19.96" << "20";
        QTest::newRow("12 V below zero") << "0" << "-0.04" << "none";
        QTest::newRow("volts to zero") << "0" << "0.04" << "0";
        QTest::newRow("half tenth to whole volts") << "0" << "12.05" << "12";
        QTest::newRow("24 V above 12 V top") << "1" << "27.6" << "27.6000004";
        QTest::newRow("unknown model takes 24 V") << "7" << "36" << "36";
        QTest::newRow("temperature half down") << "temperature" << "98.5" << "98";
        QTest::newRow("temperature below zero") << "temperature" << "-0.4" << "none";
        QTest::newRow("buzzer entry") << "operand" << "BUZZER " << "37 at 47 is BUZZER ";
        QTest::newRow("first timer entry") << "operand" << "TMR1 " << "54 at 37 is TMR1 ";
        QTest::newRow("fourth timer entry") << "operand" << "TMR4 " << "64 at 40 is TMR4 ";
        QTest::newRow("fourth trigger entry") << "operand" << "TRIG4 " << "62 at 45 is TRIG4 ";
        QTest::newRow("last entry") << "operand" << "OPTION4 " << "60 at 65 is OPTION4 ";
        QTest::newRow("name without its space") << "operand" << "TMR4" << "0 at -1 is ";
        QTest::newRow("lower case name") << "operand" << "tmr4 " << "0 at -1 is ";
        QTest::newRow("command") << "operand" << "AND " << "0 at -1 is ";
        QTest::newRow("no such channel") << "operand" << "MUX17 " << "0 at -1 is ";
        // clang-format on
    }

    void shouldConvertBoxTextsWithinTheirRanges()
    {
        QFETCH(QString, conversion);
        QFETCH(QString, input);
        QTEST(Convert(conversion, input), "expected");
        QCOMPARE(OperandListEntries().size(), std::size_t{66});
    }

    // The four settings windows opened from the main window's menu, each control as Describe puts it.
    void shouldPresentTheControlsOfEachSettingsWindow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("described");
        // clang-format off
        QTest::newRow("channel save item") << "mnusaveioform2" << "MULTIPLEXED CHANNEL IO CONFIGURATION|&Save IO Configuration";
        QTest::newRow("Tab goes along a row of channel frames") << "mux4Output" << "OUTPUT|OUTPUT|MUX4||>mux5Input";
        QTest::newRow("timer save item") << "mnutimersaveform3" << "TIMER CONFIGURATION|&Save Timer Settings";
        QTest::newRow("timer one shot") << "timer2OneShot" << "TRIGGERABLE ONE SHOT|TRIGGERABLE ONE SHOT|TIMER #2||>timer2Off";
        QTest::newRow("timer off time") << "timer2Off" << "0|TIMER#2 OFF TIME|TIMER #2|OFF|>timer2On";
        QTest::newRow("analog save item") << "mnusaveanalogform4" << "ANALOG CONFIGURATION|&Save Analog Settings";
        QTest::newRow("12 V model") << "model12" << "12V MODEL*||||>model24";
        QTest::newRow("V1 threshold") << "V1SET" << "0|V1 VOLTAGE SETTING|BATTERY VOLTAGE CONFIGURATION|V1 IS TRUE WHEN BATTERY VOLTAGE IS >|>V1TIME";
        QTest::newRow("V4 threshold") << "V4SET" << "0|V4 VOLTAGE SETTING|BATTERY VOLTAGE CONFIGURATION|V4 IS TRUE WHEN BATTERY VOLTAGE IS <|>V4TIME";
        QTest::newRow("T2 threshold") << "T2SET" << "0|T2 TEMPERATURE SETTING|TEMPERATURE CONFIGURATION|T2 IS TRUE WHEN TEMPERATURE IS <|>T2TIME";
        QTest::newRow("T3 threshold") << "T3SET" << "0|T3 TEMPERATURE SETTING|TEMPERATURE CONFIGURATION|T3 IS TRUE WHEN TEMPERATURE IS >|>T3TIME";
        QTest::newRow("features save item") << "mnusaveform6" << "Additional Features|&Save Additional Feature Settings";
        QTest::newRow("option") << "option4" << "FALSE|OPTION4|OPTION SETTINGS|OPTION4  =|>securityOperand";
        QTest::newRow("security list") << "securityOperand" << "+|SECURITY MODE|SECURITY MODE|SLP IS FALSE WHEN |>slpOffTime";
        QTest::newRow("off time") << "slpOffTime" << "0|Off TIME|SECURITY MODE|IS OFF FOR >|>slpOnTime";
        QTest::newRow("cycle list") << "cycleCounterOperand" << "+|CYCLE COUNTER|CYCLE COUNTER|CYCLE COUNTER IS INCREMENTED WHEN|>cycleOnTime";
        QTest::newRow("display button") << "readCycleCount" << "READ CONTROLLER AND DISPLAY CYCLE COUNT ||CYCLE COUNTER||>resetCycleCount";
        QTest::newRow("reset button") << "resetCycleCount" << "RESET CYCLE COUNTER: 00000||CYCLE COUNTER||>note";
        // clang-format on
    }

    void shouldPresentTheControlsOfEachSettingsWindow()
    {
        QFETCH(QString, control);
        SettingsProgram program;
        program.act(QStringLiteral("multi_ch_config;MNUTIMERS;MNU_ANA_CONFIG;mnu_additionFeatures"));
        QTEST(Describe(program.window, control), "described");
    }

    // Additional features opened on times of 9, flags 22 (OPTION2 to OPTION4, and OPTION1 keeps the TRUE it
    // was created with), no such security operand (66) and TRIG5 (63) counting cycles. `stored`: the cycle,
    // off and on times, OptionFlags, SlpOperand, CycleCounterOperand. Reopening shows what was saved, not
    // what was chosen after.
    void shouldSaveTheFeatureTimesOptionsAndOperands_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("reopened");
        // clang-format off
        QTest::newRow("halves to even, only the cycle box rewritten") << "cycleOnTime=12.5;slpOffTime=13.5;slpOnTime=2.5;option1=FALSE;option3=FALSE;cycleCounterOperand=TMR4 " << QStringList{} << "12|13.5|2.5" << "FALSE|TRUE|FALSE|TRUE|+|TMR4 +|12|14|2";
        QTest::newRow("cycle half up, buzzer and first timer") << "cycleOnTime=13.5;securityOperand=BUZZER ;cycleCounterOperand=TMR1 " << QStringList{} << "14|9|9" << "TRUE|TRUE|TRUE|TRUE|BUZZER +|TMR1 +|14|9|9";
        QTest::newRow("below zero, last entries") << "slpOffTime=-0.2;option2=FALSE;option4=FALSE;securityOperand=OPTION4 ;cycleCounterOperand=SLP " << QStringList{"Off TIME"} << "9|0|9" << "TRUE|FALSE|TRUE|FALSE|OPTION4 +|SLP +|9|0|9";
        QTest::newRow("above top before rounding, rest untouched") << "slpOnTime=255.4" << QStringList{"On TIME"} << "9|9|0" << "TRUE|TRUE|TRUE|TRUE|+|TRIG5 +|9|9|0";
        QTest::newRow("top and half below, empty entry picked") << "cycleOnTime=255;slpOffTime=254.5;slpOnTime= 255 ;option1=FALSE;option2=FALSE;option3=FALSE;option4=FALSE;cycleCounterOperand=" << QStringList{} << "255|254.5| 255 " << "FALSE|FALSE|FALSE|FALSE|+|+|255|254|255";
        QTest::newRow("cycle time in words") << "cycleOnTime=ten;option1=FALSE" << QStringList{"CYCLE ON TIME"} << "0|9|9" << "FALSE|TRUE|TRUE|TRUE|+|TRIG5 +|0|9|9";
        QTest::newRow("all empty, the rest still stored") << "cycleOnTime=;slpOffTime=;slpOnTime=;option1=FALSE;option3=FALSE;securityOperand=TMR4 ;cycleCounterOperand=BUZZER " << QStringList{"CYCLE ON TIME", "Off TIME", "On TIME"} << "0|0|0" << "FALSE|TRUE|FALSE|TRUE|TMR4 +|BUZZER +|0|0|0";
        // clang-format on
    }

    void shouldSaveTheFeatureTimesOptionsAndOperands()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, titles);
        SettingsProgram bench;
        muxcc::Configuration& config = bench.config;
        config.CycleCounterTime = config.SlpOffTime = config.SlpOnTime = 9;
        config.OptionFlags = 22;
        config.SlpOperand = 66;
        config.CycleCounterOperand = 63;
        bench.act("mnu_additionFeatures;" + steps + ";mnusaveform6");

        const QStringList boxes{"cycleOnTime", "slpOffTime", "slpOnTime"};
        QTEST(bench.values(boxes), "boxes");
        for (QString& title : titles)
            title += "| MUST BE A NUMBER BETWEEN 0 AND 255";
        bench.expectJournal(titles << "status: Additional Features Settings Saved, but not to file"
                                   << "status:");
        bench.act(QStringLiteral("option1=TRUE;option2=FALSE;securityOperand=FET1 "
                                 ";slpOnTime=7;hide;mnu_additionFeatures"));
        QTEST(bench.values(QStringList{"option1", "option2", "option3", "option4", "securityOperand",
                                       "cycleCounterOperand"} +
                           boxes),
              "reopened");
    }

    // `outcome`: the status line, the notices, records 0 and 4 afterwards (record 0, then the count's digits
    // units first) as 10 x record 0 + record 4, and whether the main window came to the front to show the
    // count.
    void shouldAnswerTheCycleCounterButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("outcome");
        // clang-format off
        QTest::newRow("display") << "readCycleCount" << "Cycle Count = 1234||71|front";
        QTest::newRow("reset") << "resetCycleCount" << "Cycle count has been Reset to 00000||0|behind";
        QTest::newRow("note, nothing else") << "note" << "Welcome to the World of Programmable Logic|Saving cycle count? When counter saves, MUX communication is delayed ~50ms  |71|behind";
        // clang-format on
    }

    void shouldAnswerTheCycleCounterButtons()
    {
        QFETCH(QString, button);
        SettingsProgram program;
        auto& records = program.link.controller.settings;
        std::ranges::copy(std::initializer_list<std::uint8_t>{7, 4, 3, 2, 1}, records.begin());
        program.window.show();
        program.act(QStringLiteral("mnu_additionFeatures"));
        QWidget* features = program.window.findChild<QWidget*>(QStringLiteral("note"))->window();
        features->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), features);

        program.act(button);
        const bool front =
            QTest::qWaitFor([&] { return QApplication::activeWindow() == &program.window; }, 500);
        while (program.link.runNext()) {
        }

        QStringList notices;
        for (const muxcc::Notice& notice : program.notices)
            notices << muxcc::test::Shown(notice);
        QTEST(QStringList({program.window.status(), notices.join(','),
                           QString::number(records[0] * 10 + records[4]), front ? "front" : "behind"})
                  .join('|'),
              "outcome");
    }

    // The channel window opened on `first`, reopened on `then`: only 0 and 1 select an option. A click not
    // saved is lost, so a second save after reopening stores the same.
    void shouldShowAndStoreTheChannelDirections_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("ones select OUTPUT") << "0000000000000000" << "1100000000000001" << "" << "1100000000000001";
        QTest::newRow("zeros select INPUT") << "0100000010000000" << "0000000010000000" << "" << "0000000010000000";
        QTest::newRow("other values leave the frame") << "1000000000000000" << "2000900000000003" << "" << "1000000000000000";
        QTest::newRow("outputs clicked") << "0000000000000000" << "0000000000000000" << "mux3Output;mux16Output;" << "0010000000000001";
        QTest::newRow("clicked back to INPUT") << "0000000000000000" << "0000001000000000" << "mux7Input;mux8Output;mux8Input;" << "0000000000000000";
        // clang-format on
    }

    void shouldShowAndStoreTheChannelDirections()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(QString, clicks);
        muxcc::test::SettingsProgram program;
        SetDigits(program.config.ChannelDirection, first);
        program.act(QStringLiteral("multi_ch_config"));
        SetDigits(program.config.ChannelDirection, then);
        program.act("hide;multi_ch_config;" + clicks + "mnusaveioform2");
        QTEST(Digits(program.config.ChannelDirection), "stored");
        program.expectJournal({"status: IO CONFIGURATION Settings Saved, but not to file", "status:"});
        program.act(QStringLiteral("mux5Output;hide;multi_ch_config;mnusaveioform2"));
        QTEST(Digits(program.config.ChannelDirection), "stored");
    }

    // Timer window: every row starts from the same ten times and from modes "11002" (2 is no mode: the option
    // stays as it is), unless it stores other modes as digits; "load" refreshes the windows as OPEN does, and
    // the row ends with a save. `times`: the ten boxes after the save and after reopening, TIMER #1 OFF
    // first; a title without TIME is a timer's one-shot notice.
    void shouldAnnounceOneShotsAndSaveModesAndTimesBoxByBox_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("modes");
        const QString loaded = "1|1310|0.04|12.5|1.24|1.02|12.5|0.02|1310|2";
        QString empty = "MNUTIMERS";
        QStringList all{"TIMER#5"};
        for (int n = 1; n <= TimerCount; ++n) {
            empty += QStringLiteral(";timer%1Off=;timer%1On=").arg(n);
            all << QStringLiteral("TIMER#%1 OFF TIME").arg(n) << QStringLiteral("TIMER#%1 ON TIME").arg(n);
        }
        // clang-format off
        QTest::newRow("1310 is the longest time") << "MNUTIMERS;timer1Off=1310" << "1310|1310|0.04|12.5|1.24|1.02|12.5|0.02|1310|2" << QStringList{} << "11000";
        QTest::newRow("1310.01 is too long") << "MNUTIMERS;timer2On=1310.01" << "1|1310|0.04|0|1.24|1.02|12.5|0.02|1310|2" << QStringList{"TIMER#2 ON TIME"} << "11000";
        QTest::newRow("1311 is too long") << "MNUTIMERS;timer3Off=1311" << "1|1310|0.04|12.5|0|1.02|12.5|0.02|1310|2" << QStringList{"TIMER#3 OFF TIME"} << "11000";
        QTest::newRow("a negative time") << "MNUTIMERS;timer4On=-0.01" << "1|1310|0.04|12.5|1.24|1.02|12.5|0|1310|2" << QStringList{"TIMER#4 ON TIME"} << "11000";
        QTest::newRow("a word") << "MNUTIMERS;timer4Off=ten" << "1|1310|0.04|12.5|1.24|1.02|0|0.02|1310|2" << QStringList{"TIMER#4 OFF TIME"} << "11000";
        QTest::newRow("0.01 halves to no count") << "MNUTIMERS;timer5Off=0.01" << "1|1310|0.04|12.5|1.24|1.02|12.5|0.02|0|2" << QStringList{} << "11000";
        QTest::newRow("1.234 rounds to 62 counts") << "MNUTIMERS;timer1On=1.234" << "1|1.24|0.04|12.5|1.24|1.02|12.5|0.02|1310|2" << QStringList{} << "11000";
        QTest::newRow("blanks around a number") << "MNUTIMERS;timer3On= 12.5 " << "1|1310|0.04|12.5|1.24|12.5|12.5|0.02|1310|2" << QStringList{} << "11000";
        QTest::newRow("modes clicked, every box empty") << empty + ";timer1Duty;timer5OneShot" << "0|0|0|0|0|0|0|0|0|0" << all << "01001";
        QTest::newRow("loading a hidden window") << "MNUTIMERS;hide;01010;load" << loaded << QStringList{} << "01010";
        QTest::newRow("opening the window") << "01010;MNUTIMERS" << loaded << QStringList{} << "01010";
        QTest::newRow("a read's refresh") << "00000;MNUTIMERS;11111;hide;MNUTIMERS" << loaded << QStringList{} << "11111";
        QTest::newRow("reloading a visible window") << "01000;MNUTIMERS;01101;load" << loaded << QStringList{"TIMER#3", "TIMER#5"} << "01101";
        QTest::newRow("reloading duty timers") << "11000;MNUTIMERS;00000;load" << loaded << QStringList{} << "00000";
        QTest::newRow("other modes leave the options") << "01000;MNUTIMERS;79797;load" << loaded << QStringList{} << "01000";
        QTest::newRow("clicking one shot of timer 4") << "00000;MNUTIMERS;timer4OneShot" << loaded << QStringList{"TIMER#4"} << "00010";
        QTest::newRow("clicking DUTY") << "00010;MNUTIMERS;timer4Duty" << loaded << QStringList{} << "00000";
        // clang-format on
    }

    void shouldAnnounceOneShotsAndSaveModesAndTimesBoxByBox()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, titles);
        muxcc::test::SettingsProgram bench;
        const int counts[] = {50, 65500, 2, 625, 62, 51, 625, 1, 65500, 100};
        for (int n = 1; n <= TimerCount; ++n)
            std::tie(bench.config.TimerOffTime[n], bench.config.TimerOnTime[n]) =
                std::tuple(counts[2 * n - 2], counts[2 * n - 1]);
        SetDigits(bench.config.TimerMode, QStringLiteral("11002"));
        for (const QString& step : steps.split(';'))
            step[0].isDigit() ? SetDigits(bench.config.TimerMode, step) : bench.act(step);

        bench.act(QStringLiteral("mnutimersaveform3"));

        QStringList boxes;
        for (int n = 1; n <= TimerCount; ++n)
            boxes << QStringLiteral("timer%1Off").arg(n) << QStringLiteral("timer%1On").arg(n);
        QTEST(bench.values(boxes), "times");
        QTEST(Digits(bench.config.TimerMode), "modes");
        QStringList journal; // the one-shot notices come before the save, the
        // messages during it
        for (const QString& title : titles)
            journal << (title.endsWith("TIME")
                            ? title + "| MUST BE A NUMBER BETWEEN 0 AND 1310"
                            : title + "? TRIGGERABLE ONE SHOT TIMER WILL START WHEN TRIGGER" + title.mid(6) +
                                  " IS TRUE AND REMAINS TRUE");
        journal.insert(titles.size() - titles.filter(QRegularExpression("TIME$")).size(),
                       "status: Timer Settings Saving, but not to file");
        bench.expectJournal(journal << "status: Timer Settings Saved, but not to file"
                                    << "status:");
        bench.act(QStringLiteral("hide;MNUTIMERS"));
        QTEST(bench.values(boxes), "times"); // as stored
    }

    // Analog window: fields start at 12.2 V for 0.5 s and 75 degrees for 1310 s, so a rejected box stores 0
    // rather than keeping what was there. Reopening afterwards shows what was saved, whatever was chosen or
    // typed meanwhile.
    void shouldSaveEachAnalogBoxWithinItsRange_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QStringList empty{"model24"};
        QStringList all;
        for (const QString& box : BoxesInCheckOrder) {
            empty << box + '=';
            all << box.left(2) + (box.endsWith("TIME") ? " TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310"
                                  : box.startsWith('T')
                                      ? " TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND "
                                        "100"
                                      : " VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36");
        }
        // clang-format off
        QTest::newRow("12 V top") << "model12;V1SET=20" << QStringList{"V1SET"} << 0 << "20" << QStringList{};
        QTest::newRow("12 V just above top") << "V2SET=20.04" << QStringList{"V2SET"} << 0 << "0" << QStringList{"V2 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20"};
        QTest::newRow("24 V top") << "model24;V4SET=36" << QStringList{"V4SET"} << 1 << "36" << QStringList{};
        QTest::newRow("24 V just above top") << "model24;V5SET=36.01" << QStringList{"V5SET"} << 1 << "0" << QStringList{"V5 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36"};
        QTest::newRow("half tenth to even, box rewritten") << "V6SET=12.25" << QStringList{"V6SET"} << 0 << "12.2" << QStringList{};
        QTest::newRow("27.6 under 24 V") << "model24;V1SET=27.6" << QStringList{"V1SET"} << 1 << "27.6" << QStringList{};
        QTest::newRow("27.6 again under 12 V") << "model24;V1SET=27.6;mnusaveanalogform4;model12" << QStringList{"V1SET"} << 0 << "0" << QStringList{"V1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20"};
        QTest::newRow("temperature top") << "T1SET=100" << QStringList{"T1SET"} << 0 << "100" << QStringList{};
        QTest::newRow("temperature above top") << "T2SET=100.4" << QStringList{"T2SET"} << 0 << "0" << QStringList{"T2 TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND 100"};
        QTest::newRow("temperature half up") << "model24;T3SET=99.5" << QStringList{"T3SET"} << 1 << "100" << QStringList{};
        QTest::newRow("longest time") << "V1TIME=1310" << QStringList{"V1TIME"} << 0 << "1310" << QStringList{};
        QTest::newRow("time above longest") << "T4TIME=1310.5" << QStringList{"T4TIME"} << 0 << "0" << QStringList{"T4 TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310"};
        QTest::newRow("time with blanks, box rewritten") << "V6TIME= 2 " << QStringList{"V6TIME"} << 0 << "2" << QStringList{};
        QTest::newRow("every box empty, model still stored") << empty.join(';') << BoxesInCheckOrder << 1 << "0" << all;
        // clang-format on
    }

    void shouldSaveEachAnalogBoxWithinItsRange()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, boxes);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        QFETCH(int, model);
        muxcc::test::SettingsProgram bench;
        std::ranges::fill(bench.config.VoltageSetting, 12.2f);
        std::ranges::fill(bench.config.VoltageTime, 25);
        std::ranges::fill(bench.config.TemperatureSetting, 75.0f);
        std::ranges::fill(bench.config.TemperatureTime, 65500);
        bench.act("MNU_ANA_CONFIG;" + steps);
        bench.notices.clear();
        bench.events.clear();

        bench.act(QStringLiteral("mnusaveanalogform4"));

        const QString rewritten = QStringList(boxes.size(), shown).join('|');
        QCOMPARE(bench.values(boxes), rewritten);
        QCOMPARE(bench.config.VoltageModel, model);
        bench.expectJournal(QStringList{"status: Analog Settings Saving, but not to file"}
                            << messages << "status: Analog Settings Saved, but not to file"
                            << "status:");
        const QString other = model ? "model12" : "model24";
        bench.act(other + ";V3SET=17;hide;MNU_ANA_CONFIG"); // chosen and typed, never saved: lost
        QCOMPARE(bench.values(boxes), rewritten);           // as stored
        const QString kept = boxes.size() > 1 ? "|0|0|0|0" : "|12.2|0.5|75|1310";
        QCOMPARE(bench.values({"model24", "V3SET", "V3TIME", "T4SET", "T1TIME"}),
                 (model ? "24V MODEL*" : "24V MODEL") + kept);
        bench.config.VoltageModel = 5; // not a model: the choice stays
        bench.act(other + ";hide;MNU_ANA_CONFIG");
        QCOMPARE(bench.values({"model24"}), model ? "24V MODEL" : "24V MODEL*");
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "settings_windows_test.moc"
