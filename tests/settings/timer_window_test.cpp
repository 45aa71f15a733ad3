#include "settings/timer_window.h"

#include "settings_bench.h"

using muxcc::TimerCount;
using muxcc::test::Digits;
using muxcc::test::SetDigits;
using Bench = muxcc::test::SettingsBench<muxcc::TimerWindow>;

class TimerWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Every row starts from the same ten times and from modes "11002" (2 is no mode: the option stays as it
    // is), unless it stores other modes as digits; "load" reloads the window as a refresh does, and the row
    // ends with a save. Times as "count:box", TIMER #1 OFF first; a title without TIME is a timer's one-shot
    // notice.
    void shouldAnnounceOneShotsAndSaveModesAndTimesBoxByBox_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("modes");
        const QString loaded =
            "50:1 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 1:0.02 65500:1310 100:2";
        QString empty = "open";
        QStringList all{"TIMER#5"};
        for (int n = 1; n <= TimerCount; ++n) {
            empty += QStringLiteral(";timer%1Off=;timer%1On=").arg(n);
            all << QStringLiteral("TIMER#%1 OFF TIME").arg(n) << QStringLiteral("TIMER#%1 ON TIME").arg(n);
        }
        // clang-format off
        QTest::newRow("1310 is the longest time") << "open;timer1Off=1310" << "65500:1310 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 1:0.02 65500:1310 100:2" << QStringList{} << "11000";
        QTest::newRow("1310.01 is too long") << "open;timer2On=1310.01" << "50:1 65500:1310 2:0.04 0:0 62:1.24 51:1.02 625:12.5 1:0.02 65500:1310 100:2" << QStringList{"TIMER#2 ON TIME"} << "11000";
        QTest::newRow("a negative time") << "open;timer4On=-0.01" << "50:1 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 0:0 65500:1310 100:2" << QStringList{"TIMER#4 ON TIME"} << "11000";
        QTest::newRow("a word") << "open;timer4Off=ten" << "50:1 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 0:0 1:0.02 65500:1310 100:2" << QStringList{"TIMER#4 OFF TIME"} << "11000";
        QTest::newRow("0.01 halves to no count") << "open;timer5Off=0.01" << "50:1 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 1:0.02 0:0 100:2" << QStringList{} << "11000";
        QTest::newRow("1.234 rounds to 62 counts") << "open;timer1On=1.234" << "50:1 62:1.24 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 1:0.02 65500:1310 100:2" << QStringList{} << "11000";
        QTest::newRow("blanks around a number") << "open;timer3On= 12.5 " << "50:1 65500:1310 2:0.04 625:12.5 62:1.24 625:12.5 625:12.5 1:0.02 65500:1310 100:2" << QStringList{} << "11000";
        QTest::newRow("modes clicked, every box empty") << empty + ";timer1Duty;timer5OneShot" << "0:0 0:0 0:0 0:0 0:0 0:0 0:0 0:0 0:0 0:0" << all << "01001";
        QTest::newRow("loading a hidden window") << "01010;load" << loaded << QStringList{} << "01010";
        QTest::newRow("opening the window") << "01010;open" << loaded << QStringList{} << "01010";
        QTest::newRow("a read's refresh") << "00000;open;11111;hide;open" << loaded << QStringList{} << "11111";
        QTest::newRow("reloading a visible window") << "01000;open;01101;load" << loaded << QStringList{"TIMER#3", "TIMER#5"} << "01101";
        QTest::newRow("reloading duty timers") << "11000;open;00000;load" << loaded << QStringList{} << "00000";
        QTest::newRow("other modes leave the options") << "01000;open;79797;load" << loaded << QStringList{} << "01000";
        QTest::newRow("clicking one shot of timer 4") << "00000;open;timer4OneShot" << loaded << QStringList{"TIMER#4"} << "00010";
        QTest::newRow("clicking DUTY") << "00010;open;timer4Duty" << loaded << QStringList{} << "00000";
        // clang-format on
    }

    void shouldAnnounceOneShotsAndSaveModesAndTimesBoxByBox()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, titles);
        Bench bench;
        const int counts[] = {50, 65500, 2, 625, 62, 51, 625, 1, 65500, 100};
        for (int n = 1; n <= TimerCount; ++n) {
            bench.config.TimerOffTime[n] = counts[2 * n - 2];
            bench.config.TimerOnTime[n] = counts[2 * n - 1];
        }
        SetDigits(bench.config.TimerMode, QStringLiteral("11002"));
        for (const QString& step : steps.split(';'))
            step[0].isDigit() ? SetDigits(bench.config.TimerMode, step)
            : step == "load"  ? bench.window->load()
                              : bench.act(step);
        QCOMPARE(bench.window->isVisible(), steps.contains("open"));

        bench.act(QStringLiteral("mnutimersaveform3"));

        QStringList times;
        for (int n = 1; n <= TimerCount; ++n)
            times << QStringLiteral("%1:%3 %2:%4")
                         .arg(bench.config.TimerOffTime[n])
                         .arg(bench.config.TimerOnTime[n])
                         .arg(bench.values({QStringLiteral("timer%1Off").arg(n)}),
                              bench.values({QStringLiteral("timer%1On").arg(n)}));
        QTEST(times.join(' '), "times");
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
        QTRY_COMPARE(bench.events, journal);
    }
};

QTEST_MAIN(TimerWindowTest)
#include "timer_window_test.moc"
