#pragma once

#include "link/waiter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace muxcc::link {

// A fault the simulated controller commits at one request. Requests are
// counted from 1 over the whole session: every contact request "A" and every
// six-byte record counts as one.
struct SimulatorFault {
    enum class Kind {
        Drop,    // no reply at all (a store is still carried out)
        Late,    // the reply comes `delay` later
        Short,   // the reply loses its last character
        Double,  // the reply is sent twice, run together
        Garble,  // the second character of the reply changes (a read that differs from the one before)
        Vanish,  // the device disappears instead of replying
        Split,   // the first `at` characters come at once, the rest `delay` later
        Corrupt, // character `at` of the reply becomes `byte` (a sign, a letter, ...)
    };
    Kind kind = Kind::Drop;
    int request = 1;
    Milliseconds delay{0};
    std::size_t at = 0;
    char byte = '-';
};

struct SimulatorFaults {
    bool silent = false;          // answers nothing at all
    int answerContactFrom = 1;    // contact requests before this attempt go unanswered
    int wrongReadBackRecord = -1; // this settings record reads back one more than stored
    int wrongReadBackCode = -1;   // this code entry (2 * word + 0 or 1) reads back one more than stored
    std::vector<SimulatorFault> faults{};
};

// A reply on its way back to the tool.
struct SimulatorReply {
    std::string bytes;
    Milliseconds delay{0};
};

// The controller's side of the serial link: 256 settings records of one byte
// and 256 code words of two bytes, answering contact requests, store records
// and query records byte for byte. Records are framed as the bytes arrive, so
// a record may come split over several calls or several in one. Bytes that
// start no request are ignored.
class ControllerSimulator {
public:
    explicit ControllerSimulator(SimulatorFaults faults = {});

    // Takes bytes from the tool; returns the replies they complete.
    std::vector<SimulatorReply> receive(std::string_view bytes);
    // True once a Vanish fault has struck: the device is gone.
    bool vanished() const;

    std::array<std::uint8_t, 256> settings{};
    std::array<std::array<std::uint8_t, 2>, 256> code{};
    // Every complete request received, in order ("A" or the six record bytes).
    std::vector<std::string> requests;

private:
    std::optional<std::string> takeRequest();
    std::optional<std::string> answer(const std::string& request);
    std::optional<std::string> answerStore(const std::string& record);
    std::optional<std::string> answerQuery(const std::string& record) const;
    const SimulatorFault* faultAt(int request) const;

    SimulatorFaults faults_;
    std::string unframed_;
    int contactRequests_ = 0;
    bool vanished_ = false;
};

} // namespace muxcc::link
