#include "settings/timer_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"
#include "app/text.h"
#include "app/window_menu.h"
#include "settings/setting_boxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace muxcc {

namespace {

// Columns of a frame's grid: the labels stand above their boxes.
enum Column { DutyColumn, OneShotColumn, OffColumn, OnColumn, SecondsColumn };

QRadioButton* AddOption(QGridLayout& grid, int column, const QString& caption, const QString& objectName,
                        const QString& frame)
{
    auto* option = new QRadioButton(caption);
    option->setObjectName(objectName);
    option->setAccessibleName(caption);
    option->setAccessibleDescription(frame);
    grid.addWidget(option, 1, column);
    return option;
}

// A time box under its label; a screen reader names it as its messages do.
QLineEdit* AddTimeBox(QGridLayout& grid, int column, const QString& label, const QString& objectName,
                      const std::string& title)
{
    auto* caption = new QLabel(label);
    auto* box = new QLineEdit(QStringLiteral("0.0"));
    box->setObjectName(objectName);
    box->setAccessibleName(toQString(title));
    caption->setBuddy(box);
    grid.addWidget(caption, 0, column);
    grid.addWidget(box, 1, column);
    return box;
}

Notice TriggerNotice(int timer)
{
    const std::string n = std::to_string(timer);
    return {Notice::Icon::Information, "TIMER#" + n,
            " TRIGGERABLE ONE SHOT TIMER WILL START WHEN TRIGGER" + n + " IS TRUE AND REMAINS TRUE"};
}

} // namespace

TimerWindow::TimerWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(tr("TIMER CONFIGURATION"));
    auto* layout = new QVBoxLayout(this);

    connect(AddWindowMenuItem(*layout, tr("&Save Timer Settings"), QStringLiteral("mnutimersaveform3")),
            &QAction::triggered, this, &TimerWindow::save);

    for (int n = 1; n <= TimerCount; ++n)
        addTimer(*layout, n);
}

// Controls are created in row order, which is also the Tab order.
void TimerWindow::addTimer(QLayout& layout, int timer)
{
    const QString caption = QStringLiteral("TIMER #%1").arg(timer);
    const QString name = QStringLiteral("timer%1").arg(timer);
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(name);
    layout.addWidget(frame);
    auto* grid = new QGridLayout(frame);

    TimerRow& row = timers_[timer];
    row.duty = AddOption(*grid, DutyColumn, tr("DUTY"), name + QStringLiteral("Duty"), caption);
    row.oneShot = AddOption(*grid, OneShotColumn, tr("TRIGGERABLE ONE SHOT"),
                            name + QStringLiteral("OneShot"), caption);
    row.duty->setChecked(true);
    row.off =
        AddTimeBox(*grid, OffColumn, tr("OFF"), name + QStringLiteral("Off"), TimerTimeTitle(timer, false));
    row.on = AddTimeBox(*grid, OnColumn, tr("ON"), name + QStringLiteral("On"), TimerTimeTitle(timer, true));
    grid->addWidget(new QLabel(tr("SECONDS")), 1, SecondsColumn);

    // Loading a hidden window, as a read's refresh does, must stay silent.
    connect(row.oneShot, &QRadioButton::toggled, this, [this, timer](bool selected) {
        if (selected && isVisible())
            dialogs_.showNotice(TriggerNotice(timer));
    });
}

void TimerWindow::open()
{
    load();
    show();
}

// Only 0 and 1 are modes; other values leave the option group as it is.
void TimerWindow::load()
{
    for (int n = 1; n <= TimerCount; ++n) {
        const TimerRow& row = timers_[n];
        if (config_.TimerMode[n] == 1)
            row.oneShot->setChecked(true);
        else if (config_.TimerMode[n] == 0)
            row.duty->setChecked(true);
        row.off->setText(toQString(TimeCountText(config_.TimerOffTime[n])));
        row.on->setText(toQString(TimeCountText(config_.TimerOnTime[n])));
    }
}

// Modes first, then the ten boxes in row order; a failing box never stops the save.
void TimerWindow::save()
{
    status_.showMessage(tr(" Timer Settings Saving, but not to file"));
    for (int n = 1; n <= TimerCount; ++n)
        config_.TimerMode[n] = timers_[n].oneShot->isChecked() ? 1 : 0;
    for (int n = 1; n <= TimerCount; ++n) {
        storeTime(n, false, *timers_[n].off, config_.TimerOffTime[n]);
        storeTime(n, true, *timers_[n].on, config_.TimerOnTime[n]);
    }
    status_.showTimedMessage(tr(" Timer Settings Saved, but not to file"), this);
}

void TimerWindow::storeTime(int timer, bool onTime, QLineEdit& box, std::int32_t& count)
{
    if (const std::optional<std::int32_t> typed = TimeCountFromBox(toStdString(box.text()))) {
        count = *typed;
        box.setText(toQString(TimeCountText(count)));
        return;
    }
    dialogs_.showNotice(
        {Notice::Icon::Exclamation, TimerTimeTitle(timer, onTime), std::string(TimeRangeMessage)});
    count = 0;
    box.setText(QStringLiteral("0"));
}

} // namespace muxcc
