#pragma once

#include <map>
#include <set>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace muxcc::cli {

// One command's arguments: its files in order and the options given with
// their values ("--port" -> "/dev/ttyUSB0"). A lone "-" is a file name.
struct CommandArgs {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
    bool help = false;

    // The option's value, or `fallback` when it was not given.
    std::string option(const std::string& name, const std::string& fallback = {}) const;
};

// Reads a command's arguments; every option in `valueOptions` takes a value,
// as "--port DEV" or "--port=DEV". "--help" and "-h" ask for the command's
// help. The reason, naming the option, when an option is unknown or lacks
// its value.
std::variant<CommandArgs, std::string> ParseCommandArgs(std::span<const std::string> args,
                                                        const std::set<std::string>& valueOptions);

} // namespace muxcc::cli
