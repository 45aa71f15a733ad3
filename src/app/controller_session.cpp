#include "app/controller_session.h"

namespace muxcc {

ControllerSession::ControllerSession(link::ByteChannel& channel, link::Waiter& waiter, Configuration& config,
                                     link::TransferObserver& observer)
    : channel_(channel), waiter_(waiter), config_(config), observer_(observer)
{
}

ControllerSession::~ControllerSession()
{
    closePort();
}

void ControllerSession::write()
{
    start(&link::ControllerCommands::writeToController);
}

void ControllerSession::read()
{
    start(&link::ControllerCommands::readFromController);
}

void ControllerSession::displayCycleCount()
{
    start(&link::ControllerCommands::displayCycleCount);
}

void ControllerSession::resetCycleCounter()
{
    start(&link::ControllerCommands::resetCycleCounter);
}

void ControllerSession::start(Command command)
{
    const auto commands = running_.emplace(running_.end(), channel_, waiter_, config_, observer_);
    link::Task<link::CommandOutcome> task = ((*commands).*command)();
    link::startDetached<link::CommandOutcome>(
        std::move(task), [this, commands](link::CommandOutcome) { running_.erase(commands); });
}

void ControllerSession::closePort()
{
    channel_.close();
}

bool ControllerSession::commandRunning() const
{
    return !running_.empty();
}

} // namespace muxcc
