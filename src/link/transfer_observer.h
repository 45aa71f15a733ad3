#pragma once

#include "model/notice.h"
#include "model/settings_group.h"

#include <string_view>

namespace muxcc::link {

// What a controller command tells the technician while it runs.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void showStatus(std::string_view text) = 0;
    virtual void showNotice(const Notice& notice) = 0;
    // A read has just replaced this group of the configuration.
    virtual void settingsReplaced(SettingsGroup group) = 0;
};

} // namespace muxcc::link
