#include "app/port_chooser.h"
#include "app_program.h"
#include "link/port_diagnosis.h"

#include <QLabel>
#include <QtTest>

using muxcc::link::PortOpenFacts;
using muxcc::link::PresentPort;
using Ports = std::vector<PresentPort>;

namespace {

const Ports TwoAdapters{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", ""}};

// A device that opens as a terminal wherever pseudo-terminals exist.
const QString OpenableDevice = QStringLiteral("/dev/ptmx");

// The program with its drop-down listing `present`.
struct Program : muxcc::test::AppProgram {
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
    // What must be said for each way a device refuses.
    void shouldExplainWhyTheDeviceDidNotOpen_data()
    {
        QTest::addColumn<PortOpenFacts>("facts");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("missing, two ports present")
            << Facts(QSerialPort::DeviceNotFoundError, false, false, {}, TwoAdapters)
            << QStringList{
                   "/dev/ttyUSB1 does not exist. Ports present: /dev/ttyUSB0 (FT232R USB UART), /dev/ttyS0."};
        QTest::newRow("missing, none present") << Facts(QSerialPort::DeviceNotFoundError, false, false)
                                               << QStringList{"/dev/ttyUSB1 does not exist. No serial ports"};
        QTest::newRow("refused, owned by dialout")
            << Facts(QSerialPort::PermissionError, true, false, "dialout", TwoAdapters)
            << QStringList{"Permission to use /dev/ttyUSB1 was denied",
                           "group dialout (sudo usermod -aG dialout $USER)", "log in again"};
        QTest::newRow("refused, no group may use it")
            << Facts(QSerialPort::PermissionError, true, false)
            << QStringList{"Permission to use /dev/ttyUSB1 was denied, and no group", "log in again"};
        QTest::newRow("held by another program") << Facts(QSerialPort::PermissionError, true, true, "dialout")
                                                 << QStringList{"/dev/ttyUSB1 is in use by another program"};
        QTest::newRow("not a serial device")
            << Facts(QSerialPort::UnsupportedOperationError, true, true)
            << QStringList{"/dev/ttyUSB1 does not accept the line settings 9600,N,8,1"};
        QTest::newRow("present but silent")
            << Facts(QSerialPort::ResourceError, true, true)
            << QStringList{"/dev/ttyUSB1 could not be opened; the device did not respond"};
    }

    void shouldExplainWhyTheDeviceDidNotOpen()
    {
        QFETCH(PortOpenFacts, facts);
        QFETCH(QStringList, says);

        const QString problem = muxcc::link::PortOpenProblem(facts);

        for (const QString& words : says)
            QVERIFY2(problem.contains(words), qPrintable(problem));
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
        QCOMPARE(chooser.currentText(), QStringLiteral("/nonexistent/ttyS0")); // as the program was started
        QCOMPARE(chooser.accessibleName(), QStringLiteral("Serial port"));

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
        QCOMPARE(program.channel.openProblem(), QString());
        QVERIFY(!program.chooser().isEnabled()); // no change of device during a transfer
        program.channel.setDevice(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(program.channel.device(), OpenableDevice);
        program.channel.close();
        QVERIFY(program.chooser().isEnabled());
    }
};

QTEST_MAIN(PortTest)
#include "port_test.moc"
