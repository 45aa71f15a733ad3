#include "settings/analog_window.h"

#include "app/status_line.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;
using namespace std::chrono_literals;

namespace {

struct Analog {
    Analog()
    {
        status.setStatusWait(5ms);
        window.open();
    }
    QLineEdit* box(const QString& name) { return window.findChild<QLineEdit*>(name); }
    void click(const QString& model)
    {
        QTest::mouseClick(window.findChild<QRadioButton*>(model), Qt::LeftButton);
    }
    void type(const QString& name, const QString& text)
    {
        QTest::keyClick(box(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(name), Qt::Key_Backspace);
        QTest::keyClicks(box(name), text);
    }
    void save() { window.findChild<QAction*>(QStringLiteral("mnusaveanalogform4"))->trigger(); }
    QStringList messages() const // "TITLE|text" of each exclamation notice
    {
        QStringList shown;
        for (const Notice& notice : dialogs.notices)
            shown << QString::fromStdString(
                notice.title + (notice.icon == Notice::Icon::Exclamation ? "|" : "?") + notice.text);
        return shown;
    }

    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::StatusLine status;
    muxcc::AnalogWindow window{config, dialogs, status};
};

// The field a box edits, by the box's name ("V3SET", "T2TIME").
double Field(const Configuration& config, const QString& box)
{
    const int n = box.mid(1, 1).toInt();
    if (box.endsWith(QStringLiteral("SET")))
        return box.startsWith('V') ? config.VoltageSetting[n] : config.TemperatureSetting[n];
    return box.startsWith('V') ? config.VoltageTime[n] : config.TemperatureTime[n];
}

const QStringList BoxesInCheckOrder{"T1SET",  "T1TIME", "T2SET",  "T2TIME", "T3SET",  "T3TIME", "T4SET",
                                    "T4TIME", "V1SET",  "V1TIME", "V2SET",  "V2TIME", "V3SET",  "V3TIME",
                                    "V4SET",  "V4TIME", "V5SET",  "V5TIME", "V6SET",  "V6TIME"};

} // namespace

class AnalogWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A new window: its start text, the title a screen reader speaks, and the label that is its buddy.
    void shouldPresentEachBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("V1 threshold") << "V1SET" << "0.0" << "V1 VOLTAGE SETTING" << "V1 IS TRUE WHEN BATTERY VOLTAGE IS >";
        QTest::newRow("V4 threshold") << "V4SET" << "0.0" << "V4 VOLTAGE SETTING" << "V4 IS TRUE WHEN BATTERY VOLTAGE IS <";
        QTest::newRow("V6 time") << "V6TIME" << "0.0" << "V6 TIME SETTING" << "FOR";
        QTest::newRow("T2 threshold") << "T2SET" << "0" << "T2 TEMPERATURE SETTING" << "T2 IS TRUE WHEN TEMPERATURE IS <";
        QTest::newRow("T3 threshold") << "T3SET" << "0" << "T3 TEMPERATURE SETTING" << "T3 IS TRUE WHEN TEMPERATURE IS >";
        QTest::newRow("T2 time") << "T2TIME" << "0.0" << "T2 TIME SETTING" << "FOR";
        // clang-format on
    }

    void shouldPresentEachBox()
    {
        QFETCH(QString, box);
        QFETCH(QString, start);
        QFETCH(QString, name);
        QFETCH(QString, label);
        Configuration config;
        muxcc::test::RecordingDialogs dialogs;
        muxcc::StatusLine status;
        const muxcc::AnalogWindow window{config, dialogs, status};
        QCOMPARE(window.windowTitle(), QStringLiteral("ANALOG CONFIGURATION"));
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("model12"))->isChecked());
        const auto* target = window.findChild<QLineEdit*>(box);
        QCOMPARE(target->text(), start);
        QCOMPARE(target->accessibleName(), name);
        QStringList buddies;
        for (const QLabel* candidate : window.findChildren<QLabel*>()) {
            if (candidate->buddy() == target)
                buddies << candidate->text();
        }
        QCOMPARE(buddies, QStringList{label});
    }

    void shouldSaveEachBoxWithinItsRange_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        const QString to20 = "V%1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20";
        const QString to36 = "V5 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36";
        const QString to1310 = "%1 TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310";
        const QString to100 = "T%1 TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND 100";
        // clang-format off
        QTest::newRow("12 V top") << "model12" << "V1SET" << "20" << "" << 20.0 << "20";
        QTest::newRow("12 V just above top") << "model12" << "V2SET" << "20.04" << to20.arg(2) << 0.0 << "0";
        QTest::newRow("12 V rounds to top") << "model12" << "V3SET" << "19.96" << "" << 20.0 << "20";
        QTest::newRow("24 V top") << "model24" << "V4SET" << "36" << "" << 36.0 << "36";
        QTest::newRow("24 V just above top") << "model24" << "V5SET" << "36.01" << to36 << 0.0 << "0";
        QTest::newRow("half tenth to even") << "model12" << "V6SET" << "12.25" << "" << double(12.2f) << "12.2";
        QTest::newRow("tenths to whole volts") << "model24" << "V1SET" << "12.05" << "" << 12.0 << "12";
        QTest::newRow("temperature top") << "model12" << "T1SET" << "100" << "" << 100.0 << "100";
        QTest::newRow("temperature above top") << "model12" << "T2SET" << "100.4" << to100.arg(2) << 0.0 << "0";
        QTest::newRow("temperature half up") << "model12" << "T3SET" << "99.5" << "" << 100.0 << "100";
        QTest::newRow("temperature half down") << "model12" << "T4SET" << "98.5" << "" << 98.0 << "98";
        QTest::newRow("temperature below zero") << "model12" << "T1SET" << "-0.4" << to100.arg(1) << 0.0 << "0";
        QTest::newRow("longest time") << "model12" << "V1TIME" << "1310" << "" << 65500.0 << "1310";
        QTest::newRow("time above longest") << "model12" << "T4TIME" << "1310.5" << to1310.arg("T4") << 0.0 << "0";
        QTest::newRow("time half count up") << "model24" << "T3TIME" << "1.03" << "" << 52.0 << "1.04";
        QTest::newRow("time with blanks") << "model12" << "V6TIME" << " 2 " << "" << 100.0 << "2";
        // clang-format on
    }

    void shouldSaveEachBoxWithinItsRange()
    {
        QFETCH(QString, model);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(double, stored);
        QFETCH(QString, shown);
        Analog analog;
        analog.config.VoltageSetting[1] = 9; // a rejected box stores 0, not what was there
        analog.config.TemperatureTime[4] = 9;
        analog.window.open();
        QSignalSpy statusTexts(&analog.status, &QLineEdit::textChanged);

        analog.click(model);
        analog.type(box, typed);
        analog.save();

        QCOMPARE(analog.messages(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(Field(analog.config, box), stored);
        QCOMPARE(analog.box(box)->text(), shown);
        QCOMPARE(analog.config.VoltageModel, model == "model24" ? 1 : 0);
        QCOMPARE(statusTexts.size(), 2);
        QCOMPARE(statusTexts.at(0).at(0).toString(),
                 QStringLiteral(" Analog Settings Saving, but not to file"));
        QCOMPARE(statusTexts.at(1).at(0).toString(),
                 QStringLiteral(" Analog Settings Saved, but not to file"));
        QTRY_COMPARE(analog.status.text(), QString());
    }

    // The confirmation belongs to the status line: it clears only its own text, whatever became of the
    // window.
    void shouldEndTheStatusWaitWithoutTheWindow_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("status");
        QTest::newRow("window closed") << "close"
                                       << "";
        QTest::newRow("window destroyed") << "destroy"
                                          << "";
        QTest::newRow("a transfer reports meanwhile") << "Unit has been programmed"
                                                      << "Unit has been programmed";
    }

    void shouldEndTheStatusWaitWithoutTheWindow()
    {
        QFETCH(QString, then);
        QFETCH(QString, status);
        Configuration config;
        muxcc::test::RecordingDialogs dialogs;
        muxcc::StatusLine line;
        line.setStatusWait(5ms);
        auto window = std::make_unique<muxcc::AnalogWindow>(config, dialogs, line);
        window->open();
        window->findChild<QAction*>(QStringLiteral("mnusaveanalogform4"))->trigger();

        if (then == "close")
            window->close();
        else if (then == "destroy")
            window.reset();
        else
            line.showMessage(then);

        QTest::qWait(50);
        QCOMPARE(line.text(), status);
    }

    void shouldRejectAVoltageOnceTheModelDropsToTwelveVolts()
    {
        Analog analog;
        analog.click(QStringLiteral("model24"));
        analog.type(QStringLiteral("V1SET"), QStringLiteral("27.6"));
        analog.save();
        QCOMPARE(analog.config.VoltageSetting[1], 27.6f);
        QCOMPARE(analog.box(QStringLiteral("V1SET"))->text(), QStringLiteral("27.6"));

        analog.click(QStringLiteral("model12"));
        analog.save();

        QCOMPARE(analog.messages(), QStringList{"V1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20"});
        QCOMPARE(analog.config.VoltageSetting[1], 0.0f);
        QCOMPARE(analog.box(QStringLiteral("V1SET"))->text(), QStringLiteral("0"));
    }

    void shouldReportEveryEmptyBoxInOrderAndStillStoreTheModel()
    {
        Analog analog;
        analog.config.VoltageSetting[6] = 10;
        analog.config.TemperatureTime[1] = 10;
        analog.window.open();
        analog.click(QStringLiteral("model24"));
        QStringList expected;
        for (const QString& box : BoxesInCheckOrder) {
            analog.type(box, QString());
            expected << analog.box(box)->accessibleName() + "|" +
                            (box.startsWith('T') && box.endsWith("SET")
                                 ? " MUST BE A NUMBER BETWEEN 0 AND 100"
                             : box.endsWith("SET") ? " MUST BE A NUMBER BETWEEN 0 AND 36"
                                                   : " MUST BE A NUMBER BETWEEN 0 AND 1310");
        }

        analog.save();

        QCOMPARE(analog.messages(), expected);
        QVERIFY(expected.first().startsWith("T1 TEMPERATURE SETTING|") &&
                expected.last().startsWith("V6 TIME SETTING|"));
        for (const QString& box : BoxesInCheckOrder) {
            QCOMPARE(Field(analog.config, box), 0.0);
            QCOMPARE(analog.box(box)->text(), QStringLiteral("0"));
        }
        QCOMPARE(analog.config.VoltageModel, 1);
    }

    void shouldShowTheConfigurationOnEveryOpening_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("selected");
        // clang-format off
        QTest::newRow("12 V model") << 0 << "model12";
        QTest::newRow("24 V model") << 1 << "model24";
        QTest::newRow("unknown model keeps the choice") << 5 << "model24";
        // clang-format on
    }

    void shouldShowTheConfigurationOnEveryOpening()
    {
        QFETCH(int, model);
        QFETCH(QString, selected);
        Analog analog;
        analog.click(QStringLiteral("model24"));
        analog.type(QStringLiteral("V1SET"), QStringLiteral("17")); // never saved: lost
        analog.window.close();
        analog.config.VoltageModel = static_cast<std::int16_t>(model);
        analog.config.VoltageSetting[2] = 12.2f;
        analog.config.VoltageTime[2] = 25;
        analog.config.TemperatureSetting[3] = 75;
        analog.config.TemperatureTime[4] = 65500;

        analog.window.open();

        QVERIFY(analog.window.isVisible() && analog.window.findChild<QRadioButton*>(selected)->isChecked());
        QStringList shown;
        for (const char* box : {"V1SET", "V2SET", "V2TIME", "T3SET", "T4TIME"})
            shown << analog.box(QString::fromLatin1(box))->text();
        QCOMPARE(shown, (QStringList{"0", "12.2", "0.5", "75", "1310"}));
    }
};

QTEST_MAIN(AnalogWindowTest)
#include "analog_window_test.moc"
