#include "boolean/listing.h"
#include "link/controller_commands.h"
#include "link/memory_image.h"
#include "link/record_format.h"

#include <optional>
#include <string_view>

namespace muxcc::link {

namespace {

constexpr std::string_view FailureText = "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
constexpr int LastSettingsRecordRead = 128;
constexpr int LastCodeWord = 255;

} // namespace

Task<CommandOutcome> ControllerCommands::readFromController()
{
    if (refusedAsBusy())
        co_return CommandOutcome::Busy;
    observer_.showStatus("STARTING COMMUNICATIONS.......");
    const bool read = co_await readController();
    if (!read) {
        observer_.showStatus(FailureText);
        link_.close();
        co_return CommandOutcome::Failed;
    }
    link_.close();
    observer_.showStatus("READ COMPLETED");
    co_return CommandOutcome::Succeeded;
}

Task<bool> ControllerCommands::readController()
{
    const bool contact = co_await link_.openAndMakeContact();
    if (!contact)
        co_return false;
    const bool paced = co_await link_.delay_100ms();
    if (!paced)
        co_return false;
    observer_.showStatus("STARTING COMMUNICATIONS..CONNECTED....");

    // Nothing of the configuration changes until every settings record has been read.
    SettingsImage image{};
    for (int address_l = 0; address_l <= LastSettingsRecordRead; ++address_l) {
        const std::optional<int> data_l = co_await link_.read_setting(SettingsAreaByte, address_l);
        if (!data_l)
            co_return false;
        image[static_cast<std::size_t>(address_l)] = *data_l;
    }
    DecodeKeptValuesAndChannels(image, config_);
    observer_.settingsReplaced(SettingsGroup::Channels);
    DecodeComparators(image, config_);
    observer_.settingsReplaced(SettingsGroup::Analog);
    DecodeFeaturesAndTimers(image, config_);
    observer_.settingsReplaced(SettingsGroup::Timers);
    observer_.showStatus("STARTING COMMUNICATIONS..CONNECTED..25%COMPLETE...");

    // Each word lands in BooleanCode as it arrives; a failure leaves the words read so far.
    for (int address_l = 0; address_l <= LastCodeWord; ++address_l) {
        const std::optional<CodeWord> word = co_await link_.read_code_word(CodeAreaByte, address_l);
        if (!word)
            co_return false;
        config_.BooleanCode[static_cast<std::size_t>(2 * address_l)] = static_cast<std::int16_t>(word->even);
        config_.BooleanCode[static_cast<std::size_t>(2 * address_l + 1)] =
            static_cast<std::int16_t>(word->odd);
    }
    observer_.showStatus("STARTING COMMUNICATIONS..CONNECTED..100%COMPLETE...");

    config_.BooleanText = ListAllBooleans(config_.BooleanCode);
    config_.BooleanEditText = config_.BooleanText;
    observer_.settingsReplaced(SettingsGroup::Booleans);
    observer_.settingsReplaced(SettingsGroup::AdditionalFeatures);
    co_return true;
}

} // namespace muxcc::link
