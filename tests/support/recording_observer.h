#pragma once

#include "link/controller_commands.h"

#include <functional>
#include <string>
#include <vector>

namespace muxcc::test {

// Keeps everything a command shows, in order.
class RecordingObserver final : public link::TransferObserver {
public:
    void showStatus(std::string_view text) override { statuses.emplace_back(text); }
    void showNotice(const Notice& notice) override { notices.push_back(notice); }
    void settingsReplaced(SettingsGroup group) override { onReplaced(group); }

    std::vector<std::string> statuses;
    std::vector<Notice> notices;
    // Sees the configuration as each group is replaced.
    std::function<void(SettingsGroup)> onReplaced = [](SettingsGroup) {};
};

} // namespace muxcc::test
