#include "app_program.h"
#include "link/port_diagnosis.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

using muxcc::link::PortOpenFacts;

Q_DECLARE_METATYPE(PortOpenFacts)

class PortTest : public QObject {
    Q_OBJECT

private slots:
    // What must be said for each way a device refuses (device, error, exists, accessible, group, present).
    void shouldExplainWhyTheDeviceDidNotOpen_data()
    {
        QTest::addColumn<PortOpenFacts>("facts");
        QTest::addColumn<QString>("says");
        const QString usb = QStringLiteral("/dev/ttyUSB1");
        const auto two = muxcc::test::AppProgram().present;
        QTest::newRow("missing, two ports present")
            << PortOpenFacts{usb, QSerialPort::DeviceNotFoundError, false, false, {}, two}
            << "/dev/ttyUSB1 does not exist. Ports present: /dev/ttyUSB0 (FT232R USB UART), /dev/ttyS0.";
        QTest::newRow("missing, none present")
            << PortOpenFacts{usb, QSerialPort::DeviceNotFoundError, false, false, {}, {}}
            << "/dev/ttyUSB1 does not exist. No serial ports are present;";
        QTest::newRow("refused, owned by dialout")
            << PortOpenFacts{usb, QSerialPort::PermissionError, true, false, "dialout", two}
            << "denied. Add your user to the group dialout (sudo usermod -aG dialout $USER), then log out "
               "and log in";
        QTest::newRow("refused, no group may use it")
            << PortOpenFacts{usb, QSerialPort::PermissionError, true, false, {}, {}}
            << "Permission to use /dev/ttyUSB1 was denied, and no group";
    }

    void shouldExplainWhyTheDeviceDidNotOpen()
    {
        QFETCH(PortOpenFacts, facts);
        QFETCH(QString, says);
        QVERIFY2(muxcc::link::PortOpenProblem(facts).contains(says),
                 qPrintable(muxcc::link::PortOpenProblem(facts)));
    }

    // A transfer that cannot open the port keeps its own failure text, and the reason stands beside it until
    // an open succeeds. The drop-down lists the ports present each time it opens, without that counting as
    // a choice; the device picked or typed is the one the next transfer opens, and stays while one runs.
    void shouldShowThePortInUseAndWhyItDidNotOpen_data()
    {
        QTest::addColumn<QString>("typed"); // empty: /dev/ttyS0 picked from the list
        QTest::newRow("picked from the list") << QString();
        QTest::newRow("typed") << "/dev/pts/3";
    }

    void shouldShowThePortInUseAndWhyItDidNotOpen()
    {
        QFETCH(QString, typed);
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

        if (typed.isEmpty()) {
            chooser.setCurrentIndex(chooser.findText("/dev/ttyS0"));
        } else {
            chooser.lineEdit()->selectAll();
            QTest::keyClicks(chooser.lineEdit(), typed);
        }
        QCOMPARE(program.port.device(), typed.isEmpty() ? "/dev/ttyS0" : typed);
        program.port.setDevice(QStringLiteral("/dev/ptmx")); // opens as a terminal
        QVERIFY(program.port.open());
        QCOMPARE(problem.text() + program.port.openProblem(), QString());
        QVERIFY(!chooser.isEnabled());
        program.port.setDevice(typed);
        QCOMPARE(program.port.device(), QStringLiteral("/dev/ptmx"));
        program.port.close();
        QVERIFY(chooser.isEnabled());
    }
};

QTEST_MAIN(PortTest)
#include "port_test.moc"
