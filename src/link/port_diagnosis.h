#pragma once

#include <QSerialPort>
#include <QString>

#include <vector>

namespace muxcc::link {

// A serial device the system offers, as a technician would pick it.
struct PresentPort {
    QString device;
    QString description;
};

std::vector<PresentPort> PresentPorts();

// What is known about a device that refused to open.
struct PortOpenFacts {
    QString device;
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    // The device file is there and this user may read and write it.
    bool exists = false;
    bool accessible = false;
    // The group whose members may read and write the device; empty when
    // there is none or it is unknown.
    QString group;
    std::vector<PresentPort> present;
};

// Why the device could not be opened, in words a technician can act on.
QString PortOpenProblem(const PortOpenFacts& facts);

// The same, with the facts gathered from the system.
QString PortOpenProblem(const QString& device, QSerialPort::SerialPortError error);

} // namespace muxcc::link
