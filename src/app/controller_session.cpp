#include "app/controller_session.h"

namespace muxcc {

ControllerSession::ControllerSession(const QString& device, Configuration& config)
    : channel_(device), waiter_(channel_), config_(config)
{
}

void ControllerSession::start(Command command, link::TransferObserver& observer)
{
    const auto commands = running_.emplace(running_.end(), channel_, waiter_, config_, observer);
    link::Task<link::CommandOutcome> task = ((*commands).*command)();
    link::startDetached<link::CommandOutcome>(
        std::move(task), [this, commands](link::CommandOutcome) { running_.erase(commands); });
}

void ControllerSession::closePort()
{
    channel_.close();
}

} // namespace muxcc
