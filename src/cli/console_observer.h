#pragma once

#include "link/transfer_observer.h"

#include <ostream>
#include <string>
#include <vector>

namespace muxcc::cli {

// A controller command's statuses on `out` as they appear, its notices (busy,
// refused values) on `err`. On a terminal the statuses share one line, each
// rewriting the last; elsewhere each is a line of its own, so a log or a pipe
// keeps every step.
class ConsoleObserver final : public link::TransferObserver {
public:
    ConsoleObserver(std::ostream& out, std::ostream& err, bool terminal);

    void showStatus(std::string_view text) override;
    void showNotice(const Notice& notice) override;
    void settingsReplaced(SettingsGroup) override {}

    // Ends the status line, so that what follows starts on a line of its own.
    void finishLine();
    const std::vector<std::string>& statuses() const { return statuses_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    bool lineOpen_ = false;
    std::vector<std::string> statuses_;
};

} // namespace muxcc::cli
