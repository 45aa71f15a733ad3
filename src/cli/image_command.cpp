// muxcc-cli image FILE: every settings record and code word that a write of the
// project would send, on a freshly started program, in the order sent.

#include "cli/command_steps.h"
#include "cli/commands.h"
#include "link/memory_image.h"

#include <cstddef>
#include <iostream>

namespace muxcc::cli {

namespace {

void PrintImage(const Configuration& config)
{
    for (const int record : link::SettingsRecordOrder)
        std::cout << "S " << record << ' ' << int{*link::EncodeSettingsRecord(config, record).byte} << '\n';
    for (int word = 0; word < CodeAreaSentSize / 2; ++word) {
        const auto even = static_cast<std::size_t>(2 * word);
        std::cout << "C " << word << ' ' << config.BooleanCode[even] << ' ' << config.BooleanCode[even + 1]
                  << '\n';
    }
}

} // namespace

int imageCommand(const CommandArgs& args)
{
    Configuration config;
    if (!OpenAndCompile(args.files[0], config) || ReportUnsendableValue(config))
        return 1;
    PrintImage(config);
    return 0;
}

} // namespace muxcc::cli
