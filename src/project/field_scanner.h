#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace muxcc {

// One field as it stands in a project file.
struct RawField {
    std::string text; // between the quotes, or unquoted with outer blanks dropped
};

// Why a field could not be taken apart.
struct FieldProblem {
    std::string what;
};

// Walks the fields of a project file. A field ends at a comma, a line end
// (CR LF, LF or CR) or the end of the file, so a record may run across lines;
// a quoted text runs to the next double quote, commas included. A save writes
// a text between double quotes with no escaping and the record on one line, so
// a line end inside a quoted text or a double quote inside an unquoted field
// could never be written back as it was read: both are refused.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ == bytes_.size(); }

    // Reads the field at the current position and the delimiter after it.
    std::variant<RawField, FieldProblem> next();

private:
    bool atDelimiter() const;
    void skipBlanks();
    void skipDelimiter();

    std::string_view bytes_;
    std::size_t position_ = 0;
};

} // namespace muxcc
