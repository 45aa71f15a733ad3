#include "settings/additional_features_window.h"

#include "app/main_window.h"
#include "app/status_line.h"
#include "support/recording_dialogs.h"
#include "support/virtual_link.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;
using namespace std::chrono_literals;

namespace {

const char* const SecondsBoxes[] = {"cycleOnTime", "slpOffTime",
                                    "slpOnTime"}; // in the order a save checks them

struct Features {
    Features()
    {
        status.setStatusWait(5ms);
        window.open();
    }
    template <typename T = QWidget>
    T* find(const QString& name)
    {
        return window.findChild<T*>(name);
    }
    void type(const QString& name, const QString& text)
    {
        QTest::keyClick(find(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(find(name), Qt::Key_Backspace);
        QTest::keyClicks(find(name), text);
    }
    void save() { find<QAction>(QStringLiteral("mnusaveform6"))->trigger(); }
    // "TFFT": OPTION1 TRUE, OPTION2 and OPTION3 FALSE, OPTION4 TRUE, picked from each drop-down's list.
    void chooseOptions(const QString& choices)
    {
        for (int n = 0; n < 4; ++n)
            find<QComboBox>(QStringLiteral("option%1").arg(n + 1))
                ->setCurrentIndex(choices[n] == 'T' ? 0 : 1);
    }
    QString options()
    {
        QString shown;
        for (int n = 1; n <= 4; ++n)
            shown += find<QComboBox>(QStringLiteral("option%1").arg(n))->currentText().at(0);
        return shown;
    }
    void pick(const QString& list, const QString& entry) // a click on the entry, scrolled into view
    {
        auto* operands = find<QListWidget>(list);
        QListWidgetItem* item = operands->findItems(entry, Qt::MatchExactly).value(0);
        operands->scrollToItem(item);
        QTest::mouseClick(operands->viewport(), Qt::LeftButton, {}, operands->visualItemRect(item).center());
    }
    QString picked(const QString& list)
    {
        const QList<QListWidgetItem*> selected = find<QListWidget>(list)->selectedItems();
        return selected.size() == 1 ? selected.front()->text()
                                    : QStringLiteral("%1 selected").arg(selected.size());
    }

    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::StatusLine status;
    muxcc::test::LinkBench bench;
    muxcc::test::RecordingObserver observer;
    muxcc::ControllerSession controller{bench, bench, config, observer};
    muxcc::AdditionalFeaturesWindow window{config, dialogs, status, controller};
};

// The main window on a virtual controller, the features window opened from its menu.
struct Program {
    Program() { window.findChild<QAction*>(QStringLiteral("mnu_additionFeatures"))->trigger(); }
    void press(const QString& button)
    {
        QTest::mouseClick(
            window.findChild<muxcc::AdditionalFeaturesWindow*>()->findChild<QPushButton*>(button),
            Qt::LeftButton);
    }

    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::test::LinkBench bench;
    muxcc::MainWindow window{config, dialogs, bench, bench};
};

} // namespace

class AdditionalFeaturesWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Captions, the name a screen reader speaks, the label that is the control's buddy; Tab goes row by row.
    void shouldPresentEachControlInReadingOrder()
    {
        Features features;
        QCOMPARE(features.window.windowTitle(), QStringLiteral("Additional Features"));
        QStringList frames;
        for (const QGroupBox* frame : features.window.findChildren<QGroupBox*>())
            frames << frame->title();
        QCOMPARE(frames, (QStringList{"OPTION SETTINGS", "SECURITY MODE", "CYCLE COUNTER"}));
        QStringList controls;
        QWidget* control = features.find(QStringLiteral("option1"));
        for (int step = 0; step < 12; ++step) {
            QStringList buddies;
            for (const QLabel* label : features.window.findChildren<QLabel*>()) {
                if (label->buddy() == control)
                    buddies << label->text();
            }
            const auto* button = qobject_cast<QPushButton*>(control);
            controls << (button ? button->text() : control->accessibleName() + "|" + buddies.join('|'));
            do
                control = control->nextInFocusChain();
            while (!(control->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(controls,
                 (QStringList{
                     "OPTION1|OPTION1  =", "OPTION2|OPTION2  =", "OPTION3|OPTION3  =", "OPTION4|OPTION4  =",
                     "SECURITY MODE|SLP IS FALSE WHEN ", "Off TIME|IS OFF FOR >", "On TIME|IS ON FOR >",
                     "CYCLE COUNTER|CYCLE COUNTER IS INCREMENTED WHEN", "CYCLE ON TIME|IS ON FOR >",
                     "READ CONTROLLER AND DISPLAY CYCLE COUNT ", "RESET CYCLE COUNTER: 00000", "NOTE"}));
        QCOMPARE(features.find<QListWidget>(QStringLiteral("cycleCounterOperand"))->count(), 66);
    }

    void shouldSaveTheThreeTimesInOrder_data()
    {
        QTest::addColumn<QString>("typed"); // cycle, off and on time, between bars
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("halves to even, cycle box rewritten") << "12.5|13.5|2.5" << QStringList{} << "12|14|2" << "12|13.5|2.5";
        QTest::newRow("cycle half up") << "13.5|0|0" << QStringList{} << "14|0|0" << "14|0|0";
        QTest::newRow("below zero") << "1|-0.2|3" << QStringList{"Off TIME"} << "1|0|3" << "1|0|3";
        QTest::newRow("above top before rounding") << "1|2|255.4" << QStringList{"On TIME"} << "1|2|0" << "1|2|0";
        QTest::newRow("top and half below") << "255|254.5| 255 " << QStringList{} << "255|254|255" << "255|254.5| 255 ";
        QTest::newRow("cycle time in words") << "ten|1|1" << QStringList{"CYCLE ON TIME"} << "0|1|1" << "0|1|1";
        QTest::newRow("all empty") << "||" << QStringList{"CYCLE ON TIME", "Off TIME", "On TIME"} << "0|0|0" << "0|0|0";
        // clang-format on
    }

    void shouldSaveTheThreeTimesInOrder()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        Features features;
        features.config.SlpOffTime = features.config.SlpOnTime = 9; // a rejected box stores 0
        features.window.open();
        for (int i = 0; i < 3; ++i)
            features.type(QString::fromLatin1(SecondsBoxes[i]), typed.split('|').at(i));

        features.save();

        QStringList titles;
        for (const Notice& notice : features.dialogs.notices) {
            QCOMPARE(notice.text, std::string(" MUST BE A NUMBER BETWEEN 0 AND 255"));
            QVERIFY(notice.icon == Notice::Icon::Exclamation);
            titles << QString::fromStdString(notice.title);
        }
        QCOMPARE(titles, messages);
        QCOMPARE(QStringLiteral("%1|%2|%3")
                     .arg(features.config.CycleCounterTime)
                     .arg(features.config.SlpOffTime)
                     .arg(features.config.SlpOnTime),
                 stored);
        QStringList boxes;
        for (const char* box : SecondsBoxes)
            boxes << features.find<QLineEdit>(QString::fromLatin1(box))->text();
        QCOMPARE(boxes.join('|'), shown);
        QCOMPARE(features.status.text(),
                 QStringLiteral(" Additional Features Settings Saved, but not to file"));
        QTRY_COMPARE(features.status.text(), QString());
    }

    void shouldStoreOptionsAndOperandsAndShowThemAgain_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("security");
        QTest::addColumn<QString>("cycleCounter");
        QTest::addColumn<QList<int>>("stored"); // OptionFlags, SlpOperand, CycleCounterOperand
        // clang-format off
        QTest::newRow("options 2 and 4, fourth timer") << "FTFT" << "" << "TMR4 " << QList<int>{10, 0, 64};
        QTest::newRow("all options, buzzer, first timer") << "TTTT" << "BUZZER " << "TMR1 " << QList<int>{15, 37, 54};
        QTest::newRow("options 1 and 3, last entries") << "TFTF" << "OPTION4 " << "SLP " << QList<int>{5, 60, 61};
        // clang-format on
    }

    void shouldStoreOptionsAndOperandsAndShowThemAgain()
    {
        QFETCH(QString, options);
        QFETCH(QString, security);
        QFETCH(QString, cycleCounter);
        QFETCH(QList<int>, stored);
        Features features;
        features.config.SlpOperand = features.config.CycleCounterOperand =
            5; // replaced, also by the empty entry
        features.window.open();
        features.chooseOptions(options);
        features.pick(QStringLiteral("securityOperand"), security);
        features.pick(QStringLiteral("cycleCounterOperand"), cycleCounter);

        features.save();

        const Configuration& config = features.config;
        QCOMPARE((QList<int>{config.OptionFlags, config.SlpOperand, config.CycleCounterOperand}), stored);
        QVERIFY(features.dialogs.notices.empty());
        features.chooseOptions(QStringLiteral("TTFF")); // never saved: lost
        features.pick(QStringLiteral("securityOperand"), QStringLiteral("FET1 "));
        features.window.close();
        features.window.open();
        QCOMPARE(features.options(), options);
        QCOMPARE(features.picked(QStringLiteral("securityOperand")), security);
        QCOMPARE(features.picked(QStringLiteral("cycleCounterOperand")), cycleCounter);
    }

    void shouldLoadOptionsAndOperandsByName_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("slpOperand");
        QTest::addColumn<int>("cycleCounterOperand");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("security");
        QTest::addColumn<QString>("cycleCounter");
        // clang-format off
        QTest::newRow("none") << 0 << 0 << 0 << "FFFF" << "" << "";
        QTest::newRow("first, buzzer") << 1 << 37 << 54 << "TFFF" << "BUZZER " << "TMR1 ";
        QTest::newRow("second and fourth, timer 4") << 10 << 64 << 63 << "FTFT" << "TMR4 " << "TRIG5 ";
        QTest::newRow("third, no such operand") << 4 << 66 << -1 << "FFTF" << "" << "";
        QTest::newRow("beyond the four keeps OPTION1") << 22 << 1 << 2 << "TTTT" << "MUX1 " << "MUX2 ";
        // clang-format on
    }

