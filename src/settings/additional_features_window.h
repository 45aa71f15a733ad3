#pragma once

#include "model/configuration.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

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
    // A box of whole seconds 0..255 and the field it edits.
    struct SecondsBox {
        QLineEdit* box;
        std::int16_t* field;
        std::string title;
        bool rewritten; // shows the stored integer after a save, instead of the text as typed
    };

    QWidget* buildOptionFrame();
    QWidget* buildSecurityFrame();
    QWidget* buildCycleCounterFrame();
    void load();
    void save();
    void saveSeconds(const SecondsBox& seconds);
    void displayCycleCount();
    void showNote();

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
    ControllerSession& controller_;
    std::array<QComboBox*, 4> options_{}; // OPTION1..OPTION4
    QListWidget* securityOperand_ = nullptr;
    QLineEdit* slpOffTime_ = nullptr;
    QLineEdit* slpOnTime_ = nullptr;
    QListWidget* cycleCounterOperand_ = nullptr;
    QLineEdit* cycleOnTime_ = nullptr;
    std::vector<SecondsBox> seconds_; // in the order a save checks them
};

} // namespace muxcc
