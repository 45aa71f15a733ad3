#pragma once

#include "model/configuration.h"
#include "model/notice.h"

#include <optional>
#include <string>
#include <string_view>

namespace muxcc {

enum class EquationResult {
    Accepted,
    Rejected, // a token out of order, an unknown operand name, or a failed end check
    TooLong,  // the code area is full, or the text is too long to scan
};

// Where and why compileBoolean rejected a text.
struct Rejection {
    enum class Reason {
        EmptyWord,   // two spaces in a row
        UnknownWord, // neither an operand name nor a command
        Misplaced,   // a word the words before it do not allow
        EndsEarly,   // the text ends after an operator, "(" or "NOT"
        MissingClose,
        ExtraClose,
    };
    Reason reason = Reason::UnknownWord;
    std::string word;     // the rejected word; for the end checks, the last word
    std::string previous; // the word before it; empty at the start and for the end checks
    int wordNumber = 0;   // 1-based, of `word`

    bool operator==(const Rejection&) const = default;
};

// One compile into a code area. Entries are appended at codeLength() and never
// beyond the area's last entry; a failure leaves what was appended before it
// and every later entry as it was.
class BooleanCompiler {
public:
    explicit BooleanCompiler(CodeArea& code) : code_(code) {}

    // Compiles the 42 texts in the output order from index 0 and appends the
    // end pair. Returns nothing on success, else the one message to show.
    std::optional<Notice> compileAll(const OneBased<std::string, OutputCount>& texts);

    // Appends the code of one equation at codeLength().
    EquationResult compileBoolean(std::string_view text);

    // Entries written so far: after a successful compileAll, the image through
    // the end pair.
    int codeLength() const { return length_; }

    // Why the last compileBoolean that gave Rejected did so.
    const Rejection& rejection() const { return rejection_; }

private:
    bool append(int entry);
    EquationResult reject(Rejection::Reason reason, std::string_view word, std::string_view previous,
                          int wordNumber);

    CodeArea& code_;
    int length_ = 0;
    Rejection rejection_;
};

// Compiles BooleanText[1..42] into BooleanCode from index 0 and appends the end
// pair. Returns nothing on success, else the one message to show ("Boolean
// Error"). On failure BooleanCode keeps what was appended up to the error.
std::optional<Notice> CompileAllBooleans(Configuration& config);

} // namespace muxcc
