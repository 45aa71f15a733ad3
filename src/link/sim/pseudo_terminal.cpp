#include "link/sim/pseudo_terminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace muxcc::link::sim {

namespace {

std::string SystemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::variant<PseudoTerminal, std::string> PseudoTerminal::open()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0)
        return SystemError("posix_openpt");
    const char* name = nullptr;
    if (grantpt(master) != 0 || unlockpt(master) != 0 || (name = ptsname(master)) == nullptr) {
        std::string error = SystemError("grantpt/unlockpt/ptsname");
        ::close(master);
        return error;
    }
    std::string path = name;
    const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios settings{};
    if (slave < 0 || tcgetattr(slave, &settings) != 0) {
        std::string error = SystemError(path.c_str());
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return error;
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    tcsetattr(slave, TCSANOW, &settings);
    return PseudoTerminal(master, slave, std::move(path));
}

PseudoTerminal::PseudoTerminal(int master, int slave, std::string devicePath)
    : master_(master), slave_(slave), devicePath_(std::move(devicePath))
{
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)), slave_(std::exchange(other.slave_, -1)),
      devicePath_(std::move(other.devicePath_))
{
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::write(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (written < 0 && errno == EAGAIN) {
            pollfd writable{master_, POLLOUT, 0};
            ::poll(&writable, 1, -1);
        } else if (written < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

void PseudoTerminal::close()
{
    if (slave_ >= 0)
        ::close(std::exchange(slave_, -1));
    if (master_ >= 0)
        ::close(std::exchange(master_, -1));
}

} // namespace muxcc::link::sim
