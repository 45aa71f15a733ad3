#include "app/main_window.h"
#include "app/status_line.h"
#include "support/recording_dialogs.h"
#include "support/virtual_link.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include <chrono>

using namespace std::chrono_literals;
using muxcc::Configuration;
using muxcc::Notice;

namespace {

constexpr auto ShortWait = 20ms;

const QString ChannelCaption = QStringLiteral("MULTIPLEXED CHANNEL IO CONFIGURATION");
const QString AnalogCaption = QStringLiteral("ANALOG CONFIGURATION");
const QString TimerCaption = QStringLiteral("TIMER CONFIGURATION");
const QString BooleanCaption = QStringLiteral("BOOLEAN DEFINITION");
const QString FeaturesCaption = QStringLiteral("Additional Features");

// The menu item that opens the window of each caption.
const QMap<QString, QString> MenuItemOf{
    {ChannelCaption, "multi_ch_config"},
    {AnalogCaption, "MNU_ANA_CONFIG"},
    {TimerCaption, "MNUTIMERS"},
    {BooleanCaption, "MNU_BLN"},
    {FeaturesCaption, "mnu_additionFeatures"},
};

// The whole program on a virtual serial line, with the captions of the windows in the order they were shown.
struct Program : QObject {
    Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::test::LinkBench bench;
    muxcc::MainWindow window{config, dialogs, bench, bench};
    QStringList shown;

    Program()
    {
        window.statusLine().setStatusWait(ShortWait);
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget != &window)
            shown << widget->windowTitle();
        return false;
    }
    void choose(const QString& item) { window.findChild<QAction*>(item)->trigger(); }
    void runLink()
    {
        while (bench.runNext()) {
        }
    }
    template <typename T>
    T* find(const QString& name) const
    {
        T* found = window.findChild<T*>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    QWidget* windowCaptioned(const QString& caption) const
    {
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (widget->isWindow() && widget->windowTitle() == caption)
                return widget;
        return nullptr;
    }
};

bool Greyed(const QLineEdit* box)
{
    return box->palette().color(QPalette::Base) == box->parentWidget()->palette().color(QPalette::Button);
}

} // namespace

class WindowRefreshTest : public QObject {
    Q_OBJECT

private slots:
    // A read hides and reopens each open window of a group it replaced, channels first and the additional
    // features last; a window that is not open stays so, and a timer turned one-shot shows no notice.
    void shouldReopenTheOpenWindowsAfterARead_data()
    {
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("reopened");
        const QStringList all{FeaturesCaption, BooleanCaption, TimerCaption, AnalogCaption, ChannelCaption};
        QTest::newRow("all five") << all
                                  << QStringList{ChannelCaption, AnalogCaption, TimerCaption, BooleanCaption,
                                                 FeaturesCaption};
        QTest::newRow("timers and equations")
            << QStringList{BooleanCaption, TimerCaption} << QStringList{TimerCaption, BooleanCaption};
        QTest::newRow("none") << QStringList{} << QStringList{};
    }

    void shouldReopenTheOpenWindowsAfterARead()
    {
        QFETCH(QStringList, open);
        QFETCH(QStringList, reopened);
        Program program;
        for (const QString& caption : open)
            program.choose(MenuItemOf[caption]);
        auto& controller = program.bench.controller;
        controller.settings[13] = 5; // MUX1 and MUX3 outputs
        controller.settings[16] = 2; // V1 = 613 counts: 12 V
        controller.settings[17] = 101;
        controller.settings[63] = 17; // timers 1 and 5 one shot
        controller.settings[12] = 10; // OPTION2 and OPTION4
        controller.code[0] = {0, 3};  // MUX1 = MUX3
        program.shown.clear();

        program.choose(QStringLiteral("MNU_READ"));
        program.runLink();

        QCOMPARE(program.window.status(), QStringLiteral("READ COMPLETED"));
        QCOMPARE(program.shown, reopened);
        QVERIFY(program.dialogs.notices.empty());
        QCOMPARE(program.config.BooleanText[1], std::string("MUX3 "));
        QVERIFY(program.config.BooleanEditText == program.config.BooleanText);
        for (const QString& caption : open)
            QVERIFY2(program.windowCaptioned(caption)->isVisible(), qPrintable(caption));
        if (open.contains(ChannelCaption)) {
            QVERIFY(program.find<QRadioButton>("mux1Output")->isChecked());
            QVERIFY(program.find<QRadioButton>("mux2Input")->isChecked());
            QVERIFY(program.find<QRadioButton>("mux3Output")->isChecked());
        }
        if (open.contains(TimerCaption)) {
            QVERIFY(program.find<QRadioButton>("timer1OneShot")->isChecked());
            QVERIFY(program.find<QRadioButton>("timer2Duty")->isChecked());
            QVERIFY(program.find<QRadioButton>("timer5OneShot")->isChecked());
        }
        if (open.contains(AnalogCaption))
            QCOMPARE(program.find<QLineEdit>("V1SET")->text(), QStringLiteral("12"));
        if (open.contains(BooleanCaption))
            QCOMPARE(program.find<QLineEdit>("equation1")->text(), QStringLiteral("MUX3 "));
        if (open.contains(FeaturesCaption)) {
            QCOMPARE(program.find<QComboBox>("option2")->currentText(), QStringLiteral("TRUE"));
            QCOMPARE(program.find<QComboBox>("option1")->currentText(), QStringLiteral("FALSE"));
        }
    }

