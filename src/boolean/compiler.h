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

private:
    bool append(int entry);

    CodeArea& code_;
    int length_ = 0;
};

// Compiles BooleanText[1..42] into BooleanCode from index 0 and appends the end
// pair. Returns nothing on success, else the one message to show ("Boolean
// Error"). On failure BooleanCode keeps what was appended up to the error.
std::optional<Notice> CompileAllBooleans(Configuration& config);

} // namespace muxcc
