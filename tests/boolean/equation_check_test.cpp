// The live check of one equation and the code entries of all 42, held against Compile itself.

#include "boolean/compiler.h"
#include "boolean/equation_check.h"
#include "boolean/input_channel_rule.h"

#include <QTest>

using namespace muxcc;

class EquationCheckTest : public QObject {
    Q_OBJECT

private slots:
    // "k=text" equations, the others empty, MUX3 and MUX16 inputs: the check of the first one
    // listed and the code entries of all 42.
    void shouldSayWhatCompileMakesOfTheEquations_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("usage");
        const char* oneFails = "Code entries: 84 of 512 (1 equation does not compile)";
        const auto chain = [](int operands) { return QStringList(operands, "MUX1").join(" AND "); };
        // clang-format off
        QTest::newRow("last and first output")      << QStringList{"42=NOT TMR5 OR TRIG5", "1=V2"} << "TRIG5: compiles, 2 code pairs" << "Code entries: 88 of 512";
        QTest::newRow("two spaces")                 << QStringList{"1=MUX1  AND MUX2"}     << "MUX1: two spaces in a row after \"MUX1\"" << oneFails;
        QTest::newRow("lower-case keyword")         << QStringList{"1=MUX1 and MUX2"}      << "MUX1: \"and\" is not an operand name or command (names are upper case)" << oneFails;
        QTest::newRow("no such operand")            << QStringList{"1=MUX1 OR MUX17"}      << "MUX1: \"MUX17\" is not an operand name or command" << oneFails;
        QTest::newRow("tab inside a word")          << QStringList{"1=V1 OR V2\tAND V3"}   << "MUX1: word 3 holds a tab; separate words with one space" << oneFails;
        QTest::newRow("NOT twice")                  << QStringList{"1=NOT NOT MUX1"}       << "MUX1: \"NOT\" twice in a row" << oneFails;
        QTest::newRow("starts with an operator")    << QStringList{"1=AND MUX1"}           << "MUX1: \"AND\" cannot start an equation" << oneFails;
        QTest::newRow("ends with an operator")      << QStringList{"1=MUX1 AND"}           << "MUX1: cannot end with \"AND\"" << oneFails;
        QTest::newRow("group never closed")         << QStringList{"1=( MUX1"}             << "MUX1: missing \")\"" << oneFails;
        QTest::newRow("close without open")         << QStringList{"1=MUX1 )"}             << "MUX1: more \")\" than \"(\"" << oneFails;
        QTest::newRow("two do not compile")         << QStringList{"2=MUX1 MUX2", "37=( V1"} << "MUX2: \"MUX2\" cannot follow \"MUX1\"" << "Code entries: 82 of 512 (2 equations do not compile)";
        QTest::newRow("exactly 512")                << QStringList{"1=" + chain(214)}      << "MUX1: compiles, 214 code pairs" << "Code entries: 512 of 512";
        QTest::newRow("end pair past 512")          << QStringList{"1=" + chain(215)}      << "MUX1: compiles, 215 code pairs" << "Code entries: more than 512, too long to compile";
        QTest::newRow("past the code area alone")   << QStringList{"1=" + chain(257)}      << "MUX1: too long for the 512 code entries" << "Code entries: more than 512, too long to compile";
        QTest::newRow("input channel, not counted") << QStringList{"3= MUX1 AND MUX2"}     << "MUX3: set as an input, so Save empties this equation" << "Code entries: 86 of 512";
        QTest::newRow("input channel, empty")       << QStringList{"3="}                   << "MUX3: compiles, 1 code pair" << "Code entries: 86 of 512";
        QTest::newRow("last channel")               << QStringList{"16=( MUX1"}            << "MUX16: set as an input, so Save empties this equation" << "Code entries: 86 of 512";
        QTest::newRow("past the channels")          << QStringList{"19=( MUX1"}            << "FET3: missing \")\"" << oneFails;
        // clang-format on
    }
    // Beside the wording, the verdicts must be the compiler's own.
    void shouldSayWhatCompileMakesOfTheEquations()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, check);
        QFETCH(QString, usage);
        OneBased<std::string, OutputCount> equations;
        OneBased<std::int16_t, ChannelCount> directions;
        for (int k = 1; k <= ChannelCount; ++k)
            directions[k] = k == 3 || k == 16 ? 0 : 1;
        for (const QString& text : texts)
            equations[text.section('=', 0, 0).toInt()] = text.section('=', 1).toStdString();
        const int first = texts[0].section('=', 0, 0).toInt();
        QCOMPARE(QString::fromStdString(EquationCheckText(first, equations[first], directions)), check);
        QCOMPARE(QString::fromStdString(CodeUsageText(equations, directions)), usage);

        CodeArea code{};
        BooleanCompiler compiler(code);
        const bool alone = compiler.compileBoolean(equations[first]) == EquationResult::Accepted;
        QVERIFY(check.contains("set as an input") ||
                check.contains(QString(": compiles, %1 code pair").arg(compiler.codeLength() / 2)) == alone);
        DropInputChannelEquations(equations, directions);
        if (!compiler.compileAll(equations))
            QCOMPARE(usage, QString("Code entries: %1 of 512").arg(compiler.codeLength()));
    }
};

QTEST_GUILESS_MAIN(EquationCheckTest)
#include "equation_check_test.moc"
