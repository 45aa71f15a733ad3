#include "boolean/listing.h"

#include "code_area_support.h"

#include <QTest>

using namespace muxcc;
using muxcc::test::AreaFilledWith;

namespace {

// An otherwise zero code area holding `entries` from index `first`.
CodeArea AreaWith(int first, const QList<int>& entries)
{
    CodeArea code{};
    for (int i = 0; i < entries.size(); ++i)
        code[static_cast<std::size_t>(first + i)] = static_cast<std::int16_t>(entries[i]);
    return code;
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    void shouldListOperandEntry_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");

        QTest::newRow("no operand") << 0 << "";
        QTest::newRow("first operand") << 1 << "MUX1 ";
        QTest::newRow("last FET") << 26 << "FET10 ";
        QTest::newRow("buzzer") << 37 << "BUZZER ";
        QTest::newRow("trigger after SLP") << 62 << "TRIG4 ";
        QTest::newRow("last operand") << 65 << "TMR5 ";
        QTest::newRow("just past the operands") << 66 << "";
        QTest::newRow("outside the table") << 70 << "";
        QTest::newRow("negation of nothing") << 128 << "";
        QTest::newRow("first negated operand") << 129 << "NOT MUX1 ";
        QTest::newRow("last negated operand") << 193 << "NOT TMR5 ";
        QTest::newRow("just past the negated operands") << 194 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void shouldListOperandEntry()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(ListOperand(entry)), text);
    }

    void shouldListOperatorEntry_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");

        QTest::newRow("start of equation") << 0 << "";
        QTest::newRow("and") << 1 << "AND ";
        QTest::newRow("or") << 2 << "OR ";
        QTest::newRow("and plus or is nothing") << 3 << "";
        QTest::newRow("open") << 4 << "( ";
        QTest::newRow("negated open") << 8 << "NOT ( ";
        QTest::newRow("close") << 16 << ") ";
        QTest::newRow("next power of two") << 32 << "";
        QTest::newRow("an operand value") << 129 << "";
    }
    void shouldListOperatorEntry()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(ListOperator(entry)), text);
    }

    void shouldListOneEquation_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<int>>("code");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("next");

        QTest::newRow("empty") << 0 << QList<int>{0, 0} << 0 << "" << 2;
        QTest::newRow("one operand") << 0 << QList<int>{0, 1} << 0 << "MUX1 " << 2;
        QTest::newRow("and not") << 0 << QList<int>{0, 1, 1, 130} << 0 << "MUX1 AND NOT MUX2 " << 4;
        QTest::newRow("group first") << 0 << QList<int>{0, 0, 4, 1, 2, 2, 16, 0, 1, 17} << 0
                                     << "( MUX1 OR MUX2 ) AND FET1 " << 10;
        QTest::newRow("negated group") << 0 << QList<int>{0, 0, 8, 1, 16, 0} << 0 << "NOT ( MUX1 ) " << 6;
        QTest::newRow("group after operator")
            << 0 << QList<int>{0, 1, 1, 0, 4, 2, 2, 3, 16, 0} << 0 << "MUX1 AND ( MUX2 OR MUX3 ) " << 10;
        QTest::newRow("nested groups")
            << 0 << QList<int>{0, 0, 4, 0, 4, 1, 16, 0, 16, 0} << 0 << "( ( MUX1 ) ) " << 10;
        QTest::newRow("operator 3 and operand 70 list as nothing")
            << 0 << QList<int>{0, 1, 3, 2, 1, 70, 2, 3} << 0 << "MUX1 MUX2 AND OR MUX3 " << 8;
        QTest::newRow("stops at the next opening")
            << 0 << QList<int>{0, 1, 2, 2, 0, 3} << 0 << "MUX1 OR MUX2 " << 4;
        QTest::newRow("a later equation") << 0 << QList<int>{0, 1, 0, 2, 1, 3} << 2 << "MUX2 AND MUX3 " << 6;
        // Entry 512 is set in the rows below; it must never be listed.
        QTest::newRow("walk ends at index 511")
            << 508 << QList<int>{0, 1, 2, 3, 4} << 508 << "MUX1 OR MUX3 " << 512;
        QTest::newRow("operand slot 512 reads as 0")
            << 509 << QList<int>{0, 2, 1, 4} << 509 << "MUX2 AND " << 513;
        QTest::newRow("opening at 511") << 511 << QList<int>{0, 1} << 511 << "" << 513;
        QTest::newRow("opening past 511") << 512 << QList<int>{1} << 512 << "" << 514;
    }
    void shouldListOneEquation()
    {
        QFETCH(int, first);
        QFETCH(QList<int>, code);
        QFETCH(int, start);
        QFETCH(QString, text);
        QFETCH(int, next);
        int address_l = start;
        QCOMPARE(QString::fromStdString(ListBoolean(AreaWith(first, code), address_l)), text);
        QCOMPARE(address_l, next);
    }

    void shouldListAllEquations_data()
    {
        QTest::addColumn<int>("fill");
        QTest::addColumn<QString>("firstText");

        QTest::newRow("all zero: 42 empty equations") << 0 << "";
        QTest::newRow("one opening only: the rest are missing")
            << 1 << "MUX1 " + QString("AND MUX1 ").repeated(255);
    }
    void shouldListAllEquations()
    {
        QFETCH(int, fill);
        QFETCH(QString, firstText);
        CodeArea code = AreaFilledWith(fill);
        code[0] = 0;

        const auto texts = ListAllBooleans(code);

        QCOMPARE(QString::fromStdString(texts[1]), firstText);
        for (int k = 2; k <= OutputCount; ++k)
            QCOMPARE(texts[k], std::string());
    }
};

QTEST_APPLESS_MAIN(ListingTest)
#include "listing_test.moc"
