#include "boolean/equation_check.h"

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "model/output_order.h"

#include <algorithm>
#include <cctype>

namespace muxcc {

namespace {

std::string Quoted(std::string_view word)
{
    return "\"" + std::string(word) + "\"";
}

std::string Counted(int count, std::string_view what)
{
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

// Names and commands are compared exactly, so "and" or "Mux1" is a typing slip worth naming:
// its upper-case spelling is a word the compiler knows.
bool KnownInUpperCase(std::string word)
{
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return std::toupper(c); });
    CodeArea code{};
    BooleanCompiler compiler(code);
    return compiler.compileBoolean(word) != EquationResult::Rejected ||
           compiler.rejection().reason != Rejection::Reason::UnknownWord;
}

std::string RejectionText(const Rejection& rejection)
{
    using Reason = Rejection::Reason;
    const std::string word = Quoted(rejection.word);
    switch (rejection.reason) {
    case Reason::EmptyWord:
        return "two spaces in a row after " + Quoted(rejection.previous);
    case Reason::UnknownWord:
        if (rejection.word.find('\t') != std::string::npos)
            return "word " + std::to_string(rejection.wordNumber) +
                   " holds a tab; separate words with one space";
        if (KnownInUpperCase(rejection.word))
            return word + " is not an operand name or command (names are upper case)";
        return word + " is not an operand name or command";
    case Reason::Misplaced:
        if (rejection.previous.empty())
            return word + " cannot start an equation";
        if (rejection.word == "NOT" && rejection.previous == "NOT")
            return "\"NOT\" twice in a row";
        return word + " cannot follow " + Quoted(rejection.previous);
    case Reason::EndsEarly:
        return "cannot end with " + word;
    case Reason::MissingClose:
        return "missing \")\"";
    case Reason::ExtraClose:
        return "more \")\" than \"(\"";
    }
    return {};
}

} // namespace

std::string EquationCheckText(int output, std::string_view text,
                              const OneBased<std::int16_t, ChannelCount>& channelDirection)
{
    const std::string name = OutputName(output);
    if (output <= ChannelCount && channelDirection[output] == 0 && !text.empty())
        return name + ": set as an input, so Save empties this equation";
    CodeArea code{};
    BooleanCompiler compiler(code);
    switch (compiler.compileBoolean(text)) {
    case EquationResult::Accepted:
        return name + ": compiles, " + Counted(compiler.codeLength() / 2, "code pair");
    case EquationResult::Rejected:
        return name + ": " + RejectionText(compiler.rejection());
    case EquationResult::TooLong:
        break;
    }
    return name + ": too long for the " + std::to_string(CodeAreaSentSize) + " code entries";
}

std::string CodeUsageText(OneBased<std::string, OutputCount> texts,
                          const OneBased<std::int16_t, ChannelCount>& channelDirection)
{
    DropInputChannelEquations(texts, channelDirection);
    int entries = 2; // the end pair
    int failing = 0;
    bool tooLong = false;
    for (const std::string& text : texts) {
        CodeArea code{};
        BooleanCompiler compiler(code);
        switch (compiler.compileBoolean(text)) {
        case EquationResult::Accepted:
            entries += compiler.codeLength();
            break;
        case EquationResult::Rejected:
            ++failing;
            break;
        case EquationResult::TooLong:
            tooLong = true;
            break;
        }
    }
    const std::string total = "Code entries: ";
    if (tooLong || entries > CodeAreaSentSize)
        return total + "more than " + std::to_string(CodeAreaSentSize) + ", too long to compile";
    const std::string used = total + std::to_string(entries) + " of " + std::to_string(CodeAreaSentSize);
    if (failing == 0)
        return used;
    return used + " (" + Counted(failing, "equation") + (failing == 1 ? " does" : " do") + " not compile)";
}

} // namespace muxcc
