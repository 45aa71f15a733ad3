// Reads arbitrary bytes as a project file. A refused file changes nothing and
// its reason shows no raw control or 8-bit byte; an accepted one is saved, and
// what is saved reads back as the same configuration.

#include "project/project_fields.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <type_traits>

using namespace muxcc;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Every field holds a value that no read of a file gives all at once.
Configuration sentinels()
{
    Configuration config;
    ForEachProjectField(config, [](const ProjectField& field, auto& value) {
        using Value = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::string>)
            value = "untouched " + field.label();
        else
            value = static_cast<Value>(field.number + 1000);
    });
    config.VoltageModel = 7;
    config.OptionFlags = 77;
    config.ControllerRecord0 = 5;
    config.CycleCountDigit[4] = 9;
    config.FileName = "untouched.mcf";
    config.FileAssociated = 1;
    config.BooleanEditText[42] = "untouched";
    config.BooleanCode.fill(-3);
    return config;
}

// What a read must leave alone, whatever the file holds.
bool keepsWhatNoFileHolds(const Configuration& config, const Configuration& before)
{
    return config.ControllerRecord0 == before.ControllerRecord0 &&
           config.CycleCountDigit == before.CycleCountDigit && config.FileName == before.FileName &&
           config.FileAssociated == before.FileAssociated &&
           config.BooleanEditText == before.BooleanEditText && config.BooleanCode == before.BooleanCode;
}

bool printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Configuration before = sentinels();
    Configuration config = before;
    if (const auto reason =
            ReadProjectRecord(config, std::string_view(reinterpret_cast<const char*>(data), size))) {
        require(config == before);
        require(printable(*reason));
        return 0;
    }
    require(keepsWhatNoFileHolds(config, before));

    require(!SaveRefusal(config));
    Configuration reread = before;
    require(!ReadProjectRecord(reread, ProjectRecordLine(config)));
    require(reread == config);
    return 0;
}
