#include "settings/analog_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"

namespace muxcc {

AnalogWindow::AnalogWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(QStringLiteral("ANALOG CONFIGURATION"));
}

void AnalogWindow::open()
{
    show();
    load();
}

void AnalogWindow::load() {}

} // namespace muxcc
