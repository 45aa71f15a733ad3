#include "boolean/compiler.h"

#include "boolean/operand_codes.h"
#include "model/output_order.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <ranges>
#include <utility>

namespace muxcc {

namespace {

// Longest equation, spaces trimmed, that is scanned at all: with one space
// appended it still has a 16-bit length. A longer one could never fit the code
// area and gets the length message unread.
constexpr std::size_t maxEquationLength = 32766;

// ORDER TokenClass: the keyword spellings come first, in the order they are tested.
enum class TokenClass { Open, Not, Or, And, Close, Operand };
constexpr std::array<std::string_view, 5> keywordSpellings{"(", "NOT", "OR", "AND", ")"};

// ORDER State: the class of the last accepted token.
enum class State { AtStart, AfterOpen, AfterOperator, AfterOperand, AfterClose };

// One entry a transition appends. A pending NOT turns Paren into "NOT (" and
// Operand into the negated operand code.
enum class Entry { Zero, Paren, And, Or, Close, Operand };

// Up to three entries, written as a braced list in the table below.
class Entries {
public:
    constexpr Entries() = default;
    constexpr Entries(std::initializer_list<Entry> entries) : size_(entries.size())
    {
        std::ranges::copy(entries, items_.begin());
    }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.begin() + static_cast<std::ptrdiff_t>(size_); }

private:
    std::array<Entry, 3> items_{};
    std::size_t size_ = 0;
};

struct Transition {
    State state;
    TokenClass token;
    Entries entries;
    State next;
};

// The language: every token accepted in each state, what it appends and the
// state it leaves. A token in a state not listed is rejected. "NOT" appends
// nothing and keeps the state; it is folded into the "(" or operand after it.
// clang-format off
constexpr auto transitions = std::to_array<Transition>({
    // state                token                entries appended                            next state
    {State::AtStart,        TokenClass::Open,    {Entry::Zero, Entry::Zero, Entry::Paren},   State::AfterOpen},
    {State::AtStart,        TokenClass::Not,     {},                                         State::AtStart},
    {State::AtStart,        TokenClass::Operand, {Entry::Zero, Entry::Operand},              State::AfterOperand},

    {State::AfterOpen,      TokenClass::Open,    {Entry::Zero, Entry::Paren},                State::AfterOpen},
    {State::AfterOpen,      TokenClass::Not,     {},                                         State::AfterOpen},
    {State::AfterOpen,      TokenClass::Operand, {Entry::Operand},                           State::AfterOperand},

    {State::AfterOperator,  TokenClass::Open,    {Entry::Zero, Entry::Paren},                State::AfterOpen},
    {State::AfterOperator,  TokenClass::Not,     {},                                         State::AfterOperator},
    {State::AfterOperator,  TokenClass::Operand, {Entry::Operand},                           State::AfterOperand},

    {State::AfterOperand,   TokenClass::Not,     {},                                         State::AfterOperand},
    {State::AfterOperand,   TokenClass::Or,      {Entry::Or},                                State::AfterOperator},
    {State::AfterOperand,   TokenClass::And,     {Entry::And},                               State::AfterOperator},
    {State::AfterOperand,   TokenClass::Close,   {Entry::Close, Entry::Zero},                State::AfterClose},

    {State::AfterClose,     TokenClass::Not,     {},                                         State::AfterClose},
    {State::AfterClose,     TokenClass::Or,      {Entry::Or},                                State::AfterOperator},
    {State::AfterClose,     TokenClass::And,     {Entry::And},                               State::AfterOperator},
    {State::AfterClose,     TokenClass::Close,   {Entry::Close, Entry::Zero},                State::AfterClose},
});
// clang-format on

// A pending NOT must be taken up by the very next token.
constexpr bool TakesUpNot(TokenClass token)
{
    return token == TokenClass::Open || token == TokenClass::Operand;
}

// An equation may end only after an operand or ")", with nothing pending and
// as many ")" as "(" (only the totals are compared).
constexpr bool CanEnd(State state)
{
    return state == State::AfterOperand || state == State::AfterClose;
}

TokenClass Classify(std::string_view token)
{
    for (std::size_t i = 0; i < keywordSpellings.size(); ++i) {
        if (token == keywordSpellings[i])
            return static_cast<TokenClass>(i);
    }
    return TokenClass::Operand;
}

int EntryValue(Entry entry, bool notPending, int operandCode)
{
    switch (entry) {
    case Entry::Zero:
        return EquationStart;
    case Entry::Paren:
        return notPending ? NotOpenParenthesis : OpenParenthesis;
    case Entry::And:
        return AndOperator;
    case Entry::Or:
        return OrOperator;
    case Entry::Close:
        return CloseParenthesis;
    case Entry::Operand:
        return operandCode;
    }
    return 0;
}

std::string_view TrimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Notice BooleanErrorNotice(std::string text)
{
    return {Notice::Icon::Exclamation, "Boolean Error", std::move(text)};
}

Notice CheckBooleanNotice(int output)
{
    return BooleanErrorNotice(" Boolean Error in " + OutputName(output) + ", Check Boolean");
}

Notice LengthNotice()
{
    return BooleanErrorNotice(" TOTAL BOOLEAN LENGTH TO LARGE, REDUCE BOOLEANS");
}

} // namespace

