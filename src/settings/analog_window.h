#pragma once

#include "model/configuration.h"

#include <QWidget>

namespace muxcc {

class Dialogs;
class StatusLine;

// ANALOG CONFIGURATION: the voltage model and the comparators V1..V6, T1..T4.
class AnalogWindow : public QWidget {
    Q_OBJECT

public:
    AnalogWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent = nullptr);

    // The menu command: shows the window, then loads it.
    void open();
    // Sets the controls from the configuration without showing the window.
    void load();

private:
    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
};

} // namespace muxcc
