#include "settings/additional_features_window.h"

#include "app/controller_session.h"
#include "app/dialogs.h"
#include "app/status_line.h"
#include "app/text.h"
#include "app/window_menu.h"
#include "boolean/operand_list.h"
#include "settings/setting_boxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace muxcc {

namespace {

const QString TrueText = QStringLiteral("TRUE");
const QString FalseText = QStringLiteral("FALSE");
constexpr int VisibleOperandRows = 6;

QLabel* AddLabel(QGridLayout* grid, const QString& text, int row, int column, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(text, grid->parentWidget());
    label->setBuddy(buddy);
    grid->addWidget(label, row, column);
    return label;
}

QLineEdit* NewSecondsBox(QWidget* parent, const QString& objectName)
{
    auto* box = new QLineEdit(QStringLiteral("0"), parent);
    box->setObjectName(objectName);
    return box;
}

// The 66 entries (none, then the operands by name), one of them selected at a time.
QListWidget* NewOperandList(QWidget* parent, const QString& objectName, const QString& heading)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setAccessibleName(heading);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& entry : OperandListEntries())
        list->addItem(toQString(entry));
    list->setFixedHeight(list->sizeHintForRow(1) * VisibleOperandRows + 2 * list->frameWidth());
    return list;
}

// Entries are matched by text, never by position: the list is not in code order.
void SelectOperand(QListWidget* list, int code)
{
    const QString entry = toQString(OperandEntry(code));
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == entry) {
            list->setCurrentRow(row);
            return;
        }
    }
}

int SelectedOperand(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? 0 : OperandCodeOfEntry(toStdString(selected.front()->text()));
}

} // namespace

AdditionalFeaturesWindow::AdditionalFeaturesWindow(Configuration& config, Dialogs& dialogs,
                                                   StatusLine& status, ControllerSession& controller,
                                                   QWidget* parent)
    : QWidget(parent, Qt::Window), config_(config), dialogs_(dialogs), status_(status),
      controller_(controller)
{
    setWindowTitle(QStringLiteral("Additional Features"));
    auto* layout = new QVBoxLayout(this);

    connect(
        AddWindowMenuItem(*layout, tr("&Save Additional Feature Settings"), QStringLiteral("mnusaveform6")),
        &QAction::triggered, this, &AdditionalFeaturesWindow::save);

    // Built in reading order, so that Tab walks the controls row by row.
    layout->addWidget(buildOptionFrame());
    layout->addWidget(buildSecurityFrame());
    layout->addWidget(buildCycleCounterFrame());

    seconds_ = {
        {cycleOnTime_, &config_.CycleCounterTime, "CYCLE ON TIME", true},
        {slpOffTime_, &config_.SlpOffTime, "Off TIME", false},
        {slpOnTime_, &config_.SlpOnTime, "On TIME", false},
    };
    for (const SecondsBox& seconds : seconds_)
        seconds.box->setAccessibleName(toQString(seconds.title));
}

QWidget* AdditionalFeaturesWindow::buildOptionFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("OPTION SETTINGS"), this);
    auto* grid = new QGridLayout(frame);
    for (int n = 1; n <= static_cast<int>(options_.size()); ++n) {
        auto* option = new QComboBox(frame);
        option->setObjectName(QStringLiteral("option%1").arg(n));
        option->setAccessibleName(QStringLiteral("OPTION%1").arg(n));
        option->addItems({TrueText, FalseText});
        AddLabel(grid, QStringLiteral("OPTION%1  =").arg(n), n, 0, option);
        grid->addWidget(option, n, 1);
        options_[static_cast<std::size_t>(n - 1)] = option;
    }
    grid->setColumnStretch(2, 1);
    return frame;
}

QWidget* AdditionalFeaturesWindow::buildSecurityFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("SECURITY MODE"), this);
    auto* grid = new QGridLayout(frame);
    // One list serves both sentences.
    securityOperand_ =
        NewOperandList(frame, QStringLiteral("securityOperand"), QStringLiteral("SECURITY MODE"));
    slpOffTime_ = NewSecondsBox(frame, QStringLiteral("slpOffTime"));
    slpOnTime_ = NewSecondsBox(frame, QStringLiteral("slpOnTime"));

    AddLabel(grid, QStringLiteral("SLP IS FALSE WHEN "), 0, 0, securityOperand_);
    grid->addWidget(securityOperand_, 0, 1, 2, 1);
    AddLabel(grid, QStringLiteral("IS OFF FOR >"), 0, 2, slpOffTime_);
    grid->addWidget(slpOffTime_, 0, 3);
    AddLabel(grid, QStringLiteral("SECONDS"), 0, 4);

    AddLabel(grid, QStringLiteral("SLP IS TRUE WHEN "), 1, 0);
    AddLabel(grid, QStringLiteral("IS ON FOR >"), 1, 2, slpOnTime_);
    grid->addWidget(slpOnTime_, 1, 3);
    AddLabel(grid, QStringLiteral("SECONDS, THEN GOES OFF"), 1, 4);
    return frame;
}

