#include "settings/additional_features_window.h"

#include "app/controller_session.h"
#include "app/dialogs.h"
#include "app/status_line.h"

namespace muxcc {

AdditionalFeaturesWindow::AdditionalFeaturesWindow(Configuration& config, Dialogs& dialogs,
                                                   StatusLine& status, ControllerSession& controller,
                                                   QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status),
      controller_(controller)
{
    setWindowTitle(QStringLiteral("Additional Features"));
}

void AdditionalFeaturesWindow::open()
{
    show();
}

} // namespace muxcc
