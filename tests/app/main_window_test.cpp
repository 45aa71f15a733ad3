#include "app/main_window.h"
#include "support/recording_dialogs.h"
#ifndef Q_MOC_RUN
#include "app/controller_session.h"
#endif

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using muxcc::Configuration;
using muxcc::ControllerSession;
using muxcc::MainWindow;
using muxcc::Notice;
using muxcc::testing::RecordingDialogs;

namespace {

// A program whose port 1 is a device that does not exist.
struct Program {
    Configuration config;
    RecordingDialogs dialogs;
    ControllerSession controller{QStringLiteral("/nonexistent/ttyS0"), config};
    MainWindow window{dialogs, controller};
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldShowCaptionAndWelcomeText()
    {
        Program program;
        MainWindow& window = program.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("MULTIPLEX CONTROLLER COMPILIER"));
        QCOMPARE(window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));
    }

    void shouldLayOutTheMenuBarInOrder()
    {
        Program program;
        MainWindow& window = program.window;

        QStringList bar;
        for (QAction* action : window.menuBar()->actions())
            bar << action->objectName() + '=' + action->text();
        QCOMPARE(bar, (QStringList{"MNUFILE=&FILE", "multi_ch_config=&Multiplexed Channel Config",
                                   "MNUTIMERS=&TIMERS", "MNU_ANA_CONFIG=&ANALOG CONFIG",
                                   "mnu_additionFeatures=&Addition Features", "MNU_BLN=&BOOLEANS",
                                   "MNU_PRG=&PROGRAM", "MNU_ABOUT=&ABOUT"}));
        for (QAction* action : window.menuBar()->actions())
            QVERIFY2(action->isEnabled() && action->isVisible(), qPrintable(action->objectName()));
    }

    void shouldDropDownOnlyFileAndProgram_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("file") << "MNUFILE"
                              << QStringList{"MNUOPEN=&OPEN", "MNUSAVE=&SAVE", "MNUSAVEAS=SAVE &AS",
                                             "MNUPRINT=&PRINT", "MNUEXIT=&EXIT"};
        QTest::newRow("program") << "MNU_PRG"
                                 << QStringList{"MNU_READ=&READ", "MNU_PROGRAM=&WRITE TO CONTROLLER"};
    }

    void shouldDropDownOnlyFileAndProgram()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        Program program;
        MainWindow& window = program.window;

        const auto* dropDown = window.findChild<QMenu*>(menu);
        QVERIFY(dropDown);
        QStringList shown;
        for (QAction* action : dropDown->actions())
            shown << action->objectName() + '=' + action->text();
        QCOMPARE(shown, items);

        QStringList dropDowns;
        for (QAction* action : window.menuBar()->actions())
            if (action->menu())
                dropDowns << action->objectName();
        QCOMPARE(dropDowns, (QStringList{"MNUFILE", "MNU_PRG"}));
    }

    void shouldShowVersionWithoutChangingAnything()
    {
        Program program;
        program.config.ChannelDirection[3] = 1;
        const Configuration before = program.config;
        program.window.showStatus(QStringLiteral("FILE OPEN COMPLETED"));

        program.window.findChild<QAction*>(QStringLiteral("MNU_ABOUT"))->trigger();

        QCOMPARE(program.dialogs.notices.size(), std::size_t{1});
        QVERIFY(program.dialogs.notices.front() ==
                (Notice{Notice::Icon::Information, "ABOUT", " Version 1.1"}));
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

        program.window.findChild<QAction*>(item)->trigger();

        QCOMPARE(program.window.status(), status);
        QVERIFY(program.config == before);
        QVERIFY(program.dialogs.notices.empty());
    }

    void shouldCloseEveryWindowOnExitWithoutAsking()
    {
        Program program;
        MainWindow& window = program.window;
        window.show();
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.findChild<QAction*>(QStringLiteral("MNUEXIT"))->trigger();

        QVERIFY(!window.isVisible());
        QVERIFY(!other.isVisible());
        QVERIFY(program.dialogs.notices.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