    void shouldLoadOptionsAndOperandsByName()
    {
        QFETCH(int, flags);
        QFETCH(int, slpOperand);
        QFETCH(int, cycleCounterOperand);
        QFETCH(QString, options);
        QFETCH(QString, security);
        QFETCH(QString, cycleCounter);
        Features features;
        features.chooseOptions(QStringLiteral("TFFF"));
        features.pick(QStringLiteral("securityOperand"), QStringLiteral("MUX3 "));
        features.config.OptionFlags = static_cast<std::int16_t>(flags);
        features.config.SlpOperand = static_cast<std::int16_t>(slpOperand);
        features.config.CycleCounterOperand = static_cast<std::int16_t>(cycleCounterOperand);
        features.config.SlpOffTime = 255;

        features.window.open();

        QCOMPARE(features.options(), options);
        QCOMPARE(features.picked(QStringLiteral("securityOperand")), security);
        QCOMPARE(features.picked(QStringLiteral("cycleCounterOperand")), cycleCounter);
        QCOMPARE(features.find<QLineEdit>(QStringLiteral("slpOffTime"))->text(), QStringLiteral("255"));
    }

    void shouldShowTheNoteAndNothingElse()
    {
        Features features;
        QTest::mouseClick(features.find(QStringLiteral("note")), Qt::LeftButton);
        const std::vector<Notice> note{{Notice::Icon::Information, "Saving cycle count",
                                        " When counter saves, MUX communication is delayed ~50ms  "}};
        QVERIFY(features.dialogs.notices == note);
        QVERIFY(features.config == Configuration{});
    }

