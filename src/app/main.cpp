#include "app/controller_session.h"
#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "link/port_name.h"
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
    muxcc::ControllerSession controller(parser.value(port), config);
    muxcc::MessageBoxDialogs dialogs;
    muxcc::MainWindow window(dialogs, controller);
    dialogs.setParent(&window);
    window.show();

    return QApplication::exec();
}
