#pragma once

#include "model/configuration.h"

#include <QWidget>

namespace muxcc {

class Dialogs;
class StatusLine;

// BOOLEAN DEFINITION: the 42 equations on two pages of 21 boxes, edited
// through the working copy BooleanEditText, which outlives the window.
class BooleanWindow : public QWidget {
    Q_OBJECT

public:
    BooleanWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent = nullptr);

    // The menu command: shows the window, selects the empty list entries and
    // fills the page shown from BooleanText.
    void open();
    // After OPEN: the boxes of the page shown take BooleanText; colours and
    // list selections stay.
    void showConfigurationTexts();
    // After the channel window saved: on the first page, the boxes of input
    // channels turn grey and the others white.
    void recolourInputChannels();

private:
    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
};

} // namespace muxcc
