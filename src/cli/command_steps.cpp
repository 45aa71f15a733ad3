#include "cli/command_steps.h"

#include "boolean/compiler.h"
#include "boolean/input_channel_rule.h"
#include "link/unsendable_value.h"
#include "project/project_file_io.h"
#include "project/project_writer.h"

#include <iostream>

namespace muxcc::cli {

namespace {

std::string_view WithoutLeadingSpace(std::string_view text)
{
    return text.starts_with(' ') ? text.substr(1) : text;
}

} // namespace

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
    if (path == "-") {
        if (const auto refusal = SaveRefusal(config)) {
            std::cerr << "muxcc-cli: cannot save to standard output: " << *refusal << '\n';
            return false;
        }
        std::cout << ProjectRecordLine(config) << std::flush;
        return true;
    }
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
        std::cerr << "muxcc-cli: warning: " << WithoutLeadingSpace(dropped.notice.text)
                  << " (its equation was left out)\n";

    BooleanCompiler compiler(config.BooleanCode);
    if (const auto notice = compiler.compileAll(config.BooleanText)) {
        std::cerr << "muxcc-cli: " << WithoutLeadingSpace(notice->text) << '\n';
        return std::nullopt;
    }
    return compiler.codeLength();
}

bool ReportUnsendableValue(const Configuration& config)
{
    const auto message = link::UnsendableValueMessage(config);
    if (message)
        std::cerr << "muxcc-cli: " << *message << '\n';
    return message.has_value();
}

} // namespace muxcc::cli
