#include "boolean/operand_list.h"
#include "settings/setting_boxes.h"

#include <QtTest>

#include <algorithm>

using namespace muxcc;

namespace {

// A refused box reads "none"; floats show 9 digits, so 12.2f is "12.1999998". An operand entry reads
// "code at position is entry" (-1: not in the list): the code found by name, and the code's entry.
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

class SettingBoxesTest : public QObject {
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
        QTest::newRow("empty text") << "time" << "" << "none";
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
        QTest::newRow("empty entry") << "operand" << "" << "0 at 0 is ";
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
};

QTEST_APPLESS_MAIN(SettingBoxesTest)
#include "setting_boxes_test.moc"
