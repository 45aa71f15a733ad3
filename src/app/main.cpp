#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "link/port_name.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "model/configuration.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("muxcc"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial device of the controller (default: port 1, %1).")
                                      .arg(muxcc::link::SerialPortDevice(1)),
                                  QStringLiteral("DEVICE"), muxcc::link::SerialPortDevice(1));
    parser.addOption(port);
    parser.process(app);

    muxcc::Configuration config;
    muxcc::link::SerialPortChannel channel(parser.value(port));
    muxcc::link::SerialPortWaiter waiter(channel);
    muxcc::MessageBoxDialogs dialogs;
    muxcc::MainWindow window(config, dialogs, channel, waiter);
    dialogs.setParent(&window);
    window.show();

    return QApplication::exec();
}
