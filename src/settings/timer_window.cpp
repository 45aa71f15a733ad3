#include "settings/timer_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"

namespace muxcc {

TimerWindow::TimerWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(QStringLiteral("TIMER CONFIGURATION"));
}

void TimerWindow::open()
{
    load();
    show();
}

void TimerWindow::load() {}

} // namespace muxcc
