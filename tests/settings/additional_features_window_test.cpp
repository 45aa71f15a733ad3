#include "settings_bench.h"

using muxcc::test::Describe;
using muxcc::test::SettingsProgram;

class AdditionalFeaturesWindowTest : public QObject {
    Q_OBJECT

private slots:
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

    // Opened on times of 9, flags 22 (OPTION2 to OPTION4, and OPTION1 keeps the TRUE it was created with), no
    // such security operand (66) and TRIG5 (63) counting cycles. `stored`: the cycle, off and on times,
    // OptionFlags, SlpOperand, CycleCounterOperand. Reopening shows what was saved, not what was chosen
    // after.
    void shouldSaveTimesOptionsAndOperands_data()
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

    void shouldSaveTimesOptionsAndOperands()
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
        bench.checkRejectedBoxes();
        QStringList journal;
        for (const QString& title : titles)
            journal << title + "| MUST BE A NUMBER BETWEEN 0 AND 255";
        journal << "status: Additional Features Settings Saved, but not to file"
                << "status:";
        QTRY_COMPARE_WITH_TIMEOUT(bench.events, journal, 500);
        bench.act(QStringLiteral(
            "option1=TRUE;option2=FALSE;securityOperand=FET1 ;slpOnTime=7;hide;mnu_additionFeatures"));
        QTEST(bench.values(QStringList{"option1", "option2", "option3", "option4", "securityOperand",
                                       "cycleCounterOperand"} +
                           boxes),
              "reopened");
    }

    // Records 0 and 4 afterwards (record 0, then the count's digits units first), as 10 x record 0 +
    // record 4.
    void shouldAnswerItsButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("mainInFront"); // the count shows in the main window's status line
        // clang-format off
        QTest::newRow("display") << "readCycleCount" << "Cycle Count = 1234" << QStringList{} << 71 << true;
        QTest::newRow("reset") << "resetCycleCount" << "Cycle count has been Reset to 00000" << QStringList{} << 0 << false;
        QTest::newRow("note, nothing else") << "note" << "Welcome to the World of Programmable Logic" << QStringList{"Saving cycle count? When counter saves, MUX communication is delayed ~50ms  "} << 71 << false;
        // clang-format on
    }

    void shouldAnswerItsButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, mainInFront);
        SettingsProgram program;
        const std::uint8_t records[] = {7, 4, 3, 2, 1};
        std::copy(std::begin(records), std::end(records), program.link.controller.settings.begin());
        program.window.show();
        program.act(QStringLiteral("mnu_additionFeatures"));
        QWidget* features = program.window.findChild<QWidget*>(QStringLiteral("note"))->window();
        features->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), features);

        program.act(button);
        const bool mainCameForward =
            QTest::qWaitFor([&] { return QApplication::activeWindow() == &program.window; }, 500);
        while (program.link.runNext()) {
        }

        QTEST(program.window.status(), "status");
        QStringList notices;
        for (const muxcc::Notice& notice : program.notices)
            notices << muxcc::test::Shown(notice);
        QTEST(notices, "notices");
        QTEST(program.link.controller.settings[0] * 10 + program.link.controller.settings[4], "records");
        QCOMPARE(mainCameForward, mainInFront);
    }
};

QTEST_MAIN(AdditionalFeaturesWindowTest)
#include "additional_features_window_test.moc"
