// What all four controller commands share: the busy check and a port that
// cannot be opened.

#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "support/link_bench.h"
#endif

using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

namespace {

enum class Command { Write, Read, Display, Reset };

Task<CommandOutcome> Start(ControllerCommands& commands, Command command)
{
    switch (command) {
    case Command::Write:
        return commands.writeToController();
    case Command::Read:
        return commands.readFromController();
    case Command::Display:
        return commands.displayCycleCount();
    case Command::Reset:
        return commands.resetCycleCounter();
    }
    Q_UNREACHABLE();
}

} // namespace

Q_DECLARE_METATYPE(Command)

class ControllerCommandsTest : public QObject {
    Q_OBJECT

    // One row per command, with what it shows when the port cannot be opened.
    static void addEachCommand()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QStringList>("failedOpenStatuses");

        QTest::newRow("write") << Command::Write
                               << QStringList{"Starting Communications",
                                              "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN."};
        QTest::newRow("read") << Command::Read
                              << QStringList{"STARTING COMMUNICATIONS.......",
                                             "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN."};
        QTest::newRow("display cycle count")
            << Command::Display
            << QStringList{"STARTING COMMUNICATIONS.......",
                           "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.", "Cycle Count = 0"};
        QTest::newRow("reset cycle counter")
            << Command::Reset
            << QStringList{"starting communications",
                           "An Error occurred, Check Communication connections and Try again."};
    }

private slots:
    void busyPortRefusesTheCommand_data() { addEachCommand(); }
    void busyPortRefusesTheCommand()
    {
        QFETCH(Command, command);

        LinkBench bench;
        QVERIFY(bench.channel.open());
        const Configuration before = bench.config;
        QCOMPARE(bench.run(Start(bench.commands, command)), std::optional(CommandOutcome::Busy));
        const Notice busy{
            Notice::Icon::Information, "Communication Port in use",
            " Communication Port Already In Use, Please wait until Communication Port is Free "};
        QCOMPARE(bench.observer.notices, std::vector<Notice>{busy});
        QVERIFY(bench.observer.statuses.empty());
        QVERIFY(bench.controller.requests.empty());
        QVERIFY(bench.channel.isOpen());
        QVERIFY(bench.config == before);
    }

    void portThatCannotOpenIsFailedContact_data() { addEachCommand(); }
    void portThatCannotOpenIsFailedContact()
    {
        QFETCH(Command, command);
        QFETCH(QStringList, failedOpenStatuses);

        LinkBench bench;
        bench.channel.openFails = true;
        QCOMPARE(bench.run(Start(bench.commands, command)), std::optional(CommandOutcome::Failed));
        std::vector<std::string> statuses;
        for (const QString& status : failedOpenStatuses)
            statuses.push_back(status.toStdString());
        QCOMPARE(bench.observer.statuses, statuses);
        QVERIFY(bench.controller.requests.empty());
        QCOMPARE(bench.clock.now(), Microseconds{0});
    }
};

QTEST_GUILESS_MAIN(ControllerCommandsTest)
#include "controller_commands_test.moc"
