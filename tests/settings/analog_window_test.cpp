#include "settings_bench.h"

namespace {

const QStringList BoxesInCheckOrder{"T1SET",  "T1TIME", "T2SET",  "T2TIME", "T3SET",  "T3TIME", "T4SET",
                                    "T4TIME", "V1SET",  "V1TIME", "V2SET",  "V2TIME", "V3SET",  "V3TIME",
                                    "V4SET",  "V4TIME", "V5SET",  "V5TIME", "V6SET",  "V6TIME"};

} // namespace

class AnalogWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Fields start at 12.2 V for 0.5 s and 75 degrees for 1310 s, so a rejected box stores 0 rather than
    // keeping what was there. Reopening afterwards shows what was saved, whatever was chosen or typed
    // meanwhile.
    void shouldSaveEachBoxWithinItsRange_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        const QString to20 = "V%1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20";
        QStringList empty{"model24"};
        QStringList all;
        for (const QString& box : BoxesInCheckOrder) {
            empty << box + '=';
            all << box.left(2) + (box.endsWith("TIME") ? " TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310"
                                  : box.startsWith('T')
                                      ? " TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND 100"
                                      : " VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36");
        }
        // clang-format off
        QTest::newRow("12 V top") << "model12;V1SET=20" << QStringList{"V1SET"} << 0 << "20" << QStringList{};
        QTest::newRow("12 V just above top") << "V2SET=20.04" << QStringList{"V2SET"} << 0 << "0" << QStringList{to20.arg(2)};
        QTest::newRow("24 V top") << "model24;V4SET=36" << QStringList{"V4SET"} << 1 << "36" << QStringList{};
        QTest::newRow("24 V just above top") << "model24;V5SET=36.01" << QStringList{"V5SET"} << 1 << "0" << QStringList{"V5 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36"};
        QTest::newRow("half tenth to even, box rewritten") << "V6SET=12.25" << QStringList{"V6SET"} << 0 << "12.2" << QStringList{};
        QTest::newRow("27.6 under 24 V") << "model24;V1SET=27.6" << QStringList{"V1SET"} << 1 << "27.6" << QStringList{};
        QTest::newRow("27.6 again under 12 V") << "model24;V1SET=27.6;mnusaveanalogform4;model12" << QStringList{"V1SET"} << 0 << "0" << QStringList{to20.arg(1)};
        QTest::newRow("temperature top") << "T1SET=100" << QStringList{"T1SET"} << 0 << "100" << QStringList{};
        QTest::newRow("temperature above top") << "T2SET=100.4" << QStringList{"T2SET"} << 0 << "0" << QStringList{"T2 TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND 100"};
        QTest::newRow("temperature half up") << "model24;T3SET=99.5" << QStringList{"T3SET"} << 1 << "100" << QStringList{};
        QTest::newRow("longest time") << "V1TIME=1310" << QStringList{"V1TIME"} << 0 << "1310" << QStringList{};
        QTest::newRow("time above longest") << "T4TIME=1310.5" << QStringList{"T4TIME"} << 0 << "0" << QStringList{"T4 TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310"};
        QTest::newRow("time with blanks, box rewritten") << "V6TIME= 2 " << QStringList{"V6TIME"} << 0 << "2" << QStringList{};
        QTest::newRow("every box empty, model still stored") << empty.join(';') << BoxesInCheckOrder << 1 << "0" << all;
        // clang-format on
    }

    void shouldSaveEachBoxWithinItsRange()
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
        bench.checkRejectedBoxes();
        QTRY_COMPARE_WITH_TIMEOUT(bench.events,
                                  QStringList{"status: Analog Settings Saving, but not to file"}
                                      << messages << "status: Analog Settings Saved, but not to file"
                                      << "status:",
                                  500);
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

QTEST_MAIN(AnalogWindowTest)
#include "analog_window_test.moc"
