#include "link/controller_commands.h"

namespace muxcc::link {

ControllerCommands::ControllerCommands(ByteChannel& channel, Waiter& waiter, Configuration& config,
                                       TransferObserver& observer)
    : link_(channel, waiter), config_(config), observer_(observer)
{
}

bool ControllerCommands::refusedAsBusy()
{
    if (!link_.inUse())
        return false;
    observer_.showNotice(
        {Notice::Icon::Information, "Communication Port in use",
         " Communication Port Already In Use, Please wait until Communication Port is Free "});
    return true;
}

} // namespace muxcc::link
