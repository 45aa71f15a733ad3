#include "boolean/operand_codes.h"

#include <QTest>

using namespace muxcc;

class OperandCodesTest : public QObject {
    Q_OBJECT

private slots:
    void shouldGiveTheCodesOfEachName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("negated");

        QTest::newRow("first channel") << "MUX1" << 1 << 129;
        QTest::newRow("a middle channel") << "MUX7" << 7 << 135;
        QTest::newRow("last channel") << "MUX16" << 16 << 144;
        QTest::newRow("a FET") << "FET3" << 19 << 147;
        QTest::newRow("last FET") << "FET10" << 26 << 154;
        QTest::newRow("first VRT") << "VRT1" << 27 << 155;
        QTest::newRow("buzzer") << "BUZZER" << 37 << 165;
        QTest::newRow("third trigger") << "TRIG3" << 40 << 168;
        QTest::newRow("first input") << "INPUT1" << 41 << 169;
        QTest::newRow("a voltage comparator") << "V5" << 48 << 176;
        QTest::newRow("last temperature comparator") << "T4" << 53 << 181;
        QTest::newRow("third timer") << "TMR3" << 56 << 184;
        QTest::newRow("last option") << "OPTION4" << 60 << 188;
        QTest::newRow("sleep signal") << "SLP" << 61 << 189;
        QTest::newRow("fourth trigger after SLP") << "TRIG4" << 62 << 190;
        QTest::newRow("fourth timer after the triggers") << "TMR4" << 64 << 192;
        QTest::newRow("last timer, largest code") << "TMR5" << 65 << 193;
        QTest::newRow("no channel 17") << "MUX17" << 0 << 0;
        QTest::newRow("a keyword") << "AND" << 0 << 0;
        QTest::newRow("empty text") << "" << 0 << 0;
        QTest::newRow("lower case") << "mux1" << 0 << 0;
        QTest::newRow("leading zero") << "MUX01" << 0 << 0;
        QTest::newRow("trailing space") << "MUX1 " << 0 << 0;
    }
    void shouldGiveTheCodesOfEachName()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QFETCH(int, negated);
        QCOMPARE(OperandCode(name.toStdString()), code);
        QCOMPARE(NegatedOperandCode(name.toStdString()), negated);
        if (code != 0)
            QCOMPARE(QString::fromUtf8(OperandName(code)), name);
    }

    void shouldNameEveryCodeOnceAndNothingElse()
    {
        for (int code = -1; code <= 200; ++code) {
            const std::string_view name = OperandName(code);
            const bool isOperand = code >= 1 && code <= OperandCount;
            QCOMPARE(name.empty(), !isOperand);
            if (isOperand)
                QCOMPARE(OperandCode(name), code);
        }
    }
};

QTEST_APPLESS_MAIN(OperandCodesTest)
#include "operand_codes_test.moc"