    void shouldRunTheCycleCounterCommandsFromItsButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("recordsLeft"); // records 0 and 4 afterwards
        // clang-format off
        QTest::newRow("display") << "readCycleCount" << 1 << "Cycle Count = 1234" << 71;
        QTest::newRow("display pressed twice") << "readCycleCount" << 2 << "Cycle Count = 1234" << 71;
        QTest::newRow("reset") << "resetCycleCount" << 1 << "Cycle count has been Reset to 00000" << 0;
        QTest::newRow("reset pressed twice") << "resetCycleCount" << 2 << "Cycle count has been Reset to 00000" << 0;
        // clang-format on
    }

    void shouldRunTheCycleCounterCommandsFromItsButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, presses);
        QFETCH(QString, status);
        QFETCH(int, recordsLeft);
        Program program;
        const std::uint8_t records[] = {7, 4, 3, 2, 1}; // record 0, then the digits units first
        std::copy(std::begin(records), std::end(records), program.bench.controller.settings.begin());

        for (int press = 0; press < presses; ++press)
            program.press(button);
        while (program.bench.runNext()) {
        }

        QCOMPARE(program.window.status(), status);
        const Notice busy{
            Notice::Icon::Information, "Communication Port in use",
            " Communication Port Already In Use, Please wait until Communication Port is Free "};
        QVERIFY(program.dialogs.notices == std::vector<Notice>(std::size_t(presses - 1), busy));
        QCOMPARE(program.bench.controller.settings[0] * 10 + program.bench.controller.settings[4],
                 recordsLeft);
    }

    void shouldBringTheMainWindowForwardForTheCount()
    {
        Program program;
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        auto* features = program.window.findChild<muxcc::AdditionalFeaturesWindow*>();
        features->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), features);

        program.press(QStringLiteral("readCycleCount"));

        QTRY_COMPARE(QApplication::activeWindow(), &program.window);
    }
};

QTEST_MAIN(AdditionalFeaturesWindowTest)
#include "additional_features_window_test.moc"
