#pragma once

#include <QLineEdit>

#include <chrono>
#include <functional>

namespace muxcc {

// The main window's one-line status text. A command reports by replacing the
// whole text. A timed message (a settings window's confirmation) is cleared
// when its wait ends, but only if the line still shows that very message: a
// transfer's or another command's text written meanwhile stays.
class StatusLine : public QLineEdit {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds StatusWait{2000};

    explicit StatusLine(QWidget* parent = nullptr);

    void showMessage(const QString& text);
    // Shows `text` for the status wait, then clears it (if still shown) and
    // calls `then`. Nothing nests an event loop: everything keeps working
    // during the wait. `then` is skipped if `context` is destroyed meanwhile.
    void showTimedMessage(const QString& text, const QObject* context = nullptr,
                          std::function<void()> then = {});

    // Tests shorten the wait; the program never changes it.
    void setStatusWait(std::chrono::milliseconds wait) { wait_ = wait; }

private:
    std::chrono::milliseconds wait_ = StatusWait;
    unsigned shown_ = 0; // counts the messages shown, so a wait knows whether its own still stands
};

} // namespace muxcc
