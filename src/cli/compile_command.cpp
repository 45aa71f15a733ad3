// muxcc-cli compile FILE: the equations of a project file as the code image a
// write would send, through the end pair.

#include "cli/command_steps.h"
#include "cli/commands.h"

#include <cstddef>
#include <iostream>

namespace muxcc::cli {

int compileCommand(const CommandArgs& args)
{
    Configuration config;
    const auto codeLength = OpenAndCompile(args.files[0], config);
    if (!codeLength)
        return 1;
    for (int i = 0; i < *codeLength; ++i)
        std::cout << (i == 0 ? "" : ",") << config.BooleanCode[static_cast<std::size_t>(i)];
    std::cout << '\n';
    return 0;
}

} // namespace muxcc::cli
