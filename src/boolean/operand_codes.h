#pragma once

#include <string>
#include <string_view>

namespace muxcc {

// Operand code 1..65 of an operand name, compared exactly; 0 for anything else.
int OperandCode(std::string_view name);
// Operand code + 128 (129..193) for an operand preceded by NOT; 0 for anything else.
int NegatedOperandCode(std::string_view name);
// Name of operand code 1..65; empty for any other value.
std::string_view OperandName(int code);

} // namespace muxcc
