#include "app/message_box_dialogs.h"
#include "app_program.h"
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

using muxcc::Notice;

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
    // "name=text" of a box, "name=true" or "name=false" of an option, for each "name=..." in `probes`.
    QStringList showing(QStringList probes) const
    {
        for (QString& probe : probes) {
            const QWidget& control = find<QWidget>(probe.section('=', 0, 0));
            probe = probe.section('=', 0, 0) + '=' +
                    control.property(control.inherits("QLineEdit") ? "text" : "checked").toString();
        }
        return probes;
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
        QFETCH(QStringList, notices);
        QFETCH(long, showing);
        Program program;
        QStringList bar{program.window.windowTitle()};
        for (QAction* action : program.window.menuBar()->actions())
            bar << Outline(action);
        QCOMPARE(
            bar,
            (QStringList{
                "MULTIPLEX CONTROLLER COMPILIER",
                "MNUFILE=&FILE[MNUOPEN=&OPEN,MNUSAVE=&SAVE,MNUSAVEAS=SAVE &AS,MNUPRINT=&PRINT,MNUEXIT=&EXIT]",
                "multi_ch_config=&Multiplexed Channel Config", "MNUTIMERS=&TIMERS",
                "MNU_ANA_CONFIG=&ANALOG CONFIG", "mnu_additionFeatures=&Addition Features",
                "MNU_BLN=&BOOLEANS", "MNU_PRG=&PROGRAM[MNU_READ=&READ,MNU_PROGRAM=&WRITE TO CONTROLLER]",
                "MNU_ABOUT=&ABOUT"}));
        program.config.ChannelDirection[3] = 1;
        const muxcc::Configuration before = program.config;
        program.window.show();
        program.choose("MNUTIMERS");

        QCOMPARE(program.choose(item), QStringList());

        QCOMPARE(muxcc::test::Notices(program), notices);
        QVERIFY(program.config == before);
        QCOMPARE(program.window.status(), QStringLiteral("Welcome to the World of Programmable Logic"));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), std::mem_fn(&QWidget::isVisible)), showing);
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
        QTest::newRow("read") << "MNU_READ" << none << Windows << none;
        QTest::newRow("read, channels and timers closed")
            << "MNU_READ" << QStringList{Windows[0], Windows[2]}
            << QStringList{Windows[1], Windows[3], Windows[4]} << none;
        QTest::newRow("open") << "MNUOPEN" << none << QStringList{Windows[4]}
                              << QStringList{"(i) TIMER#2", "(i) TIMER#4"};
        QTest::newRow("open, timers closed")
            << "MNUOPEN" << QStringList{Windows[2]} << QStringList{Windows[4]} << none;
    }

    void shouldBringTheOpenWindowsUpToDate()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, closed);
        QFETCH(QStringList, reopened);
        QFETCH(QStringList, notices);
        QTemporaryDir dir;
        muxcc::Configuration file;
        muxcc::test::Configure(file);
        QVERIFY(!muxcc::SaveProjectFile(file, dir.filePath("file.MCF").toStdString()));
        Program program;
        program.files = {dir.filePath("file.MCF")};
        auto& controller = program.bench.controller; // the same settings as the file
        controller.settings[13] = 65;                // MUX1 and MUX7 outputs
        controller.settings[20] = 2;                 // V2 = 690 counts: 13.5 V
        controller.settings[21] = 178;
        controller.settings[62] = 12;
        controller.settings[63] = 10; // timers 2 and 4 one shot
        controller.settings[75] = 75; // timer 3 on
        controller.code[0] = {0, 3};  // MUX1 = MUX3
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
        QCOMPARE(program.shown, reopened);
        QCOMPARE(muxcc::test::Notices(program).replaceInStrings(QRegularExpression(":.*"), QString()),
                 notices);
        QCOMPARE(program.config.BooleanEditText[1], std::string("MUX3 "));
        const QStringList showing{"mux7Output=true", "timer2OneShot=true", "timer4OneShot=true",
                                  "timer3On=1.5",    "V2SET=13.5",         "slpOnTime=12",
                                  "equation1=MUX3 "};
        if (closed.isEmpty())
            QCOMPARE(program.showing(showing), showing);
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
        QCOMPARE(program.config.ChannelDirection[5], std::int16_t{0});
        QVERIFY(!greyed());
        QTRY_COMPARE(program.window.status(), QString());
        QTRY_VERIFY(greyed());
    }

    // Every control a person reads or types into, in every window, is named for a screen reader, and
    // every box of a settings window has a label as its buddy.
    void shouldNameEveryControlForAScreenReader()
    {
        Program program;
        for (const QString& item : Windows)
            program.choose(item);
        QStringList unnamed;
        const auto labels = program.window.findChildren<QLabel*>();
        for (QWidget* control : program.window.findChildren<QWidget*>()) {
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

    void shouldShowANoticeWithItsIcon_data()
    {
        QTest::addColumn<Notice::Icon>("icon");
        QTest::addColumn<QMessageBox::Icon>("shown");
        QTest::newRow("information") << Notice::Icon::Information << QMessageBox::Information;
        QTest::newRow("exclamation") << Notice::Icon::Exclamation << QMessageBox::Warning;
    }

    void shouldShowANoticeWithItsIcon()
    {
        QFETCH(Notice::Icon, icon);
        QFETCH(QMessageBox::Icon, shown);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen << QString::number(box->icon()) << box->windowTitle() << box->text();
            box->accept();
        });

        muxcc::MessageBoxDialogs().showNotice({icon, "V1 VOLTAGE SETTING", " MUST BE 0 TO 50"});

        QCOMPARE(seen, (QStringList{QString::number(shown), "V1 VOLTAGE SETTING", " MUST BE 0 TO 50"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
