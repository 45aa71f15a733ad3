#pragma once

#include <QString>

namespace muxcc::link {

// The device behind serial port `number` (counted from 1): COM1 on Windows,
// /dev/ttyS0 elsewhere.
QString SerialPortDevice(int number);

} // namespace muxcc::link
