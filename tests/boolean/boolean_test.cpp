// The boolean language: operand codes, the compiler, the listing, the input
// channel rule and `muxcc-cli compile`.

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "boolean/listing.h"
#include "boolean/operand_codes.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <random>

using namespace muxcc;
using L = QList<int>;
using Equations = OneBased<std::string, OutputCount>;

namespace {

// A value the compiler never writes, to see which entries it left alone.
constexpr std::int16_t untouched = 777;
const QString tooLong = " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS";

// Random equations from a fixed seed: well-formed ones in the listing's own form
// (each token followed by one space), and streams of any tokens.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    bool oneIn(int chances) { return below(chances) == 0; }
    std::string operand() { return std::string(OperandName(1 + below(OperandCount))); }
    // At least `more` further terms after the first.
    std::string equation(int depth = 0, int more = 0)
    {
        std::string text = term(depth);
        while (more-- > 0 || oneIn(2))
            text += (oneIn(2) ? "AND " : "OR ") + term(depth);
        return text;
    }
    std::string tokens()
    {
        static const char* const words[] = {"(", ")", "NOT", "AND", "OR", "and", "MUX17", "\t", "", "NOT("};
        std::string text(static_cast<std::size_t>(below(3)), ' ');
        for (int count = below(12); count > 0; --count)
            text += (oneIn(2) ? std::string(words[below(10)]) : operand()) + (oneIn(8) ? "  " : " ");
        return text;
    }

private:
    std::string term(int depth)
    {
        const std::string negation = oneIn(3) ? "NOT " : "";
        return negation + (depth < 3 && oneIn(4) ? "( " + equation(depth + 1) + ") " : operand() + " ");
    }
    std::mt19937 random_;
};

// A code area followed by a fence, to catch a write past its last entry.
struct FencedArea {
    CodeArea code{};
    std::array<std::int16_t, 8> fence{-1, -1, -1, -1, -1, -1, -1, -1};
    bool intact() const { return std::ranges::count(fence, -1) == 8; }
};

} // namespace

class BooleanTest : public QObject {
    Q_OBJECT

