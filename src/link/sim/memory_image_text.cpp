#include "link/sim/memory_image_text.h"

#include <sstream>

namespace muxcc::link::sim {

namespace {

bool IsByte(int value)
{
    return value >= 0 && value <= 255;
}

// One line into the memory; false when it is not a well-formed unit.
bool LoadLine(const std::string& line, ControllerSimulator& controller)
{
    std::istringstream fields(line);
    char kind = 0;
    int address = -1;
    int first = -1;
    if (!(fields >> kind >> address >> first) || !IsByte(address) || !IsByte(first))
        return false;
    if (kind == 'S') {
        controller.settings[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(first);
    } else if (kind == 'C') {
        int second = -1;
        if (!(fields >> second) || !IsByte(second))
            return false;
        controller.code[static_cast<std::size_t>(address)] = {static_cast<std::uint8_t>(first),
                                                              static_cast<std::uint8_t>(second)};
    } else {
        return false;
    }
    std::string extra;
    return !(fields >> extra);
}

} // namespace

std::optional<std::string> LoadMemoryImage(std::istream& in, ControllerSimulator& controller)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        if (!LoadLine(line, controller))
            return "line " + std::to_string(number) +
                   ": expected S <record> <value> or C <word> <even> <odd>: " + line;
    }
    return std::nullopt;
}

void WriteMemoryImage(std::ostream& out, const ControllerSimulator& controller)
{
    for (std::size_t record = 0; record < controller.settings.size(); ++record)
        out << "S " << record << ' ' << int{controller.settings[record]} << '\n';
    for (std::size_t word = 0; word < controller.code.size(); ++word)
        out << "C " << word << ' ' << int{controller.code[word][0]} << ' ' << int{controller.code[word][1]}
            << '\n';
}

} // namespace muxcc::link::sim
