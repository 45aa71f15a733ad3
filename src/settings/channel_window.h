#pragma once

#include "model/configuration.h"

#include <QWidget>

class QRadioButton;

namespace muxcc {

class StatusLine;

// MULTIPLEXED CHANNEL IO CONFIGURATION: the direction of MUX1..MUX16.
class ChannelWindow : public QWidget {
    Q_OBJECT

public:
    ChannelWindow(Configuration& config, StatusLine& status, QWidget* parent = nullptr);

    // The menu command: shows the window, then loads it.
    void open();
    // Sets the options from the configuration without showing the window.
    void load();

signals:
    // A save has stored the directions and its status wait has ended.
    void directionsSaved();

private:
    // The two options of one MUXn frame; exactly one is always selected.
    struct Direction {
        QRadioButton* input = nullptr;
        QRadioButton* output = nullptr;
    };

    void save();

    Configuration& config_;
    StatusLine& status_;
    OneBased<Direction, ChannelCount> directions_;
};

} // namespace muxcc
