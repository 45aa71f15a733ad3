#include "model/configuration.h"
#include "model/output_order.h"

#include <QtTest>

using muxcc::Configuration;

class ConfigurationTest : public QObject {
    Q_OBJECT

private slots:
    void shouldNameOutputsInOutputOrder_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<QString>("name");
        QTest::newRow("first channel") << 1 << "MUX1";
        QTest::newRow("last channel") << 16 << "MUX16";
        QTest::newRow("first FET") << 17 << "FET1";
        QTest::newRow("last FET") << 26 << "FET10";
        QTest::newRow("first VRT") << 27 << "VRT1";
        QTest::newRow("last VRT") << 36 << "VRT10";
        QTest::newRow("buzzer") << 37 << "BUZZER";
        QTest::newRow("first trigger") << 38 << "TRIG1";
        QTest::newRow("last trigger") << 42 << "TRIG5";
    }

    void shouldNameOutputsInOutputOrder()
    {
        QFETCH(int, output);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(muxcc::OutputName(output)), name);
    }

    void shouldStartEmpty()
    {
        const Configuration fresh;
        for (int n = 1; n <= muxcc::ChannelCount; ++n)
            QCOMPARE(fresh.ChannelDirection[n], 0);
        for (int n = 1; n <= muxcc::TimerCount; ++n)
            QVERIFY(fresh.TimerOnTime[n] == 0 && fresh.TimerOffTime[n] == 0 && fresh.TimerMode[n] == 0);
        for (int n = 1; n <= muxcc::OutputCount; ++n)
            QVERIFY(fresh.BooleanText[n].empty() && fresh.BooleanEditText[n].empty());
        for (auto entry : fresh.BooleanCode)
            QCOMPARE(entry, 0);
        QVERIFY(fresh.FileName.empty());
        QCOMPARE(fresh.FileAssociated, 0);
        QCOMPARE(fresh.VoltageModel, 0);
    }

    void shouldIndexFromOne()
    {
        Configuration config;
        config.TimerOnTime[1] = 11;
        config.TimerOnTime[5] = 55;
        QCOMPARE(*config.TimerOnTime.begin(), 11);
        QCOMPARE(*(config.TimerOnTime.end() - 1), 55);
    }
};

QTEST_GUILESS_MAIN(ConfigurationTest)
#include "configuration_test.moc"
