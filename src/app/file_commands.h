#pragma once

#include "model/configuration.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace muxcc {

class Dialogs;
class StatusLine;

// OPEN, SAVE, SAVE AS and PRINT of the FILE menu. Each runs to its end at
// once; a failure is reported with its reason and changes nothing.
class FileCommands {
public:
    // afterOpen brings the settings windows up to date once OPEN replaced the configuration.
    FileCommands(Configuration& config, Dialogs& dialogs, StatusLine& status,
                 std::function<void()> afterOpen);

    void open();
    void save();
    void saveAs();
    void print();

private:
    void saveTo(const QString& path, const char* command, const QString& completed, const QString& failed);
    // Shows the failure status, then the reason in a notice titled with the command.
    void fail(const char* command, const QString& status, const std::string& reason);

    Configuration& config_;
    Dialogs& dialogs_;
    StatusLine& status_;
    std::function<void()> afterOpen_;
};

} // namespace muxcc
