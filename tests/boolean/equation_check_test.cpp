// The live check of one equation and the code entries of all 42, held against Compile itself.

#include "boolean/compiler.h"
#include "boolean/equation_check.h"
#include "boolean/input_channel_rule.h"

#include <QTest>

using namespace muxcc;

namespace {

QString Chain(int operands)
{
    return QStringList(operands, "MUX1").join(" AND ");
}

} // namespace

class EquationCheckTest : public QObject {
    Q_OBJECT

    OneBased<std::int16_t, ChannelCount> directions_; // MUX3 and MUX16 inputs, the rest outputs

private slots:
    void init()
    {
        for (int k = 1; k <= ChannelCount; ++k)
            directions_[k] = k == 3 || k == 16 ? 0 : 1;
    }

    // Beside the wording, the verdict must be the compiler's: "compiles" exactly when it accepts,
    // with as many pairs as it appends.
    void shouldSayWhatCompileMakesOfOneEquation_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("check");
        const auto row = [](const char* name, int output, const QString& text, const char* check) {
            QTest::newRow(name) << output << text << QString(check);
        };
        row("empty", 1, "", "MUX1: compiles, 1 code pair");
        row("group after operator", 1, "MUX1 AND ( V1 )", "MUX1: compiles, 4 code pairs");
        row("close before open", 1, "MUX1 ) AND ( MUX2", "MUX1: compiles, 4 code pairs");
        row("last output", 42, "NOT TMR5 OR TRIG5", "TRIG5: compiles, 2 code pairs");
        row("two spaces", 1, "MUX1  AND MUX2", "MUX1: two spaces in a row after \"MUX1\"");
        row("lower-case keyword", 1, "MUX1 and MUX2",
            "MUX1: \"and\" is not an operand name or command (names are upper case)");
        row("no such operand", 1, "MUX1 OR MUX17", "MUX1: \"MUX17\" is not an operand name or command");
        row("tab inside a word", 1, "V1 OR V2\tAND V3",
            "MUX1: word 3 holds a tab; separate words with one space");
        row("NOT twice", 1, "NOT NOT MUX1", "MUX1: \"NOT\" twice in a row");
        row("NOT pending at the end", 1, "MUX1 NOT", "MUX1: cannot end with \"NOT\"");
        row("close right after open", 1, "( )", "MUX1: \")\" cannot follow \"(\"");
        row("operand after operand", 1, "MUX1 MUX2", "MUX1: \"MUX2\" cannot follow \"MUX1\"");
        row("operator while NOT pending", 1, "MUX1 NOT AND V2", "MUX1: \"AND\" cannot follow \"NOT\"");
        row("starts with an operator", 1, "AND MUX1", "MUX1: \"AND\" cannot start an equation");
        row("ends with an operator", 1, "MUX1 AND", "MUX1: cannot end with \"AND\"");
        row("group never closed", 1, "( MUX1", "MUX1: missing \")\"");
        row("close without open", 1, "MUX1 )", "MUX1: more \")\" than \"(\"");
        row("512 entries alone", 1, Chain(256), "MUX1: compiles, 256 code pairs");
        row("past the code area", 1, Chain(257), "MUX1: too long for the 512 code entries");
        row("input channel", 3, " ", "MUX3: set as an input, so Save empties this equation");
        row("input channel, empty", 3, "", "MUX3: compiles, 1 code pair");
        row("last channel", 16, "( MUX1", "MUX16: set as an input, so Save empties this equation");
        row("past the channels", 19, "( MUX1", "FET3: missing \")\"");
    }
    void shouldSayWhatCompileMakesOfOneEquation()
    {
        QFETCH(int, output);
        QFETCH(QString, text);
        QFETCH(QString, check);
        QCOMPARE(QString::fromStdString(EquationCheckText(output, text.toStdString(), directions_)), check);
        CodeArea code{};
        BooleanCompiler compiler(code);
        const bool accepted = compiler.compileBoolean(text.toStdString()) == EquationResult::Accepted;
        if (!check.contains("set as an input"))
            QCOMPARE(check.contains(QString(": compiles, %1 code pair").arg(compiler.codeLength() / 2)),
                     accepted);
    }

    // "k=text" equations, MUX3's emptied as Save would. A compile that succeeds wrote as many entries
    // as counted; one that finds the image too long is announced by "more than 512".
    void shouldCountTheCodeEntriesOfAll42_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("usage");
        const auto row = [](const char* name, const QStringList& texts, const char* usage) {
            QTest::newRow(name) << texts << QString(usage);
        };
        const char* tooLong = "Code entries: more than 512, too long to compile";
        row("all empty", {}, "Code entries: 86 of 512");
        row("first and last output", {"1=MUX2 OR MUX4", "42=NOT V1 AND V2"}, "Code entries: 90 of 512");
        row("input channel not counted", {"3=MUX1 AND MUX2 AND MUX4"}, "Code entries: 86 of 512");
        row("exactly 512", {"1=" + Chain(214)}, "Code entries: 512 of 512");
        row("end pair past 512", {"1=" + Chain(215)}, tooLong);
        row("one past the area alone", {"5=" + Chain(300)}, tooLong);
        row("one does not compile", {"2=MUX1 MUX2"}, "Code entries: 84 of 512 (1 equation does not compile)");
        row("two do not compile", {"2=MUX1 MUX2", "37=( V1"},
            "Code entries: 82 of 512 (2 equations do not compile)");
        row("too long wins over failing", {"2=MUX1 MUX2", "1=" + Chain(216)}, tooLong);
    }
    void shouldCountTheCodeEntriesOfAll42()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, usage);
        OneBased<std::string, OutputCount> equations;
        for (const QString& text : texts)
            equations[text.section('=', 0, 0).toInt()] = text.section('=', 1).toStdString();
        QCOMPARE(QString::fromStdString(CodeUsageText(equations, directions_)), usage);
        DropInputChannelEquations(equations, directions_);
        CodeArea code{};
        BooleanCompiler compiler(code);
        const auto notice = compiler.compileAll(equations);
        if (!notice)
            QCOMPARE(usage, QString("Code entries: %1 of 512").arg(compiler.codeLength()));
        else if (notice->text == " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS")
            QVERIFY(usage.contains("more than 512"));
    }
};

QTEST_GUILESS_MAIN(EquationCheckTest)
#include "equation_check_test.moc"
