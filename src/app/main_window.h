#pragma once

#include "app/controller_session.h"
#include "app/file_commands.h"
#include "link/port_diagnosis.h"
#include "link/transfer_observer.h"
#include "model/configuration.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace muxcc::link {
class SerialPortChannel;
}

namespace muxcc {

class AdditionalFeaturesWindow;
class AnalogWindow;
class BooleanWindow;
class ChannelWindow;
class Dialogs;
class StatusLine;
class TimerWindow;

// The program's main window: the menu every command starts from, the status
// line through which commands report, and the settings windows, each created
// on first use. It holds the controller session, which outlives the windows.
class MainWindow : public QMainWindow, public link::TransferObserver {
    Q_OBJECT

public:
    MainWindow(Configuration& config, Dialogs& dialogs, link::ByteChannel& channel, link::Waiter& waiter,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    StatusLine& statusLine() { return *statusLine_; }

    // Shows the device of port beside the status line for the technician to
    // change between transfers, and why it last failed to open.
    void attachSerialPort(link::SerialPortChannel& port,
                          std::function<std::vector<link::PresentPort>()> presentPorts = link::PresentPorts);
    QString status() const;
    bool commandRunning() const { return controller_.commandRunning(); }

    // Brings the settings windows that exist up to date after OPEN replaced
    // the configuration: analog, additional features (if showing), equations,
    // channels, timers, in that order.
    void refreshWindowsAfterOpen();

    // What a controller command reports.
    void showStatus(std::string_view text) override;
    void showNotice(const Notice& notice) override;
    // A read replaced a group: its window, if showing, is hidden and opened again.
    void settingsReplaced(SettingsGroup group) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void about();
    void exit();

    ChannelWindow& channelWindow();
    TimerWindow& timerWindow();
    AnalogWindow& analogWindow();
    AdditionalFeaturesWindow& additionalFeaturesWindow();
    BooleanWindow& booleanWindow();

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine* statusLine_;
    QHBoxLayout* statusRow_;
    QLabel* portProblem_;
    ControllerSession controller_;
    FileCommands files_;
    QPointer<ChannelWindow> channelWindow_;
    QPointer<TimerWindow> timerWindow_;
    QPointer<AnalogWindow> analogWindow_;
    QPointer<AdditionalFeaturesWindow> additionalFeaturesWindow_;
    QPointer<BooleanWindow> booleanWindow_; // destroyed when closed
};

} // namespace muxcc
