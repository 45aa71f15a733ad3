#pragma once

#include "link/port_diagnosis.h"

#include <QComboBox>

#include <functional>
#include <vector>

namespace muxcc {

// The serial device the link uses: the ports present to pick from, or any
// path typed in (a pseudo-terminal is never listed). The list is read again
// each time it opens, so an adapter plugged in later appears.
class PortChooser : public QComboBox {
    Q_OBJECT

public:
    using PortList = std::function<std::vector<link::PresentPort>()>;

    explicit PortChooser(PortList presentPorts = link::PresentPorts, QWidget* parent = nullptr);

    void showPopup() override;

private:
    PortList presentPorts_;
};

} // namespace muxcc
