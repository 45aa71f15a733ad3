// muxcc-cli compile FILE: the equations of a project file as the code image a
// write would send, through the end pair.

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "cli/commands.h"
#include "project/project_file_io.h"

#include <cstddef>
#include <iostream>

namespace muxcc::cli {

int compileCommand(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::cerr << "usage: muxcc-cli compile FILE\n";
        return 2;
    }
    Configuration config;
    if (const auto reason = OpenProjectFile(config, args[0])) {
        std::cerr << *reason << '\n';
        return 1;
    }
    // As the boolean window's save would, before compiling.
    for (const DroppedEquation& dropped :
         DropInputChannelEquations(config.BooleanText, config.ChannelDirection))
        std::cerr << "warning:" << dropped.notice.text << '\n';

    BooleanCompiler compiler(config.BooleanCode);
    if (const auto notice = compiler.compileAll(config.BooleanText)) {
        std::cerr << notice->text << '\n';
        return 1;
    }
    for (int i = 0; i < compiler.codeLength(); ++i)
        std::cout << (i == 0 ? "" : ",") << config.BooleanCode[static_cast<std::size_t>(i)];
    std::cout << '\n';
    return 0;
}

} // namespace muxcc::cli
