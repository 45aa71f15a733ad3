#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "model/configuration.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    muxcc::Configuration config;
    muxcc::MessageBoxDialogs dialogs;
    muxcc::MainWindow window(config, dialogs);
    dialogs.setParent(&window);
    window.show();

    return QApplication::exec();
}
