#include "link/controller_simulator.h"

#include "link/record_format.h"

#include <algorithm>
#include <utility>

namespace muxcc::link {

namespace {

int ByteAt(const std::string& record, std::size_t index)
{
    return static_cast<unsigned char>(record[index]);
}

} // namespace

ControllerSimulator::ControllerSimulator(SimulatorFaults faults) : faults_(std::move(faults)) {}

bool ControllerSimulator::vanished() const
{
    return vanished_;
}

std::vector<SimulatorReply> ControllerSimulator::receive(std::string_view bytes)
{
    std::vector<SimulatorReply> replies;
    if (vanished_)
        return replies;
    unframed_.append(bytes);
    while (auto request = takeRequest()) {
        requests.push_back(*request);
        const SimulatorFault* fault = faultAt(static_cast<int>(requests.size()));
        if (fault && fault->kind == SimulatorFault::Kind::Vanish) {
            vanished_ = true;
            unframed_.clear();
            break;
        }
        std::optional<std::string> reply = answer(*request);
        if (!reply)
            continue;
        SimulatorReply sent{std::move(*reply)};
        if (fault) {
            switch (fault->kind) {
            case SimulatorFault::Kind::Drop:
                continue;
            case SimulatorFault::Kind::Late:
                sent.delay = fault->delay;
                break;
            case SimulatorFault::Kind::Short:
                sent.bytes.pop_back();
                break;
            case SimulatorFault::Kind::Double:
                sent.bytes += sent.bytes;
                break;
            case SimulatorFault::Kind::Garble:
                sent.bytes[1] = sent.bytes[1] == '9' ? '0' : static_cast<char>(sent.bytes[1] + 1);
                break;
            case SimulatorFault::Kind::Corrupt:
                if (fault->at < sent.bytes.size())
                    sent.bytes[fault->at] = fault->byte;
                break;
            case SimulatorFault::Kind::Split:
                if (fault->at < sent.bytes.size()) {
                    replies.push_back({sent.bytes.substr(0, fault->at)});
                    sent = {sent.bytes.substr(fault->at), fault->delay};
                }
                break;
            case SimulatorFault::Kind::Vanish:
                break;
            }
        }
        replies.push_back(std::move(sent));
    }
    return replies;
}

// Frames the next request: "A" alone, or a six-byte record starting "S" or "V".
std::optional<std::string> ControllerSimulator::takeRequest()
{
    while (!unframed_.empty()) {
        const char first = unframed_.front();
        if (first == ContactRequest.front()) {
            unframed_.erase(0, 1);
            return std::string(ContactRequest);
        }
        if (first == 'S' || first == 'V') {
            if (unframed_.size() < RecordSize)
                return std::nullopt;
            std::string record = unframed_.substr(0, RecordSize);
            unframed_.erase(0, RecordSize);
            return record;
        }
        unframed_.erase(0, 1);
    }
    return std::nullopt;
}

std::optional<std::string> ControllerSimulator::answer(const std::string& request)
{
    if (faults_.silent)
        return std::nullopt;
    if (request == ContactRequest) {
        ++contactRequests_;
        if (contactRequests_ < faults_.answerContactFrom)
            return std::nullopt;
        return std::string(Acknowledgement);
    }
    if (request.front() == 'S')
        return answerStore(request);
    return answerQuery(request);
}

// "S", area, address, data_h, data_l, "D": a settings record keeps data_l only.
std::optional<std::string> ControllerSimulator::answerStore(const std::string& record)
{
    if (record.back() != 'D')
        return std::nullopt;
    const int address = ByteAt(record, 2);
    const auto data_h = static_cast<std::uint8_t>(ByteAt(record, 3));
    const auto data_l = static_cast<std::uint8_t>(ByteAt(record, 4));
    switch (ByteAt(record, 1)) {
    case SettingsAreaByte:
        settings[static_cast<std::size_t>(address)] = data_l;
        break;
    case CodeAreaByte:
        code[static_cast<std::size_t>(address)] = {data_h, data_l};
        break;
    default:
        return std::nullopt;
    }
    return std::string(Acknowledgement);
}

// "V", area, address, "0", "0", "V": one field for a setting, two for a code word.
std::optional<std::string> ControllerSimulator::answerQuery(const std::string& record) const
{
    if (record.substr(3) != "00V")
        return std::nullopt;
    const int address = ByteAt(record, 2);
    const auto index = static_cast<std::size_t>(address);
    switch (ByteAt(record, 1)) {
    case SettingsAreaByte: {
        const std::uint8_t stored = settings[index];
        return ReplyField(address == faults_.wrongReadBackRecord ? static_cast<std::uint8_t>(stored + 1)
                                                                 : stored);
    }
    case CodeAreaByte: {
        std::array<std::uint8_t, 2> word = code[index];
        for (std::size_t byte = 0; byte < word.size(); ++byte)
            word[byte] += static_cast<int>(2 * index + byte) == faults_.wrongReadBackCode;
        return ReplyField(word[0]) + ReplyField(word[1]);
    }
    default:
        return std::nullopt;
    }
}

const SimulatorFault* ControllerSimulator::faultAt(int request) const
{
    const auto found =
        std::find_if(faults_.faults.begin(), faults_.faults.end(),
                     [request](const SimulatorFault& fault) { return fault.request == request; });
    return found == faults_.faults.end() ? nullptr : &*found;
}

} // namespace muxcc::link
