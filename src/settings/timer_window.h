#pragma once

#include "model/configuration.h"

#include <QWidget>

namespace muxcc {

class Dialogs;
class StatusLine;

// TIMER CONFIGURATION: mode, OFF and ON time of TIMER #1..#5.
class TimerWindow : public QWidget {
    Q_OBJECT

public:
    TimerWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent = nullptr);

    // The menu command: loads the window, then shows it.
    void open();
    // Sets the controls from the configuration; a one-shot option it selects
    // shows its trigger notice only if the window is visible.
    void load();

private:
    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
};

} // namespace muxcc
