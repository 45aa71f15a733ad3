#pragma once

#include "model/configuration.h"

#include <QWidget>

namespace muxcc {

class ControllerSession;
class Dialogs;
class StatusLine;

// Additional Features: option flags, the security mode, the cycle counter and
// its two controller commands.
class AdditionalFeaturesWindow : public QWidget {
    Q_OBJECT

public:
    AdditionalFeaturesWindow(Configuration& config, Dialogs& dialogs, StatusLine& status,
                             ControllerSession& controller, QWidget* parent = nullptr);

    // The menu command: shows the window, then loads it.
    void open();

private:
    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
    ControllerSession& controller_;
};

} // namespace muxcc
