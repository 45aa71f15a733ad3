#include "app/message_box_dialogs.h"
#include "app/window_accessibility.h"
#include "app_program.h"
#include "link/port_diagnosis.h"
#include "project/project_file_io.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using muxcc::Notice;
using muxcc::link::PortOpenFacts;

Q_DECLARE_METATYPE(PortOpenFacts)

namespace {

// The settings windows by menu item and caption, in the order a read refreshes them.
const QStringList Windows{"multi_ch_config", "MNU_ANA_CONFIG", "MNUTIMERS", "MNU_BLN",
                          "mnu_additionFeatures"};
const QStringList Captions{"MULTIPLEXED CHANNEL IO CONFIGURATION", "ANALOG CONFIGURATION",
                           "TIMER CONFIGURATION", "BOOLEAN DEFINITION", "Additional Features"};

// The program on the virtual controller, noting the windows in the order they are shown, by menu item.
struct Program : QObject, muxcc::test::AppProgram {
    Program() : AppProgram(true) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget != &window)
            shown << Windows.value(Captions.indexOf(widget->windowTitle()), widget->windowTitle());
        return false;
    }
    QStringList shown;
};

// "NAME=Caption", a drop-down's items in brackets, and "(disabled)" after an item that is disabled or hidden.
QString Outline(QAction* action)
{
    QString text = action->objectName() + '=' + action->text();
    if (QMenu* menu = action->menu()) {
        QStringList items;
        for (QAction* item : menu->actions())
            items << Outline(item);
        text += '[' + items.join(',') + ']';
    }
    return action->isEnabled() && action->isVisible() ? text : text + " (disabled)";
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The program starts with its caption, menu and welcome text. Neither ABOUT nor EXIT asks about unsaved
    // changes or changes the settings or the status line; EXIT closes every window.
    void shouldStartThenShowTheVersionOrExitWithoutAsking_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<long>("showing"); // windows
        QTest::newRow("about") << "MNU_ABOUT" << QStringList{"(i) ABOUT: Version 1.1"} << 2L;
        QTest::newRow("exit") << "MNUEXIT" << QStringList{} << 0L;
    }

    void shouldStartThenShowTheVersionOrExitWithoutAsking()
    {
        QFETCH(QString, item);
        Program program;
        QStringList bar{program.window.windowTitle()};
        for (QAction* action : program.window.menuBar()->actions())
            bar << Outline(action);
        QCOMPARE(bar, (QStringList{"MULTIPLEX CONTROLLER COMPILIER",
                                   "MNUFILE=&FILE[MNUOPEN=&OPEN,MNUSAVE=&SAVE,MNUSAVEAS=SAVE "
                                   "&AS,MNUPRINT=&PRINT,MNUEXIT=&EXIT]",
                                   "multi_ch_config=&Multiplexed Channel Config", "MNUTIMERS=&TIMERS",
                                   "MNU_ANA_CONFIG=&ANALOG CONFIG", "mnu_additionFeatures=&Addition Features",
                                   "MNU_BLN=&BOOLEANS",
                                   "MNU_PRG=&PROGRAM[MNU_READ=&READ,MNU_PROGRAM=&WRITE TO CONTROLLER]",
                                   "MNU_ABOUT=&ABOUT"}));
        program.config.ChannelDirection[3] = 1;
        const muxcc::Configuration before = program.config;
        program.window.show();
        program.choose("MNUTIMERS");

        QCOMPARE(program.choose(item), QStringList());

        QTEST(muxcc::test::Notices(program), "notices");
        QVERIFY(program.config == before);
        QCOMPARE(program.window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));
        QTEST(long(std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible)), "showing");
    }

    // READ reopens each showing window of a group it replaced, channels first and the additional features
    // last, with no trigger notice; OPEN brings every window up to date and reopens only the additional
    // features, and the timer window, if showing, announces each timer the file turns one-shot.
    void shouldBringTheOpenWindowsUpToDate_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("closed");
        QTest::addColumn<QStringList>("reopened");
        QTest::addColumn<QStringList>("notices");
        const QStringList none;
        // clang-format off
        QTest::newRow("read") << "MNU_READ" << none << Windows << none;
        QTest::newRow("read, channels and timers closed") << "MNU_READ" << QStringList{Windows[0], Windows[2]} << QStringList{Windows[1], Windows[3], Windows[4]} << none;
        QTest::newRow("open") << "MNUOPEN" << none << QStringList{Windows[4]} << QStringList{"(i) TIMER#2", "(i) TIMER#4"};
        QTest::newRow("open, timers closed") << "MNUOPEN" << QStringList{Windows[2]} << QStringList{Windows[4]} << none;
        // clang-format on
    }

    void shouldBringTheOpenWindowsUpToDate()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, closed);
        QTemporaryDir dir;
        muxcc::Configuration file;
        muxcc::test::Configure(file);
        QVERIFY(!muxcc::SaveProjectFile(file, dir.filePath("file.MCF").toStdString()));
        Program program;
        program.files = {dir.filePath("file.MCF")};
        // The same settings as the file: MUX1 and MUX7 outputs, V2 = 690 counts (13.5 V), timers 2 and 4 one
        // shot, timer 3 on, MUX1 = MUX3.
        for (const auto& [at, value] : {std::pair{13, 65}, {20, 2}, {21, 178}, {62, 12}, {63, 10}, {75, 75}})
            program.bench.controller.settings[at] = value;
        program.bench.controller.code[0] = {0, 3};
        for (auto item = Windows.rbegin(); item != Windows.rend(); ++item)
            program.choose(*item);
        for (QWidget* window : QApplication::topLevelWidgets())
            if (closed.contains(Windows.value(Captions.indexOf(window->windowTitle()))))
                window->close();
        program.shown.clear();

        program.choose(item);
        while (program.bench.runNext()) {
        }

        QCOMPARE(program.window.status(), item == "MNUOPEN" ? "FILE OPEN COMPLETED" : "READ COMPLETED");
        QTEST(program.shown, "reopened");
        QTEST(muxcc::test::Notices(program).replaceInStrings(QRegularExpression(":.*"), QString()),
              "notices");
        QCOMPARE(program.config.BooleanEditText[1], std::string("MUX3 "));
        QStringList showing; // each box's text, then whether each option is selected
        for (const char* box : {"timer3On", "V2SET", "slpOnTime", "equation1"})
            showing << program.find<QLineEdit>(box).text();
        for (const char* option : {"mux7Output", "timer2OneShot", "timer4OneShot"})
            showing << QString::number(program.find<QAbstractButton>(option).isChecked());
        if (closed.isEmpty())
            QCOMPARE(showing.join('|'), "1.5|13.5|12|MUX3 |1|1|1");
    }

    // The channel window's save recolours the equation boxes once its status wait has ended.
    void shouldRecolourTheEquationsAfterAChannelSave()
    {
        Program program;
        program.config.ChannelDirection[5] = 1;
        program.choose("MNU_BLN");
        program.choose("multi_ch_config");
        QTest::mouseClick(&program.find<QAbstractButton>("mux5Input"), Qt::LeftButton);

        program.choose(QStringLiteral("mnusaveioform2"));

        const auto& box = program.find<QLineEdit>("equation5");
        const auto greyed = [&] {
            return box.palette().color(QPalette::Base) ==
                   box.parentWidget()->palette().color(QPalette::Button);
        };
        QVERIFY(!greyed());
        QTRY_COMPARE(program.window.status(), QString());
        QTRY_VERIFY(greyed());
    }

    // Every control a person reads or types into, in every window, is named for a screen reader, every box of
    // a settings window has a label as its buddy, and every settings window is a window titled by its
    // caption.
    void shouldNameEveryControlForAScreenReader()
    {
        muxcc::AnnounceSettingsWindowsAsWindows();
        Program program;
        for (const QString& item : Windows)
            program.choose(item);
        QStringList unnamed;
        const auto labels = program.window.findChildren<QLabel*>();
        for (QWidget* control : program.window.findChildren<QWidget*>()) {
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(control);
            if (control->isWindow() && !control->windowTitle().isEmpty() &&
                (window->role() != QAccessible::Window ||
                 window->text(QAccessible::Name) != control->windowTitle()))
                unnamed << control->windowTitle() + " (not a window)";
            const bool box = qobject_cast<QLineEdit*>(control) && control->window() != &program.window;
            if (box &&
                std::none_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == control; }))
                unnamed << control->objectName() + " (no label)";
            const bool readable = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                  qobject_cast<QListWidget*>(control) ||
                                  qobject_cast<QAbstractButton*>(control);
            if (readable && control->isVisibleTo(control->window()) &&
                !control->objectName().startsWith("qt_") &&
                QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << control->window()->windowTitle() + "/" + control->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // A timed message, then what followed it during its wait. Each continuation notes the text standing when
    // it ran; the timed message's own is skipped when its window is destroyed during the wait.
    void shouldClearOnlyItsOwnMessageThenContinue_data()
    {
        // During the wait: "destroy" its window, "show TEXT", or "timed TEXT" with a continuation of its own,
        // tied to no window.
        QTest::addColumn<QString>("then");
        QTest::addColumn<QStringList>("seen"); // by the continuations, then finally
        // clang-format off
        QTest::newRow("nothing") << "" << QStringList{"", ""};
        QTest::newRow("window destroyed during the wait") << "destroy" << QStringList{""};
        QTest::newRow("a transfer's result") << "show programmed" << QStringList{"programmed", "programmed"};
        QTest::newRow("a second save") << "timed saved" << QStringList{"saved", "", ""};
        QTest::newRow("the same text again, as a command's") << "show Saved" << QStringList{"Saved", "Saved"};
        // clang-format on
    }

    void shouldClearOnlyItsOwnMessageThenContinue()
    {
        QFETCH(QString, then);
        muxcc::StatusLine status;
        status.setStatusWait(std::chrono::milliseconds(100));
        auto window = std::make_unique<QObject>();
        QStringList noted;
        status.showTimedMessage(QStringLiteral("Saved"), window.get(), [&] { noted << status.text(); });
        QCOMPARE(status.text(), QStringLiteral("Saved"));
        if (then == "destroy")
            window.reset();
        QTest::qWait(20);
        if (then.startsWith("timed "))
            status.showTimedMessage(then.mid(6), nullptr, [&] { noted << status.text(); });
        else if (then.startsWith("show "))
            status.showMessage(then.mid(5));

        QTest::qWait(300);
        QTEST(noted << status.text(), "seen");
    }

    // What must be said for each way a device refuses (device, error, exists, accessible, group, present).
    void shouldExplainWhyTheDeviceDidNotOpen_data()
    {
        QTest::addColumn<PortOpenFacts>("facts");
        QTest::addColumn<QString>("says");
        const QString usb = QStringLiteral("/dev/ttyUSB1");
        const auto two = muxcc::test::AppProgram().present;
        // clang-format off
        QTest::newRow("missing, two ports present") << PortOpenFacts{usb, QSerialPort::DeviceNotFoundError, false, false, {}, two} << "/dev/ttyUSB1 does not exist. Ports present: /dev/ttyUSB0 (FT232R USB UART), /dev/ttyS0.";
        QTest::newRow("missing, none present") << PortOpenFacts{usb, QSerialPort::DeviceNotFoundError, false, false, {}, {}} << "/dev/ttyUSB1 does not exist. No serial ports are present;";
        QTest::newRow("refused, owned by dialout") << PortOpenFacts{usb, QSerialPort::PermissionError, true, false, "dialout", two} << "denied. Add your user to the group dialout (sudo usermod -aG dialout $USER), then log out and log in";
        QTest::newRow("refused, no group may use it") << PortOpenFacts{usb, QSerialPort::PermissionError, true, false, {}, {}} << "Permission to use /dev/ttyUSB1 was denied, and no group";
        // clang-format on
    }

    void shouldExplainWhyTheDeviceDidNotOpen()
    {
        QFETCH(PortOpenFacts, facts);
        QFETCH(QString, says);
        QVERIFY2(muxcc::link::PortOpenProblem(facts).contains(says),
                 qPrintable(muxcc::link::PortOpenProblem(facts)));
    }

    // A transfer that cannot open the port keeps its own failure text, and the reason stands beside it until
    // an open succeeds. The drop-down lists the ports present each time it opens, without that counting as a
    // choice; the device picked or typed is the one the next transfer opens, and stays while one runs.
    void shouldShowThePortInUseAndWhyItDidNotOpen()
    {
        muxcc::test::AppProgram program;
        auto& chooser = program.find<QComboBox>("port");
        const QLabel& problem = program.find<QLabel>("portProblem");
        QCOMPARE(program.choose("MNU_PROGRAM").last(),
                 "ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN.");
        QVERIFY2(problem.text().startsWith("/nonexistent/ttyS0 does not exist."), qPrintable(problem.text()));
        QCOMPARE(problem.text(), program.port.openProblem());
        QSignalSpy choices(&chooser, &QComboBox::currentTextChanged);
        program.present = {{"/dev/ttyS0", "built-in"}};
        chooser.showPopup();
        program.present.insert(program.present.begin(),
                               {"/dev/ttyUSB0", "FT232R USB UART"}); // plugged in later
        chooser.showPopup();
        chooser.hidePopup();
        QStringList items{chooser.currentText(), program.port.device(), QString::number(choices.size())};
        for (int i = 0; i < chooser.count(); ++i)
            items << chooser.itemText(i) + " (" + chooser.itemData(i, Qt::ToolTipRole).toString() + ")";
        QCOMPARE(items, (QStringList{"/nonexistent/ttyS0", "/nonexistent/ttyS0", "0",
                                     "/dev/ttyUSB0 (FT232R USB UART)", "/dev/ttyS0 (built-in)"}));

        chooser.setCurrentIndex(chooser.findText("/dev/ttyS0"));
        QCOMPARE(program.port.device(), QStringLiteral("/dev/ttyS0"));
        chooser.lineEdit()->selectAll();
        QTest::keyClicks(chooser.lineEdit(), "/dev/pts/3");
        QCOMPARE(program.port.device(), QStringLiteral("/dev/pts/3"));
        program.port.setDevice(QStringLiteral("/dev/ptmx")); // opens as a terminal
        QVERIFY(program.port.open());
        QCOMPARE(problem.text() + program.port.openProblem(), QString());
        QVERIFY(!chooser.isEnabled());
        program.port.setDevice(QStringLiteral("/dev/ttyS0"));
        QCOMPARE(program.port.device(), QStringLiteral("/dev/ptmx"));
        program.port.close();
        QVERIFY(chooser.isEnabled());
    }

    // A notice shows its own icon, title and text.
    void shouldShowANoticeWithItsIcon()
    {
        QStringList seen;
        for (const Notice::Icon icon : {Notice::Icon::Information, Notice::Icon::Exclamation}) {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                seen << QString::number(box->icon()) + ':' + box->windowTitle() + ':' + box->text();
                box->accept();
            });
            muxcc::MessageBoxDialogs().showNotice({icon, "V1 VOLTAGE SETTING", " MUST BE 0 TO 50"});
        }
        QCOMPARE(seen.join('|'), "1:V1 VOLTAGE SETTING: MUST BE 0 TO 50|2:V1 "
                                 "VOLTAGE SETTING: MUST BE 0 TO 50");
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
