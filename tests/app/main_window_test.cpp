#include "app/main_window.h"
#include "app/status_line.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;

namespace {

// A program whose port 1 is a device that does not exist.
struct Program {
    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::link::SerialPortChannel channel{QStringLiteral("/nonexistent/ttyS0")};
    muxcc::link::SerialPortWaiter waiter{channel};
    muxcc::MainWindow window{config, dialogs, channel, waiter};

    void choose(const QString& item) { window.findChild<QAction*>(item)->trigger(); }
};

// "NAME=Caption", and for a drop-down its items in brackets.
QString Outline(QAction* action)
{
    QString text = action->objectName() + '=' + action->text();
    if (QMenu* menu = action->menu()) {
        QStringList items;
        for (QAction* item : menu->actions())
            items << Outline(item);
        text += '[' + items.join(',') + ']';
    }
    return action->isEnabled() && action->isVisible() ? text : text + " (disabled)";
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldStartWithCaptionMenuAndWelcomeText()
    {
        Program program;
        QCOMPARE(program.window.windowTitle(), QStringLiteral("MULTIPLEX CONTROLLER COMPILIER"));
        QCOMPARE(program.window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));

        QStringList bar;
        for (QAction* action : program.window.menuBar()->actions())
            bar << Outline(action);
        QCOMPARE(bar, (QStringList{
                          "MNUFILE=&FILE[MNUOPEN=&OPEN,MNUSAVE=&SAVE,MNUSAVEAS=SAVE &AS,MNUPRINT=&PRINT,"
                          "MNUEXIT=&EXIT]",
                          "multi_ch_config=&Multiplexed Channel Config",
                          "MNUTIMERS=&TIMERS",
                          "MNU_ANA_CONFIG=&ANALOG CONFIG",
                          "mnu_additionFeatures=&Addition Features",
                          "MNU_BLN=&BOOLEANS",
                          "MNU_PRG=&PROGRAM[MNU_READ=&READ,MNU_PROGRAM=&WRITE TO CONTROLLER]",
                          "MNU_ABOUT=&ABOUT",
                      }));
    }

    void shouldShowVersionWithoutChangingAnything()
    {
        Program program;
        program.config.ChannelDirection[3] = 1;
        const Configuration before = program.config;
        program.window.statusLine().showMessage(QStringLiteral("FILE OPEN COMPLETED"));

        program.choose(QStringLiteral("MNU_ABOUT"));

        const std::vector<Notice> about{{Notice::Icon::Information, "ABOUT", " Version 1.1"}};
        QVERIFY(program.dialogs.notices == about);
        QCOMPARE(program.window.status(), QStringLiteral("FILE OPEN COMPLETED"));
        QVERIFY(program.config == before);
    }

    // A port that cannot be opened is a failed contact: the command ends at once with its own text.
    void shouldReportAnUnreachableControllerInTheStatusLine_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("status");
        QTest::newRow("write") << "MNU_PROGRAM"
                               << "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.";
        QTest::newRow("read") << "MNU_READ"
                              << "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.";
    }

    void shouldReportAnUnreachableControllerInTheStatusLine()
    {
        QFETCH(QString, item);
        QFETCH(QString, status);
        Program program;
        const Configuration before = program.config;

        program.choose(item);

        QCOMPARE(program.window.status(), status);
        QVERIFY(program.config == before);
        QVERIFY(program.dialogs.notices.empty());
    }

    void shouldCloseEveryWindowOnExitWithoutAsking()
    {
        Program program;
        program.window.show();
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));

        program.choose(QStringLiteral("MNUEXIT"));

        QVERIFY(!program.window.isVisible());
        QVERIFY(!other.isVisible());
        QVERIFY(program.dialogs.notices.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
