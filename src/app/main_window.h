#pragma once

#include "model/configuration.h"

#include <QMainWindow>

class QLineEdit;

namespace muxcc {

class Dialogs;

// The program's main window: the menu every command starts from and the one-line
// status text through which commands report.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Configuration& config, Dialogs& dialogs, QWidget* parent = nullptr);

    void showStatus(const QString& text);
    QString status() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void about();
    void exit();

    Configuration& config_;
    Dialogs& dialogs_;
    QLineEdit* statusLine_;
};

} // namespace muxcc
