#include "settings_bench.h"

using muxcc::TimerCount;
using muxcc::test::Digits;
using muxcc::test::SetDigits;

class TimerWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Every row starts from the same ten times and from modes "11002" (2 is no mode: the option stays as it
    // is), unless it stores other modes as digits; "load" refreshes the windows as OPEN does, and the row
    // ends with a save. `times`: the ten boxes after the save and after reopening, TIMER #1 OFF first; a
    // title without TIME is a timer's one-shot notice.
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
        for (int n = 1; n <= TimerCount; ++n) {
            bench.config.TimerOffTime[n] = counts[2 * n - 2];
            bench.config.TimerOnTime[n] = counts[2 * n - 1];
        }
        SetDigits(bench.config.TimerMode, QStringLiteral("11002"));
        for (const QString& step : steps.split(';'))
            step[0].isDigit() ? SetDigits(bench.config.TimerMode, step) : bench.act(step);
        const bool visible = steps.lastIndexOf("MNUTIMERS") > steps.lastIndexOf("hide");
        QCOMPARE(bench.window.findChild<QWidget*>(QStringLiteral("timer1"))->window()->isVisible(), visible);

        bench.act(QStringLiteral("mnutimersaveform3"));

        QStringList boxes;
        for (int n = 1; n <= TimerCount; ++n)
            boxes << QStringLiteral("timer%1Off").arg(n) << QStringLiteral("timer%1On").arg(n);
        QTEST(bench.values(boxes), "times");
        QTEST(Digits(bench.config.TimerMode), "modes");
        bench.checkRejectedBoxes();
        const QString saving = "status: Timer Settings Saving, but not to file";
        QStringList journal{saving};
        for (const QString& title : titles)
            if (title.endsWith("TIME"))
                journal << title + "| MUST BE A NUMBER BETWEEN 0 AND 1310";
            else
                journal.insert(journal.indexOf(saving),
                               title + "? TRIGGERABLE ONE SHOT TIMER WILL START WHEN TRIGGER" + title.mid(6) +
                                   " IS TRUE AND REMAINS TRUE");
        journal << "status: Timer Settings Saved, but not to file"
                << "status:";
        QTRY_COMPARE_WITH_TIMEOUT(bench.events, journal, 500);
        bench.act(QStringLiteral("hide;MNUTIMERS"));
        QTEST(bench.values(boxes), "times"); // as stored
    }
};

QTEST_MAIN(TimerWindowTest)
#include "timer_window_test.moc"
