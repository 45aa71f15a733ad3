#include "app/main_window.h"
#include "app/port_chooser.h"
#include "app/status_line.h"
#include "link/port_diagnosis.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using muxcc::link::PortOpenFacts;
using muxcc::link::PresentPort;
using Ports = std::vector<PresentPort>;

namespace {

const Ports TwoAdapters{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", ""}};

// A device that opens as a terminal wherever pseudo-terminals exist.
const QString OpenableDevice = QStringLiteral("/dev/ptmx");

struct Program {
    muxcc::Configuration config;
    muxcc::test::RecordingDialogs dialogs;
    muxcc::link::SerialPortChannel channel{QStringLiteral("/nonexistent/ttyS0")};
    muxcc::link::SerialPortWaiter waiter{channel};
    muxcc::MainWindow window{config, dialogs, channel, waiter};
    Ports present = TwoAdapters;

    Program()
    {
        window.attachSerialPort(channel, [this] { return present; });
    }
    QComboBox& chooser() { return *window.findChild<QComboBox*>(QStringLiteral("port")); }
    QString problem() { return window.findChild<QLabel*>(QStringLiteral("portProblem"))->text(); }
};

QStringList Items(const QComboBox& box, int role)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemData(i, role).toString();
    return items;
}

PortOpenFacts Facts(QSerialPort::SerialPortError error, bool exists, bool accessible, QString group = {},
                    Ports present = {})
{
    return {QStringLiteral("/dev/ttyUSB1"), error, exists, accessible, std::move(group), std::move(present)};
}

} // namespace

Q_DECLARE_METATYPE(PortOpenFacts)

class PortTest : public QObject {
    Q_OBJECT

private slots:
    // What must be said, and what must not, for each way a device refuses.
    void shouldExplainWhyTheDeviceDidNotOpen_data()
    {
        QTest::addColumn<PortOpenFacts>("facts");
        QTest::addColumn<QStringList>("says");
        QTest::addColumn<QStringList>("neverSays");
        QTest::newRow("missing, two ports present")
            << Facts(QSerialPort::DeviceNotFoundError, false, false, {}, TwoAdapters)
            << QStringList{"/dev/ttyUSB1 does not exist.",
                           "Ports present: /dev/ttyUSB0 (FT232R USB UART), /dev/ttyS0."}
            << QStringList{"No serial ports", "ermission", "in use"};
        QTest::newRow("missing, none present")
            << Facts(QSerialPort::DeviceNotFoundError, false, false)
            << QStringList{"/dev/ttyUSB1 does not exist.", "No serial ports are present"}
            << QStringList{"Ports present", "ermission"};
        QTest::newRow("refused, owned by dialout")
            << Facts(QSerialPort::PermissionError, true, false, "dialout", TwoAdapters)
            << QStringList{"Permission to use /dev/ttyUSB1 was denied", "group dialout",
                           "usermod -aG dialout", "log in again"}
            << QStringList{"in use", "does not exist", "/dev/ttyUSB0"};
        QTest::newRow("refused, owned by uucp")
            << Facts(QSerialPort::PermissionError, true, false, "uucp")
            << QStringList{"group uucp", "usermod -aG uucp", "log in again"} << QStringList{"dialout"};
        QTest::newRow("refused, owner unknown")
            << Facts(QSerialPort::PermissionError, false, false)
            << QStringList{"group that owns the device", "log in again"} << QStringList{"in use"};
        QTest::newRow("held by another program")
            << Facts(QSerialPort::PermissionError, true, true, "dialout")
            << QStringList{"/dev/ttyUSB1 is in use by another program", "Close that program"}
            << QStringList{"ermission", "dialout"};
        QTest::newRow("not a serial device")
            << Facts(QSerialPort::UnsupportedOperationError, true, true)
            << QStringList{"/dev/ttyUSB1 does not accept the line settings 9600,N,8,1"}
            << QStringList{"does not exist"};
        QTest::newRow("vanished while opening")
            << Facts(QSerialPort::ResourceError, false, false, {}, TwoAdapters)
            << QStringList{"/dev/ttyUSB1 does not exist.", "Ports present"} << QStringList{"did not respond"};
        QTest::newRow("present but silent")
            << Facts(QSerialPort::ResourceError, true, true)
            << QStringList{"/dev/ttyUSB1 could not be opened", "did not respond"}
            << QStringList{"does not exist"};
    }

    void shouldExplainWhyTheDeviceDidNotOpen()
    {
        QFETCH(PortOpenFacts, facts);
        QFETCH(QStringList, says);
        QFETCH(QStringList, neverSays);

        const QString problem = muxcc::link::PortOpenProblem(facts);

        for (const QString& words : says)
            QVERIFY2(problem.contains(words), qPrintable(problem));
        for (const QString& words : neverSays)
            QVERIFY2(!problem.contains(words), qPrintable(problem));
    }