bool BooleanCompiler::append(int entry)
{
    if (length_ >= CodeAreaSize)
        return false;
    code_[static_cast<std::size_t>(length_++)] = static_cast<std::int16_t>(entry);
    return true;
}

EquationResult BooleanCompiler::reject(Rejection::Reason reason, std::string_view word,
                                       std::string_view previous, int wordNumber)
{
    rejection_ = {reason, std::string(word), std::string(previous), wordNumber};
    return EquationResult::Rejected;
}

EquationResult BooleanCompiler::compileBoolean(std::string_view text)
{
    using Reason = Rejection::Reason;
    text = TrimSpaces(text);
    if (text.empty())
        return append(EquationStart) && append(0) ? EquationResult::Accepted : EquationResult::TooLong;
    if (text.size() > maxEquationLength)
        return EquationResult::TooLong;

    State state = State::AtStart;
    bool notPending = false;
    int openCount = 0;
    int closeCount = 0;
    int wordNumber = 0;
    std::string_view previous;
    // Tokens are separated by exactly one space: two in a row make an empty token.
    for (const auto piece : std::views::split(text, ' ')) {
        const std::string_view token(piece.begin(), piece.end());
        ++wordNumber;
        const TokenClass tokenClass = Classify(token);
        // Both lookups fail together, so one tells whether the name exists.
        if (tokenClass == TokenClass::Operand && OperandCode(token) == 0)
            return reject(token.empty() ? Reason::EmptyWord : Reason::UnknownWord, token, previous,
                          wordNumber);
        const auto transition = std::ranges::find_if(
            transitions, [&](const Transition& t) { return t.state == state && t.token == tokenClass; });
        if (transition == transitions.end() || (notPending && !TakesUpNot(tokenClass)))
            return reject(Reason::Misplaced, token, previous, wordNumber);
        const int operandCode = tokenClass != TokenClass::Operand ? 0
                                : notPending                      ? NegatedOperandCode(token)
                                                                  : OperandCode(token);
        for (const Entry entry : transition->entries) {
            if (!append(EntryValue(entry, notPending, operandCode)))
                return EquationResult::TooLong;
        }
        state = transition->next;
        notPending = tokenClass == TokenClass::Not;
        openCount += tokenClass == TokenClass::Open ? 1 : 0;
        closeCount += tokenClass == TokenClass::Close ? 1 : 0;
        previous = token;
    }
    if (!CanEnd(state) || notPending)
        return reject(Reason::EndsEarly, previous, {}, wordNumber);
    if (openCount != closeCount)
        return reject(openCount > closeCount ? Reason::MissingClose : Reason::ExtraClose, previous, {},
                      wordNumber);
    return EquationResult::Accepted;
}

std::optional<Notice> BooleanCompiler::compileAll(const OneBased<std::string, OutputCount>& texts)
{
    length_ = 0;
    for (int k = 1; k <= OutputCount; ++k) {
        const EquationResult result = compileBoolean(texts[k]);
        if (result == EquationResult::Rejected)
            return CheckBooleanNotice(k);
        if (result == EquationResult::TooLong)
            return LengthNotice();
        // The last equation is checked together with the end pair.
        if (k < OutputCount && length_ > CodeAreaSentSize)
            return LengthNotice();
    }
    if (!append(EquationStart) || !append(0) || length_ > CodeAreaSentSize)
        return LengthNotice();
    return std::nullopt;
}

std::optional<Notice> CompileAllBooleans(Configuration& config)
{
    return BooleanCompiler(config.BooleanCode).compileAll(config.BooleanText);
}

} // namespace muxcc
