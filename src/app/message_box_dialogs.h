#pragma once

#include "app/dialogs.h"

class QWidget;

namespace muxcc {

// Dialogs shown as the platform's message boxes.
class MessageBoxDialogs : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showNotice(const Notice& notice) override;

private:
    QWidget* parent_;
};

} // namespace muxcc
