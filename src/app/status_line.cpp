#include "app/status_line.h"

#include <QPointer>
#include <QTimer>

#include <utility>

namespace muxcc {

StatusLine::StatusLine(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    setAccessibleName(QStringLiteral("Status"));
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setStyleSheet(QStringLiteral("QLineEdit { background: yellow; color: black; }"));
}

void StatusLine::showMessage(const QString& text)
{
    ++shown_;
    setText(text);
}

void StatusLine::showTimedMessage(const QString& text, const QObject* context, std::function<void()> then)
{
    showMessage(text);
    const unsigned own = shown_;
    const QPointer<const QObject> guard(context);
    const bool guarded = context != nullptr;
    QTimer::singleShot(wait_, Qt::PreciseTimer, this, [this, own, guard, guarded, then = std::move(then)] {
        if (shown_ == own)
            showMessage(QString());
        if (then && (!guarded || guard))
            then();
    });
}

} // namespace muxcc
