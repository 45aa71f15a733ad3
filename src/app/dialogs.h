#pragma once

#include "model/notice.h"

#include <QString>

#include <optional>

class QPrinter;

namespace muxcc {

// Every modal question or message the program puts to the technician goes
// through here, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void showNotice(const Notice& notice) = 0;
    // The file dialogs of OPEN and SAVE AS: the path chosen, nothing on Cancel.
    virtual std::optional<QString> chooseFileToOpen() = 0;
    virtual std::optional<QString> chooseFileToSave() = 0;
    // The print dialog for `printer`: false on Cancel.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

} // namespace muxcc