    // What OPEN calls once a file has replaced the configuration: the windows show the new values, and
    // the timer window, only if visible, announces each timer it turns one-shot.
    void shouldBringTheWindowsUpToDateAfterOpen_data()
    {
        QTest::addColumn<bool>("timerWindowVisible");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("timer window showing") << true << QStringList{"TIMER#2", "TIMER#4"};
        QTest::newRow("timer window closed") << false << QStringList{};
    }

    void shouldBringTheWindowsUpToDateAfterOpen()
    {
        QFETCH(bool, timerWindowVisible);
        QFETCH(QStringList, notices);
        Program program;
        for (const QString& caption : MenuItemOf.keys())
            program.choose(MenuItemOf[caption]);
        if (!timerWindowVisible)
            program.windowCaptioned(TimerCaption)->close();
        program.config.TimerMode[2] = 1;
        program.config.TimerMode[4] = 1;
        program.config.TimerOnTime[3] = 75;
        program.config.ChannelDirection[7] = 1;
        program.config.VoltageSetting[2] = 13.5f;
        program.config.VoltageModel = 1;
        program.config.SlpOnTime = 12;
        program.config.BooleanText[7] = "NOT V2 ";
        program.shown.clear();

        program.window.refreshWindowsAfterOpen();

        QStringList titles;
        for (const Notice& notice : program.dialogs.notices)
            titles << QString::fromStdString(notice.title);
        QCOMPARE(titles, notices);
        QCOMPARE(program.shown, QStringList{FeaturesCaption});
        QVERIFY(program.find<QRadioButton>("timer4OneShot")->isChecked());
        QCOMPARE(program.find<QLineEdit>("timer3On")->text(), QStringLiteral("1.5"));
        QVERIFY(program.find<QRadioButton>("mux7Output")->isChecked());
        QCOMPARE(program.find<QLineEdit>("V2SET")->text(), QStringLiteral("13.5"));
        QVERIFY(program.find<QRadioButton>("model24")->isChecked());
        QCOMPARE(program.find<QLineEdit>("slpOnTime")->text(), QStringLiteral("12"));
        QCOMPARE(program.find<QLineEdit>("equation7")->text(), QStringLiteral("NOT V2 "));
    }

    // A settings save's status wait ends after a write has shown its result: the result stays.
    void shouldKeepATransfersTextWhenAStatusWaitEnds()
    {
        Program program;
        program.choose(QStringLiteral("MNUTIMERS"));
        program.choose(QStringLiteral("mnutimersaveform3"));
        QCOMPARE(program.window.status(), QStringLiteral(" Timer Settings Saved, but not to file"));

        program.choose(QStringLiteral("MNU_PROGRAM"));
        program.runLink();
        QCOMPARE(program.window.status(), QStringLiteral("Unit has been programmed"));
        QTest::qWait(3 * ShortWait.count());
        QCOMPARE(program.window.status(), QStringLiteral("Unit has been programmed"));
    }

    // The channel window's save recolours the equation boxes after its wait, and only on the first page.
    void shouldRecolourTheEquationsAfterAChannelSave_data()
    {
        QTest::addColumn<bool>("turnPage");
        QTest::addColumn<bool>("greyAfterWait");
        QTest::newRow("first page") << false << true;
        QTest::newRow("second page") << true << false;
    }

    void shouldRecolourTheEquationsAfterAChannelSave()
    {
        QFETCH(bool, turnPage);
        QFETCH(bool, greyAfterWait);
        Program program;
        program.config.ChannelDirection[5] = 1;
        program.choose(QStringLiteral("MNU_BLN"));
        if (turnPage)
            program.find<QAbstractButton>("moreBooleans")->click();
        program.choose(QStringLiteral("multi_ch_config"));
        auto* box5 = program.find<QLineEdit>("equation5");
        QVERIFY(!Greyed(box5));

        QTest::mouseClick(program.find<QRadioButton>("mux5Input"), Qt::LeftButton);
        program.choose(QStringLiteral("mnusaveioform2"));
        QCOMPARE(program.config.ChannelDirection[5], std::int16_t{0});
        QVERIFY(!Greyed(box5));
        QTRY_COMPARE(program.window.status(), QString());
        QTest::qWait(ShortWait.count());
        QCOMPARE(Greyed(box5), greyAfterWait);
    }

    // Every control a person reads or types into is named for a screen reader, and every box by a label.
    void shouldNameEveryControlForAScreenReader()
    {
        Program program;
        for (const QString& item : MenuItemOf)
            program.choose(item);
        QStringList unnamed;
        QStringList unlabelled;
        const auto labels = program.window.findChildren<QLabel*>();
        for (QWidget* control : program.window.findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control) &&
                !qobject_cast<QListWidget*>(control) && !qobject_cast<QAbstractButton*>(control))
                continue;
            if (!control->isVisibleTo(control->window()) || control->objectName().startsWith("qt_"))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << control->window()->windowTitle() + "/" + control->objectName();
            const bool box = qobject_cast<QLineEdit*>(control) && control->window() != &program.window &&
                             !control->inherits("QComboBox") && !qobject_cast<QComboBox*>(control->parent());
            if (box && std::none_of(labels.begin(), labels.end(),
                                    [control](const QLabel* label) { return label->buddy() == control; }))
                unlabelled << control->window()->windowTitle() + "/" + control->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QVERIFY2(unlabelled.isEmpty(), qPrintable(unlabelled.join(", ")));
    }
};

QTEST_MAIN(WindowRefreshTest)
#include "window_refresh_test.moc"
