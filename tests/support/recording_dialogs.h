#pragma once

#include "app/dialogs.h"

#include <vector>

namespace muxcc::test {

// Answers every dialog at once and remembers what was shown.
class RecordingDialogs : public Dialogs {
public:
    void showNotice(const Notice& notice) override { notices.push_back(notice); }

    std::vector<Notice> notices;
};

} // namespace muxcc::test
