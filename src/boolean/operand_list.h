#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace muxcc {

// The operand list of the equation and additional features windows: an empty
// entry, then the 65 operand names each followed by one space, in the order
// MUX1..MUX16, FET1..FET10, VRT1..VRT10, TMR1..TMR5, TRIG1..TRIG5, BUZZER,
// V1..V6, T1..T4, SLP, INPUT1..INPUT3, OPTION1..OPTION4 (not code order).
const std::vector<std::string>& OperandListEntries();
// The command list: an empty entry, "AND ", "OR ", "NOT ", "( ", ") ".
const std::vector<std::string>& CommandListEntries();

// The operand code (1..65) of an operand list entry, found by its name; 0 for
// the empty entry or any text that names no operand.
int OperandCodeOfEntry(std::string_view entry);
// The entry naming operand `code` ("TMR4 "); empty for 0 or an unknown code.
std::string OperandEntry(int code);

} // namespace muxcc
