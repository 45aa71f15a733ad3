// normalize and report: the OPEN, SAVE AS and PRINT commands without the windows.

#include "cli/commands.h"

#include "project/project_file_io.h"
#include "project/settings_report.h"

#include <iostream>

namespace muxcc::cli {

namespace {

// Opens path as OPEN does; false (with the reason on stderr) if it fails.
bool openProject(Configuration& config, const std::string& path)
{
    if (const auto reason = OpenProjectFile(config, path)) {
        std::cerr << "muxcc-cli: " << *reason << '\n';
        return false;
    }
    return true;
}

} // namespace

int normalizeCommand(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::cerr << "usage: muxcc-cli normalize IN OUT\n";
        return 2;
    }
    Configuration config;
    if (!openProject(config, args[0]))
        return 1;
    if (const auto reason = SaveProjectFile(config, args[1])) {
        std::cerr << "muxcc-cli: " << *reason << '\n';
        return 1;
    }
    return 0;
}

int reportCommand(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::cerr << "usage: muxcc-cli report FILE\n";
        return 2;
    }
    Configuration config;
    if (!openProject(config, args[0]))
        return 1;
    for (const auto& line : SettingsReport(config))
        std::cout << (line.pageBreak ? "\f" : line.text()) << '\n';
    return 0;
}

} // namespace muxcc::cli
