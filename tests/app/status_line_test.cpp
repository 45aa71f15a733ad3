#include "app/status_line.h"

#include <QtTest>

#include <chrono>
#include <memory>

using namespace std::chrono_literals;
using muxcc::StatusLine;

namespace {

constexpr auto ShortWait = 20ms;

} // namespace

class StatusLineTest : public QObject {
    Q_OBJECT

private slots:
    // Which text stands once every wait has ended, after a timed message and what followed it.
    void shouldClearOnlyItsOwnMessage_data()
    {
        QTest::addColumn<QString>("followedBy");
        QTest::addColumn<bool>("followerTimed");
        QTest::addColumn<QString>("finally");
        QTest::newRow("nothing") << QString() << false << "";
        QTest::newRow("a transfer's result") << "Unit has been programmed" << false << "Unit has been programmed";
        QTest::newRow("a second save") << " Timer Settings Saved, but not to file" << true << "";
        QTest::newRow("the same text again, as a command's") << " Analog Settings Saved, but not to file" << false
                                                             << " Analog Settings Saved, but not to file";
    }

    void shouldClearOnlyItsOwnMessage()
    {
        QFETCH(QString, followedBy);
        QFETCH(bool, followerTimed);
        QFETCH(QString, finally);
        StatusLine status;
        status.setStatusWait(ShortWait);
        status.showTimedMessage(QStringLiteral(" Analog Settings Saved, but not to file"));
        QCOMPARE(status.text(), QStringLiteral(" Analog Settings Saved, but not to file"));

        if (!followedBy.isNull()) {
            QTest::qWait(ShortWait.count() / 2);
            if (followerTimed)
                status.showTimedMessage(followedBy);
            else
                status.showMessage(followedBy);
        }
        QTest::qWait(3 * ShortWait.count());
        QCOMPARE(status.text(), finally);
    }

    // The save's continuation (the channel window's recolouring, Compile's compile) runs after the wait,
    // unless the window it belongs to is gone.
    void shouldContinueAfterTheWaitUnlessTheContextIsGone_data()
    {
        QTest::addColumn<bool>("withContext");
        QTest::addColumn<bool>("contextDestroyed");
        QTest::addColumn<bool>("continued");
        QTest::newRow("no context") << false << false << true;
        QTest::newRow("context alive") << true << false << true;
        QTest::newRow("context destroyed during the wait") << true << true << false;
    }

    void shouldContinueAfterTheWaitUnlessTheContextIsGone()
    {
        QFETCH(bool, withContext);
        QFETCH(bool, contextDestroyed);
        QFETCH(bool, continued);
        StatusLine status;
        status.setStatusWait(ShortWait);
        auto context = std::make_unique<QObject>();
        int calls = 0;
        bool clearedFirst = false;
        status.showTimedMessage(QStringLiteral("saved"), withContext ? context.get() : nullptr, [&] {
            ++calls;
            clearedFirst = status.text().isEmpty();
        });
        QCOMPARE(calls, 0);
        if (contextDestroyed)
            context.reset();

        QTRY_COMPARE(status.text(), QString());
        QTest::qWait(ShortWait.count());
        QCOMPARE(calls, continued ? 1 : 0);
        QCOMPARE(clearedFirst, continued);
    }
};

QTEST_MAIN(StatusLineTest)
#include "status_line_test.moc"