    // The facts come from the system: the device file, its owner and this user's rights.
    void shouldGatherTheFactsFromTheSystem_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing device") << "/nonexistent/ttyUSB9" << QSerialPort::DeviceNotFoundError
                                        << "/nonexistent/ttyUSB9 does not exist.";
        QTest::newRow("device this user may use")
            << "/dev/null" << QSerialPort::PermissionError << "/dev/null is in use by another program";
    }

    void shouldGatherTheFactsFromTheSystem()
    {
        QFETCH(QString, device);
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(QString, says);

        const QString problem = muxcc::link::PortOpenProblem(device, error);

        QVERIFY2(problem.startsWith(says), qPrintable(problem));
    }

    void shouldSayPermissionDeniedForADeviceThisUserMayNotUse()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("ttyLocked"));
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFileDevice::Permissions());

        const QString problem = muxcc::link::PortOpenProblem(device, QSerialPort::PermissionError);

        QVERIFY2(problem.startsWith("Permission to use " + device + " was denied"), qPrintable(problem));
        QVERIFY2(problem.contains("group " + QFileInfo(device).group()), qPrintable(problem));
    }

    void shouldKeepTheReasonOfTheLastFailedOpen()
    {
        muxcc::link::SerialPortChannel channel(QStringLiteral("/nonexistent/ttyUSB3"));
        QSignalSpy failures(&channel, &muxcc::link::SerialPortChannel::openFailed);

        QVERIFY(!channel.open());
        QCOMPARE(failures.size(), 1);
        QVERIFY2(channel.openProblem().startsWith("/nonexistent/ttyUSB3 does not exist."),
                 qPrintable(channel.openProblem()));

        channel.setDevice(OpenableDevice);
        QCOMPARE(channel.device(), OpenableDevice);
        QVERIFY2(channel.open(), qPrintable(channel.openProblem()));
        QCOMPARE(channel.openProblem(), QString());
        QCOMPARE(failures.size(), 1);

        channel.setDevice(QStringLiteral("/dev/ttyUSB0")); // ignored while the line is open
        QCOMPARE(channel.device(), OpenableDevice);
        channel.close();
        channel.setDevice(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(channel.device(), QStringLiteral("/dev/ttyUSB0"));
    }

    void shouldListThePortsPresentEachTimeTheListOpens()
    {
        Ports present{{"/dev/ttyS0", "built-in"}};
        muxcc::PortChooser chooser([&present] { return present; });
        chooser.setEditText(QStringLiteral("/dev/pts/7"));
        QSignalSpy choices(&chooser, &QComboBox::currentTextChanged);

        chooser.showPopup();
        chooser.hidePopup();
        QCOMPARE(Items(chooser, Qt::DisplayRole), QStringList{"/dev/ttyS0"});
        QCOMPARE(Items(chooser, Qt::ToolTipRole), QStringList{"built-in"});

        present = TwoAdapters; // an adapter plugged in meanwhile
        chooser.showPopup();
        chooser.hidePopup();
        QCOMPARE(Items(chooser, Qt::DisplayRole), (QStringList{"/dev/ttyUSB0", "/dev/ttyS0"}));
        QCOMPARE(Items(chooser, Qt::ToolTipRole), (QStringList{"FT232R USB UART", ""}));
        QCOMPARE(chooser.currentText(), QStringLiteral("/dev/pts/7"));
        QCOMPARE(choices.size(), 0);
    }

    void shouldStartOnTheDeviceTheProgramWasGiven()
    {
        Program program;
        QCOMPARE(program.chooser().currentText(), QStringLiteral("/nonexistent/ttyS0"));
        QCOMPARE(program.chooser().accessibleName(), QStringLiteral("Serial port"));
        QVERIFY(program.chooser().isEditable());
        QCOMPARE(program.problem(), QString());
    }

    void shouldUseTheDeviceChosenOrTyped_data()
    {
        QTest::addColumn<QString>("typed"); // empty: picked from the list
        QTest::addColumn<QString>("device");
        QTest::newRow("picked from the list") << QString() << "/dev/ttyS0";
        QTest::newRow("typed") << "/dev/pts/3"
                               << "/dev/pts/3";
    }

    void shouldUseTheDeviceChosenOrTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, device);
        Program program;
        QComboBox& chooser = program.chooser();

        if (typed.isEmpty()) {
            chooser.showPopup();
            chooser.hidePopup();
            chooser.setCurrentIndex(chooser.findText(device));
        } else {
            chooser.lineEdit()->selectAll();
            QTest::keyClicks(chooser.lineEdit(), typed);
        }

        QCOMPARE(program.channel.device(), device);
    }

    // The command's own failure text stays; the reason stands beside it until an open succeeds.
    void shouldShowWhyATransferCouldNotOpenThePort()
    {
        Program program;

        program.window.findChild<QAction*>(QStringLiteral("MNU_PROGRAM"))->trigger();

        QCOMPARE(program.window.status(),
                 QStringLiteral("ERROR OCCURRED DURING PROGRAMMING, PLEASE TRY AGAIN."));
        QVERIFY2(program.problem().startsWith("/nonexistent/ttyS0 does not exist."),
                 qPrintable(program.problem()));
        QCOMPARE(program.problem(), program.channel.openProblem());
        QVERIFY(program.dialogs.notices.empty());

        program.chooser().setEditText(OpenableDevice);
        QVERIFY(program.channel.open());
        QCOMPARE(program.problem(), QString());
        QVERIFY(!program.chooser().isEnabled()); // no change of device during a transfer
        program.channel.close();
        QVERIFY(program.chooser().isEnabled());
    }
};

QTEST_MAIN(PortTest)
#include "port_test.moc"
