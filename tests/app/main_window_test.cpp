#include "app/main_window.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using muxcc::Configuration;
using muxcc::MainWindow;
using muxcc::Notice;
using muxcc::testing::RecordingDialogs;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldShowCaptionAndWelcomeText()
    {
        Configuration config;
        RecordingDialogs dialogs;
        MainWindow window(config, dialogs);
        QCOMPARE(window.windowTitle(), QStringLiteral("MULTIPLEX CONTROLLER COMPILIER"));
        QCOMPARE(window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));
    }

    void shouldLayOutTheMenuBarInOrder()
    {
        Configuration config;
        RecordingDialogs dialogs;
        MainWindow window(config, dialogs);

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
        Configuration config;
        RecordingDialogs dialogs;
        MainWindow window(config, dialogs);

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
        Configuration config;
        config.ChannelDirection[3] = 1;
        const Configuration before = config;
        RecordingDialogs dialogs;
        MainWindow window(config, dialogs);
        window.showStatus(QStringLiteral("FILE OPEN COMPLETED"));

        window.findChild<QAction*>(QStringLiteral("MNU_ABOUT"))->trigger();

        QCOMPARE(dialogs.notices.size(), std::size_t{1});
        QVERIFY(dialogs.notices.front() == (Notice{Notice::Icon::Information, "ABOUT", " Version 1.1"}));
        QCOMPARE(window.status(), QStringLiteral("FILE OPEN COMPLETED"));
        QVERIFY(config == before);
    }

    void shouldCloseEveryWindowOnExitWithoutAsking()
    {
        Configuration config;
        RecordingDialogs dialogs;
        MainWindow window(config, dialogs);
        window.show();
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.findChild<QAction*>(QStringLiteral("MNUEXIT"))->trigger();

        QVERIFY(!window.isVisible());
        QVERIFY(!other.isVisible());
        QVERIFY(dialogs.notices.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
