#include "settings/channel_window.h"
#include "settings_bench.h"

using muxcc::test::Digits;
using muxcc::test::SetDigits;

class ChannelWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Opened on `first`, reopened on `then`: only 0 and 1 select an option. A click not saved is lost, so a
    // second save after reopening stores the same.
    void shouldShowAndStoreTheDirections_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("ones select OUTPUT") << "0000000000000000" << "1100000000000001" << "" << "1100000000000001";
        QTest::newRow("zeros select INPUT") << "0100000010000000" << "0000000010000000" << "" << "0000000010000000";
        QTest::newRow("other values leave the frame") << "1000000000000000" << "2000900000000003" << "" << "1000000000000000";
        QTest::newRow("outputs clicked") << "0000000000000000" << "0000000000000000" << "mux3Output;mux16Output;" << "0010000000000001";
        QTest::newRow("clicked back to INPUT") << "0000000000000000" << "0000001000000000" << "mux7Input;mux8Output;mux8Input;" << "0000000000000000";
        // clang-format on
    }

    void shouldShowAndStoreTheDirections()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(QString, clicks);
        muxcc::test::SettingsProgram program;
        SetDigits(program.config.ChannelDirection, first);
        program.act(QStringLiteral("multi_ch_config"));
        SetDigits(program.config.ChannelDirection, then);
        int saved = 0; // the equation window recolours on the signal, so it must come after the wait
        QObject::connect(program.window.findChild<muxcc::ChannelWindow*>(),
                         &muxcc::ChannelWindow::directionsSaved, [&] { ++saved; });
        program.act("hide;multi_ch_config;" + clicks + "mnusaveioform2");
        QTEST(Digits(program.config.ChannelDirection), "stored");
        QCOMPARE(saved, 0);
        QTRY_COMPARE_WITH_TIMEOUT(
            program.events,
            QStringList({"status: IO CONFIGURATION Settings Saved, but not to file", "status:"}), 500);
        QCOMPARE(saved, 1);
        program.act(QStringLiteral("mux5Output;hide;multi_ch_config;mnusaveioform2"));
        QTEST(Digits(program.config.ChannelDirection), "stored");
    }
};

QTEST_MAIN(ChannelWindowTest)
#include "channel_window_test.moc"
