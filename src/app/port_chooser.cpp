#include "app/port_chooser.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>

#include <utility>

namespace muxcc {

PortChooser::PortChooser(PortList presentPorts, QWidget* parent)
    : QComboBox(parent), presentPorts_(std::move(presentPorts))
{
    setObjectName(QStringLiteral("port"));
    setAccessibleName(QStringLiteral("Serial port"));
    setEditable(true);
    // A screen reader speaks the combo box by its text; the parts it is made of need names of their own.
    lineEdit()->setAccessibleName(accessibleName());
    view()->setAccessibleName(QStringLiteral("Serial ports present"));
    setInsertPolicy(QComboBox::NoInsert);
    // Wide enough for a typed path such as /dev/ttyUSB0 or /dev/pts/12.
    setMinimumContentsLength(14);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

// Refilling must not count as a choice: the device shown stays the one in use.
void PortChooser::showPopup()
{
    {
        const QSignalBlocker quiet(this);
        const QString current = currentText();
        clear();
        for (const link::PresentPort& port : presentPorts_()) {
            addItem(port.device);
            setItemData(count() - 1, port.description, Qt::ToolTipRole);
        }
        setCurrentIndex(findText(current));
        setEditText(current);
    }
    QComboBox::showPopup();
}

} // namespace muxcc
