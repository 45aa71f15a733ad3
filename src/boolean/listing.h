#pragma once

#include "model/configuration.h"

#include <string>

namespace muxcc {

// Text of an operand entry: "MUX1 ", "NOT MUX1 ", or nothing.
std::string ListOperand(int entry);
// Text of an operator entry: "AND ", "OR ", "( ", "NOT ( ", ") ", or nothing.
std::string ListOperator(int entry);
// Lists the equation whose opening entry is at `address_l` and moves
// `address_l` to the opening entry of the next one. Only entries 0..511 are
// read; any entry beyond them counts as 0, so a walk that starts past 511
// lists an empty equation.
std::string ListBoolean(const CodeArea& code, int& address_l);
// The 42 equation texts of a code area, in the output order.
OneBased<std::string, OutputCount> ListAllBooleans(const CodeArea& code);

} // namespace muxcc
