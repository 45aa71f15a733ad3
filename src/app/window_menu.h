#pragma once

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QString>

namespace muxcc {

// Gives a settings window its menu bar with its one item (the window's save
// command), named `objectName`; returns the item for the window to connect.
inline QAction* AddWindowMenuItem(QLayout& layout, const QString& caption, const QString& objectName)
{
    auto* bar = new QMenuBar;
    QAction* item = bar->addAction(caption);
    item->setObjectName(objectName);
    layout.setMenuBar(bar);
    return item;
}

} // namespace muxcc
