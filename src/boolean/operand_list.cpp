#include "boolean/operand_list.h"

#include "boolean/operand_codes.h"

namespace muxcc {

namespace {

std::vector<std::string> NumberedEntries(std::vector<std::string> entries, std::string_view name, int last)
{
    for (int n = 1; n <= last; ++n)
        entries.push_back(std::string(name) + std::to_string(n) + " ");
    return entries;
}

} // namespace

const std::vector<std::string>& OperandListEntries()
{
    static const std::vector<std::string> entries = [] {
        std::vector<std::string> list{""};
        list = NumberedEntries(std::move(list), "MUX", 16);
        list = NumberedEntries(std::move(list), "FET", 10);
        list = NumberedEntries(std::move(list), "VRT", 10);
        list = NumberedEntries(std::move(list), "TMR", 5);
        list = NumberedEntries(std::move(list), "TRIG", 5);
        list.push_back("BUZZER ");
        list = NumberedEntries(std::move(list), "V", 6);
        list = NumberedEntries(std::move(list), "T", 4);
        list.push_back("SLP ");
        list = NumberedEntries(std::move(list), "INPUT", 3);
        return NumberedEntries(std::move(list), "OPTION", 4);
    }();
    return entries;
}

const std::vector<std::string>& CommandListEntries()
{
    static const std::vector<std::string> entries{"", "AND ", "OR ", "NOT ", "( ", ") "};
    return entries;
}

int OperandCodeOfEntry(std::string_view entry)
{
    if (!entry.ends_with(' '))
        return 0;
    entry.remove_suffix(1);
    return OperandCode(entry);
}

std::string OperandEntry(int code)
{
    const std::string_view name = OperandName(code);
    return name.empty() ? std::string() : std::string(name) + " ";
}

} // namespace muxcc
