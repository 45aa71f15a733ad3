#include "cli/console_observer.h"

namespace muxcc::cli {

ConsoleObserver::ConsoleObserver(std::ostream& out, std::ostream& err, bool terminal)
    : out_(out), err_(err), terminal_(terminal)
{
}

void ConsoleObserver::showStatus(std::string_view text)
{
    statuses_.emplace_back(text);
    if (terminal_) {
        // Back to the line's start, the new text, then clear what a longer text left behind.
        out_ << '\r' << text << "\x1b[K" << std::flush;
        lineOpen_ = true;
    } else {
        out_ << text << std::endl;
    }
}

void ConsoleObserver::showNotice(const Notice& notice)
{
    finishLine();
    err_ << notice.title << ":" << notice.text << '\n';
}

void ConsoleObserver::finishLine()
{
    if (lineOpen_)
        out_ << '\n' << std::flush;
    lineOpen_ = false;
}

} // namespace muxcc::cli
