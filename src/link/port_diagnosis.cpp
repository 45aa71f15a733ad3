#include "link/port_diagnosis.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace muxcc::link {

namespace {

QString PresentPortList(const std::vector<PresentPort>& present)
{
    if (present.empty())
        return QStringLiteral("No serial ports are present; check that the adapter is plugged in.");
    QStringList names;
    for (const PresentPort& port : present)
        names << (port.description.isEmpty() ? port.device
                                             : QStringLiteral("%1 (%2)").arg(port.device, port.description));
    return QStringLiteral("Ports present: %1.").arg(names.join(QStringLiteral(", ")));
}

QString InUse(const QString& device)
{
    return QStringLiteral("%1 is in use by another program. Close that program (a terminal or another "
                          "copy of this one) and try again.")
        .arg(device);
}

QString PermissionDenied(const PortOpenFacts& facts)
{
#ifdef Q_OS_LINUX
    if (facts.group.isEmpty())
        return QStringLiteral(
                   "Permission to use %1 was denied, and no group of users may use it. Ask the "
                   "administrator for access (a udev rule giving it to the group dialout), then log "
                   "out and log in again.")
            .arg(facts.device);
    return QStringLiteral("Permission to use %1 was denied. Add your user to the group %2 "
                          "(sudo usermod -aG %2 $USER), then log out and log in again.")
        .arg(facts.device, facts.group);
#else
    return QStringLiteral("Permission to use %1 was denied. Ask the administrator for access to the port.")
        .arg(facts.device);
#endif
}

} // namespace

std::vector<PresentPort> PresentPorts()
{
    std::vector<PresentPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.systemLocation(), info.description()});
    return ports;
}

QString PortOpenProblem(const PortOpenFacts& facts)
{
    switch (facts.error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1 does not exist. %2").arg(facts.device, PresentPortList(facts.present));
    case QSerialPort::PermissionError:
        // The system reports a device held by another program as a refusal
        // too; only a device this user may open was refused for being busy.
        return facts.accessible ? InUse(facts.device) : PermissionDenied(facts);
    case QSerialPort::OpenError:
        return InUse(facts.device);
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("%1 does not accept the line settings 9600,N,8,1; it may not be a serial port.")
            .arg(facts.device);
    default:
        if (!facts.exists)
            return QStringLiteral("%1 does not exist. %2").arg(facts.device, PresentPortList(facts.present));
        return QStringLiteral("%1 could not be opened; the device did not respond. Check the adapter and "
                              "its cable.")
            .arg(facts.device);
    }
}

QString PortOpenProblem(const QString& device, QSerialPort::SerialPortError error)
{
    const QFileInfo file(device);
    PortOpenFacts facts;
    facts.device = device;
    facts.error = error;
    facts.exists = file.exists();
    facts.accessible = facts.exists && file.isReadable() && file.isWritable();
    const auto groupUse = QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    if (facts.exists && file.permission(groupUse))
        facts.group = file.group();
    facts.present = PresentPorts();
    return PortOpenProblem(facts);
}

} // namespace muxcc::link
