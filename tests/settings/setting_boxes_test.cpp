#include "boolean/operand_list.h"
#include "settings/setting_boxes.h"

#include <QtTest>

#include <set>

using namespace muxcc;

namespace {

// Optional numbers as one comparable text: "none" when the box is refused.
template <typename T>
QString Shown(const std::optional<T>& value)
{
    return value ? QString::number(static_cast<double>(*value), 'g', 17) : QStringLiteral("none");
}

} // namespace

class SettingBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void shouldReadOnlyWholeDecimalNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::newRow("plain integer") << "20"
                                       << "20";
        QTest::newRow("blanks around") << "  3.5 "
                                       << "3.5";
        QTest::newRow("tabs around") << "\t7\t"
                                     << "7";
        QTest::newRow("leading point") << ".5"
                                       << "0.5";
        QTest::newRow("trailing point") << "5."
                                        << "5";
        QTest::newRow("leading plus") << "+5"
                                      << "5";
        QTest::newRow("negative") << "-0.4"
                                  << "-0.40000000000000002";
        QTest::newRow("exponent") << "1e3"
                                  << "1000";
        QTest::newRow("empty") << ""
                               << "none";
        QTest::newRow("blanks only") << "   "
                                     << "none";
        QTest::newRow("letters") << "abc"
                                 << "none";
        QTest::newRow("number then letters") << "12abc"
                                             << "none";
        QTest::newRow("blank inside") << "1 2"
                                      << "none";
        QTest::newRow("decimal comma") << "1,5"
                                       << "none";
        QTest::newRow("two plus signs") << "++5"
                                        << "none";
        QTest::newRow("hexadecimal") << "0x10"
                                     << "none";
        QTest::newRow("dangling exponent") << "1e"
                                           << "none";
        QTest::newRow("infinity") << "inf"
                                  << "none";
        QTest::newRow("not a number") << "nan"
                                      << "none";
    }

    void shouldReadOnlyWholeDecimalNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, number);
        QCOMPARE(Shown(NumberInBox(text.toStdString())), number);
    }

    void shouldStoreTimesAsCountsWithinTheirRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count");
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("longest time") << "1310"
                                      << "65500";
        QTest::newRow("just above the longest") << "1310.01"
                                                << "none";
        QTest::newRow("half a second above") << "1310.5"
                                             << "none";
        QTest::newRow("below zero") << "-0.01"
                                    << "none";
        QTest::newRow("half count rounds down to even") << "1.01"
                                                        << "50";
        QTest::newRow("half count rounds up to even") << "1.03"
                                                      << "52";
        QTest::newRow("half count from zero") << "0.01"
                                              << "0";
        QTest::newRow("two and a half counts") << "0.05"
                                               << "2";
        QTest::newRow("blanks around") << " 5 "
                                       << "250";
        QTest::newRow("empty") << ""
                               << "none";
    }

    void shouldStoreTimesAsCountsWithinTheirRange()
    {
        QFETCH(QString, text);
        QFETCH(QString, count);
        QCOMPARE(Shown(TimeCountFromBox(text.toStdString())), count);
    }

    void shouldShowCountsAsShortestSeconds_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0";
        QTest::newRow("one count") << 1 << "0.02";
        QTest::newRow("two counts") << 2 << "0.04";
        QTest::newRow("three counts") << 3 << "0.06";
        QTest::newRow("half a second") << 25 << "0.5";
        QTest::newRow("rounded half count") << 52 << "1.04";
        QTest::newRow("longest time") << 65500 << "1310";
    }

    void shouldShowCountsAsShortestSeconds()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(TimeCountText(count)), text);
    }

    void shouldStoreVoltagesInTenthsWithinTheModelsRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("volts");
        QTest::addColumn<QString>("message");
        const QString to20 = " MUST BE A NUMBER BETWEEN 0 AND 20";
        const QString to36 = " MUST BE A NUMBER BETWEEN 0 AND 36";
        QTest::newRow("12 V top") << "20" << 0 << "20" << to20;
        QTest::newRow("12 V just above top") << "20.04" << 0 << "none" << to20;
        QTest::newRow("12 V rounds up to top") << "19.96" << 0 << "20" << to20;
        QTest::newRow("12 V 24 V value") << "27.6" << 0 << "none" << to20;
        QTest::newRow("12 V below zero") << "-0.04" << 0 << "none" << to20;
        QTest::newRow("12 V rounds to zero") << "0.04" << 0 << "0" << to20;
        QTest::newRow("half tenth down to even") << "12.25" << 0 << QString::number(12.2f, 'g', 17) << to20;
        QTest::newRow("half tenth to whole volts") << "12.05" << 0 << "12" << to20;
        QTest::newRow("24 V top") << "36" << 1 << "36" << to36;
        QTest::newRow("24 V just above top") << "36.01" << 1 << "none" << to36;
        QTest::newRow("24 V above 12 V top") << "27.6" << 1 << QString::number(27.6f, 'g', 17) << to36;
        QTest::newRow("unknown model uses 24 V") << "36" << 7 << "36" << to36;
        QTest::newRow("not a number") << "12V" << 1 << "none" << to36;
    }

    void shouldStoreVoltagesInTenthsWithinTheModelsRange()
    {
        QFETCH(QString, text);
        QFETCH(int, model);
        QFETCH(QString, volts);
        QFETCH(QString, message);
        QCOMPARE(Shown(VoltageFromBox(text.toStdString(), model)), volts);
        QCOMPARE(QString::fromStdString(std::string(VoltageRangeMessage(model))), message);
    }

    void shouldStoreWholeTemperatures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("degrees");
        QTest::newRow("top") << "100"
                             << "100";
        QTest::newRow("above top before rounding") << "100.4"
                                                   << "none";
        QTest::newRow("half up to even top") << "99.5"
                                             << "100";
        QTest::newRow("half down to even") << "98.5"
                                           << "98";
        QTest::newRow("below zero before rounding") << "-0.4"
                                                    << "none";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("letters") << "warm"
                                 << "none";
    }

    void shouldStoreWholeTemperatures()
    {
        QFETCH(QString, text);
        QFETCH(QString, degrees);
        QCOMPARE(Shown(TemperatureFromBox(text.toStdString())), degrees);
    }

    void shouldStoreWholeFeatureSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("half down to even") << "12.5"
                                           << "12";
        QTest::newRow("half up to even") << "13.5"
                                         << "14";
        QTest::newRow("below zero") << "-0.2"
                                    << "none";
        QTest::newRow("above top before rounding") << "255.4"
                                                   << "none";
        QTest::newRow("top") << "255"
                             << "255";
        QTest::newRow("half below top") << "254.5"
                                        << "254";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("empty") << ""
                               << "none";
    }

    void shouldStoreWholeFeatureSeconds()
    {
        QFETCH(QString, text);
        QFETCH(QString, seconds);
        QCOMPARE(Shown(FeatureSecondsFromBox(text.toStdString())), seconds);
    }

    void shouldShowThresholdsWithoutTrailingZeros_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("tenth") << 12.2f << "12.2";
        QTest::newRow("whole") << 20.0f << "20";
        QTest::newRow("24 V tenth") << 27.6f << "27.6";
        QTest::newRow("negative zero") << -0.0f << "0";
    }

    void shouldShowThresholdsWithoutTrailingZeros()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(ThresholdText(value)), text);
    }

    void shouldTitleMessagesByBox_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("timer off") << QString::fromStdString(TimerTimeTitle(1, false)) << "TIMER#1 OFF TIME";
        QTest::newRow("timer on") << QString::fromStdString(TimerTimeTitle(5, true)) << "TIMER#5 ON TIME";
        QTest::newRow("voltage") << QString::fromStdString(VoltageSettingTitle(6)) << "V6 VOLTAGE SETTING";
        QTest::newRow("voltage time") << QString::fromStdString(VoltageTimeTitle(2)) << "V2 TIME SETTING";
        QTest::newRow("temperature") << QString::fromStdString(TemperatureSettingTitle(3))
                                     << "T3 TEMPERATURE SETTING";
        QTest::newRow("temperature time")
            << QString::fromStdString(TemperatureTimeTitle(4)) << "T4 TIME SETTING";
    }

    void shouldTitleMessagesByBox()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        QCOMPARE(title, expected);
    }

    // The additional features window's lists: code and entry meet by name, not by position.
    void shouldConvertOperandCodesAndListEntriesByName_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("entry");
        QTest::newRow("none") << 0 << 0 << "";
        QTest::newRow("first channel") << 1 << 1 << "MUX1 ";
        QTest::newRow("buzzer") << 37 << 47 << "BUZZER ";
        QTest::newRow("first timer") << 54 << 37 << "TMR1 ";
        QTest::newRow("fourth timer") << 64 << 40 << "TMR4 ";
        QTest::newRow("fifth timer") << 65 << 41 << "TMR5 ";
        QTest::newRow("fourth trigger") << 62 << 45 << "TRIG4 ";
        QTest::newRow("sleep") << 61 << 58 << "SLP ";
        QTest::newRow("last option") << 60 << 65 << "OPTION4 ";
    }

    void shouldConvertOperandCodesAndListEntriesByName()
    {
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(QString, entry);
        const std::vector<std::string>& entries = OperandListEntries();
        QCOMPARE(entries.size(), std::size_t{66});
        QCOMPARE(QString::fromStdString(entries.at(static_cast<std::size_t>(position))), entry);
        QCOMPARE(QString::fromStdString(OperandEntry(code)), entry);
        QCOMPARE(OperandCodeOfEntry(entry.toStdString()), code);
    }

    void shouldGiveNoOperandForTextThatNamesNone_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("name without its space") << "TMR4";
        QTest::newRow("two spaces") << "TMR4  ";
        QTest::newRow("lower case") << "tmr4 ";
        QTest::newRow("command") << "AND ";
        QTest::newRow("no such channel") << "MUX17 ";
        QTest::newRow("space only") << " ";
    }

    void shouldGiveNoOperandForTextThatNamesNone()
    {
        QFETCH(QString, entry);
        QCOMPARE(OperandCodeOfEntry(entry.toStdString()), 0);
    }

    void shouldGiveNoEntryForCodesOutsideTheOperands_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("below") << -1;
        QTest::newRow("above") << 66;
        QTest::newRow("negated") << 129;
    }

    void shouldGiveNoEntryForCodesOutsideTheOperands()
    {
        QFETCH(int, code);
        QCOMPARE(QString::fromStdString(OperandEntry(code)), QString());
    }

    void shouldListEveryOperandOnceUnderItsOwnCode()
    {
        std::set<int> codes;
        for (const std::string& entry : OperandListEntries()) {
            const int code = OperandCodeOfEntry(entry);
            QCOMPARE(OperandEntry(code), entry);
            codes.insert(code);
        }
        QCOMPARE(codes.size(), std::size_t{66});
        QCOMPARE(*codes.rbegin(), 65);
    }
};

QTEST_APPLESS_MAIN(SettingBoxesTest)
#include "setting_boxes_test.moc"
