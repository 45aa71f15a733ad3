#include "link/controller_commands.h"
#include "link/record_format.h"

#include <string>
#include <string_view>

namespace muxcc::link {

namespace {

constexpr std::string_view ResetFailureText =
    "An Error occurred, Check Communication connections and Try again.";
constexpr int LastCycleCountRecord = 4; // record 0 and the four digits

// Digits from the controller may exceed 9; the count is then shown in full.
long long CycleCount(const Configuration& config)
{
    return config.CycleCountDigit[4] * 1000LL + config.CycleCountDigit[3] * 100LL +
           config.CycleCountDigit[2] * 10LL + config.CycleCountDigit[1];
}

} // namespace

Task<CommandOutcome> ControllerCommands::displayCycleCount()
{
    if (refusedAsBusy())
        co_return CommandOutcome::Busy;
    // A failed read leaves the digits as they were; the count is shown all the same.
    const CommandOutcome read = co_await readFromController();
    observer_.showStatus("Cycle Count = " + std::to_string(CycleCount(config_)));
    co_return read;
}

Task<CommandOutcome> ControllerCommands::resetCycleCounter()
{
    if (refusedAsBusy())
        co_return CommandOutcome::Busy;
    observer_.showStatus("starting communications");
    const bool cleared = co_await clearCycleCountRecords();
    if (!cleared) {
        link_.close();
        observer_.showStatus(ResetFailureText);
        co_return CommandOutcome::Failed;
    }
    observer_.showStatus("Cycle count has been Reset to 00000");
    link_.close();
    co_return CommandOutcome::Succeeded;
}

// The tool's own digits stay as last read; only the controller's records are cleared.
Task<bool> ControllerCommands::clearCycleCountRecords()
{
    const bool contact = co_await link_.openAndMakeContact();
    if (!contact)
        co_return false;
    for (int address_l = 0; address_l <= LastCycleCountRecord; ++address_l) {
        const bool paced = co_await link_.delay_100ms();
        if (!paced)
            co_return false;
        const bool stored = co_await link_.write_setting(SettingsAreaByte, address_l, 0, 0);
        if (!stored)
            co_return false;
    }
    co_return true;
}

} // namespace muxcc::link
