// Properties over many generated equations: listing a compiled image gives
// texts that compile back to the same image, and no input, however malformed,
// makes the compiler write outside its code area.

#include "boolean/compiler.h"
#include "boolean/listing.h"
#include "boolean/operand_codes.h"

#include "code_area_support.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <random>

using namespace muxcc;
using muxcc::test::EntriesOf;

namespace {

class TokenSource {
public:
    explicit TokenSource(std::uint32_t seed) : random_(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    bool oneIn(int chances) { return below(chances) == 0; }
    std::string operand() { return std::string(OperandName(1 + below(OperandCount))); }

    // A well-formed equation in the listing's own form: tokens, each followed by one space.
    std::string equation(int depth = 0)
    {
        std::string text = term(depth);
        while (oneIn(2))
            text += (oneIn(2) ? "AND " : "OR ") + term(depth);
        return text;
    }

    // Well-formed, and long enough to fill much of the code area on its own.
    std::string longEquation()
    {
        std::string text = equation();
        for (int pieces = 10 + below(150); pieces > 0; --pieces)
            text += "OR " + equation();
        return text;
    }

    // Any mix of keywords, operand names and junk with uneven spacing.
    std::string tokenSoup()
    {
        static const std::array<std::string, 5> keywords{"(", ")", "NOT", "AND", "OR"};
        static const std::array<std::string, 12> junk{"and", "mux1", "MUX17", "MUX01", "\t", "NOT(",
                                                      "",    "X",    "(( ",   "193",   "-",  "OR  AND"};
        std::string text(static_cast<std::size_t>(below(3)), ' ');
        const int count = oneIn(10) ? 400 + below(600) : below(12);
        for (int i = 0; i < count; ++i) {
            switch (below(4)) {
            case 0:
                text += keywords[static_cast<std::size_t>(below(static_cast<int>(keywords.size())))];
                break;
            case 1:
                text += junk[static_cast<std::size_t>(below(static_cast<int>(junk.size())))];
                break;
            default:
                text += operand();
            }
            text += std::string(static_cast<std::size_t>(oneIn(8) ? 2 + below(2) : 1), ' ');
        }
        if (oneIn(50))
            text += std::string(32700 + static_cast<std::size_t>(below(100)), 'A');
        return text;
    }

private:
    std::string term(int depth)
    {
        const std::string negation = oneIn(3) ? "NOT " : "";
        if (depth < 3 && oneIn(4))
            return negation + "( " + equation(depth + 1) + ") ";
        return negation + operand() + " ";
    }

    std::mt19937 random_;
};

// A code area with fences on both sides, to catch a write past either end.
struct FencedArea {
    static constexpr std::int16_t fence = -999;
    std::array<std::int16_t, 16> before;
    CodeArea code;
    std::array<std::int16_t, 16> after;

    FencedArea()
    {
        before.fill(fence);
        code.fill(0);
        after.fill(fence);
    }
    bool fencesIntact() const
    {
        const auto isFence = [](std::int16_t entry) { return entry == fence; };
        return std::ranges::all_of(before, isFence) && std::ranges::all_of(after, isFence);
    }
};

} // namespace

class BooleanPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void shouldCompileListedImageToTheSameImage()
    {
        TokenSource source(20240611);
        int accepted = 0;
        for (int round = 0; round < 300; ++round) {
            OneBased<std::string, OutputCount> written;
            for (std::string& text : written)
                text = source.oneIn(4) ? std::string() : source.equation();
            CodeArea first = muxcc::test::AreaFilledWith(7);
            BooleanCompiler compiler(first);
            if (compiler.compileAll(written))
                continue; // too long for the area
            ++accepted;

            const auto listed = ListAllBooleans(first);
            QCOMPARE(listed, written);
            CodeArea second{};
            BooleanCompiler recompiler(second);
            QCOMPARE(recompiler.compileAll(listed), std::nullopt);
            QCOMPARE(recompiler.codeLength(), compiler.codeLength());
            QCOMPARE(EntriesOf(second, 0, compiler.codeLength()), EntriesOf(first, 0, compiler.codeLength()));
        }
        QVERIFY2(accepted > 150, "the generator should mostly make images that fit");
    }

    void shouldRoundTripEveryAcceptedEquationOfTokenSoup()
    {
        TokenSource source(7);
        int accepted = 0;
        for (int round = 0; round < 20000; ++round) {
            const std::string text = source.tokenSoup();
            CodeArea code{};
            BooleanCompiler compiler(code);
            if (compiler.compileBoolean(text) != EquationResult::Accepted)
                continue;
            ++accepted;
            int address_l = 0;
            const std::string listed = ListBoolean(code, address_l);
            CodeArea again{};
            BooleanCompiler recompiler(again);
            QCOMPARE(recompiler.compileBoolean(listed), EquationResult::Accepted);
            QCOMPARE(EntriesOf(again, 0, compiler.codeLength()), EntriesOf(code, 0, compiler.codeLength()));
        }
        QVERIFY2(accepted > 500, "some token soup should be well-formed");
    }

    void shouldNeverWriteOutsideTheCodeArea()
    {
        TokenSource source(1234);
        int tooLong = 0;
        for (int round = 0; round < 400; ++round) {
            OneBased<std::string, OutputCount> texts;
            for (std::string& text : texts) {
                switch (source.below(8)) {
                case 0:
                    text = source.longEquation();
                    break;
                case 1:
                    text = source.tokenSoup();
                    break;
                default:
                    text = source.equation();
                }
            }
            FencedArea area;
            BooleanCompiler compiler(area.code);

            const auto notice = compiler.compileAll(texts);

            QVERIFY(area.fencesIntact());
            QVERIFY(compiler.codeLength() >= 0 && compiler.codeLength() <= CodeAreaSize);
            if (!notice)
                QVERIFY(compiler.codeLength() <= CodeAreaSentSize);
            else if (notice->text == " TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS")
                ++tooLong;
            for (const std::string& text : ListAllBooleans(area.code))
                QVERIFY(text.empty() || text.back() == ' ');
        }
        QVERIFY2(tooLong > 40, "the code area should often be filled");
    }
};

QTEST_APPLESS_MAIN(BooleanPropertiesTest)
#include "boolean_properties_test.moc"
