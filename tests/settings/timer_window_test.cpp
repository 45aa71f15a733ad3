#include "app/status_line.h"
#include "settings/timer_window.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <chrono>
#include <utility>

using muxcc::Notice;
using muxcc::TimerCount;
using namespace std::chrono_literals;

namespace {

// Remembers what the status line showed when each message came up.
struct StatusAtNotice : muxcc::test::RecordingDialogs {
    const muxcc::StatusLine* status = nullptr;
    QStringList statuses;
    void showNotice(const Notice& notice) override
    {
        RecordingDialogs::showNotice(notice);
        statuses << status->text();
    }
};

struct Bench {
    muxcc::Configuration config;
    StatusAtNotice dialogs;
    muxcc::StatusLine status;
    muxcc::TimerWindow window{config, dialogs, status};

    Bench() { dialogs.status = &status; }

    template <typename Control>
    Control* find(const QString& name) const
    {
        return window.findChild<Control*>(name);
    }
    void click(const QString& name)
    {
        QTest::mouseClick(find<QRadioButton>(name), Qt::LeftButton, {}, QPoint(6, 6));
    }
    void type(const QString& name, const QString& text)
    {
        auto* box = find<QLineEdit>(name);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void save() { find<QAction>(QStringLiteral("mnutimersaveform3"))->trigger(); }
    // Modes as one digit per timer, TIMER #1 first; "?" unless exactly one option is selected.
    void storeModes(const QString& digits)
    {
        for (int n = 1; n <= TimerCount; ++n)
            config.TimerMode[n] = static_cast<std::int16_t>(digits[n - 1].digitValue());
    }
    QString storedModes() const
    {
        QString digits;
        for (std::int16_t mode : config.TimerMode)
            digits += QString::number(mode);
        return digits;
    }
    QString shownModes() const
    {
        QString digits;
        for (int n = 1; n <= TimerCount; ++n) {
            const bool duty = find<QRadioButton>(QStringLiteral("timer%1Duty").arg(n))->isChecked();
            const bool oneShot = find<QRadioButton>(QStringLiteral("timer%1OneShot").arg(n))->isChecked();
            digits += duty == oneShot ? '?' : oneShot ? '1' : '0';
        }
        return digits;
    }
    // "count:box" for the ten boxes, TIMER #1 OFF first.
    QStringList times() const
    {
        QStringList list;
        for (int n = 1; n <= TimerCount; ++n)
            for (const auto& [side, count] :
                 {std::pair{"Off", config.TimerOffTime[n]}, std::pair{"On", config.TimerOnTime[n]}})
                list << QString::number(count) + ':' +
                            find<QLineEdit>(QStringLiteral("timer%1%2").arg(n).arg(side))->text();
        return list;
    }
    QStringList titles() const
    {
        QStringList list;
        for (const Notice& notice : dialogs.notices)
            list << QString::fromStdString(notice.title);
        return list;
    }
};

// Counts of the ten boxes, TIMER #1 OFF first: each one shown in its own box.
constexpr int BaselineCounts[] = {50, 65500, 2, 625, 62, 51, 625, 1, 65500, 100};

} // namespace

class TimerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldOfferFiveFramesOfOptionsAndTimesInRowOrder()
    {
        Bench bench;
        QCOMPARE(bench.window.windowTitle(), QStringLiteral("TIMER CONFIGURATION"));
        QCOMPARE(bench.find<QAction>(QStringLiteral("mnutimersaveform3"))->text(),
                 QStringLiteral("&Save Timer Settings"));
        // Each frame's controls in creation order, which is also the Tab order.
        QStringList frames;
        for (const QGroupBox* frame : bench.window.findChildren<QGroupBox*>()) {
            QStringList parts{frame->objectName() + '=' + frame->title()};
            for (const QWidget* w : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (const auto* option = qobject_cast<const QRadioButton*>(w))
                    parts << QStringLiteral("%1=%2(%3; %4)%5")
                                 .arg(w->objectName(), option->text(), w->accessibleName(),
                                      w->accessibleDescription(), option->isChecked() ? "*" : "");
                else if (const auto* label = qobject_cast<const QLabel*>(w))
                    parts << label->text() + (label->buddy() ? " for " + label->buddy()->objectName() : "");
                else
                    parts << QStringLiteral("%1(%2)=%3")
                                 .arg(w->objectName(), w->accessibleName(), w->property("text").toString());
            }
            frames << parts.join(QStringLiteral(", "));
        }
        QCOMPARE(frames.size(), TimerCount);
        QCOMPARE(frames[1],
                 QStringLiteral("timer2=TIMER #2, timer2Duty=DUTY(DUTY; TIMER #2)*, "
                                "timer2OneShot=TRIGGERABLE ONE SHOT(TRIGGERABLE ONE SHOT; TIMER #2), "
                                "OFF for timer2Off, timer2Off(TIMER#2 OFF TIME)=0.0, "
                                "ON for timer2On, timer2On(TIMER#2 ON TIME)=0.0, SECONDS"));
        QVERIFY(frames[4].startsWith(QStringLiteral("timer5=TIMER #5, timer5Duty=DUTY(DUTY; TIMER #5)*")));

