#include "app/window_accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace muxcc {

namespace {

// Asked for every class of an object, most derived first; answers only for the
// program's own top-level widgets, which derive from QWidget directly.
QAccessibleInterface* WindowInterface(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow() || !className.startsWith(QLatin1String("muxcc::")) ||
        qstrcmp(object->metaObject()->superClass()->className(), "QWidget") != 0)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void AnnounceSettingsWindowsAsWindows()
{
    QAccessible::installFactory(WindowInterface);
}

} // namespace muxcc
