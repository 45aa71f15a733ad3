#pragma once

#include "app/dialogs.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace muxcc::test {

// Answers every dialog at once and remembers what was shown. The file dialogs
// answer with the paths queued in `files` (Cancel when none is left); the print
// dialog accepts while `printerAccepted`.
class RecordingDialogs : public Dialogs {
public:
    void showNotice(const Notice& notice) override { notices.push_back(notice); }
    std::optional<QString> chooseFileToOpen() override { return nextFile(); }
    std::optional<QString> chooseFileToSave() override { return nextFile(); }
    bool choosePrinter(QPrinter&) override { return printerAccepted; }

    std::vector<Notice> notices;
    std::deque<QString> files;
    bool printerAccepted = true;

private:
    std::optional<QString> nextFile()
    {
        if (files.empty())
            return std::nullopt;
        QString path = files.front();
        files.pop_front();
        return path;
    }
};

} // namespace muxcc::test
