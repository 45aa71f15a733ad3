// EXIT chosen while a controller command is talking to the controller: the command ends at once
// with its failure text, the port closed and nothing left waiting, and nothing more is sent.

#include "app/main_window.h"
#include "support/recording_dialogs.h"
#include "support/virtual_link.h"

#include <QAction>
#include <QtTest>

using namespace muxcc;
using namespace muxcc::test;

class ExitDuringTransferTest : public QObject {
    Q_OBJECT

private slots:
    void shouldEndTheCommandWithThePortClosed_data()
    {
        QTest::addColumn<QString>("command"); // the menu item that starts it
        QTest::addColumn<int>("answerContactFrom");
        QTest::addColumn<int>("requests"); // requests made when EXIT is chosen

        // Requests counted from 1: a write stores settings record i of its order at 2 + 2i and code
        // words from 150 on; a read queries record r at 2 + 2r and 3 + 2r, code words from 260 on.
        QTest::newRow("write, while making contact") << "MNU_PROGRAM" << 4 << 2;
        QTest::newRow("write, during the settings records") << "MNU_PROGRAM" << 1 << 40;
        QTest::newRow("write, during the code area") << "MNU_PROGRAM" << 1 << 400;
        QTest::newRow("read, during the settings records") << "MNU_READ" << 1 << 101;
        QTest::newRow("read, during the code area") << "MNU_READ" << 1 << 500;
    }
    void shouldEndTheCommandWithThePortClosed()
    {
        QFETCH(QString, command);
        QFETCH(int, answerContactFrom);
        QFETCH(int, requests);

        LinkBench bench({.answerContactFrom = answerContactFrom});
        RecordingDialogs dialogs;
        MainWindow window(bench.config, dialogs, bench, bench);
        const Configuration before = bench.config;

        window.findChild<QAction*>(command)->trigger();
        while (bench.controller.requests.size() < std::size_t(requests) && bench.runNext()) {
        }
        QCOMPARE(bench.controller.requests.size(), std::size_t(requests));
        QVERIFY(bench.isOpen() && window.commandRunning());

        window.findChild<QAction*>("MNUEXIT")->trigger();
        QVERIFY(!bench.isOpen() && !window.commandRunning() && bench.pendingWaits() == 0);
        QCOMPARE(window.status(), QString("ERROR OCCURRED DURING %1, PLEASE TRY AGAIN.")
                                      .arg(command == "MNU_READ" ? "READING" : "PROGRAMMING"));
        // Nothing more goes out, and a write leaves the configuration as it was.
        while (bench.runNext()) {
        }
        QCOMPARE(bench.controller.requests.size(), std::size_t(requests));
        QVERIFY((command != "MNU_PROGRAM" || bench.config == before) && dialogs.notices.empty());
    }
};

QTEST_MAIN(ExitDuringTransferTest)
#include "exit_during_transfer_test.moc"
