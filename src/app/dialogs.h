#pragma once

#include "model/notice.h"

namespace muxcc {

// Every modal question or message the program puts to the technician goes
// through here, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void showNotice(const Notice& notice) = 0;
};

} // namespace muxcc
