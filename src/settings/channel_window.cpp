#include "settings/channel_window.h"

#include "app/status_line.h"

namespace muxcc {

ChannelWindow::ChannelWindow(Configuration& config, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), status_(status)
{
    setWindowTitle(QStringLiteral("MULTIPLEXED CHANNEL IO CONFIGURATION"));
}

void ChannelWindow::open()
{
    show();
    load();
}

void ChannelWindow::load() {}

} // namespace muxcc