        QStringList tabOrder;
        for (QWidget* w = bench.window.nextInFocusChain(); w != &bench.window; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                tabOrder << w->objectName();
        QCOMPARE(tabOrder.size(), 4 * TimerCount);
        QCOMPARE(tabOrder.mid(4, 5),
                 (QStringList{"timer2Duty", "timer2OneShot", "timer2Off", "timer2On", "timer3Duty"}));
    }

    // Every row opens the window on the Baseline times; only the box typed into changes.
    void shouldStoreAValidTimeAndReportAnInvalidOne_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("box"); // 0 = TIMER #1 OFF .. 9 = TIMER #5 ON
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("1310 is the longest time") << "1310" << 0 << "65500:1310" << QStringList{};
        QTest::newRow("1310.01 is too long") << "1310.01" << 3 << "0:0" << QStringList{"TIMER#2 ON TIME"};
        QTest::newRow("1311 is too long") << "1311" << 4 << "0:0" << QStringList{"TIMER#3 OFF TIME"};
        QTest::newRow("a negative time") << "-0.01" << 7 << "0:0" << QStringList{"TIMER#4 ON TIME"};
        QTest::newRow("0.01 halves to no count") << "0.01" << 8 << "0:0" << QStringList{};
        QTest::newRow("1.234 rounds to 62 counts") << "1.234" << 1 << "62:1.24" << QStringList{};
        QTest::newRow("0.05 halves to even") << "0.05" << 2 << "2:0.04" << QStringList{};
        QTest::newRow("0.07 rounds up") << "0.07" << 9 << "4:0.08" << QStringList{};
        QTest::newRow("blanks around a number") << " 12.5 " << 5 << "625:12.5" << QStringList{};
        QTest::newRow("a word") << "ten" << 6 << "0:0" << QStringList{"TIMER#4 OFF TIME"};
        QTest::newRow("an empty box") << "" << 9 << "0:0" << QStringList{"TIMER#5 ON TIME"};
    }

    void shouldStoreAValidTimeAndReportAnInvalidOne()
    {
        QFETCH(QString, typed);
        QFETCH(int, box);
        QFETCH(QString, stored);
        Bench bench;
        for (int n = 1; n <= TimerCount; ++n) {
            bench.config.TimerOffTime[n] = BaselineCounts[2 * n - 2];
            bench.config.TimerOnTime[n] = BaselineCounts[2 * n - 1];
        }
        bench.window.open();
        bench.type(QStringLiteral("timer%1%2").arg(box / 2 + 1).arg(box % 2 ? "On" : "Off"), typed);
        bench.save();

        QStringList expected =
            QStringLiteral("50:1 65500:1310 2:0.04 625:12.5 62:1.24 51:1.02 625:12.5 1:0.02 "
                           "65500:1310 100:2")
                .split(' ');
        expected[box] = stored;
        QCOMPARE(bench.times(), expected);
        QTEST(bench.titles(), "titles");
        for (const Notice& notice : bench.dialogs.notices)
            QVERIFY(notice.icon == Notice::Icon::Exclamation &&
                    notice.text == " MUST BE A NUMBER BETWEEN 0 AND 1310");
    }

