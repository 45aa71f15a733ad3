#include "settings/analog_window.h"

#include "app/dialogs.h"
#include "app/status_line.h"
#include "app/text.h"
#include "app/window_menu.h"
#include "settings/setting_boxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace muxcc {

namespace {

// The controller fixes each comparator's sense; the row label states it.
QString RowLabel(bool voltage, int comparator)
{
    if (voltage)
        return QStringLiteral("V%1 IS TRUE WHEN BATTERY VOLTAGE IS %2")
            .arg(comparator)
            .arg(comparator <= 3 ? '>' : '<');
    return QStringLiteral("T%1 IS TRUE WHEN TEMPERATURE IS %2")
        .arg(comparator)
        .arg(comparator <= 2 ? '<' : '>');
}

} // namespace

AnalogWindow::AnalogWindow(Configuration& config, Dialogs& dialogs, StatusLine& status, QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status)
{
    setWindowTitle(QStringLiteral("ANALOG CONFIGURATION"));
    auto* layout = new QVBoxLayout(this);

    connect(AddWindowMenuItem(*layout, tr("&Save Analog Settings"), QStringLiteral("mnusaveanalogform4")),
            &QAction::triggered, this, &AnalogWindow::save);

    // Created in reading order, so that Tab walks the controls row by row.
    model12_ = new QRadioButton(QStringLiteral("12V MODEL"), this);
    model12_->setObjectName(QStringLiteral("model12"));
    model12_->setChecked(true);
    model24_ = new QRadioButton(QStringLiteral("24V MODEL"), this);
    model24_->setObjectName(QStringLiteral("model24"));
    auto* models = new QHBoxLayout;
    models->addWidget(model12_);
    models->addWidget(model24_);
    models->addStretch();
    layout->addLayout(models);

    layout->addWidget(
        buildFrame(QStringLiteral("BATTERY VOLTAGE CONFIGURATION"), true, VoltageComparatorCount));
    layout->addWidget(
        buildFrame(QStringLiteral("TEMPERATURE CONFIGURATION"), false, TemperatureComparatorCount));
    // A save checks the temperatures first.
    std::stable_partition(rows_.begin(), rows_.end(), [](const ComparatorRow& row) { return !row.voltage; });
}

QWidget* AnalogWindow::buildFrame(const QString& title, bool voltage, int count)
{
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    const QString prefix = voltage ? QStringLiteral("V") : QStringLiteral("T");
    for (int n = 1; n <= count; ++n) {
        ComparatorRow row{voltage,
                          new QLineEdit(voltage ? QStringLiteral("0.0") : QStringLiteral("0"), frame),
                          nullptr,
                          voltage ? &config_.VoltageSetting[n] : &config_.TemperatureSetting[n],
                          voltage ? &config_.VoltageTime[n] : &config_.TemperatureTime[n],
                          voltage ? VoltageSettingTitle(n) : TemperatureSettingTitle(n),
                          voltage ? VoltageTimeTitle(n) : TemperatureTimeTitle(n)};
        row.threshold->setObjectName(prefix + QString::number(n) + QStringLiteral("SET"));
        row.threshold->setAccessibleName(toQString(row.thresholdTitle));
        auto* label = new QLabel(RowLabel(voltage, n), frame);
        label->setBuddy(row.threshold);

        auto* forLabel = new QLabel(QStringLiteral("FOR"), frame);
        row.time = new QLineEdit(QStringLiteral("0.0"), frame);
        row.time->setObjectName(prefix + QString::number(n) + QStringLiteral("TIME"));
        row.time->setAccessibleName(toQString(row.timeTitle));
        forLabel->setBuddy(row.time);

        grid->addWidget(label, n, 0);
        grid->addWidget(row.threshold, n, 1);
        grid->addWidget(forLabel, n, 2);
        grid->addWidget(row.time, n, 3);
        grid->addWidget(new QLabel(QStringLiteral("SECONDS"), frame), n, 4);
        rows_.push_back(std::move(row));
    }
    return frame;
}

void AnalogWindow::open()
{
    show();
    load();
}

void AnalogWindow::load()
{
    // Any other model value leaves the choice as it was.
    if (config_.VoltageModel == 1)
        model24_->setChecked(true);
    else if (config_.VoltageModel == 0)
        model12_->setChecked(true);
    for (const ComparatorRow& row : rows_) {
        row.threshold->setText(toQString(ThresholdText(*row.setting)));
        row.time->setText(toQString(TimeCountText(*row.timeCount)));
    }
}

// The model is stored first: it decides the voltage range of the boxes after it.
void AnalogWindow::save()
{
    status_.showMessage(QStringLiteral(" Analog Settings Saving, but not to file"));
    config_.VoltageModel = model24_->isChecked() ? 1 : 0;
    for (const ComparatorRow& row : rows_) {
        saveThreshold(row);
        saveTime(row);
    }
    status_.showTimedMessage(QStringLiteral(" Analog Settings Saved, but not to file"), this);
}

void AnalogWindow::saveThreshold(const ComparatorRow& row)
{
    const std::string text = toStdString(row.threshold->text());
    const std::optional<float> value =
        row.voltage ? VoltageFromBox(text, config_.VoltageModel) : TemperatureFromBox(text);
    if (!value) {
        *row.setting = 0;
        reject(row.threshold, row.thresholdTitle,
               row.voltage ? VoltageRangeMessage(config_.VoltageModel) : TemperatureRangeMessage);
        return;
    }
    *row.setting = *value;
    row.threshold->setText(toQString(ThresholdText(*value)));
}

void AnalogWindow::saveTime(const ComparatorRow& row)
{
    const std::optional<std::int32_t> count = TimeCountFromBox(toStdString(row.time->text()));
    if (!count) {
        *row.timeCount = 0;
        reject(row.time, row.timeTitle, TimeRangeMessage);
        return;
    }
    *row.timeCount = *count;
    row.time->setText(toQString(TimeCountText(*count)));
}

void AnalogWindow::reject(QLineEdit* box, const std::string& title, std::string_view message)
{
    dialogs_.showNotice({Notice::Icon::Exclamation, title, std::string(message)});
    box->setText(QStringLiteral("0"));
}

} // namespace muxcc
