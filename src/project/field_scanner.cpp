#include "project/field_scanner.h"

namespace muxcc {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDelimiter(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

} // namespace

std::variant<RawField, FieldProblem> FieldScanner::next()
{
    skipBlanks();
    RawField field;
    if (!atEnd() && bytes_[position_] == '"') {
        const auto close = bytes_.find('"', position_ + 1);
        if (close == std::string_view::npos)
            return FieldProblem{"the quoted text has no closing double quote"};
        field.text = bytes_.substr(position_ + 1, close - position_ - 1);
        if (field.text.find_first_of("\r\n") != std::string::npos)
            return FieldProblem{"the quoted text runs across a line end"};
        position_ = close + 1;
        skipBlanks();
        if (!atDelimiter())
            return FieldProblem{"unexpected text after the closing double quote"};
    } else {
        const auto start = position_;
        while (!atDelimiter())
            ++position_;
        auto text = bytes_.substr(start, position_ - start);
        if (text.find('"') != std::string_view::npos)
            return FieldProblem{"a double quote stands inside an unquoted field"};
        while (!text.empty() && isBlank(text.back()))
            text.remove_suffix(1);
        field.text = text;
    }
    skipDelimiter();
    return field;
}

bool FieldScanner::atDelimiter() const
{
    return atEnd() || isDelimiter(bytes_[position_]);
}

void FieldScanner::skipBlanks()
{
    while (!atEnd() && isBlank(bytes_[position_]))
        ++position_;
}

void FieldScanner::skipDelimiter()
{
    if (atEnd())
        return;
    const char delimiter = bytes_[position_++];
    if (delimiter == '\r' && !atEnd() && bytes_[position_] == '\n')
        ++position_; // CR LF is one line end
}

} // namespace muxcc
