#pragma once

#include "app/main_window.h"
#include "app/status_line.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "support/recording_dialogs.h"
#include "support/virtual_link.h"

#include <QAction>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

#include <chrono>

namespace muxcc::test {

// The whole program with its port drop-down listing `present`, answering its own dialogs; its print dialog
// answers "Print to file" `pdf`. Its serial port is a device that does not exist, unless the program runs on
// the virtual controller instead.
struct AppProgram : RecordingDialogs {
    explicit AppProgram(bool onVirtualController = false)
        : window(config, *this, onVirtualController ? static_cast<link::ByteChannel&>(bench) : port,
                 onVirtualController ? static_cast<link::Waiter&>(bench) : waiter)
    {
        window.attachSerialPort(port, [this] { return present; });
        window.statusLine().setStatusWait(std::chrono::milliseconds(20));
    }

    bool choosePrinter(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return printerAccepted;
    }
    // Chooses a menu item; returns the status texts it showed, in order.
    QStringList choose(const QString& item)
    {
        statuses.clear();
        window.findChild<QAction*>(item)->trigger();
        QStringList shown;
        for (const QList<QVariant>& change : statuses)
            shown << change.at(0).toString();
        return shown;
    }
    template <typename T>
    T& find(const QString& name) const
    {
        return *window.findChild<T*>(name);
    }

    Configuration config;
    QString pdf;
    std::vector<link::PresentPort> present{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", ""}};
    link::SerialPortChannel port{QStringLiteral("/nonexistent/ttyS0")};
    link::SerialPortWaiter waiter{port};
    LinkBench bench;
    MainWindow window;
    QSignalSpy statuses{&window.statusLine(), &QLineEdit::textChanged};
};

// Each notice as "(i) TITLE:TEXT" with an information icon, "(!) TITLE:TEXT" with an exclamation.
inline QStringList Notices(const RecordingDialogs& dialogs)
{
    QStringList notices;
    for (const Notice& notice : dialogs.notices)
        notices << QString::fromStdString((notice.icon == Notice::Icon::Information ? "(i) " : "(!) ") +
                                          notice.title + ':' + notice.text);
    return notices;
}

// Settings that every settings window and every kind of project field show.
inline void Configure(Configuration& config)
{
    config.ChannelDirection[7] = config.TimerMode[2] = config.TimerMode[4] = config.VoltageModel = 1;
    config.TimerOnTime[3] = 75;
    config.TimerOffTime[5] = 65500;
    config.VoltageSetting[2] = 13.5f;
    config.TemperatureSetting[4] = -12.25f;
    config.OptionFlags = config.TemperatureTime[4] = 7;
    config.SlpOnTime = 12;
    config.BooleanText[1] = "MUX3 ";
    config.BooleanText[42] = "TMR1 OR (MUX2, AND T3)";
}

} // namespace muxcc::test
