// The boolean language: operand codes, the compiler, the listing, and the live check of one
// equation and the code entries of all 42, held against Compile itself.

#include "boolean/compiler.h"
#include "boolean/equation_check.h"
#include "boolean/input_channel_rule.h"
#include "boolean/listing.h"
#include "boolean/operand_codes.h"

#include <QMap>
#include <QTest>

#include <algorithm>
#include <tuple>

using namespace muxcc;
using L = QList<int>;
using Equations = OneBased<std::string, OutputCount>;

class BooleanTest : public QObject {
    Q_OBJECT

    // A value the compiler never writes, to see which entries it left alone.
    static constexpr std::int16_t untouched = 777;
    static inline const QString tooLong = " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS";

    static QString Chain(int operands) { return QStringList(operands, "MUX1").join(" AND "); }
    static L ChainCode(int operands) { return L{0} + L(2 * operands - 1, 1); }
    // The text of a notice, if it is the exclamation box titled "Boolean Error".
    static QString Shown(const std::optional<Notice>& n)
    {
        const bool box = n && n->icon == Notice::Icon::Exclamation && n->title == "Boolean Error";
        return n ? (box ? "" : "wrong box:") + QString::fromStdString(n->text) : QString();
    }
private slots:
    void shouldMapOperandNamesAndCodesBothWays()
    {
        // The operand names in code order, from code 1: groups of a prefix and numbers from..to.
        const std::tuple<QString, int, int> groups[] = {
            {"MUX", 1, 16},  {"FET", 1, 10}, {"VRT", 1, 10}, {"BUZZER", 0, 0}, {"TRIG", 1, 3},
            {"INPUT", 1, 3}, {"V", 1, 6},    {"T", 1, 4},    {"TMR", 1, 3},    {"OPTION", 1, 4},
            {"SLP", 0, 0},   {"TRIG", 4, 5}, {"TMR", 4, 5}};
        QStringList names;
        for (const auto& [prefix, from, to] : groups)
            for (int i = from; i <= to; ++i)
                names << prefix + (i ? QString::number(i) : "");
        for (const char* other : {"MUX17", "AND", "", "mux1", "MUX01", "MUX1 "})
            QCOMPARE(OperandCode(other) + NegatedOperandCode(other), 0);
        // Name to code and back; code to text as an operand entry and as an operator entry.
        const QMap<int, QString> operators{{1, "AND "}, {2, "OR "}, {4, "( "}, {8, "NOT ( "}, {16, ") "}};
        for (int entry = -1; entry <= 200; ++entry) {
            const QString name = entry >= 1 && entry <= 65 ? names[entry - 1] : QString();
            const QString negated = entry >= 129 && entry <= 193 ? "NOT " + names[entry - 129] + " " : "";
            QCOMPARE(OperandCode(name.toStdString()), name.isEmpty() ? 0 : entry);
            QCOMPARE(NegatedOperandCode(name.toStdString()), name.isEmpty() ? 0 : entry + 128);
            QCOMPARE(QString::fromUtf8(OperandName(entry)), name);
            QCOMPARE(QString::fromStdString(ListOperand(entry)), name.isEmpty() ? negated : name + " ");
            QCOMPARE(QString::fromStdString(ListOperator(entry)), operators.value(entry));
        }
    }

    void shouldCompileOrStopAtTheFirstFailure_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<L>("image"); // entries written; every later one is left alone

