#include "boolean/boolean_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"

namespace muxcc {

BooleanWindow::BooleanWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(QStringLiteral("BOOLEAN DEFINITION"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void BooleanWindow::open()
{
    show();
}

void BooleanWindow::showConfigurationTexts() {}

void BooleanWindow::recolourInputChannels() {}

} // namespace muxcc
