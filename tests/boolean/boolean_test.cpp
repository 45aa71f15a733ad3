// The boolean language: operand codes, the compiler, the listing and the input channel rule.

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "boolean/listing.h"
#include "boolean/operand_codes.h"

#include <QMap>
#include <QTest>

#include <algorithm>
#include <random>
#include <tuple>

using namespace muxcc;
using L = QList<int>;
using Equations = OneBased<std::string, OutputCount>;

namespace {

// A value the compiler never writes, to see which entries it left alone.
constexpr std::int16_t untouched = 777;
const QString tooLong = " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS";

// Well-formed random equations from a fixed seed, some with spaces before them.
struct Generator {
    std::mt19937 random;
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }
    bool oneIn(int chances) { return below(chances) == 0; }
    // At least `more` further terms after the first.
    std::string equation(int depth = 0, int more = 0)
    {
        std::string text = term(depth);
        while (more-- > 0 || oneIn(2))
            text += (oneIn(2) ? "AND " : "OR ") + term(depth);
        return text;
    }
    std::string term(int depth)
    {
        const std::string negation = oneIn(3) ? "NOT " : "";
        const std::string operand(OperandName(1 + below(OperandCount)));
        return negation + (depth < 3 && oneIn(4) ? "( " + equation(depth + 1) + ") " : operand + " ");
    }
};

} // namespace

class BooleanTest : public QObject {
    Q_OBJECT

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
        accept("one operand", "MUX1", L{0, 1});
        accept("spaces around do not matter", "  MUX1  ", L{0, 1});
        accept("and not", "MUX1 AND NOT MUX2", L{0, 1, 1, 130});
        accept("group first", "( MUX1 OR MUX2 ) AND FET1", L{0, 0, 4, 1, 2, 2, 16, 0, 1, 17});
        accept("negated single", "NOT ( MUX1 )", L{0, 0, 8, 1, 16, 0});
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
        reject("first failure in MUX5", "MUX1 MUX2", L{0, 1}, 5, "MUX5");
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

        QCOMPARE(Shown(compiler.compileAll(Texts(texts))), message);
        QCOMPARE(compiler.codeLength(), image.size());
        QCOMPARE(L(area.begin(), area.end()), image + L(CodeAreaSize - image.size(), untouched));
    }

    void shouldListOneEquation_data()
    {
        QTest::addColumn<int>("address_l");
        QTest::addColumn<L>("code"); // from index `address_l` of an otherwise zero area
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("next");

        QTest::newRow("empty") << 0 << L{0, 0} << "" << 2;
        QTest::newRow("nested groups") << 0 << L{0, 0, 4, 0, 4, 1, 16, 0, 16, 0} << "( ( MUX1 ) ) " << 10;
        // clang-format off
        QTest::newRow("operator 3 and operand 70 list as nothing") << 0 << L{0, 1, 3, 2, 1, 70, 2, 3} << "MUX1 MUX2 AND OR MUX3 " << 8;
        // clang-format on
        // Entry 512 is set in the rows below; it must never be listed.
        QTest::newRow("walk ends at index 511") << 508 << L{0, 1, 2, 3, 4} << "MUX1 OR MUX3 " << 512;
        QTest::newRow("operand slot 512 reads as 0") << 509 << L{0, 2, 1, 4} << "MUX2 AND " << 513;
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
        CodeArea code; // one opening only: equation 1 runs to index 511, the rest start past it
        code.fill(1), code[0] = 0;
        QCOMPARE(ListAllBooleans(code), Texts({"MUX1 " + QString("AND MUX1 ").repeated(255)}));
    }

    // Channels 1, 3, 4 and 16 are inputs (direction 0), channel 2 has direction 2; equation 3 is
    // empty, equation 4 one space, and equations past 16 belong to no channel.
    void shouldDropEquationsOfInputChannels()
    {
        OneBased<std::int16_t, ChannelCount> direction;
        for (int k = 1; k <= ChannelCount; ++k)
            direction[k] = k == 2 ? 2 : L{1, 3, 4, 16}.contains(k) ? 0 : 1;
        Equations texts = Texts(QStringList(OutputCount, "MUX1")), expected = texts;
        texts[3] = "", texts[4] = " ";
        expected[1] = expected[3] = expected[4] = expected[16] = "";
        QStringList reported;
        for (const auto& [channel, notice] : DropInputChannelEquations(texts, direction))
            reported << QString::number(channel) + Shown(notice);
        QCOMPARE(reported, (QStringList{"1 Boolean Error in MUX1, MUX1 SET AS INPUT",
                                        "4 Boolean Error in MUX4, MUX4 SET AS INPUT",
                                        "16 Boolean Error in MUX16, MUX16 SET AS INPUT"}));
        QCOMPARE(texts, expected);
    }

    // Fixed seed. Every image the compiler accepts lists as its texts, each token followed by one
    // space, and they compile back to the same image; some images are too long for the area.
    void shouldCompileTheListingOfAnImageBack()
    {
        Generator source{std::mt19937(20240611)};
        int images = 0;
        for (int round = 0; round < 400; ++round) {
            Equations texts, listed;
            for (int k = 1; k <= OutputCount; ++k) {
                const std::string tokens =
                    source.oneIn(4) ? "" : source.equation(0, source.oneIn(40) ? 40 : 0);
                texts[k] = std::string(static_cast<std::size_t>(source.below(3)), ' ') + tokens;
                listed[k] = tokens;
            }
            CodeArea code{}, again{};
            if (BooleanCompiler(code).compileAll(texts))
                continue;
            ++images;
            QCOMPARE(ListAllBooleans(code), listed);
            QCOMPARE(BooleanCompiler(again).compileAll(listed), std::nullopt);
            QVERIFY(again == code);
        }
        QVERIFY2(images > 100 && images < 400, "the generator should reach both outcomes");
    }
};

QTEST_GUILESS_MAIN(BooleanTest)
#include "boolean_test.moc"
