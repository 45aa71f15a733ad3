#include "settings/analog_window.h"

#include "app/status_line.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;

namespace {

using namespace std::chrono_literals;

struct Analog {
    Analog()
    {
        status.setStatusWait(5ms);
        window.open();
    }

    QLineEdit* box(const QString& name) { return window.findChild<QLineEdit*>(name); }
    void click(const char* option)
    {
        QTest::mouseClick(window.findChild<QRadioButton*>(QString::fromLatin1(option)), Qt::LeftButton);
    }
    // Replaces the box's text as a technician would: select all, delete, type.
    void type(const QString& name, const QString& text)
    {
        QLineEdit* target = box(name);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Backspace);
        QTest::keyClicks(target, text);
    }
    void save() { window.findChild<QAction*>(QStringLiteral("mnusaveanalogform4"))->trigger(); }
    // Each message as "TITLE|text".
    QStringList messages() const
    {
        QStringList shown;
        for (const Notice& notice : dialogs.notices) {
            if (notice.icon == Notice::Icon::Exclamation)
                shown << QString::fromStdString(notice.title + "|" + notice.text);
        }
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
    const bool voltage = box.startsWith('V');
    if (box.endsWith(QStringLiteral("SET")))
        return voltage ? config.VoltageSetting[n] : config.TemperatureSetting[n];
    return voltage ? config.VoltageTime[n] : config.TemperatureTime[n];
}

// Every box in the order a save checks them.
QStringList BoxesInCheckOrder()
{
    QStringList boxes;
    for (int n = 1; n <= 4; ++n)
        boxes << QStringLiteral("T%1SET").arg(n) << QStringLiteral("T%1TIME").arg(n);
    for (int n = 1; n <= 6; ++n)
        boxes << QStringLiteral("V%1SET").arg(n) << QStringLiteral("V%1TIME").arg(n);
    return boxes;
}

} // namespace

class AnalogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shouldStartWithTwelveVoltsAndZeroBoxes()
    {
        Configuration config;
        muxcc::test::RecordingDialogs dialogs;
        muxcc::StatusLine status;
        muxcc::AnalogWindow window{config, dialogs, status};

        QCOMPARE(window.windowTitle(), QStringLiteral("ANALOG CONFIGURATION"));
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("model12"))->isChecked());
        QVERIFY(!window.findChild<QRadioButton*>(QStringLiteral("model24"))->isChecked());
        QCOMPARE(window.findChild<QRadioButton*>(QStringLiteral("model24"))->text(),
                 QStringLiteral("24V MODEL"));
        QStringList frames;
        for (QGroupBox* frame : window.findChildren<QGroupBox*>())
            frames << frame->title();
        QCOMPARE(frames, (QStringList{"BATTERY VOLTAGE CONFIGURATION", "TEMPERATURE CONFIGURATION"}));
        for (const QString& name : BoxesInCheckOrder()) {
            const bool temperature = name.startsWith('T') && name.endsWith(QStringLiteral("SET"));
            QCOMPARE(window.findChild<QLineEdit*>(name)->text(),
                     temperature ? QStringLiteral("0") : QStringLiteral("0.0"));
        }
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnusaveanalogform4"))->text(),
                 QStringLiteral("&Save Analog Settings"));
    }

    // Screen readers name a box by its message title; its row label or "FOR" is its buddy.
    void shouldNameEachBoxForScreenReaders_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("label");
        QTest::newRow("V1 threshold") << "V1SET"
                                      << "V1 VOLTAGE SETTING"
                                      << "V1 IS TRUE WHEN BATTERY VOLTAGE IS >";
        QTest::newRow("V3 threshold") << "V3SET"
                                      << "V3 VOLTAGE SETTING"
                                      << "V3 IS TRUE WHEN BATTERY VOLTAGE IS >";
        QTest::newRow("V4 threshold") << "V4SET"
                                      << "V4 VOLTAGE SETTING"
                                      << "V4 IS TRUE WHEN BATTERY VOLTAGE IS <";
        QTest::newRow("V6 time") << "V6TIME"
                                 << "V6 TIME SETTING"
                                 << "FOR";
        QTest::newRow("T2 threshold") << "T2SET"
                                      << "T2 TEMPERATURE SETTING"
                                      << "T2 IS TRUE WHEN TEMPERATURE IS <";
        QTest::newRow("T2 time") << "T2TIME"
                                 << "T2 TIME SETTING"
                                 << "FOR";
        QTest::newRow("T3 threshold") << "T3SET"
                                      << "T3 TEMPERATURE SETTING"
                                      << "T3 IS TRUE WHEN TEMPERATURE IS >";
    }

    void shouldNameEachBoxForScreenReaders()
    {
        QFETCH(QString, box);
        QFETCH(QString, accessibleName);
        QFETCH(QString, label);
        Analog analog;
        QLineEdit* target = analog.box(box);
        QCOMPARE(target->accessibleName(), accessibleName);
        QStringList buddies;
        for (QLabel* candidate : analog.window.findChildren<QLabel*>()) {
            if (candidate->buddy() == target)
                buddies << candidate->text();
        }
        QCOMPARE(buddies, QStringList{label});
    }

    void shouldTabThroughTheBoxesRowByRow()
    {
        Analog analog;
        QStringList order;
        QWidget* widget = analog.window.findChild<QRadioButton*>(QStringLiteral("model12"));
        for (int step = 0; step < 22; ++step) {
            order << widget->objectName();
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        QStringList expected{"model12", "model24"};
        for (const QString& box : BoxesInCheckOrder().mid(8) + BoxesInCheckOrder().mid(0, 8))
            expected << box;
        QCOMPARE(order, expected);
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
        const QString to36 = "V%1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 36";
        const QString to100 = "T%1 TEMPERATURE SETTING| MUST BE A NUMBER BETWEEN 0 AND 100";
        const QString to1310 = "%1 TIME SETTING| MUST BE A NUMBER BETWEEN 0 AND 1310";
        QTest::newRow("12 V top") << "model12"
                                  << "V1SET"
                                  << "20"
                                  << "" << 20.0 << "20";
        QTest::newRow("12 V just above top") << "model12"
                                             << "V2SET"
                                             << "20.04" << to20.arg(2) << 0.0 << "0";
        QTest::newRow("12 V rounds to top") << "model12"
                                            << "V3SET"
                                            << "19.96"
                                            << "" << 20.0 << "20";
        QTest::newRow("24 V top") << "model24"
                                  << "V4SET"
                                  << "36"
                                  << "" << 36.0 << "36";
        QTest::newRow("24 V just above top") << "model24"
                                             << "V5SET"
                                             << "36.01" << to36.arg(5) << 0.0 << "0";
        QTest::newRow("half tenth to even") << "model12"
                                            << "V6SET"
                                            << "12.25"
                                            << "" << double(12.2f) << "12.2";
        QTest::newRow("tenths to whole volts") << "model12"
                                               << "V1SET"
                                               << "12.05"
                                               << "" << 12.0 << "12";
        QTest::newRow("below a twentieth") << "model24"
                                           << "V2SET"
                                           << "0.04"
                                           << "" << 0.0 << "0";
        QTest::newRow("volts in words") << "model12"
                                        << "V3SET"
                                        << "twelve" << to20.arg(3) << 0.0 << "0";
        QTest::newRow("temperature top") << "model12"
                                         << "T1SET"
                                         << "100"
                                         << "" << 100.0 << "100";
        QTest::newRow("temperature above top") << "model12"
                                               << "T2SET"
                                               << "100.4" << to100.arg(2) << 0.0 << "0";
        QTest::newRow("temperature half up") << "model12"
                                             << "T3SET"
                                             << "99.5"
                                             << "" << 100.0 << "100";
        QTest::newRow("temperature half down") << "model12"
                                               << "T4SET"
                                               << "98.5"
                                               << "" << 98.0 << "98";
        QTest::newRow("temperature below zero") << "model12"
                                                << "T1SET"
                                                << "-0.4" << to100.arg(1) << 0.0 << "0";
        QTest::newRow("longest time") << "model12"
                                      << "V1TIME"
                                      << "1310"
                                      << "" << 65500.0 << "1310";
        QTest::newRow("time above longest") << "model12"
                                            << "T4TIME"
                                            << "1310.5" << to1310.arg("T4") << 0.0 << "0";
        QTest::newRow("time half count down") << "model12"
                                              << "V2TIME"
                                              << "1.01"
                                              << "" << 50.0 << "1";
        QTest::newRow("time half count up") << "model24"
                                            << "T3TIME"
                                            << "1.03"
                                            << "" << 52.0 << "1.04";
        QTest::newRow("time with blanks") << "model12"
                                          << "V6TIME"
                                          << " 2 "
                                          << "" << 100.0 << "2";
        QTest::newRow("time empty") << "model12"
                                    << "V5TIME"
                                    << "" << to1310.arg("V5") << 0.0 << "0";
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
        analog.config.VoltageSetting[1] = 9; // any earlier value is replaced
        analog.config.TemperatureTime[4] = 9;
        analog.window.open();
        QSignalSpy statusTexts(&analog.status, &QLineEdit::textChanged);

        analog.click(model.toLatin1().constData());
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

    void shouldRejectAVoltageOnceTheModelDropsToTwelveVolts()
    {
        Analog analog;
        analog.click("model24");
        analog.type(QStringLiteral("V1SET"), QStringLiteral("27.6"));
        analog.save();
        QCOMPARE(analog.config.VoltageSetting[1], 27.6f);
        QCOMPARE(analog.box(QStringLiteral("V1SET"))->text(), QStringLiteral("27.6"));
        QVERIFY(analog.dialogs.notices.empty());

        analog.click("model12");
        analog.save();

        QCOMPARE(analog.messages(), QStringList{"V1 VOLTAGE SETTING| MUST BE A NUMBER BETWEEN 0 AND 20"});
        QCOMPARE(analog.config.VoltageSetting[1], 0.0f);
        QCOMPARE(analog.box(QStringLiteral("V1SET"))->text(), QStringLiteral("0"));
        QCOMPARE(analog.config.VoltageModel, 0);
    }

    void shouldReportEveryEmptyBoxInOrderAndStillStoreTheModel()
    {
        Analog analog;
        for (int n = 1; n <= 6; ++n) {
            analog.config.VoltageSetting[n] = 10;
            analog.config.VoltageTime[n] = 10;
        }
        for (int n = 1; n <= 4; ++n) {
            analog.config.TemperatureSetting[n] = 10;
            analog.config.TemperatureTime[n] = 10;
        }
        analog.window.open();
        analog.click("model24");
        QStringList expected;
        for (const QString& box : BoxesInCheckOrder()) {
            analog.type(box, QString());
            expected << analog.box(box)->accessibleName();
        }

        analog.save();

        QStringList titles;
        for (const Notice& notice : analog.dialogs.notices)
            titles << QString::fromStdString(notice.title);
        QCOMPARE(titles.size(), 20);
        QCOMPARE(titles, expected);
        QCOMPARE(titles.first(), QStringLiteral("T1 TEMPERATURE SETTING"));
        QCOMPARE(titles.last(), QStringLiteral("V6 TIME SETTING"));
        for (const QString& box : BoxesInCheckOrder()) {
            QCOMPARE(Field(analog.config, box), 0.0);
            QCOMPARE(analog.box(box)->text(), QStringLiteral("0"));
        }
        QCOMPARE(analog.config.VoltageModel, 1);
    }

    void shouldShowTheConfigurationOnEveryOpening_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("selected");
        QTest::newRow("12 V model") << 0 << "model12";
        QTest::newRow("24 V model") << 1 << "model24";
        QTest::newRow("unknown model keeps the choice") << 5 << "model24";
    }

    void shouldShowTheConfigurationOnEveryOpening()
    {
        QFETCH(int, model);
        QFETCH(QString, selected);
        Analog analog;
        analog.click("model24");
        analog.type(QStringLiteral("V2SET"), QStringLiteral("17")); // lost: never saved
        analog.window.close();
        analog.config.VoltageModel = static_cast<std::int16_t>(model);
        analog.config.VoltageSetting[2] = 12.2f;
        analog.config.VoltageTime[2] = 25;
        analog.config.TemperatureSetting[3] = 75;
        analog.config.TemperatureTime[4] = 65500;

        analog.window.open();

        QVERIFY(analog.window.isVisible());
        QVERIFY(analog.window.findChild<QRadioButton*>(selected)->isChecked());
        QCOMPARE(analog.box(QStringLiteral("V2SET"))->text(), QStringLiteral("12.2"));
        QCOMPARE(analog.box(QStringLiteral("V2TIME"))->text(), QStringLiteral("0.5"));
        QCOMPARE(analog.box(QStringLiteral("T3SET"))->text(), QStringLiteral("75"));
        QCOMPARE(analog.box(QStringLiteral("T4TIME"))->text(), QStringLiteral("1310"));
        QCOMPARE(analog.box(QStringLiteral("V1SET"))->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(AnalogWindowTest)
#include "analog_window_test.moc"
