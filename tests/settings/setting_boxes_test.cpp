#include "boolean/operand_list.h"
#include "settings/setting_boxes.h"

#include <QtTest>

using namespace muxcc;

namespace {

// A refused box reads "none"; floats show 9 digits, so 12.2f is "12.1999998".
template <typename T>
QString Shown(const std::optional<T>& value)
{
    if (!value)
        return QStringLiteral("none");
    return QString::number(static_cast<double>(*value), 'g', std::is_same_v<T, float> ? 9 : 15);
}

QString Convert(const QString& conversion, const QString& input)
{
    const std::string text = input.toStdString();
    if (conversion == "number")
        return Shown(NumberInBox(text));
    if (conversion == "time")
        return Shown(TimeCountFromBox(text));
    if (conversion == "count")
        return QString::fromStdString(TimeCountText(input.toInt()));
    if (conversion == "12 V" || conversion == "24 V" || conversion == "model 7")
        return Shown(VoltageFromBox(text, conversion == "12 V" ? 0 : conversion == "24 V" ? 1 : 7));
    if (conversion == "range")
        return QString::fromStdString(std::string(VoltageRangeMessage(input.toInt())));
    if (conversion == "temperature")
        return Shown(TemperatureFromBox(text));
    if (conversion == "seconds")
        return Shown(FeatureSecondsFromBox(text));
    return QString::fromStdString(ThresholdText(input.toFloat()));
}

} // namespace

class SettingBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void shouldConvertBoxTextsWithinTheirRanges_data()
    {
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("number with blanks around") << "number" << "  3.5 " << "3.5";
        QTest::newRow("number with tabs around") << "number" << "\t7\t" << "7";
        QTest::newRow("number with leading point") << "number" << ".5" << "0.5";
        QTest::newRow("number with leading plus") << "number" << "+5" << "5";
        QTest::newRow("negative number") << "number" << "-0.4" << "-0.4";
        QTest::newRow("number with exponent") << "number" << "1e3" << "1000";
        QTest::newRow("empty text") << "number" << "" << "none";
        QTest::newRow("blanks only") << "number" << "   " << "none";
        QTest::newRow("letters") << "number" << "abc" << "none";
        QTest::newRow("number then letters") << "number" << "12abc" << "none";
        QTest::newRow("blank inside") << "number" << "1 2" << "none";
        QTest::newRow("two plus signs") << "number" << "++5" << "none";
        QTest::newRow("hexadecimal") << "number" << "0x10" << "none";
        QTest::newRow("infinity") << "number" << "inf" << "none";
        QTest::newRow("not a number") << "number" << "nan" << "none";
        QTest::newRow("longest time") << "time" << "1310" << "65500";
        QTest::newRow("time just above longest") << "time" << "1310.01" << "none";
        QTest::newRow("time below zero") << "time" << "-0.01" << "none";
        QTest::newRow("half count down to even") << "time" << "1.01" << "50";
        QTest::newRow("half count up to even") << "time" << "1.03" << "52";
        QTest::newRow("half count to zero") << "time" << "0.01" << "0";
        QTest::newRow("zero count shown") << "count" << "0" << "0";
        QTest::newRow("two counts shown") << "count" << "2" << "0.04";
        QTest::newRow("three counts shown") << "count" << "3" << "0.06";
        QTest::newRow("longest count shown") << "count" << "65500" << "1310";
        QTest::newRow("12 V top") << "12 V" << "20" << "20";
        QTest::newRow("12 V just above top") << "12 V" << "20.04" << "none";
        QTest::newRow("12 V rounds to top") << "12 V" << "19.96" << "20";
        QTest::newRow("12 V below zero") << "12 V" << "-0.04" << "none";
        QTest::newRow("volts to zero") << "12 V" << "0.04" << "0";
        QTest::newRow("half tenth down to even") << "12 V" << "12.25" << "12.1999998";
        QTest::newRow("half tenth to whole volts") << "12 V" << "12.05" << "12";
        QTest::newRow("24 V top") << "24 V" << "36" << "36";
        QTest::newRow("24 V just above top") << "24 V" << "36.01" << "none";
        QTest::newRow("24 V above 12 V top") << "24 V" << "27.6" << "27.6000004";
        QTest::newRow("unknown model takes 24 V") << "model 7" << "36" << "36";
        QTest::newRow("12 V message") << "range" << "0" << " MUST BE A NUMBER BETWEEN 0 AND 20";
        QTest::newRow("unknown model message") << "range" << "7" << " MUST BE A NUMBER BETWEEN 0 AND 36";
        QTest::newRow("temperature top") << "temperature" << "100" << "100";
        QTest::newRow("temperature above top") << "temperature" << "100.4" << "none";
        QTest::newRow("temperature half up") << "temperature" << "99.5" << "100";
        QTest::newRow("temperature half down") << "temperature" << "98.5" << "98";
        QTest::newRow("temperature below zero") << "temperature" << "-0.4" << "none";
        QTest::newRow("seconds half down") << "seconds" << "12.5" << "12";
        QTest::newRow("seconds half up") << "seconds" << "13.5" << "14";
        QTest::newRow("seconds below zero") << "seconds" << "-0.2" << "none";
        QTest::newRow("seconds above top") << "seconds" << "255.4" << "none";
        QTest::newRow("seconds top") << "seconds" << "255" << "255";
        QTest::newRow("seconds half below top") << "seconds" << "254.5" << "254";
        QTest::newRow("tenths shown") << "threshold" << "12.2" << "12.2";
        QTest::newRow("whole volts shown") << "threshold" << "20" << "20";
        QTest::newRow("zero shown") << "threshold" << "-0" << "0";
        // clang-format on
    }

    void shouldConvertBoxTextsWithinTheirRanges()
    {
        QFETCH(QString, conversion);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(Convert(conversion, input), expected);
    }

    // The list is not in code order: entries and codes meet by name. Position -1: no entry.
    void shouldMatchOperandEntriesByName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        // clang-format off
        QTest::newRow("empty entry") << "" << 0 << 0;
        QTest::newRow("buzzer") << "BUZZER " << 37 << 47;
        QTest::newRow("first timer") << "TMR1 " << 54 << 37;
        QTest::newRow("fourth timer") << "TMR4 " << 64 << 40;
        QTest::newRow("fourth trigger") << "TRIG4 " << 62 << 45;
        QTest::newRow("last option") << "OPTION4 " << 60 << 65;
        QTest::newRow("name without its space") << "TMR4" << 0 << -1;
        QTest::newRow("lower case") << "tmr4 " << 0 << -1;
        QTest::newRow("command") << "AND " << 0 << -1;
        QTest::newRow("no such channel") << "MUX17 " << 0 << -1;
        // clang-format on
    }

    void shouldMatchOperandEntriesByName()
    {
        QFETCH(QString, entry);
        QFETCH(int, code);
        QFETCH(int, position);
        QCOMPARE(OperandCodeOfEntry(entry.toStdString()), code);
        if (position >= 0) {
            QCOMPARE(OperandListEntries().size(), std::size_t{66});
            QCOMPARE(QString::fromStdString(OperandListEntries().at(std::size_t(position))), entry);
            QCOMPARE(QString::fromStdString(OperandEntry(code)), entry);
        }
    }
};

QTEST_APPLESS_MAIN(SettingBoxesTest)
#include "setting_boxes_test.moc"
