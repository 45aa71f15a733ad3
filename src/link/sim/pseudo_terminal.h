#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace muxcc::link::sim {

// A new pseudo-terminal whose far end (the device path) a serial client opens.
// It holds a far-end descriptor of its own, set raw, so the near end never
// hangs up while no client has the device open and nothing is echoed back.
class PseudoTerminal {
public:
    // The terminal, or why it could not be made.
    static std::variant<PseudoTerminal, std::string> open();

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&&) = delete;
    ~PseudoTerminal();

    const std::string& devicePath() const { return devicePath_; }
    // The near end: bytes the client writes are read here and replies written here.
    int fd() const { return master_; }
    bool isOpen() const { return master_ >= 0; }
    // Writes all of `bytes`; false if the terminal is gone.
    bool write(std::string_view bytes) const;
    // The device disappears: the client's reads fail from now on.
    void close();

private:
    PseudoTerminal(int master, int slave, std::string devicePath);

    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
};

} // namespace muxcc::link::sim
