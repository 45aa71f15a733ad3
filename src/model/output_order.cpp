#include "model/output_order.h"

#include <cassert>

namespace muxcc {

std::string OutputName(int n)
{
    assert(n >= 1 && n <= 42);
    if (n <= 16)
        return "MUX" + std::to_string(n);
    if (n <= 26)
        return "FET" + std::to_string(n - 16);
    if (n <= 36)
        return "VRT" + std::to_string(n - 26);
    if (n == 37)
        return "BUZZER";
    return "TRIG" + std::to_string(n - 37);
}

} // namespace muxcc
