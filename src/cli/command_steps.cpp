#include "cli/command_steps.h"

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "project/project_file_io.h"

#include <iostream>

namespace muxcc::cli {

int Usage(std::string_view synopsis)
{
    std::cerr << "usage: muxcc-cli " << synopsis << '\n';
    return 2;
}

bool OpenProject(const std::string& path, Configuration& config)
{
    if (const auto reason = OpenProjectFile(config, path)) {
        std::cerr << "muxcc-cli: " << *reason << '\n';
        return false;
    }
    return true;
}

bool SaveProject(const std::string& path, Configuration& config)
{
    if (const auto reason = SaveProjectFile(config, path)) {
        std::cerr << "muxcc-cli: " << *reason << '\n';
        return false;
    }
    return true;
}

std::optional<int> OpenAndCompile(const std::string& path, Configuration& config)
{
    if (!OpenProject(path, config))
        return std::nullopt;
    for (const DroppedEquation& dropped :
         DropInputChannelEquations(config.BooleanText, config.ChannelDirection))
        std::cerr << dropped.notice.text << '\n';

    BooleanCompiler compiler(config.BooleanCode);
    if (const auto notice = compiler.compileAll(config.BooleanText)) {
        std::cerr << notice->text << '\n';
        return std::nullopt;
    }
    return compiler.codeLength();
}

} // namespace muxcc::cli