        const auto row = [](const char* name, const QStringList& texts, const QString& message,
                            const L& image) { QTest::newRow(name) << texts << message << image; };
        // One equation, then 41 empty ones and the end pair (84 entries).
        const auto accept = [&](auto name, QString text, L code) { row(name, {text}, {}, code + L(84, 0)); };
        // Empty equations before k, a rejected one at k and another after it, never reached; the
        // image is the empty ones and what equation k appended before the rejection.
        const auto reject = [&](auto name, QString text, L appended, int k = 1, QString output = "MUX1") {
            row(name, QStringList(k - 1, "") + QStringList{text, "MUX3 MUX4"},
                " Boolean Error in " + output + ", Check Boolean", L(2 * k - 2, 0) + appended);
        };
        accept("empty", "", L{0, 0});
        accept("spaces only", "   ", L{0, 0});
        accept("spaces around do not matter", "  MUX1  ", L{0, 1});
        accept("and not", "MUX1 AND NOT MUX2", L{0, 1, 1, 130});
        accept("group first", "( MUX1 OR MUX2 ) AND FET1", L{0, 0, 4, 1, 2, 2, 16, 0, 1, 17});
        accept("negated single", "NOT ( MUX1 )", L{0, 0, 8, 1, 16, 0});
        accept("negated group after operator", "MUX1 AND NOT ( MUX2 )", L{0, 1, 1, 0, 8, 2, 16, 0});
        accept("nested groups", "( ( MUX1 ) )", L{0, 0, 4, 0, 4, 1, 16, 0, 16, 0});
        accept("close before open, totals equal", "MUX1 ) AND ( MUX2", L{0, 1, 16, 0, 1, 0, 4, 2});
        reject("two spaces make an empty token", "MUX1  AND MUX2", L{0, 1});
        reject("NOT alone, at the end check", "NOT", L{});
        reject("NOT pending at the end", "MUX1 NOT", L{0, 1});
        reject("close right after open", "( )", L{0, 0, 4});
        reject("operand after operand", "MUX1 MUX2", L{0, 1});
        reject("ends with an operator", "MUX1 AND", L{0, 1, 1});
        reject("operator while NOT pending", "MUX1 NOT AND MUX2", L{0, 1});
        reject("open after operand", "MUX1 ( MUX2 )", L{0, 1});
        reject("operand after close", "( MUX1 ) MUX2", L{0, 0, 4, 1, 16, 0});
        reject("no such operand", "MUX17", L{});
        reject("first failure in BUZZER", "MUX1 MUX2", L{0, 1}, 37, "BUZZER");
        reject("first failure in TRIG5", "MUX1 MUX2", L{0, 1}, 42, "TRIG5");
        accept("exactly 512 entries, end pair included", Chain(214), ChainCode(214));
        row("end pair would need index 513", {Chain(215)}, tooLong, ChainCode(215) + L(83, 0));
        QStringList texts(OutputCount, "");
        texts[0] = Chain(171), texts[41] = Chain(47);
        // clang-format off
        row("last equation runs past index 512", texts, tooLong, (ChainCode(171) + L(80, 0) + ChainCode(47)).first(513));
        texts[0] = Chain(215), texts[40] = "MUX1 OR MUX2", texts[41] = "AND";
        row("area full after equation 41, 42 still compiled", texts, " Boolean Error in TRIG5, Check Boolean", ChainCode(215) + L(78, 0) + L{0, 1, 2, 2});
        // clang-format on
        const QString x(32766, 'X');
        row("32,766 characters are scanned", {x}, " Boolean Error in MUX1, Check Boolean", {});
        row("32,767 characters are refused", {x + "X"}, tooLong, {});
    }
    void shouldCompileOrStopAtTheFirstFailure()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(L, image);
        CodeArea area;
        area.fill(untouched);
        BooleanCompiler compiler(area);

        Equations equations; // missing ones are empty
        for (int k = 1; k <= OutputCount && k <= texts.size(); ++k)
            equations[k] = texts[k - 1].toStdString();
        QCOMPARE(Shown(compiler.compileAll(equations)), message);
        QCOMPARE(compiler.codeLength(), image.size());
        QCOMPARE(L(area.begin(), area.end()), image + L(CodeAreaSize - image.size(), untouched));
    }

    void shouldListOneEquation_data()
    {
        QTest::addColumn<int>("address_l");
        QTest::addColumn<L>("code");         // from index `address_l` of an otherwise zero area
        QTest::addColumn<QString>("listed"); // the text, then the index after the equation

        // clang-format off
        QTest::newRow("operator 3 and operand 70 list as nothing") << 0 << L{0, 1, 3, 2, 1, 70, 2, 3}       << "MUX1 MUX2 AND OR MUX3 |8";
        // Entry 512 is set in the rows below; it must never be listed.
        QTest::newRow("walk ends at index 511")                    << 508 << L{0, 1, 2, 3, 4}              << "MUX1 OR MUX3 |512";
        QTest::newRow("operand slot 512 reads as 0")               << 509 << L{0, 2, 1, 4}                 << "MUX2 AND |513";
        QTest::newRow("opening past 511")                          << 512 << L{1}                          << "|514";
        // clang-format on
    }
    void shouldListOneEquation()
    {
        QFETCH(int, address_l);
        QFETCH(L, code);
        QFETCH(QString, listed);
        CodeArea area{};
        std::ranges::copy(code, area.begin() + address_l);

        const QString text = QString::fromStdString(ListBoolean(area, address_l));
        QCOMPARE(text + "|" + QString::number(address_l), listed);
    }

    // "k=text" equations, the others empty, MUX3 and MUX16 inputs: the check of the first one
    // listed and the code entries of all 42.
    void shouldSayWhatCompileMakesOfTheEquations_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("usage");
        const char* oneFails = "Code entries: 84 of 512 (1 equation does not compile)";
        // clang-format off
        QTest::newRow("last and first output")      << QStringList{"42=NOT TMR5 OR TRIG5", "1=V2"} << "TRIG5: compiles, 2 code pairs" << "Code entries: 88 of 512";
        QTest::newRow("lower-case keyword")         << QStringList{"1=MUX1 and MUX2"}      << "MUX1: \"and\" is not an operand name or command (names are upper case)" << oneFails;
        QTest::newRow("tab inside a word")          << QStringList{"1=V1 OR V2\tAND V3"}   << "MUX1: word 3 holds a tab; separate words with one space" << oneFails;
        QTest::newRow("NOT twice")                  << QStringList{"1=NOT NOT MUX1"}       << "MUX1: \"NOT\" twice in a row" << oneFails;
        QTest::newRow("starts with an operator")    << QStringList{"1=AND MUX1"}           << "MUX1: \"AND\" cannot start an equation" << oneFails;
        QTest::newRow("group never closed")         << QStringList{"1=( MUX1"}             << "MUX1: missing \")\"" << oneFails;
        QTest::newRow("close without open")         << QStringList{"1=MUX1 )"}             << "MUX1: more \")\" than \"(\"" << oneFails;
        QTest::newRow("two do not compile")         << QStringList{"2=MUX1 MUX2", "37=( V1"} << "MUX2: \"MUX2\" cannot follow \"MUX1\"" << "Code entries: 82 of 512 (2 equations do not compile)";
        QTest::newRow("exactly 512")                << QStringList{"1=" + Chain(214)}      << "MUX1: compiles, 214 code pairs" << "Code entries: 512 of 512";
        QTest::newRow("past the code area alone")   << QStringList{"1=" + Chain(257)}      << "MUX1: too long for the 512 code entries" << "Code entries: more than 512, too long to compile";
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

QTEST_GUILESS_MAIN(BooleanTest)
#include "boolean_test.moc"
