#pragma once

#include "link/byte_channel.h"
#include "link/task.h"
#include "link/waiter.h"
#include "model/configuration.h"

#include <optional>
#include <string>

namespace muxcc::link {

// One code word as read from the code area: the even byte, then the odd byte.
struct CodeWord {
    int even = 0;
    int odd = 0;

    bool operator==(const CodeWord&) const = default;
};

// The record operations of the serial link. Each takes its addresses and data
// as arguments and returns its result; false or nothing means the operation
// failed (wrong, short or missing reply, or the device went away). Bytes are
// read from the channel only here, each reply once its wait has ended.
class ControllerLink {
public:
    ControllerLink(ByteChannel& channel, Waiter& waiter);

    // The busy check: another command holds the port.
    bool inUse() const;
    // Opens the port and makes contact: up to six "A" requests, then exactly
    // "D000D" must be waiting.
    Task<bool> openAndMakeContact();
    void close();

    // Stores a settings byte and checks it by reading it back.
    Task<bool> write_setting(int address_h, int address_l, int data_h, int data_l);
    // Stores a code word; only its acknowledgement is checked, then 100 ms pass.
    Task<bool> write_code_word(int address_h, int address_l, int data_h, int data_l);
    // Checks the four code words that end just before entry `code_index` of
    // `code`, the last word first.
    Task<bool> verify_code_batch(CodeArea code, int code_index);
    // Reads a settings byte twice; the two replies must have the same value.
    Task<std::optional<int>> read_setting(int address_h, int address_l);
    // Reads a code word twice; the two replies must be the same text.
    Task<std::optional<CodeWord>> read_code_word(int address_h, int address_l);
    // Paces the records; false when the device went away meanwhile.
    Task<bool> delay_100ms();

private:
    // Waits for `size` bytes or the reply limit and takes what has arrived;
    // nothing when the device went away.
    Task<std::optional<std::string>> reply(std::size_t size);

    ByteChannel& channel_;
    Waiter& waiter_;
};

} // namespace muxcc::link
