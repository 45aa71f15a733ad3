#include "cli/command_line.h"

namespace muxcc::cli {

std::string CommandArgs::option(const std::string& name, const std::string& fallback) const
{
    const auto given = options.find(name);
    return given == options.end() ? fallback : given->second;
}

std::variant<CommandArgs, std::string> ParseCommandArgs(std::span<const std::string> args,
                                                        const std::set<std::string>& valueOptions)
{
    CommandArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        if (arg == "-" || !arg.starts_with('-')) {
            parsed.files.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!valueOptions.contains(name))
            return "unknown option '" + name + "'";
        if (equals != std::string::npos)
            parsed.options[name] = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            parsed.options[name] = args[++i];
        else
            return "option '" + name + "' needs a value";
    }
    return parsed;
}

} // namespace muxcc::cli
