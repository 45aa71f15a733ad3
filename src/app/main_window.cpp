#include "app/main_window.h"

#include "app/dialogs.h"

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

MainWindow::MainWindow(Configuration& config, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), config_(config), dialogs_(dialogs), statusLine_(new QLineEdit)
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
    addNamedAction(program, "MNU_READ", tr("&READ"));
    addNamedAction(program, "MNU_PROGRAM", tr("&WRITE TO CONTROLLER"));

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

void MainWindow::about()
{
    dialogs_.showNotice({Notice::Icon::Information, "ABOUT", " Version 1.1"});
}

// Ends the run at once: nothing is saved and nothing is asked.
void MainWindow::exit()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    exit();
}

} // namespace muxcc
