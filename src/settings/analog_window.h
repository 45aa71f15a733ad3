#pragma once

#include "model/configuration.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class QRadioButton;

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
    // One comparator: its two boxes, the fields they edit and the titles of their messages.
    struct ComparatorRow {
        bool voltage;
        QLineEdit* threshold;
        QLineEdit* time;
        float* setting;
        std::int32_t* timeCount;
        std::string thresholdTitle;
        std::string timeTitle;
    };

    QWidget* buildFrame(const QString& title, bool voltage, int count);
    void save();
    void saveThreshold(const ComparatorRow& row);
    void saveTime(const ComparatorRow& row);
    void reject(QLineEdit* box, const std::string& title, std::string_view message);

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
    QRadioButton* model12_;
    QRadioButton* model24_;
    std::vector<ComparatorRow> rows_; // in the order a save checks them: T1..T4, then V1..V6
};

} // namespace muxcc
