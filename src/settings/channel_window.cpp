#include "settings/channel_window.h"

#include "app/status_line.h"
#include "app/window_menu.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace muxcc {

namespace {

constexpr int FramesPerRow = 4;

// An option button that a screen reader announces with the frame it belongs to.
QRadioButton* AddOption(QLayout& layout, const QString& caption, const QString& objectName,
                        const QString& frame)
{
    auto* option = new QRadioButton(caption);
    option->setObjectName(objectName);
    option->setAccessibleName(caption);
    option->setAccessibleDescription(frame);
    layout.addWidget(option);
    return option;
}

} // namespace

ChannelWindow::ChannelWindow(Configuration& config, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), status_(status)
{
    setWindowTitle(tr("MULTIPLEXED CHANNEL IO CONFIGURATION"));
    auto* layout = new QVBoxLayout(this);

    connect(AddWindowMenuItem(*layout, tr("&Save IO Configuration"), QStringLiteral("mnusaveioform2")),
            &QAction::triggered, this, &ChannelWindow::save);

    // Frames are added row by row, which is also the Tab order.
    auto* frames = new QGridLayout;
    layout->addLayout(frames);
    for (int n = 1; n <= ChannelCount; ++n) {
        const QString caption = QStringLiteral("MUX%1").arg(n);
        const QString name = QStringLiteral("mux%1").arg(n);
        auto* frame = new QGroupBox(caption);
        frame->setObjectName(name);
        frames->addWidget(frame, (n - 1) / FramesPerRow, (n - 1) % FramesPerRow);
        auto* options = new QVBoxLayout(frame);
        Direction& direction = directions_[n];
        direction.input = AddOption(*options, tr("INPUT"), name + QStringLiteral("Input"), caption);
        direction.output = AddOption(*options, tr("OUTPUT"), name + QStringLiteral("Output"), caption);
        direction.input->setChecked(true);
    }
}

void ChannelWindow::open()
{
    show();
    load();
}

// Only 0 and 1 are directions; a hand-edited file's other values leave the frame as it is.
void ChannelWindow::load()
{
    for (int n = 1; n <= ChannelCount; ++n) {
        if (config_.ChannelDirection[n] == 1)
            directions_[n].output->setChecked(true);
        else if (config_.ChannelDirection[n] == 0)
            directions_[n].input->setChecked(true);
    }
}

void ChannelWindow::save()
{
    for (int n = 1; n <= ChannelCount; ++n)
        config_.ChannelDirection[n] = directions_[n].output->isChecked() ? 1 : 0;
    status_.showTimedMessage(tr(" IO CONFIGURATION Settings Saved, but not to file"), this,
                             [this] { emit directionsSaved(); });
}

} // namespace muxcc
