#include "cli/compiled_project.h"

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "project/project_file_io.h"

#include <iostream>

namespace muxcc::cli {

std::optional<int> OpenAndCompile(const std::string& path, Configuration& config)
{
    if (const auto reason = OpenProjectFile(config, path)) {
        std::cerr << *reason << '\n';
        return std::nullopt;
    }
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
