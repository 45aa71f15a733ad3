#include "boolean/compiler.h"

#include "code_area_support.h"

#include <QTest>

using namespace muxcc;
using muxcc::test::AreaFilledWith;
using muxcc::test::EntriesOf;
using muxcc::test::EquationTexts;

namespace {

// A value the compiler never writes, to see which entries it left alone.
constexpr int untouched = 777;

const QString lengthMessage = " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS";

// "MUX1 AND MUX1 ...": an equation of exactly 2 * operands entries.
QString Chain(int operands)
{
    QStringList tokens(operands, "MUX1");
    return tokens.join(" AND ");
}

QStringList EmptyEquations()
{
    return QStringList(OutputCount, QString());
}

} // namespace

class CompilerTest : public QObject {
    Q_OBJECT

private slots:
    void shouldCompileAcceptedEquation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("code");

        QTest::newRow("empty") << "" << QList<int>{0, 0};
        QTest::newRow("spaces only") << "   " << QList<int>{0, 0};
        QTest::newRow("one operand") << "MUX1" << QList<int>{0, 1};
        QTest::newRow("spaces around do not matter") << "  MUX1  " << QList<int>{0, 1};
        QTest::newRow("negated operand") << "NOT MUX1" << QList<int>{0, 129};
        QTest::newRow("largest operand code") << "NOT TMR5" << QList<int>{0, 193};
        QTest::newRow("and not") << "MUX1 AND NOT MUX2" << QList<int>{0, 1, 1, 130};
        QTest::newRow("or") << "MUX1 OR FET1" << QList<int>{0, 1, 2, 17};
        QTest::newRow("group first") << "( MUX1 OR MUX2 ) AND FET1"
                                     << QList<int>{0, 0, 4, 1, 2, 2, 16, 0, 1, 17};
        QTest::newRow("negated group") << "NOT ( MUX1 AND MUX2 )" << QList<int>{0, 0, 8, 1, 1, 2, 16, 0};
        QTest::newRow("negated single") << "NOT ( MUX1 )" << QList<int>{0, 0, 8, 1, 16, 0};
        QTest::newRow("group after operator")
            << "MUX1 AND ( MUX2 OR MUX3 )" << QList<int>{0, 1, 1, 0, 4, 2, 2, 3, 16, 0};
        QTest::newRow("negated group after operator")
            << "MUX1 AND NOT ( MUX2 )" << QList<int>{0, 1, 1, 0, 8, 2, 16, 0};
        QTest::newRow("nested groups") << "( ( MUX1 ) )" << QList<int>{0, 0, 4, 0, 4, 1, 16, 0, 16, 0};
        QTest::newRow("negated group inside group")
            << "( NOT ( MUX1 ) )" << QList<int>{0, 0, 4, 0, 8, 1, 16, 0, 16, 0};
        QTest::newRow("close before open, totals equal")
            << "MUX1 ) AND ( MUX2" << QList<int>{0, 1, 16, 0, 1, 0, 4, 2};
    }
    void shouldCompileAcceptedEquation()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, code);
        CodeArea area = AreaFilledWith(untouched);
        BooleanCompiler compiler(area);

        QCOMPARE(compiler.compileBoolean(text.toStdString()), EquationResult::Accepted);
        QCOMPARE(compiler.codeLength(), code.size());
        QCOMPARE(EntriesOf(area, 0, compiler.codeLength() + 1), code + QList<int>{untouched});
    }

    void shouldRejectEquationKeepingWhatWasAppended_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("appended");

        QTest::newRow("two spaces make an empty token") << "MUX1  AND MUX2" << QList<int>{0, 1};
        QTest::newRow("lower-case keyword is an operand") << "MUX1 and MUX2" << QList<int>{0, 1};
        QTest::newRow("NOT twice") << "NOT NOT MUX1" << QList<int>{};
        QTest::newRow("NOT alone, at the end check") << "NOT" << QList<int>{};
        QTest::newRow("close right after open") << "( )" << QList<int>{0, 0, 4};
        QTest::newRow("operand after operand") << "MUX1 MUX2" << QList<int>{0, 1};
        QTest::newRow("ends with an operator") << "MUX1 AND" << QList<int>{0, 1, 1};
        QTest::newRow("starts with an operator") << "AND MUX1" << QList<int>{};
        QTest::newRow("operator while NOT pending") << "MUX1 NOT AND MUX2" << QList<int>{0, 1};
        QTest::newRow("close while NOT pending") << "( MUX1 NOT )" << QList<int>{0, 0, 4, 1};
        QTest::newRow("ends with NOT") << "MUX1 AND NOT" << QList<int>{0, 1, 1};
        QTest::newRow("group never closed") << "( MUX1" << QList<int>{0, 0, 4, 1};
        QTest::newRow("close without open") << "MUX1 )" << QList<int>{0, 1, 16, 0};
        QTest::newRow("open after operand") << "MUX1 ( MUX2 )" << QList<int>{0, 1};
        QTest::newRow("operand after close") << "( MUX1 ) MUX2" << QList<int>{0, 0, 4, 1, 16, 0};
        QTest::newRow("no such operand") << "MUX17" << QList<int>{};
        QTest::newRow("tab is part of a token") << "MUX1\tAND MUX2" << QList<int>{};
    }
    void shouldRejectEquationKeepingWhatWasAppended()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, appended);
        CodeArea area = AreaFilledWith(untouched);
        BooleanCompiler compiler(area);

        QCOMPARE(compiler.compileBoolean(text.toStdString()), EquationResult::Rejected);
        QCOMPARE(compiler.codeLength(), appended.size());
        QCOMPARE(EntriesOf(area, 0, compiler.codeLength() + 1), appended + QList<int>{untouched});
    }

    void shouldNameTheFirstRejectedEquationAndStop_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<QString>("message");

        QTest::newRow("first channel") << 1 << " Boolean Error in MUX1, Check Boolean";
        QTest::newRow("fifth channel") << 5 << " Boolean Error in MUX5, Check Boolean";
        QTest::newRow("first FET") << 17 << " Boolean Error in FET1, Check Boolean";
        QTest::newRow("last VRT") << 36 << " Boolean Error in VRT10, Check Boolean";
        QTest::newRow("buzzer") << 37 << " Boolean Error in BUZZER, Check Boolean";
        QTest::newRow("last trigger") << 42 << " Boolean Error in TRIG5, Check Boolean";
    }
    void shouldNameTheFirstRejectedEquationAndStop()
    {
        QFETCH(int, output);
        QFETCH(QString, message);
        QStringList texts(OutputCount, "FET2");
        texts[output - 1] = "MUX1 MUX2";
        if (output < OutputCount)
            texts[output] = "MUX3 MUX4"; // also wrong, but never reached
        CodeArea area = AreaFilledWith(untouched);
        BooleanCompiler compiler(area);

        const auto notice = compiler.compileAll(EquationTexts(texts));

        QVERIFY(notice);
        QCOMPARE(*notice, (Notice{Notice::Icon::Exclamation, "Boolean Error", message.toStdString()}));
        QList<int> expected;
        for (int k = 1; k < output; ++k)
            expected << 0 << 18;
        expected << 0 << 1;
        QCOMPARE(compiler.codeLength(), expected.size());
        // The rest keeps its earlier values: no end pair is written.
        expected += QList<int>(CodeAreaSize - expected.size(), untouched);
        QCOMPARE(EntriesOf(area, 0, CodeAreaSize), expected);
    }

    void shouldLimitTheImageTo512Entries_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("codeLength");

        // 41 empty equations and the end pair take 84 entries.
        QStringList texts = EmptyEquations();
        texts[0] = Chain(214);
        QTest::newRow("exactly 512 entries, end pair included") << texts << QString() << 512;
        texts[0] = Chain(215);
        QTest::newRow("end pair would need index 513") << texts << lengthMessage << 513;
        texts = EmptyEquations();
        texts[0] = Chain(257);
        QTest::newRow("first equation runs past index 512") << texts << lengthMessage << 513;
        texts = EmptyEquations();
        texts[0] = Chain(171);
        texts[OutputCount - 1] = Chain(47);
        QTest::newRow("last equation runs past index 512") << texts << lengthMessage << 513;
        texts = EmptyEquations();
        texts[0] = Chain(256);
        QTest::newRow("next equation after 512 entries runs past") << texts << lengthMessage << 513;
        texts[1] = "AND";
        QTest::newRow("equation rejected before writing past 512")
            << texts << " Boolean Error in MUX2, Check Boolean" << 512;
        texts = EmptyEquations();
        texts[0] = Chain(215);
        texts[40] = "MUX1 OR MUX2";
        texts[41] = "AND";
        QTest::newRow("area full after equation 41, 42 still compiled")
            << texts << " Boolean Error in TRIG5, Check Boolean" << 512;
    }
    void shouldLimitTheImageTo512Entries()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(int, codeLength);
        CodeArea area = AreaFilledWith(untouched);
        BooleanCompiler compiler(area);

        const auto notice = compiler.compileAll(EquationTexts(texts));

        QCOMPARE(notice ? QString::fromStdString(notice->text) : QString(), message);
        QCOMPARE(compiler.codeLength(), codeLength);
        if (!notice)
            QCOMPARE(EntriesOf(area, 510, 3), (QList<int>{0, 0, untouched}));
    }

    void shouldRefuseTextsTooLongToScan_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        const QString checkMessage = " Boolean Error in MUX1, Check Boolean";
        QTest::newRow("32,766 characters are scanned") << QString(32766, 'X') << checkMessage;
        QTest::newRow("surrounding spaces do not count") << "  " + QString(32766, 'X') + " " << checkMessage;
        QTest::newRow("32,767 characters are refused") << QString(32767, 'X') << lengthMessage;
        QTest::newRow("far longer text is refused") << Chain(20000) << lengthMessage;
    }
    void shouldRefuseTextsTooLongToScan()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QStringList texts = EmptyEquations();
        texts[0] = text;
        CodeArea area = AreaFilledWith(untouched);
        BooleanCompiler compiler(area);

        const auto notice = compiler.compileAll(EquationTexts(texts));

        QVERIFY(notice);
        QCOMPARE(QString::fromStdString(notice->text), message);
        QCOMPARE(compiler.codeLength(), 0);
        QCOMPARE(area[0], untouched);
    }

    void shouldCompileTheConfigurationTextsFromIndexZero()
    {
        Configuration config;
        config.BooleanCode = AreaFilledWith(5);
        config.BooleanText[37] = "  NOT MUX1 ";

        QCOMPARE(CompileAllBooleans(config), std::nullopt);

        QList<int> expected(2 * 36, 0);
        expected << 0 << 129 << QList<int>(2 * 5 + 2, 0);
        expected += QList<int>(CodeAreaSize - 86, 5);
        QCOMPARE(EntriesOf(config.BooleanCode, 0, CodeAreaSize), expected);
        QCOMPARE(config.BooleanText[37], "  NOT MUX1 ");
    }
};

QTEST_APPLESS_MAIN(CompilerTest)
#include "compiler_test.moc"
