#include "link/serial_port_channel.h"

#include "link/port_diagnosis.h"

#include <utility>

namespace muxcc::link {

SerialPortChannel::SerialPortChannel(QString device, QObject* parent)
    : QObject(parent), device_(std::move(device))
{
    port_.setPortName(device_);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    connect(&port_, &QSerialPort::readyRead, this, &SerialPortChannel::collect);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialPortChannel::handleError);
}

// A late reply to an earlier, failed command may still wait in the driver:
// every command starts from a clean line.
bool SerialPortChannel::open()
{
    received_.clear();
    if (!port_.open(QIODevice::ReadWrite)) {
        openProblem_ = PortOpenProblem(device_, port_.error());
        emit openFailed();
        return false;
    }
    openProblem_.clear();
    port_.clear(QSerialPort::Input);
    emit opened();
    return true;
}

void SerialPortChannel::setDevice(const QString& device)
{
    if (port_.isOpen())
        return;
    device_ = device;
    port_.setPortName(device_);
}

void SerialPortChannel::close()
{
    if (!port_.isOpen())
        return;
    port_.close();
    emit closed();
}

bool SerialPortChannel::isOpen() const
{
    return port_.isOpen();
}

void SerialPortChannel::write(std::string_view bytes)
{
    if (port_.isOpen())
        port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::size_t SerialPortChannel::bytesWaiting() const
{
    return static_cast<std::size_t>(received_.size());
}

std::string SerialPortChannel::readAll()
{
    std::string bytes(received_.constData(), static_cast<std::size_t>(received_.size()));
    received_.clear();
    return bytes;
}

void SerialPortChannel::collect()
{
    received_.append(port_.readAll());
    emit bytesArrived();
}

void SerialPortChannel::handleError(QSerialPort::SerialPortError error)
{
    // A vanished device keeps reporting ReadError until the port is closed;
    // closing at once ends the pending wait and the operation sees the line gone.
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError)
        close();
}

} // namespace muxcc::link