    void shouldStoreModesAndReportEveryEmptyBoxInOrder()
    {
        Bench bench;
        bench.status.setStatusWait(20ms);
        bench.storeModes(QStringLiteral("11002")); // 2 is no mode: TIMER #5 keeps DUTY
        bench.window.open();
        bench.click(QStringLiteral("timer1Duty"));
        bench.click(QStringLiteral("timer4OneShot"));
        for (int n = 1; n <= TimerCount; ++n) {
            bench.type(QStringLiteral("timer%1Off").arg(n), QString());
            bench.type(QStringLiteral("timer%1On").arg(n), QString());
        }
        bench.dialogs.notices.clear();
        bench.dialogs.statuses.clear();
        bench.save();

        QCOMPARE(bench.storedModes(), QStringLiteral("01010"));
        QCOMPARE(bench.titles(),
                 (QStringList{"TIMER#1 OFF TIME", "TIMER#1 ON TIME", "TIMER#2 OFF TIME", "TIMER#2 ON TIME",
                              "TIMER#3 OFF TIME", "TIMER#3 ON TIME", "TIMER#4 OFF TIME", "TIMER#4 ON TIME",
                              "TIMER#5 OFF TIME", "TIMER#5 ON TIME"}));
        QCOMPARE(bench.dialogs.statuses,
                 QStringList(10, QStringLiteral(" Timer Settings Saving, but not to file")));
        QCOMPARE(bench.times(), QStringList(10, QStringLiteral("0:0")));
        QCOMPARE(bench.status.text(), QStringLiteral(" Timer Settings Saved, but not to file"));
        QTRY_COMPARE(bench.status.text(), QString());
    }

    // "reopen" hides the window and opens it again, as a read's refresh does.
    void shouldAnnounceOneShotOnlyWhenSelectedInAVisibleWindow_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("shown");
        QTest::newRow("loading a hidden window")
            << "01010" << false << "" << false << "" << QStringList{} << "01010";
        QTest::newRow("opening the window")
            << "01010" << true << "" << false << "" << QStringList{} << "01010";
        QTest::newRow("a read's refresh")
            << "00000" << true << "11111" << true << "" << QStringList{} << "11111";
        QTest::newRow("reloading a visible window")
            << "01000" << true << "01101" << false << "" << QStringList{"TIMER#3", "TIMER#5"} << "01101";
        QTest::newRow("reloading duty timers")
            << "11000" << true << "00000" << false << "" << QStringList{} << "00000";
        QTest::newRow("other modes leave the options")
            << "01000" << true << "79797" << false << "" << QStringList{} << "01000";
        QTest::newRow("clicking one shot of timer 4")
            << "00000" << true << "" << false << "timer4OneShot" << QStringList{"TIMER#4"} << "00010";
        QTest::newRow("clicking DUTY")
            << "00010" << true << "" << false << "timer4Duty" << QStringList{} << "00000";
    }

    void shouldAnnounceOneShotOnlyWhenSelectedInAVisibleWindow()
    {
        QFETCH(QString, first);
        QFETCH(bool, visible);
        QFETCH(QString, then);
        QFETCH(bool, reopen);
        QFETCH(QString, click);
        Bench bench;
        bench.storeModes(first);
        visible ? bench.window.open() : bench.window.load();
        if (!then.isEmpty()) {
            bench.storeModes(then);
            bench.window.setVisible(visible && !reopen);
            reopen ? bench.window.open() : bench.window.load();
        }
        if (!click.isEmpty())
            bench.click(click);

        QTEST(bench.titles(), "titles");
        for (const Notice& notice : bench.dialogs.notices)
            QVERIFY(notice == Notice({Notice::Icon::Information, notice.title,
                                      " TRIGGERABLE ONE SHOT TIMER WILL START WHEN TRIGGER" +
                                          notice.title.substr(6) + " IS TRUE AND REMAINS TRUE"}));
        QTEST(bench.shownModes(), "shown");
        QCOMPARE(bench.window.isVisible(), visible);
    }
};

QTEST_MAIN(TimerWindowTest)
#include "timer_window_test.moc"
