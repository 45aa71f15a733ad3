#include "app/status_line.h"
#include "settings/channel_window.h"

#include <QAction>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <chrono>
#include <memory>

using muxcc::ChannelCount;
using namespace std::chrono_literals;

namespace {

struct Bench {
    muxcc::Configuration config;
    muxcc::StatusLine status;
    std::unique_ptr<muxcc::ChannelWindow> window = std::make_unique<muxcc::ChannelWindow>(config, status);

    QRadioButton* option(const QString& name) const { return window->findChild<QRadioButton*>(name); }
    // At the indicator: the button is wider than its caption.
    void click(const QString& name) { QTest::mouseClick(option(name), Qt::LeftButton, {}, QPoint(6, 6)); }
    void save() { window->findChild<QAction*>(QStringLiteral("mnusaveioform2"))->trigger(); }
    // Directions as one digit per channel, MUX1 first; options shown as "I" or "O".
    void store(const QString& digits)
    {
        for (int n = 1; n <= ChannelCount; ++n)
            config.ChannelDirection[n] = static_cast<std::int16_t>(digits[n - 1].digitValue());
    }
    QString stored() const
    {
        QString digits;
        for (std::int16_t direction : config.ChannelDirection)
            digits += QString::number(direction);
        return digits;
    }
    QString shown() const
    {
        QString letters;
        for (int n = 1; n <= ChannelCount; ++n) {
            const bool input = option(QStringLiteral("mux%1Input").arg(n))->isChecked();
            letters += input == option(QStringLiteral("mux%1Output").arg(n))->isChecked() ? '?'
                       : input                                                            ? 'I'
                                                                                          : 'O';
        }
        return letters;
    }
};

} // namespace

class ChannelWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldOfferSixteenFramesOfInputAndOutputInRowOrder()
    {
        Bench bench;
        QCOMPARE(bench.window->windowTitle(), QStringLiteral("MULTIPLEXED CHANNEL IO CONFIGURATION"));
        QCOMPARE(bench.window->findChild<QAction*>(QStringLiteral("mnusaveioform2"))->text(),
                 QStringLiteral("&Save IO Configuration"));
        QCOMPARE(bench.window->findChild<QGroupBox*>(QStringLiteral("mux16"))->title(),
                 QStringLiteral("MUX16"));
        // Tab goes along a row of frames before the next row.
        bench.window->open();
        const auto top = [&](int n) {
            return bench.window->findChild<QGroupBox*>(QStringLiteral("mux%1").arg(n))->geometry().top();
        };
        QVERIFY(top(1) == top(4) && top(4) < top(5));
        // Tab order, each option as "name=caption(accessible name; description)", a star when selected.
        QStringList tabOrder;
        for (QWidget* w = bench.window->nextInFocusChain(); w != bench.window.get();
             w = w->nextInFocusChain()) {
            if (!(w->focusPolicy() & Qt::TabFocus))
                continue;
            const auto* option = qobject_cast<QRadioButton*>(w);
            QVERIFY2(option, qPrintable(w->objectName()));
            tabOrder << QStringLiteral("%1=%2(%3; %4)%5")
                            .arg(w->objectName(), option->text(), w->accessibleName(),
                                 w->accessibleDescription(), option->isChecked() ? "*" : "");
        }
        QCOMPARE(tabOrder.size(), 2 * ChannelCount);
        QCOMPARE(tabOrder.mid(4, 2),
                 (QStringList{"mux3Input=INPUT(INPUT; MUX3)*", "mux3Output=OUTPUT(OUTPUT; MUX3)"}));
        QCOMPARE(tabOrder.last(), QStringLiteral("mux16Output=OUTPUT(OUTPUT; MUX16)"));
    }

    void shouldSelectOnlyDirectionsZeroAndOne_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("directions");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ones select OUTPUT") << QStringList{} << "1100000000000001"
                                            << "OOIIIIIIIIIIIIIO";
        QTest::newRow("zero replaces a clicked OUTPUT")
            << QStringList{"mux2Output", "mux9Output"} << "0000000010000000"
            << "IIIIIIIIOIIIIIII";
        QTest::newRow("other values leave the frame") << QStringList{"mux1Output"} << "2000900000000000"
                                                      << "OIIIIIIIIIIIIIII";
    }

    void shouldSelectOnlyDirectionsZeroAndOne()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, directions);
        Bench bench;
        bench.window->open();
        for (const QString& name : clicks)
            bench.click(name);
        bench.store(directions);
        bench.window->load();
        QTEST(bench.shown(), "shown");
    }

    void shouldStoreTheDirectionsShown_data()
    {
        QTest::addColumn<QString>("directions");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("stored");
        QTest::newRow("MUX3 and MUX16 outputs")
            << "0000000000000000" << QStringList{"mux3Output", "mux16Output"} << "0010000000000001";
        QTest::newRow("OUTPUT clicked back to INPUT")
            << "0000001000000000" << QStringList{"mux7Input", "mux8Output", "mux8Input"}
            << "0000000000000000";
        QTest::newRow("another value stored as the option shown")
            << "1200000000000003" << QStringList{} << "1000000000000000";
    }

    void shouldStoreTheDirectionsShown()
    {
        QFETCH(QString, directions);
        QFETCH(QStringList, clicks);
        QFETCH(QString, stored);
        Bench bench;
        bench.store(directions);
        bench.window->open();
        for (const QString& name : clicks)
            bench.click(name);
        bench.save();
        QCOMPARE(bench.stored(), stored);

        bench.click(QStringLiteral("mux5Output")); // not saved, so lost on reopening
        bench.window->close();
        bench.window->open();
        QCOMPARE(bench.shown(), QString(stored).replace('0', 'I').replace('1', 'O'));
    }

    // The equation window recolours on the signal, so it must come after the wait.
    void shouldSignalWhenItsWaitEnds_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("after");
        QTest::newRow("own message cleared") << QString() << QString();
        QTest::newRow("a transfer's text stays") << "Unit has been programmed"
                                                 << "Unit has been programmed";
    }

    void shouldSignalWhenItsWaitEnds()
    {
        QFETCH(QString, meanwhile);
        Bench bench;
        bench.status.setStatusWait(20ms);
        QSignalSpy saved(bench.window.get(), &muxcc::ChannelWindow::directionsSaved);
        bench.save();
        QCOMPARE(bench.status.text(), QStringLiteral(" IO CONFIGURATION Settings Saved, but not to file"));
        QCOMPARE(saved.count(), 0);
        if (!meanwhile.isNull())
            bench.status.showMessage(meanwhile);
        QTRY_COMPARE(saved.count(), 1);
        QTEST(bench.status.text(), "after");
    }

    void shouldLeaveAWindowDestroyedDuringItsWaitAlone()
    {
        Bench bench;
        bench.status.setStatusWait(20ms);
        bench.save();
        bench.window.reset();
        QTRY_COMPARE(bench.status.text(), QString());
    }
};

QTEST_MAIN(ChannelWindowTest)
#include "channel_window_test.moc"
