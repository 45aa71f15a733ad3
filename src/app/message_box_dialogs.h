#pragma once

#include "app/dialogs.h"

class QWidget;

namespace muxcc {

// Dialogs shown as the platform's message boxes, file dialogs and print dialog.
class MessageBoxDialogs : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showNotice(const Notice& notice) override;
    std::optional<QString> chooseFileToOpen() override;
    std::optional<QString> chooseFileToSave() override;
    bool choosePrinter(QPrinter& printer) override;

private:
    QWidget* parent_;
};

} // namespace muxcc
