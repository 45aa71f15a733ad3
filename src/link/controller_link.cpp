#include "link/controller_link.h"

#include "link/record_format.h"
#include "link/reply_text.h"
#include "model/rounding.h"

#include <chrono>

namespace muxcc::link {

using namespace std::chrono_literals;

namespace {

constexpr Milliseconds ContactLimit = 100ms;
constexpr int ContactAttempts = 6;
constexpr Milliseconds ReplyLimit = 50ms;
constexpr Milliseconds PacingDelay = 100ms;
constexpr std::size_t SettingReplySize = FieldSize;
constexpr std::size_t CodeWordReplySize = 2 * FieldSize;

// The byte carried by a reply field: its three characters from `first`, as a
// whole number; nothing when they spell more than a byte ("09990").
std::optional<int> FieldByte(std::string_view reply, std::size_t first)
{
    const auto byte = static_cast<int>(RoundHalfEven(NumericValue(Characters(reply, first, first + 2))));
    return byte <= 255 ? std::optional(byte) : std::nullopt;
}

// The reply fields from character `first` to `last` carry digits only, as far as
// the reply reaches: a sign, a point, a space or a letter there is a wrong reply,
// never a number. Characters after the fields are left to the length and value checks.
bool DigitsOnly(std::string_view reply, std::size_t first, std::size_t last)
{
    return AllDigits(Characters(reply, first, last));
}

} // namespace

ControllerLink::ControllerLink(ByteChannel& channel, Waiter& waiter) : channel_(channel), waiter_(waiter) {}

bool ControllerLink::inUse() const
{
    return channel_.isOpen();
}

void ControllerLink::close()
{
    channel_.close();
}

Task<std::optional<std::string>> ControllerLink::reply(std::size_t size)
{
    co_await bytesWaitingOrTimeout(waiter_, size, ReplyLimit);
    if (!channel_.isOpen())
        co_return std::nullopt;
    co_return channel_.readAll();
}

Task<bool> ControllerLink::openAndMakeContact()
{
    if (!channel_.open())
        co_return false;
    // A reply to an earlier request may complete the five bytes of a later
    // one; only the text finally waiting decides.
    for (int attempt = 1; attempt <= ContactAttempts; ++attempt) {
        channel_.write(ContactRequest);
        co_await bytesWaitingOrTimeout(waiter_, Acknowledgement.size(), ContactLimit);
        if (!channel_.isOpen())
            co_return false;
        if (channel_.bytesWaiting() >= Acknowledgement.size())
            break;
    }
    co_return channel_.readAll() == Acknowledgement;
}

Task<bool> ControllerLink::write_setting(int address_h, int address_l, int data_h, int data_l)
{
    const std::optional<std::string> store = StoreRecord(address_h, address_l, data_h, data_l);
    const std::optional<std::string> query = QueryRecord(address_h, address_l);
    if (!store || !query)
        co_return false;
    channel_.write(*store);
    const std::optional<std::string> acknowledgement = co_await reply(Acknowledgement.size());
    if (acknowledgement != Acknowledgement)
        co_return false;
    channel_.write(*query);
    const std::optional<std::string> readBack = co_await reply(SettingReplySize);
    // Four characters are enough here: "0037" reads as 3.7, which rounds to 4.
    if (!readBack || readBack->size() < 4 || !DigitsOnly(*readBack, 1, FieldSize))
        co_return false;
    co_return RoundHalfEven(NumericValue(*readBack) / 10) == data_l;
}

Task<bool> ControllerLink::write_code_word(int address_h, int address_l, int data_h, int data_l)
{
    const std::optional<std::string> store = StoreRecord(address_h, address_l, data_h, data_l);
    if (!store)
        co_return false;
    channel_.write(*store);
    const std::optional<std::string> acknowledgement = co_await reply(Acknowledgement.size());
    if (acknowledgement != Acknowledgement)
        co_return false;
    const bool stillOpen = co_await delay_100ms();
    co_return stillOpen;
}

Task<bool> ControllerLink::verify_code_batch(CodeArea code, int code_index)
{
    const int lastWord = code_index / 2 - 1;
    for (int j = 0; j < 4; ++j) {
        const int data_h = code[static_cast<std::size_t>(code_index - 2 - 2 * j)];
        const int data_l = code[static_cast<std::size_t>(code_index - 1 - 2 * j)];
        const std::optional<std::string> query = QueryRecord(CodeAreaByte, lastWord - j);
        if (!query)
            co_return false;
        channel_.write(*query);
        const std::optional<std::string> readBack = co_await reply(CodeWordReplySize);
        if (!readBack || readBack->size() < CodeWordReplySize || !DigitsOnly(*readBack, 1, CodeWordReplySize))
            co_return false;
        if (NumericValue(Characters(*readBack, 1, 5)) / 10 != data_h ||
            NumericValue(Characters(*readBack, 6, 10)) / 10 != data_l)
            co_return false;
    }
    co_return true;
}

Task<std::optional<int>> ControllerLink::read_setting(int address_h, int address_l)
{
    const std::optional<std::string> query = QueryRecord(address_h, address_l);
    if (!query)
        co_return std::nullopt;
    channel_.write(*query);
    const std::optional<std::string> first = co_await reply(SettingReplySize);
    if (!first || first->size() <= 4 || !DigitsOnly(*first, 1, FieldSize))
        co_return std::nullopt;
    channel_.write(*query);
    const double kept = RoundHalfEven(NumericValue(*first));
    const std::optional<std::string> second = co_await reply(SettingReplySize);
    // The replies are compared by value: "00370" and "00370 " agree. The second must be a whole
    // field too: a short one taken as it stands leaves its late last byte in front of every
    // reply after it, and each double read after it agrees with itself one character out of step.
    if (!second || second->size() < FieldSize || !DigitsOnly(*second, 1, FieldSize) ||
        NumericValue(*second) != kept)
        co_return std::nullopt;
    co_return FieldByte(*second, 2);
}

Task<std::optional<CodeWord>> ControllerLink::read_code_word(int address_h, int address_l)
{
    const std::optional<std::string> query = QueryRecord(address_h, address_l);
    if (!query)
        co_return std::nullopt;
    channel_.write(*query);
    const std::optional<std::string> first = co_await reply(CodeWordReplySize);
    if (!first || first->size() <= 9 || !DigitsOnly(*first, 1, CodeWordReplySize))
        co_return std::nullopt;
    channel_.write(*query);
    const std::optional<std::string> second = co_await reply(CodeWordReplySize);
    // The replies are compared as text: "00370..." and "00370... " differ.
    if (second != first)
        co_return std::nullopt;
    const std::optional<int> even = FieldByte(*second, 2);
    const std::optional<int> odd = FieldByte(*second, 7);
    if (!even || !odd)
        co_return std::nullopt;
    co_return CodeWord{*even, *odd};
}

Task<bool> ControllerLink::delay_100ms()
{
    co_await pause(waiter_, PacingDelay);
    co_return channel_.isOpen();
}

} // namespace muxcc::link
