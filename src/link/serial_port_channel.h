#pragma once

#include "link/byte_channel.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace muxcc::link {

// The controller's line on a real serial device (or a pseudo-terminal).
// Replies arrive in kernel-sized pieces, so everything received is collected
// here and bytesWaiting() counts the collection, not the driver's buffer.
class SerialPortChannel final : public QObject, public ByteChannel {
    Q_OBJECT

public:
    explicit SerialPortChannel(QString device, QObject* parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override;
    void write(std::string_view bytes) override;
    std::size_t bytesWaiting() const override;
    std::string readAll() override;

    // Takes effect at the next open(); ignored while the line is open.
    void setDevice(const QString& device);
    QString device() const { return device_; }
    // Why the last open() failed; empty after one that succeeded.
    QString openProblem() const { return openProblem_; }

signals:
    void opened();
    // open() failed; openProblem() says why.
    void openFailed();
    // New bytes have been added to what is waiting.
    void bytesArrived();
    // The line is closed: by close(), or because the device went away.
    void closed();

private:
    void collect();
    void handleError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString device_;
    QString openProblem_;
    QByteArray received_;
};

} // namespace muxcc::link
