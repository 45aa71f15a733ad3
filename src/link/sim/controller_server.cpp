#include "link/sim/controller_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <map>
#include <poll.h>
#include <unistd.h>

namespace muxcc::link::sim {

namespace {

using Clock = std::chrono::steady_clock;

timespec ToTimespec(Clock::duration wait)
{
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return timespec{static_cast<time_t>(nanoseconds / 1'000'000'000),
                    static_cast<long>(nanoseconds % 1'000'000'000)};
}

} // namespace

std::string DescribeRequest(std::string_view request)
{
    if (request.size() != 6)
        return std::string(request);
    std::string line(1, request.front());
    for (const char byte : request.substr(1, 4))
        line += ' ' + std::to_string(static_cast<unsigned char>(byte));
    line += ' ';
    line += request.back();
    return line;
}

void ServeController(PseudoTerminal& terminal, ControllerSimulator& controller, int stopFd, std::ostream* log)
{
    std::multimap<Clock::time_point, std::string> due; // equal times keep their order
    std::size_t logged = controller.requests.size();

    for (;;) {
        timespec timeout{};
        if (!due.empty())
            timeout = ToTimespec(std::max(Clock::duration::zero(), due.begin()->first - Clock::now()));
        pollfd watched[2] = {{terminal.fd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int ready = ppoll(watched, 2, due.empty() ? nullptr : &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            return;
        if (watched[1].revents != 0 || (watched[0].revents & (POLLERR | POLLNVAL)) != 0)
            return;

        if ((watched[0].revents & POLLIN) != 0) {
            char buffer[512];
            const ssize_t got = ::read(terminal.fd(), buffer, sizeof buffer);
            if (got > 0) {
                const Clock::time_point received = Clock::now();
                for (SimulatorReply& reply : controller.receive({buffer, static_cast<std::size_t>(got)}))
                    due.emplace(received + reply.delay, std::move(reply.bytes));
                for (; log && logged < controller.requests.size(); ++logged)
                    *log << DescribeRequest(controller.requests[logged]) << std::endl;
                if (controller.vanished()) {
                    terminal.close();
                    return;
                }
            }
        }

        while (!due.empty() && due.begin()->first <= Clock::now()) {
            if (!terminal.write(due.begin()->second))
                return;
            due.erase(due.begin());
        }
    }
}

} // namespace muxcc::link::sim
