// The cycle-count display and the reset against the simulated controller.

#include <QTest>

#ifndef Q_MOC_RUN // moc cannot parse <coroutine>
#include "support/link_bench.h"
#include "support/wire_records.h"
#endif

using namespace std::chrono_literals;
using namespace muxcc;
using namespace muxcc::link;
using namespace muxcc::test;

Q_DECLARE_METATYPE(SimulatorFaults)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const std::string ResetFailureText = "An Error occurred, Check Communication connections and Try again.";

void SetDigits(Configuration& config, const std::vector<int>& digits)
{
    for (int n = 1; n <= CycleCountDigitCount; ++n)
        config.CycleCountDigit[n] = static_cast<std::int16_t>(digits[static_cast<std::size_t>(n - 1)]);
}

} // namespace

class CycleCounterTest : public QObject {
    Q_OBJECT

private slots:
    void displayShowsTheCountRead_data()
    {
        QTest::addColumn<std::vector<int>>("digits"); // records 1..4: units first
        QTest::addColumn<QString>("status");

        QTest::newRow("digits 4, 3, 2, 1") << std::vector<int>{4, 3, 2, 1} << "Cycle Count = 1234";
        QTest::newRow("all zero") << std::vector<int>{0, 0, 0, 0} << "Cycle Count = 0";
        QTest::newRow("thousands digit of 12") << std::vector<int>{5, 4, 3, 12} << "Cycle Count = 12345";
        QTest::newRow("every digit 255") << std::vector<int>{255, 255, 255, 255} << "Cycle Count = 283305";
    }
    void displayShowsTheCountRead()
    {
        QFETCH(std::vector<int>, digits);
        QFETCH(QString, status);

        LinkBench bench;
        for (std::size_t n = 0; n < digits.size(); ++n)
            bench.controller.settings[n + 1] = static_cast<std::uint8_t>(digits[n]);
        QCOMPARE(bench.run(bench.commands.displayCycleCount()), std::optional(CommandOutcome::Succeeded));
        QCOMPARE(bench.observer.statuses.size(), std::size_t{6});
        QCOMPARE(bench.observer.statuses[4], std::string("READ COMPLETED"));
        QCOMPARE(bench.observer.statuses[5], status.toStdString());
        QVERIFY(!bench.channel.isOpen());
    }

    void displayAfterAFailedReadShowsTheKeptCount_data()
    {
        QTest::addColumn<std::vector<int>>("kept");
        QTest::addColumn<QString>("status");

        QTest::newRow("right after start") << std::vector<int>{0, 0, 0, 0} << "Cycle Count = 0";
        QTest::newRow("digits of an earlier read") << std::vector<int>{7, 0, 0, 1} << "Cycle Count = 1007";
    }
    void displayAfterAFailedReadShowsTheKeptCount()
    {
        QFETCH(std::vector<int>, kept);
        QFETCH(QString, status);

        LinkBench bench({.silent = true});
        SetDigits(bench.config, kept);
        QCOMPARE(bench.run(bench.commands.displayCycleCount()), std::optional(CommandOutcome::Failed));
        QCOMPARE(bench.observer.statuses,
                 (std::vector<std::string>{"STARTING COMMUNICATIONS.......",
                                           "ERROR OCCURRED DURING READING, PLEASE TRY AGAIN.",
                                           status.toStdString()}));
    }

    void resetClearsRecordsZeroToFour()
    {
        LinkBench bench;
        bench.controller.settings = {9, 4, 3, 2, 1, 66};
        SetDigits(bench.config, {4, 3, 2, 1});
        const Configuration before = bench.config;

        QCOMPARE(bench.run(bench.commands.resetCycleCounter()), std::optional(CommandOutcome::Succeeded));
        std::vector<std::string> requests{"A"};
        for (int record = 0; record <= 4; ++record) {
            requests.push_back(Store(0, record, 0, 0));
            requests.push_back(Query(0, record));
        }
        QCOMPARE(bench.controller.requests, requests);
        QCOMPARE(bench.observer.statuses, (std::vector<std::string>{"starting communications",
                                                                    "Cycle count has been Reset to 00000"}));
        const std::array<std::uint8_t, 6> cleared{0, 0, 0, 0, 0, 66};
        QVERIFY(std::equal(cleared.begin(), cleared.end(), bench.controller.settings.begin()));
        QVERIFY(bench.config == before);
        QVERIFY(!bench.channel.isOpen());
        QCOMPARE(bench.clock.now(), Microseconds(500ms));

        QCOMPARE(bench.run(bench.commands.displayCycleCount()), std::optional(CommandOutcome::Succeeded));
        QCOMPARE(bench.observer.statuses.back(), std::string("Cycle Count = 0"));
    }

    void resetStopsAtTheFirstFailure_data()
    {
        QTest::addColumn<SimulatorFaults>("faults");
        QTest::addColumn<std::vector<int>>("records"); // records 0..4 afterwards

        using Kind = SimulatorFault::Kind;
        QTest::newRow("no controller") << SimulatorFaults{.silent = true} << std::vector<int>{9, 4, 3, 2, 1};
        QTest::newRow("record 2 reads back wrong")
            << SimulatorFaults{.wrongReadBackRecord = 2} << std::vector<int>{0, 0, 0, 2, 1};
        QTest::newRow("record 1 not acknowledged")
            << SimulatorFaults{.faults = {{Kind::Drop, 4}}} << std::vector<int>{0, 0, 3, 2, 1};
        QTest::newRow("device vanishes at record 3")
            << SimulatorFaults{.faults = {{Kind::Vanish, 8}}} << std::vector<int>{0, 0, 0, 2, 1};
    }
    void resetStopsAtTheFirstFailure()
    {
        QFETCH(SimulatorFaults, faults);
        QFETCH(std::vector<int>, records);

        LinkBench bench(faults);
        bench.controller.settings = {9, 4, 3, 2, 1};
        QCOMPARE(bench.run(bench.commands.resetCycleCounter()), std::optional(CommandOutcome::Failed));
        QCOMPARE(bench.observer.statuses,
                 (std::vector<std::string>{"starting communications", ResetFailureText}));
        QCOMPARE(std::vector<int>(bench.controller.settings.begin(), bench.controller.settings.begin() + 5),
                 records);
        QVERIFY(!bench.channel.isOpen());
    }
};

QTEST_GUILESS_MAIN(CycleCounterTest)
#include "cycle_counter_test.moc"