QWidget* AdditionalFeaturesWindow::buildCycleCounterFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("CYCLE COUNTER"), this);
    auto* grid = new QGridLayout(frame);
    cycleCounterOperand_ =
        NewOperandList(frame, QStringLiteral("cycleCounterOperand"), QStringLiteral("CYCLE COUNTER"));
    cycleOnTime_ = NewSecondsBox(frame, QStringLiteral("cycleOnTime"));

    AddLabel(grid, QStringLiteral("CYCLE COUNTER IS INCREMENTED WHEN"), 0, 0, cycleCounterOperand_);
    grid->addWidget(cycleCounterOperand_, 0, 1);
    AddLabel(grid, QStringLiteral("IS ON FOR >"), 0, 2, cycleOnTime_);
    grid->addWidget(cycleOnTime_, 0, 3);
    AddLabel(grid, QStringLiteral("SECONDS"), 0, 4);

    auto* readCount = new QPushButton(QStringLiteral("READ CONTROLLER AND DISPLAY CYCLE COUNT "), frame);
    readCount->setObjectName(QStringLiteral("readCycleCount"));
    connect(readCount, &QPushButton::clicked, this, &AdditionalFeaturesWindow::displayCycleCount);
    auto* resetCount = new QPushButton(QStringLiteral("RESET CYCLE COUNTER: 00000"), frame);
    resetCount->setObjectName(QStringLiteral("resetCycleCount"));
    connect(resetCount, &QPushButton::clicked, this, [this] { controller_.resetCycleCounter(); });
    auto* note = new QPushButton(QStringLiteral("NOTE"), frame);
    note->setObjectName(QStringLiteral("note"));
    connect(note, &QPushButton::clicked, this, &AdditionalFeaturesWindow::showNote);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readCount);
    buttons->addWidget(resetCount);
    buttons->addWidget(note);
    grid->addLayout(buttons, 1, 0, 1, 5);
    return frame;
}

void AdditionalFeaturesWindow::open()
{
    show();
    load();
}

void AdditionalFeaturesWindow::load()
{
    // From the highest option down; OPTION1 keeps its choice if what remains is neither 0 nor 1.
    int remaining = config_.OptionFlags;
    for (std::size_t n = options_.size() - 1; n >= 1; --n) {
        const int bit = 1 << n;
        const bool set = remaining >= bit;
        if (set)
            remaining -= bit;
        options_[n]->setCurrentText(set ? TrueText : FalseText);
    }
    if (remaining == 0 || remaining == 1)
        options_[0]->setCurrentText(remaining == 1 ? TrueText : FalseText);

    for (const SecondsBox& seconds : seconds_)
        seconds.box->setText(QString::number(*seconds.field));

    SelectOperand(securityOperand_, config_.SlpOperand);
    SelectOperand(cycleCounterOperand_, config_.CycleCounterOperand);
}

void AdditionalFeaturesWindow::save()
{
    for (const SecondsBox& seconds : seconds_)
        saveSeconds(seconds);

    config_.SlpOperand = static_cast<std::int16_t>(SelectedOperand(securityOperand_));
    config_.CycleCounterOperand = static_cast<std::int16_t>(SelectedOperand(cycleCounterOperand_));

    int flags = 0;
    for (std::size_t n = 0; n < options_.size(); ++n) {
        if (options_[n]->currentText() == TrueText)
            flags += 1 << n;
    }
    config_.OptionFlags = static_cast<std::int16_t>(flags);

    status_.showTimedMessage(QStringLiteral(" Additional Features Settings Saved, but not to file"), this);
}

void AdditionalFeaturesWindow::saveSeconds(const SecondsBox& seconds)
{
    const std::optional<std::int16_t> value = FeatureSecondsFromBox(toStdString(seconds.box->text()));
    if (!value) {
        dialogs_.showNotice(
            {Notice::Icon::Exclamation, seconds.title, std::string(FeatureSecondsRangeMessage)});
        *seconds.field = 0;
        seconds.box->setText(QStringLiteral("0"));
        return;
    }
    *seconds.field = *value;
    if (seconds.rewritten)
        seconds.box->setText(QString::number(*value));
}

// The count is shown in the main window's status line, so that window comes to the front.
void AdditionalFeaturesWindow::displayCycleCount()
{
    if (QWidget* mainWindow = parentWidget()) {
        mainWindow->raise();
        mainWindow->activateWindow();
    }
    controller_.displayCycleCount();
}

void AdditionalFeaturesWindow::showNote()
{
    dialogs_.showNotice({Notice::Icon::Information, "Saving cycle count",
                         " When counter saves, MUX communication is delayed ~50ms  "});
}

} // namespace muxcc
