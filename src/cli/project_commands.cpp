// normalize and report: the OPEN, SAVE AS and PRINT commands without the windows.

#include "cli/command_steps.h"
#include "cli/commands.h"
#include "project/settings_report.h"

#include <iostream>

namespace muxcc::cli {

int normalizeCommand(std::span<const std::string> args)
{
    if (args.size() != 2)
        return Usage("normalize IN OUT");
    Configuration config;
    return OpenProject(args[0], config) && SaveProject(args[1], config) ? 0 : 1;
}

int reportCommand(std::span<const std::string> args)
{
    if (args.size() != 1)
        return Usage("report FILE");
    Configuration config;
    if (!OpenProject(args[0], config))
        return 1;
    for (const auto& line : SettingsReport(config))
        std::cout << (line.pageBreak ? "\f" : line.text()) << '\n';
    return 0;
}

} // namespace muxcc::cli
