#include "boolean/operand_codes.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace muxcc {

namespace {

// Operand names in code order: the name at position i has operand code i + 1.
// TRIG4/TRIG5 and TMR4/TMR5 come after SLP, not beside their siblings.
constexpr std::array<std::string_view, OperandCount> operandNames{
    "MUX1",   "MUX2",   "MUX3",   "MUX4",  "MUX5",  "MUX6",  "MUX7",    "MUX8",    "MUX9",    "MUX10",
    "MUX11",  "MUX12",  "MUX13",  "MUX14", "MUX15", "MUX16", "FET1",    "FET2",    "FET3",    "FET4",
    "FET5",   "FET6",   "FET7",   "FET8",  "FET9",  "FET10", "VRT1",    "VRT2",    "VRT3",    "VRT4",
    "VRT5",   "VRT6",   "VRT7",   "VRT8",  "VRT9",  "VRT10", "BUZZER",  "TRIG1",   "TRIG2",   "TRIG3",
    "INPUT1", "INPUT2", "INPUT3", "V1",    "V2",    "V3",    "V4",      "V5",      "V6",      "T1",
    "T2",     "T3",     "T4",     "TMR1",  "TMR2",  "TMR3",  "OPTION1", "OPTION2", "OPTION3", "OPTION4",
    "SLP",    "TRIG4",  "TRIG5",  "TMR4",  "TMR5",
};

} // namespace

int OperandCode(std::string_view name)
{
    const auto found = std::find(operandNames.begin(), operandNames.end(), name);
    return found == operandNames.end() ? 0 : static_cast<int>(std::distance(operandNames.begin(), found)) + 1;
}

int NegatedOperandCode(std::string_view name)
{
    const int code = OperandCode(name);
    return code == 0 ? 0 : code + NegationOffset;
}

std::string_view OperandName(int code)
{
    if (code < 1 || code > OperandCount)
        return {};
    return operandNames[static_cast<std::size_t>(code - 1)];
}

} // namespace muxcc
