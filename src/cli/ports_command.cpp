// muxcc-cli ports: the serial devices a technician can name with --port.

#include "cli/commands.h"
#include "link/port_diagnosis.h"

#include <iostream>

namespace muxcc::cli {

int portsCommand(const CommandArgs&)
{
    const std::vector<link::PresentPort> ports = link::PresentPorts();
    if (ports.empty())
        std::cerr << "muxcc-cli: no serial ports are present\n";
    for (const link::PresentPort& port : ports)
        std::cout << port.device.toStdString() << '\t' << port.description.toStdString() << '\n';
    return 0;
}

} // namespace muxcc::cli
