#include "boolean/listing.h"

#include "boolean/operand_codes.h"

#include <cstddef>

namespace muxcc {

namespace {

// Entries 0..511 are the image the controller holds; index 512 and beyond
// belong to no image and read as 0, which ends any walk.
int EntryAt(const CodeArea& code, int index)
{
    if (index < 0 || index >= CodeAreaSentSize)
        return 0;
    return code[static_cast<std::size_t>(index)];
}

} // namespace

std::string ListOperand(int entry)
{
    if (const std::string_view name = OperandName(entry); !name.empty())
        return std::string(name) + " ";
    if (const std::string_view name = OperandName(entry - NegationOffset); !name.empty())
        return "NOT " + std::string(name) + " ";
    return {};
}

std::string ListOperator(int entry)
{
    switch (entry) {
    case AndOperator:
        return "AND ";
    case OrOperator:
        return "OR ";
    case OpenParenthesis:
        return "( ";
    case NotOpenParenthesis:
        return "NOT ( ";
    case CloseParenthesis:
        return ") ";
    default:
        return {};
    }
}

std::string ListBoolean(const CodeArea& code, int& address_l)
{
    // The opening entry is skipped unread: its operand is the equation's first.
    std::string text = ListOperand(EntryAt(code, ++address_l));
    ++address_l;
    while (EntryAt(code, address_l) != 0) {
        text += ListOperator(EntryAt(code, address_l));
        text += ListOperand(EntryAt(code, ++address_l));
        ++address_l;
    }
    return text;
}

OneBased<std::string, OutputCount> ListAllBooleans(const CodeArea& code)
{
    OneBased<std::string, OutputCount> texts;
    int address_l = 0;
    for (std::string& text : texts)
        text = ListBoolean(code, address_l);
    return texts;
}

} // namespace muxcc
