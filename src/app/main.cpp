#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "app/window_accessibility.h"
#include "link/port_name.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "model/configuration.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Help and version need no window system, and must work without a display.
bool AsksForHelpOrVersion(int argc, char* argv[])
{
    constexpr std::array<std::string_view, 6> options{"-h", "--help", "-?", "--help-all", "-v", "--version"};
    return std::any_of(argv + 1, argv + argc, [&](const char* argument) {
        return std::find(options.begin(), options.end(), argument) != options.end();
    });
}

// The device given with --port, or port 1. Ends the program after help, the
// version or a wrong argument.
QString PortDevice(const QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("muxcc"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Configures a programmable multiplex controller."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial device of the controller (default: port 1, %1).")
                                      .arg(muxcc::link::SerialPortDevice(1)),
                                  QStringLiteral("DEVICE"), muxcc::link::SerialPortDevice(1));
    parser.addOption(port);
    parser.process(app);
    return parser.value(port);
}

} // namespace

int main(int argc, char* argv[])
{
    if (AsksForHelpOrVersion(argc, argv)) {
        const QCoreApplication app(argc, argv);
        PortDevice(app);
    }
    QApplication app(argc, argv);
    const QString device = PortDevice(app);
    muxcc::AnnounceSettingsWindowsAsWindows();

    muxcc::Configuration config;
    muxcc::link::SerialPortChannel channel(device);
    muxcc::link::SerialPortWaiter waiter(channel);
    muxcc::MessageBoxDialogs dialogs;
    muxcc::MainWindow window(config, dialogs, channel, waiter);
    window.attachSerialPort(channel);
    dialogs.setParent(&window);
    window.show();

    return QApplication::exec();
}
