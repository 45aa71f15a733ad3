#pragma once

#ifndef Q_MOC_RUN
#include "link/controller_commands.h"
#endif

#include <QMainWindow>

class QLineEdit;

namespace muxcc {

class ControllerSession;
class Dialogs;

// The program's main window: the menu every command starts from and the one-line
// status text through which commands report.
class MainWindow : public QMainWindow, public link::TransferObserver {
    Q_OBJECT

public:
    MainWindow(Dialogs& dialogs, ControllerSession& controller, QWidget* parent = nullptr);

    void showStatus(const QString& text);
    QString status() const;

    // What a controller command reports.
    void showStatus(std::string_view text) override;
    void showNotice(const Notice& notice) override;
    void settingsReplaced(link::SettingsGroup group) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void about();
    void exit();

    Dialogs& dialogs_;
    ControllerSession& controller_;
    QLineEdit* statusLine_;
};

} // namespace muxcc
