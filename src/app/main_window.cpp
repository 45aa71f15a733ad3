#include "app/main_window.h"

#include "app/controller_session.h"
#include "app/dialogs.h"
#include "app/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

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

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, ControllerSession& controller, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), controller_(controller), statusLine_(new QLineEdit)
{
    setWindowTitle(QStringLiteral("MULTIPLEX CONTROLLER COMPILIER"));

    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setReadOnly(true);
    statusLine_->setFocusPolicy(Qt::NoFocus);
    QFont bold = statusLine_->font();
    bold.setBold(true);
    statusLine_->setFont(bold);
    statusLine_->setStyleSheet(QStringLiteral("QLineEdit { background: yellow; color: black; }"));
    statusLine_->setText(QStringLiteral("Welcome to the World of Programmable Logic"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(statusLine_);
    layout->addStretch();
    setCentralWidget(central);

    buildMenus();
    resize(menuBar()->sizeHint().width() + 24, 160);
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = addNamedMenu(bar, "MNUFILE", tr("&FILE"));
    addNamedAction(file, "MNUOPEN", tr("&OPEN"));
    addNamedAction(file, "MNUSAVE", tr("&SAVE"));
    addNamedAction(file, "MNUSAVEAS", tr("SAVE &AS"));
    addNamedAction(file, "MNUPRINT", tr("&PRINT"));
    connect(addNamedAction(file, "MNUEXIT", tr("&EXIT")), &QAction::triggered, this, &MainWindow::exit);

    addNamedAction(bar, "multi_ch_config", tr("&Multiplexed Channel Config"));
    addNamedAction(bar, "MNUTIMERS", tr("&TIMERS"));
    addNamedAction(bar, "MNU_ANA_CONFIG", tr("&ANALOG CONFIG"));
    addNamedAction(bar, "mnu_additionFeatures", tr("&Addition Features"));
    addNamedAction(bar, "MNU_BLN", tr("&BOOLEANS"));

    QMenu* program = addNamedMenu(bar, "MNU_PRG", tr("&PROGRAM"));
    connect(addNamedAction(program, "MNU_READ", tr("&READ")), &QAction::triggered, this,
            [this] { controller_.start(&link::ControllerCommands::readFromController, *this); });
    connect(addNamedAction(program, "MNU_PROGRAM", tr("&WRITE TO CONTROLLER")), &QAction::triggered, this,
            [this] { controller_.start(&link::ControllerCommands::writeToController, *this); });

    connect(addNamedAction(bar, "MNU_ABOUT", tr("&ABOUT")), &QAction::triggered, this, &MainWindow::about);
}

void MainWindow::showStatus(const QString& text)
{
    statusLine_->setText(text);
}

QString MainWindow::status() const
{
    return statusLine_->text();
}

void MainWindow::showStatus(std::string_view text)
{
    showStatus(toQString(text));
}

void MainWindow::showNotice(const Notice& notice)
{
    dialogs_.showNotice(notice);
}

// No settings window exists yet that would need reloading.
void MainWindow::settingsReplaced(link::SettingsGroup) {}

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
