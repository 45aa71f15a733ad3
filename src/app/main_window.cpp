#include "app/main_window.h"

#include "app/dialogs.h"
#include "app/port_chooser.h"
#include "app/status_line.h"
#include "app/text.h"
#include "boolean/boolean_window.h"
#include "link/serial_port_channel.h"
#include "settings/additional_features_window.h"
#include "settings/analog_window.h"
#include "settings/channel_window.h"
#include "settings/timer_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include <utility>

namespace muxcc {

namespace {

QAction* addNamedAction(QWidget* menu, const char* objectName, const QString& caption)
{
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(objectName));
    menu->addAction(action);
    return action;
}

QMenu* addNamedMenu(QMenuBar* bar, const char* objectName, const QString& caption)
{
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(objectName));
    menu->menuAction()->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

// A settings window reopened as its menu command opens it, if it is showing.
template <typename Window>
void ReopenIfShowing(const QPointer<Window>& window)
{
    if (window && window->isVisible()) {
        window->hide();
        window->open();
    }
}

} // namespace

MainWindow::MainWindow(Configuration& config, Dialogs& dialogs, link::ByteChannel& channel,
                       link::Waiter& waiter, QWidget* parent)
    : QMainWindow(parent), config_(config), dialogs_(dialogs), statusLine_(new StatusLine),
      statusRow_(new QHBoxLayout), portProblem_(new QLabel), controller_(channel, waiter, config, *this),
      files_(config, dialogs, *statusLine_, [this] { refreshWindowsAfterOpen(); })
{
    setWindowTitle(QStringLiteral("MULTIPLEX CONTROLLER COMPILIER"));
    statusLine_->showMessage(QStringLiteral("Welcome to the World of Programmable Logic"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    statusRow_->addWidget(statusLine_, 1);
    layout->addLayout(statusRow_);
    portProblem_->setObjectName(QStringLiteral("portProblem"));
    portProblem_->setWordWrap(true);
    portProblem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(portProblem_);
    layout->addStretch();
    setCentralWidget(central);

    buildMenus();
    resize(menuBar()->sizeHint().width() + 24, 160);
}

// The windows go first: a command that the session's closing ends still reports here.
MainWindow::~MainWindow()
{
    controller_.closePort();
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = addNamedMenu(bar, "MNUFILE", tr("&FILE"));
    connect(addNamedAction(file, "MNUOPEN", tr("&OPEN")), &QAction::triggered, this,
            [this] { files_.open(); });
    connect(addNamedAction(file, "MNUSAVE", tr("&SAVE")), &QAction::triggered, this,
            [this] { files_.save(); });
    connect(addNamedAction(file, "MNUSAVEAS", tr("SAVE &AS")), &QAction::triggered, this,
            [this] { files_.saveAs(); });
    connect(addNamedAction(file, "MNUPRINT", tr("&PRINT")), &QAction::triggered, this,
            [this] { files_.print(); });
    connect(addNamedAction(file, "MNUEXIT", tr("&EXIT")), &QAction::triggered, this, &MainWindow::exit);

    connect(addNamedAction(bar, "multi_ch_config", tr("&Multiplexed Channel Config")), &QAction::triggered,
            this, [this] { channelWindow().open(); });
    connect(addNamedAction(bar, "MNUTIMERS", tr("&TIMERS")), &QAction::triggered, this,
            [this] { timerWindow().open(); });
    connect(addNamedAction(bar, "MNU_ANA_CONFIG", tr("&ANALOG CONFIG")), &QAction::triggered, this,
            [this] { analogWindow().open(); });
    connect(addNamedAction(bar, "mnu_additionFeatures", tr("&Addition Features")), &QAction::triggered, this,
            [this] { additionalFeaturesWindow().open(); });
    connect(addNamedAction(bar, "MNU_BLN", tr("&BOOLEANS")), &QAction::triggered, this,
            [this] { booleanWindow().open(); });

    QMenu* program = addNamedMenu(bar, "MNU_PRG", tr("&PROGRAM"));
    connect(addNamedAction(program, "MNU_READ", tr("&READ")), &QAction::triggered, this,
            [this] { controller_.read(); });
    connect(addNamedAction(program, "MNU_PROGRAM", tr("&WRITE TO CONTROLLER")), &QAction::triggered, this,
            [this] { controller_.write(); });

    connect(addNamedAction(bar, "MNU_ABOUT", tr("&ABOUT")), &QAction::triggered, this, &MainWindow::about);
}

// The device can change only while the port is closed, that is between transfers.
void MainWindow::attachSerialPort(link::SerialPortChannel& port,
                                  std::function<std::vector<link::PresentPort>()> presentPorts)
{
    auto* chooser = new PortChooser(std::move(presentPorts));
    chooser->setEditText(port.device());
    auto* caption = new QLabel(tr("Port"));
    caption->setBuddy(chooser);
    statusRow_->addWidget(caption);
    statusRow_->addWidget(chooser);
    connect(chooser, &QComboBox::currentTextChanged, &port, &link::SerialPortChannel::setDevice);
    connect(&port, &link::SerialPortChannel::opened, chooser, [this, chooser] {
        chooser->setEnabled(false);
        portProblem_->clear();
    });
    connect(&port, &link::SerialPortChannel::closed, chooser, [chooser] { chooser->setEnabled(true); });
    connect(&port, &link::SerialPortChannel::openFailed, portProblem_,
            [this, &port] { portProblem_->setText(port.openProblem()); });
}

ChannelWindow& MainWindow::channelWindow()
{
    if (!channelWindow_) {
        channelWindow_ = new ChannelWindow(config_, *statusLine_, this);
        connect(channelWindow_, &ChannelWindow::directionsSaved, this, [this] {
            if (booleanWindow_ && booleanWindow_->isVisible())
                booleanWindow_->recolourInputChannels();
        });
    }
    return *channelWindow_;
}

TimerWindow& MainWindow::timerWindow()
{
    if (!timerWindow_)
        timerWindow_ = new TimerWindow(config_, dialogs_, *statusLine_, this);
    return *timerWindow_;
}

AnalogWindow& MainWindow::analogWindow()
{
    if (!analogWindow_)
        analogWindow_ = new AnalogWindow(config_, dialogs_, *statusLine_, this);
    return *analogWindow_;
}

AdditionalFeaturesWindow& MainWindow::additionalFeaturesWindow()
{
    if (!additionalFeaturesWindow_)
        additionalFeaturesWindow_ =
            new AdditionalFeaturesWindow(config_, dialogs_, *statusLine_, controller_, this);
    return *additionalFeaturesWindow_;
}

BooleanWindow& MainWindow::booleanWindow()
{
    if (!booleanWindow_)
        booleanWindow_ = new BooleanWindow(config_, dialogs_, *statusLine_, this);
    return *booleanWindow_;
}

void MainWindow::refreshWindowsAfterOpen()
{
    if (analogWindow_)
        analogWindow_->load();
    ReopenIfShowing(additionalFeaturesWindow_);
    if (booleanWindow_)
        booleanWindow_->showConfigurationTexts();
    if (channelWindow_)
        channelWindow_->load();
    if (timerWindow_)
        timerWindow_->load();
}

void MainWindow::settingsReplaced(SettingsGroup group)
{
    switch (group) {
    case SettingsGroup::Channels:
        ReopenIfShowing(channelWindow_);
        break;
    case SettingsGroup::Analog:
        ReopenIfShowing(analogWindow_);
        break;
    case SettingsGroup::Timers:
        ReopenIfShowing(timerWindow_);
        break;
    case SettingsGroup::Booleans:
        ReopenIfShowing(booleanWindow_);
        break;
    case SettingsGroup::AdditionalFeatures:
        ReopenIfShowing(additionalFeaturesWindow_);
        break;
    }
}

QString MainWindow::status() const
{
    return statusLine_->text();
}

void MainWindow::showStatus(std::string_view text)
{
    statusLine_->showMessage(toQString(text));
}

void MainWindow::showNotice(const Notice& notice)
{
    dialogs_.showNotice(notice);
}

void MainWindow::about()
{
    dialogs_.showNotice({Notice::Icon::Information, "ABOUT", " Version 1.1"});
}

// Ends the run at once: nothing is saved and nothing is asked.
void MainWindow::exit()
{
    controller_.closePort();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    exit();
}

} // namespace muxcc