    static L Entries(const CodeArea& c, int n = CodeAreaSize) { return L(c.begin(), c.begin() + n); }
    static QString Chain(int operands) { return QStringList(operands, "MUX1").join(" AND "); }
    static L ChainCode(int operands) { return L{0} + L(2 * operands - 1, 1); }
    // The 42 equation texts; missing ones are empty.
    static Equations Texts(const QStringList& texts)
    {
        Equations equations;
        for (int k = 1; k <= OutputCount && k <= texts.size(); ++k)
            equations[k] = texts[k - 1].toStdString();
        return equations;
    }
    // The text of a notice, if it is the exclamation box titled "Boolean Error".
    static QString Shown(const std::optional<Notice>& n)
    {
        const bool box = n && n->icon == Notice::Icon::Exclamation && n->title == "Boolean Error";
        return n ? (box ? "" : "wrong box:") + QString::fromStdString(n->text) : QString();
    }
    // Exit code, stdout and stderr of `muxcc-cli compile` on a project file line: channel
    // directions (the `inputs` 0), 34 zero settings, the 42 quoted equations, 7 zero settings.
    static QStringList RunCompile(const L& inputs, const QStringList& equations)
    {
        QStringList fields;
        for (int k = 1; k <= ChannelCount; ++k)
            fields << (inputs.contains(k) ? "0" : "1");
        fields << QStringList(34, "0");
        for (int k = 0; k < OutputCount; ++k)
            fields << '"' + equations.value(k) + '"';
        QTemporaryFile file;
        if (file.open())
            file.write((fields << QStringList(7, "0")).join(',').toLatin1() + "\r\n");
        file.close();
        QProcess cli;
        cli.start(MUXCC_CLI, {"compile", file.fileName()});
        cli.waitForFinished();
        return {QString::number(cli.exitCode()), cli.readAllStandardOutput(), cli.readAllStandardError()};
    }

private slots:
    void shouldMapOperandNamesAndCodesBothWays()
    {
        QStringList names; // in code order, from code 1
        const auto add = [&](const QString& prefix, int from, int to) {
            for (int i = from; i <= to; ++i)
                names << prefix + QString::number(i);
        };
        add("MUX", 1, 16), add("FET", 1, 10), add("VRT", 1, 10), names << "BUZZER", add("TRIG", 1, 3);
        add("INPUT", 1, 3), add("V", 1, 6), add("T", 1, 4), add("TMR", 1, 3), add("OPTION", 1, 4);
        names << "SLP", add("TRIG", 4, 5), add("TMR", 4, 5);
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

        // One equation, then 41 empty ones and the end pair (84 entries); or a rejected one and
        // what it appended before the rejection.
        const QString check = " Boolean Error in MUX1, Check Boolean";
        const auto accept = [](const char* name, const QString& text, const L& code) {
            QTest::newRow(name) << QStringList{text} << QString() << code + L(84, 0);
        };
        const auto reject = [&](const char* name, const QString& text, const L& appended) {
            QTest::newRow(name) << QStringList{text, "MUX3 MUX4"} << check << appended;
        };
        accept("empty", "", L{0, 0});
        accept("spaces only", "   ", L{0, 0});
        accept("one operand", "MUX1", L{0, 1});
        accept("spaces around do not matter", "  MUX1  ", L{0, 1});
        accept("largest negated operand code", "NOT TMR5", L{0, 193});
        accept("and not", "MUX1 AND NOT MUX2", L{0, 1, 1, 130});
        accept("group first", "( MUX1 OR MUX2 ) AND FET1", L{0, 0, 4, 1, 2, 2, 16, 0, 1, 17});
        accept("negated single", "NOT ( MUX1 )", L{0, 0, 8, 1, 16, 0});
        accept("group after operator", "MUX1 AND ( MUX2 OR MUX3 )", L{0, 1, 1, 0, 4, 2, 2, 3, 16, 0});
        accept("negated group after operator", "MUX1 AND NOT ( MUX2 )", L{0, 1, 1, 0, 8, 2, 16, 0});
        accept("nested groups", "( ( MUX1 ) )", L{0, 0, 4, 0, 4, 1, 16, 0, 16, 0});
        accept("close before open, totals equal", "MUX1 ) AND ( MUX2", L{0, 1, 16, 0, 1, 0, 4, 2});
        reject("two spaces make an empty token", "MUX1  AND MUX2", L{0, 1});
        reject("lower-case keyword is an operand", "MUX1 and MUX2", L{0, 1});
        reject("NOT twice", "NOT NOT MUX1", L{});
        reject("NOT alone, at the end check", "NOT", L{});
        reject("NOT pending at the end", "MUX1 NOT", L{0, 1});
        reject("close right after open", "( )", L{0, 0, 4});
        reject("operand after operand", "MUX1 MUX2", L{0, 1});
        reject("ends with an operator", "MUX1 AND", L{0, 1, 1});
        reject("starts with an operator", "AND MUX1", L{});
        reject("operator while NOT pending", "MUX1 NOT AND MUX2", L{0, 1});
        reject("group never closed", "( MUX1", L{0, 0, 4, 1});
        reject("close without open", "MUX1 )", L{0, 1, 16, 0});
        reject("open after operand", "MUX1 ( MUX2 )", L{0, 1});
        reject("operand after close", "( MUX1 ) MUX2", L{0, 0, 4, 1, 16, 0});
        reject("no such operand", "MUX17", L{});
        reject("tab is part of a token", "MUX1\tAND MUX2", L{});
        // Empty equations before k, a wrong one at k and another after it, never reached.
        const auto rejectAt = [](int k, const char* name) {
            QTest::addRow("first failure in %s", name)
                << QStringList(k - 1, "") + QStringList{"MUX1 MUX2", "MUX3 MUX4"}
                << QString(" Boolean Error in %1, Check Boolean").arg(name) << L(2 * k - 1, 0) + L{1};
        };
        rejectAt(5, "MUX5"), rejectAt(17, "FET1"), rejectAt(37, "BUZZER"), rejectAt(42, "TRIG5");
        accept("exactly 512 entries, end pair included", Chain(214), ChainCode(214));
        QTest::newRow("end pair would need index 513")
            << QStringList{Chain(215)} << tooLong << ChainCode(215) + L(83, 0);
        QStringList texts(OutputCount, "");
        texts[0] = Chain(171), texts[41] = Chain(47);
        QTest::newRow("last equation runs past index 512")
            << texts << tooLong << (ChainCode(171) + L(80, 0) + ChainCode(47)).first(513);
        QTest::newRow("next equation after 512 entries runs past")
            << QStringList{Chain(256)} << tooLong << ChainCode(256) + L{0};
        QTest::newRow("equation rejected before writing past 512")
            << QStringList{Chain(256), "AND"} << " Boolean Error in MUX2, Check Boolean" << ChainCode(256);
        texts[0] = Chain(215), texts[40] = "MUX1 OR MUX2", texts[41] = "AND";
        QTest::newRow("area full after equation 41, 42 still compiled")
            << texts << " Boolean Error in TRIG5, Check Boolean" << ChainCode(215) + L(78, 0) + L{0, 1, 2, 2};
        const QString x(32766, 'X');
        QTest::newRow("32,766 characters are scanned") << QStringList{x} << check << L{};
        QTest::newRow("surrounding spaces do not count") << QStringList{"  " + x + " "} << check << L{};
        QTest::newRow("32,767 characters are refused") << QStringList{x + "X"} << tooLong << L{};
    }
    void shouldCompileOrStopAtTheFirstFailure()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(L, image);
        CodeArea area;
        area.fill(untouched);
        BooleanCompiler compiler(area);

