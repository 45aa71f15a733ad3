#include "link/controller_commands.h"
#include "link/memory_image.h"
#include "link/record_format.h"
#include "link/unsendable_value.h"
#include "model/rounding.h"

#include <optional>
#include <string>
#include <string_view>

namespace muxcc::link {

namespace {

constexpr std::string_view FailureText = "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
constexpr int WordsPerBatch = 4;

// The status shown after the delay that follows a settings record, if any.
std::optional<std::string_view> ProgressAfterRecord(int record)
{
    switch (record) {
    case 14:
        return "Starting Communications...Connected..5%DONE..";
    case 27:
        return "Starting Communications...Connected..10%DONE..";
    case 39:
        return "Starting Communications...Connected..15%DONE..";
    case 63:
        return "Starting Communications...Connected..20%DONE..";
    case 83:
        return "Starting Communications...Connected..25%DONE..";
    default:
        return std::nullopt;
    }
}

// The code area is the last 75% of the write: 26 after the first batch, 100 after the last.
std::string ProgressAfterBatch(int code_index)
{
    const auto pct = static_cast<int>(RoundHalfEven(code_index / 512.0 * 75)) + 25;
    return "Starting Communications...Connected.. " + std::to_string(pct) + "%DONE..";
}

} // namespace

Task<CommandOutcome> ControllerCommands::writeToController()
{
    if (refusedAsBusy())
        co_return CommandOutcome::Busy;
    if (const std::optional<std::string> unsendable = UnsendableValueMessage(config_)) {
        observer_.showNotice({Notice::Icon::Exclamation, "WRITE TO CONTROLLER", " " + *unsendable});
        co_return CommandOutcome::Refused;
    }
    observer_.showStatus("Starting Communications");
    const bool programmed = co_await programController();
    observer_.showStatus(programmed ? "Unit has been programmed" : FailureText);
    link_.close();
    co_return programmed ? CommandOutcome::Succeeded : CommandOutcome::Failed;
}

Task<bool> ControllerCommands::programController()
{
    const bool contact = co_await link_.openAndMakeContact();
    if (!contact)
        co_return false;
    observer_.showStatus("Starting Communications...CONNECTED..");
    const bool settled = co_await link_.delay_100ms();
    if (!settled)
        co_return false;

    // Settings records, each encoded from the configuration as it stands when
    // it is sent: a settings window saved meanwhile changes the records to come.
    for (const int record : SettingsRecordOrder) {
        const RecordByte encoded = EncodeSettingsRecord(config_, record);
        if (!encoded.byte)
            co_return false;
        const bool stored = co_await link_.write_setting(SettingsAreaByte, record, 0, *encoded.byte);
        if (!stored)
            co_return false;
        const bool paced = co_await link_.delay_100ms();
        if (!paced)
            co_return false;
        if (const std::optional<std::string_view> progress = ProgressAfterRecord(record))
            observer_.showStatus(*progress);
    }

    // Code area: words 0..255 in batches of four, each batch read back last word first.
    int address_l = 0;
    int code_index = 0;
    while (code_index < CodeAreaSentSize) {
        for (int batch_count = 0; batch_count < WordsPerBatch; ++batch_count) {
            const int data_h = config_.BooleanCode[static_cast<std::size_t>(code_index)];
            const int data_l = config_.BooleanCode[static_cast<std::size_t>(code_index + 1)];
            code_index += 2;
            const bool stored = co_await link_.write_code_word(CodeAreaByte, address_l, data_h, data_l);
            if (!stored)
                co_return false;
            const bool paced = co_await link_.delay_100ms();
            if (!paced)
                co_return false;
            ++address_l;
        }
        const bool verified = co_await link_.verify_code_batch(config_.BooleanCode, code_index);
        if (!verified)
            co_return false;
        observer_.showStatus(ProgressAfterBatch(code_index));
    }
    co_return true;
}

} // namespace muxcc::link
