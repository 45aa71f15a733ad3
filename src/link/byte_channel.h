#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace muxcc::link {

// The controller's serial line as the record operations see it: bytes out,
// bytes waiting, bytes in. Characters are bytes (code c travels as byte c).
class ByteChannel {
public:
    virtual ~ByteChannel() = default;

    // Opens with the controller's line settings (9600 baud, no parity, 8 data
    // bits, 1 stop bit). False when the device cannot be opened.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void write(std::string_view bytes) = 0;
    virtual std::size_t bytesWaiting() const = 0;
    // Takes everything received so far.
    virtual std::string readAll() = 0;
};

} // namespace muxcc::link
