#pragma once

#include "model/configuration.h"

#include <QWidget>

#include <cstdint>

class QLineEdit;
class QRadioButton;

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
    // The controls of one TIMER #n frame.
    struct TimerRow {
        QRadioButton* duty = nullptr;
        QRadioButton* oneShot = nullptr;
        QLineEdit* off = nullptr;
        QLineEdit* on = nullptr;
    };

    void addTimer(QLayout& layout, int timer);
    void save();
    // Stores one box's time, or reports it and stores 0.
    void storeTime(int timer, bool onTime, QLineEdit& box, std::int32_t& count);

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
    OneBased<TimerRow, TimerCount> timers_;
};

} // namespace muxcc
