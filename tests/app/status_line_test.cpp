#include "app/status_line.h"

#include <QtTest>

#include <memory>

class StatusLineTest : public QObject {
    Q_OBJECT

private slots:
    // A timed message, then what followed it during its wait. Each continuation notes the text standing when
    // it ran; the timed message's own is skipped when its window is destroyed during the wait.
    void shouldClearOnlyItsOwnMessageThenContinue_data()
    {
        QTest::addColumn<QString>("followedBy"); // null: nothing
        QTest::addColumn<bool>("followerTimed"); // with a continuation of its own, tied to no window
        QTest::addColumn<bool>("windowDestroyed");
        QTest::addColumn<QStringList>("seen"); // by the continuations, then finally
        QTest::newRow("nothing") << QString() << false << false << QStringList{"", ""};
        QTest::newRow("window destroyed during the wait") << QString() << false << true << QStringList{""};
        QTest::newRow("a transfer's result")
            << "programmed" << false << false << QStringList{"programmed", "programmed"};
        QTest::newRow("a second save") << "saved" << true << false << QStringList{"saved", "", ""};
        QTest::newRow("the same text again, as a command's")
            << "Saved" << false << false << QStringList{"Saved", "Saved"};
    }

    void shouldClearOnlyItsOwnMessageThenContinue()
    {
        QFETCH(QString, followedBy);
        QFETCH(bool, followerTimed);
        QFETCH(bool, windowDestroyed);
        QFETCH(QStringList, seen);
        muxcc::StatusLine status;
        status.setStatusWait(std::chrono::milliseconds(100));
        auto window = std::make_unique<QObject>();
        QStringList noted;
        status.showTimedMessage(QStringLiteral("Saved"), window.get(), [&] { noted << status.text(); });
        QCOMPARE(status.text(), QStringLiteral("Saved"));
        if (windowDestroyed)
            window.reset();
        QTest::qWait(20);
        if (followerTimed)
            status.showTimedMessage(followedBy, nullptr, [&] { noted << status.text(); });
        else if (!followedBy.isNull())
            status.showMessage(followedBy);

        QTest::qWait(300);
        QCOMPARE(noted << status.text(), seen);
    }
};

QTEST_MAIN(StatusLineTest)
#include "status_line_test.moc"
