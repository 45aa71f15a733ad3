#pragma once

#include <string_view>

namespace muxcc {

inline constexpr int OperandCount = 65;
// A negated operand code is the operand code plus this: NOT MUX1 is 129.
inline constexpr int NegationOffset = 128;

// Operator codes of the compiled form, each in the first entry of a code pair.
enum OperatorCode : int {
    EquationStart = 0,
    AndOperator = 1,
    OrOperator = 2,
    OpenParenthesis = 4,
    NotOpenParenthesis = 8,
    CloseParenthesis = 16,
};

// Operand code 1..65 of an operand name, compared exactly; 0 for anything else.
int OperandCode(std::string_view name);
// Operand code + 128 (129..193) for an operand preceded by NOT; 0 for anything else.
int NegatedOperandCode(std::string_view name);
// Name of operand code 1..65; empty for any other value.
std::string_view OperandName(int code);

} // namespace muxcc
