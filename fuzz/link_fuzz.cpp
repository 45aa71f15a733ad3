// The four controller commands against a controller whose every byte comes from the input, in
// virtual time. Input: one byte choosing the command (bits 0-1) and how many bytes wait in the
// driver when the port opens (bits 2-4), those bytes, then for each request in turn one header
// byte and the reply it announces: bits 0-3 its length, bits 4-7 how it arrives (below). When the
// input runs out the controller falls silent.

#include "link/memory_image.h"
#include "link/record_format.h"
#include "support/virtual_link.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;

namespace {

constexpr int Write = 0, Read = 1, Count = 2, Reset = 3;
// Records each whole command sends besides its contact requests.
constexpr std::size_t WriteRecords = 2 * SettingsRecordOrder.size() + 256 + 256;
constexpr std::size_t ReadRecords = 2 * 129 + 2 * 256;
constexpr std::size_t ResetRecords = 2 * 5;
constexpr std::size_t MostContactRequests = 6;

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

// Hands out the input's replies, one request at a time.
class ReplyStream {
public:
    ReplyStream(std::string_view input, test::LinkBench& bench) : input_(input), bench_(bench) {}

    std::string take(std::size_t size)
    {
        const std::string_view taken = input_.substr(0, std::min(size, input_.size()));
        input_.remove_prefix(taken.size());
        return std::string(taken);
    }

    std::vector<SimulatorReply> next()
    {
        if (input_.empty())
            return {};
        const auto header = static_cast<std::uint8_t>(input_.front());
        input_.remove_prefix(1);
        const std::string reply = take(header & 0x0F);
        const int arrival = header >> 4;
        switch (arrival) {
        case 12: // halves, the second after the reply limit has passed
            return {{reply.substr(0, reply.size() / 2)}, {reply.substr(reply.size() / 2), 60ms}};
        case 13: // the first byte alone, the rest just within the limit
            return {{reply.substr(0, 1)}, {reply.substr(std::min<std::size_t>(1, reply.size())), 40ms}};
        case 14: // the device vanishes instead of replying
            bench_.schedule(bench_.now, [this] { bench_.close(); });
            return {};
        case 15: // doubled, run together
            return {{reply + reply}};
        default: // whole, after 0 to 110 ms
            return {{reply, Milliseconds(10 * arrival)}};
        }
    }

private:
    std::string_view input_;
    test::LinkBench& bench_;
};

// "A", or a six-byte store or query record with an area and address the memory has.
bool IsRequest(const std::string& bytes)
{
    if (bytes == ContactRequest)
        return true;
    if (bytes.size() != RecordSize)
        return false;
    const int area = static_cast<unsigned char>(bytes[1]);
    const int address = static_cast<unsigned char>(bytes[2]);
    if (area != SettingsAreaByte && area != CodeAreaByte)
        return false;
    if (area == SettingsAreaByte && address > 128)
        return false;
    if (bytes[0] == 'S')
        return bytes[5] == 'D' && (area == CodeAreaByte || bytes[3] == 0);
    return bytes[0] == 'V' && bytes.substr(3) == "00V";
}

// The text a command ends with, after success or failure.
std::string_view FinalText(int command, bool succeeded)
{
    switch (command) {
    case Write:
        return succeeded ? "Unit has been programmed"
                         : "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
    case Reset:
        return succeeded ? "Cycle count has been Reset to 00000"
                         : "An Error occurred, Check Communication connections and Try again.";
    default:
        return succeeded ? "READ COMPLETED" : "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
    }
}

Task<CommandOutcome> Start(test::LinkBench& bench, int command)
{
    switch (command) {
    case Write:
        return bench.commands.writeToController();
    case Read:
        return bench.commands.readFromController();
    case Count:
        return bench.commands.displayCycleCount();
    default:
        return bench.commands.resetCycleCounter();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int command = data[0] & 3;
    test::LinkBench bench;
    ReplyStream replies({reinterpret_cast<const char*>(data + 1), size - 1}, bench);
    bench.heldByDriver = replies.take((data[0] >> 2) & 7);
    const std::size_t stale = bench.heldByDriver.size();
    bench.answer = [&replies](std::size_t) { return replies.next(); };
    for (std::size_t entry = 0; entry < CodeAreaSentSize; ++entry)
        bench.config.BooleanCode[entry] = static_cast<std::int16_t>(entry * 37 % 256);
    for (int digit = 1; digit <= CycleCountDigitCount; ++digit)
        bench.config.CycleCountDigit[digit] = static_cast<std::int16_t>(digit);
    const Configuration before = bench.config;

    const std::optional<CommandOutcome> outcome = bench.run(Start(bench, command));

    // Ended, with the port closed, nothing pending, the stale bytes never read.
    Require(outcome == CommandOutcome::Succeeded || outcome == CommandOutcome::Failed);
    Require(!bench.isOpen() && bench.pendingWaits() == 0 && bench.discardedAtOpen == stale);
    const bool succeeded = outcome == CommandOutcome::Succeeded;

    // Only whole requests went out: the contact requests first, then records.
    Require(std::ranges::all_of(bench.written, IsRequest));
    const auto records = std::ranges::find_if(bench.written, [](const std::string& w) { return w != "A"; });
    const auto contacts = static_cast<std::size_t>(records - bench.written.begin());
    Require(contacts >= 1 && contacts <= MostContactRequests);
    Require(std::find(records, bench.written.end(), "A") == bench.written.end());
    const auto sent = static_cast<std::size_t>(bench.written.end() - records);
    const std::size_t whole = command == Write ? WriteRecords : command == Reset ? ResetRecords : ReadRecords;
    Require(succeeded ? sent == whole : sent <= whole);

    // Its own final text, the count after a read.
    const std::vector<std::string>& statuses = bench.observer.statuses;
    Require(statuses.size() >= 2 && bench.observer.notices.empty());
    if (command == Count) {
        const auto& c = bench.config.CycleCountDigit;
        Require(statuses.back() ==
                "Cycle Count = " + std::to_string(c[4] * 1000LL + c[3] * 100LL + c[2] * 10LL + c[1]));
    }
    Require(statuses[statuses.size() - (command == Count ? 2 : 1)] == FinalText(command, succeeded));

    // A write or a reset leaves the configuration alone; a read takes bytes only.
    if (command == Write || command == Reset)
        Require(bench.config == before);
    const auto isByte = [](int value) { return value >= 0 && value <= 255; };
    Require(std::ranges::all_of(bench.config.BooleanCode, isByte));
    Require(std::ranges::all_of(bench.config.CycleCountDigit, isByte));
    return 0;
}
