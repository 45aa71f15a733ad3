#include "link/sim/sim_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace muxcc::link::sim {

const char* const SimUsage = R"(usage: muxcc-sim [OPTIONS]

Serves a simulated controller on a new pseudo-terminal until SIGINT or SIGTERM.
The first line printed is the device to open (e.g. muxcc-cli read --port DEV).

options:
  --preload FILE         start from the memory image in FILE (- for stdin)
                         (lines "S <record> <value>" and "C <word> <even> <odd>")
  --dump FILE            write the memory image to FILE on exit, in the same format
  --silent               answer nothing at all
  --contact-on N         leave contact requests before the Nth unanswered
  --wrong-record R       settings record R reads back one more than stored
  --fault KIND@N[:MS]    at request N (counted from 1): KIND is drop, late, short,
                         double, garble or vanish; MS is the extra delay of late
  --log FILE             append every request received to FILE, one a line
                         (- for stderr), away from the programs' own output
  --help                 show this text
)";

namespace {

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

constexpr std::array<std::pair<std::string_view, SimulatorFault::Kind>, 6> FaultKinds{{
    {"drop", SimulatorFault::Kind::Drop},
    {"late", SimulatorFault::Kind::Late},
    {"short", SimulatorFault::Kind::Short},
    {"double", SimulatorFault::Kind::Double},
    {"garble", SimulatorFault::Kind::Garble},
    {"vanish", SimulatorFault::Kind::Vanish},
}};

constexpr std::array<std::string_view, 6> ValueOptions{"--preload",    "--dump",         "--log",
                                                       "--contact-on", "--wrong-record", "--fault"};

} // namespace

std::optional<SimulatorFault> ParseFault(const std::string& text)
{
    const std::string_view spec = text;
    const auto at = spec.find('@');
    if (at == std::string_view::npos)
        return std::nullopt;
    const auto kind =
        std::find_if(FaultKinds.begin(), FaultKinds.end(),
                     [name = spec.substr(0, at)](const auto& entry) { return entry.first == name; });
    if (kind == FaultKinds.end())
        return std::nullopt;

    std::string_view rest = spec.substr(at + 1);
    std::optional<int> delay = 0;
    if (const auto colon = rest.find(':'); colon != std::string_view::npos) {
        delay = ParseInt(rest.substr(colon + 1));
        rest = rest.substr(0, colon);
    }
    const auto request = ParseInt(rest);
    if (!request || *request < 1 || !delay || *delay < 0)
        return std::nullopt;
    return SimulatorFault{kind->second, *request, Milliseconds{*delay}};
}

ParsedOptions ParseSimOptions(std::span<const std::string> args)
{
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help")
            return HelpRequested{};
        if (option == "--silent") {
            options.faults.silent = true;
            continue;
        }
        if (std::find(ValueOptions.begin(), ValueOptions.end(), option) == ValueOptions.end())
            return "unknown option: " + option;
        if (i + 1 == args.size())
            return option + " needs a value";
        const std::string& value = args[++i];
        if (option == "--preload") {
            options.preloadPath = value;
        } else if (option == "--dump") {
            options.dumpPath = value;
        } else if (option == "--log") {
            options.logPath = value;
        } else if (option == "--contact-on") {
            const auto attempt = ParseInt(value);
            if (!attempt || *attempt < 1)
                return "--contact-on needs a number from 1: " + value;
            options.faults.answerContactFrom = *attempt;
        } else if (option == "--wrong-record") {
            const auto record = ParseInt(value);
            if (!record || *record < 0 || *record > 255)
                return "--wrong-record needs a record 0 to 255: " + value;
            options.faults.wrongReadBackRecord = *record;
        } else if (option == "--fault") {
            const auto fault = ParseFault(value);
            if (!fault)
                return "--fault needs KIND@N[:MS]: " + value;
            options.faults.faults.push_back(*fault);
        }
    }
    return options;
}

} // namespace muxcc::link::sim