        QCOMPARE(Shown(compiler.compileAll(Texts(texts))), message);
        QCOMPARE(compiler.codeLength(), image.size());
        QCOMPARE(Entries(area), image + L(CodeAreaSize - image.size(), untouched));
    }

    void shouldListOneEquation_data()
    {
        QTest::addColumn<int>("address_l");
        QTest::addColumn<L>("code"); // from index `address_l` of an otherwise zero area
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("next");

        QTest::newRow("empty") << 0 << L{0, 0} << "" << 2;
        QTest::newRow("nested groups") << 0 << L{0, 0, 4, 0, 4, 1, 16, 0, 16, 0} << "( ( MUX1 ) ) " << 10;
        QTest::newRow("operator 3 and operand 70 list as nothing")
            << 0 << L{0, 1, 3, 2, 1, 70, 2, 3} << "MUX1 MUX2 AND OR MUX3 " << 8;
        // Entry 512 is set in the rows below; it must never be listed.
        QTest::newRow("walk ends at index 511") << 508 << L{0, 1, 2, 3, 4} << "MUX1 OR MUX3 " << 512;
        QTest::newRow("operand slot 512 reads as 0") << 509 << L{0, 2, 1, 4} << "MUX2 AND " << 513;
        QTest::newRow("opening at 511") << 511 << L{0, 1} << "" << 513;
        QTest::newRow("opening past 511") << 512 << L{1} << "" << 514;
    }
    void shouldListOneEquation()
    {
        QFETCH(int, address_l);
        QFETCH(L, code);
        QFETCH(QString, text);
        QFETCH(int, next);
        CodeArea area{};
        std::ranges::copy(code, area.begin() + address_l);

        QCOMPARE(QString::fromStdString(ListBoolean(area, address_l)), text);
        QCOMPARE(address_l, next);
    }

    void shouldListAllEquationsWithinTheFirst512Entries()
    {
        QCOMPARE(ListAllBooleans(CodeArea{}), Equations{});
        // One opening only: equation 1 runs to index 511, the rest start past it.
        CodeArea code;
        code.fill(1);
        code[0] = 0;
        Equations expected;
        expected[1] = "MUX1 " + QString("AND MUX1 ").repeated(255).toStdString();
        QCOMPARE(ListAllBooleans(code), expected);
    }

    void shouldDropEquationsOfInputChannels_data()
    {
        QTest::addColumn<L>("directions"); // of MUX1, MUX2, ...; missing ones are 1 (output)
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<L>("dropped");

        const QStringList all(OutputCount, "MUX1");
        QTest::newRow("direction 2 is not an input") << L(16, 2) << all << L{};
        QTest::newRow("inputs reported in channel order") << L{0} + L(14, 1) + L{0} << all << L{1, 16};
        QTest::newRow("input with no equation is silent")
            << L{1, 0} << QStringList{"MUX1", "", "MUX1"} << L{};
        QTest::newRow("spaces are an equation") << L{1, 0} << QStringList{"", " "} << L{2};
        QTest::newRow("only MUX1 to MUX16 tested") << L(16, 0) << QStringList(16, "") + all.mid(16) << L{};
    }
    void shouldDropEquationsOfInputChannels()
    {
        QFETCH(L, directions);
        QFETCH(QStringList, texts);
        QFETCH(L, dropped);
        OneBased<std::int16_t, ChannelCount> direction;
        for (int k = 1; k <= ChannelCount; ++k)
            direction[k] = static_cast<std::int16_t>(directions.value(k - 1, 1));
        Equations equations = Texts(texts);
        QStringList expected, reported;
        for (const int k : dropped)
            expected << QString("%1 Boolean Error in MUX%1, MUX%1 SET AS INPUT").arg(k), texts[k - 1].clear();

        for (const auto& [channel, notice] : DropInputChannelEquations(equations, direction))
            reported << QString::number(channel) + Shown(notice);
        QCOMPARE(reported, expected);
        QCOMPARE(equations, Texts(texts));
    }

    void shouldPrintTheImageOrTheMessageOnTheCommandLine()
    {
        QCOMPARE(RunCompile({}, {"MUX2 AND NOT ( FET1 )", "", "NOT TMR5"}),
                 (QStringList{"0", "0,2,1,0,8,17,16,0,0,0,0,193" + QString(",0").repeated(80) + "\n", ""}));
        QCOMPARE(RunCompile({1}, {"MUX2"}), (QStringList{"0", "0" + QString(",0").repeated(85) + "\n",
                                                         " Boolean Error in MUX1, MUX1 SET AS INPUT\n"}));
        QCOMPARE(RunCompile({}, {"", "", "", "", "MUX1 MUX2"}),
                 (QStringList{"1", "", " Boolean Error in MUX5, Check Boolean\n"}));
    }

    // Fixed seeds. No input makes the compiler write past index 512; every image it
    // makes, and every equation it accepts, lists as texts that compile back to it.
    void shouldSurviveAnyTextAndCompileItsListingBack()
    {
        Generator source(20240611);
        int images = 0, full = 0, respelled = 0; // accepted token streams not in the listing's form
        for (int round = 0; round < 800; ++round) {
            const bool canonical = round % 2 == 0; // texts exactly as the listing writes them
            Equations texts;
            for (std::string& text : texts)
                text = source.oneIn(4)
                           ? (canonical ? "" : source.tokens())
                           : source.equation(0, canonical || !source.oneIn(8) ? 0 : source.below(300));
            FencedArea area, again;
            BooleanCompiler compiler(area.code), recompiler(again.code);
            const auto notice = compiler.compileAll(texts);
            QVERIFY(area.intact() && compiler.codeLength() <= (notice ? CodeAreaSize : CodeAreaSentSize));
            full += Shown(notice) == tooLong ? 1 : 0;
            for (const std::string& text : texts) {
                CodeArea one{}, two{};
                if (BooleanCompiler(one).compileBoolean(text) != EquationResult::Accepted)
                    continue;
                int address_l = 0;
                const std::string listed = ListBoolean(one, address_l);
                QCOMPARE(BooleanCompiler(two).compileBoolean(listed), EquationResult::Accepted);
                QCOMPARE(Entries(two), Entries(one));
                respelled += listed != text ? 1 : 0;
            }
            if (notice)
                continue;
            ++images;
            const Equations listed = ListAllBooleans(area.code);
            QVERIFY(!canonical || listed == texts);
            QCOMPARE(recompiler.compileAll(listed), std::nullopt);
            QCOMPARE(Entries(again.code), Entries(area.code));
        }
        QVERIFY2(images > 300 && full > 50 && respelled > 200, "the generator should reach every outcome");
    }
};

QTEST_GUILESS_MAIN(BooleanTest)
#include "boolean_test.moc"
