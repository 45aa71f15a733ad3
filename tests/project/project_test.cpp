#include "project/project_file_io.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "project/settings_report.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace muxcc;
using Change = std::function<void(Configuration&)>;

namespace {

const Change Fresh = [](Configuration&) {};

// The line a fresh start saves: 50 zeros, 42 empty texts, 7 zeros.
const std::string FreshLine =
    "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
    R"("","","","","","","","","","","","","","","","","","","","","",)"
    R"("","","","","","","","","","","","","","","","","","","","","",)"
    "0,0,0,0,0,0,0\r\n";

// MUX1 an output, timer 1 a one shot (on 250, off 100), V1 at 13.5 V for 250
// counts, options 1 and 3 with the 24 V model, and an equation for MUX1.
const Change Example = [](Configuration& c) {
    c.ChannelDirection[1] = c.TimerMode[1] = c.VoltageModel = 1;
    c.TimerOnTime[1] = c.VoltageTime[1] = 250;
    c.TimerOffTime[1] = 100;
    c.VoltageSetting[1] = 13.5F;
    c.OptionFlags = 5;
    c.BooleanText[1] = "INPUT1 AND V1";
};

const std::string ExampleLine =
    "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,250,100,1,0,0,0,0,0,0,13.5,0,0,0,0,0,12500,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
    R"(0,0,0,0,"INPUT1 AND V1","","","","","","","","","","","","","","","","","","","","",)"
    R"("","","","","","","","","","","","","","","","","","","","","",0,0,0,0,0,0,21)"
    "\r\n";

// The fresh line with field `number` (1..99) written as `text`.
std::string freshLineWith(int number, const std::string& text)
{
    std::size_t start = 0; // no commas inside the fresh line's quotes
    for (int field = 1; field < number; ++field)
        start = FreshLine.find(',', start) + 1;
    return FreshLine.substr(0, start) + text + FreshLine.substr(FreshLine.find_first_of(",\r", start));
}

// A configuration with `change` made to a fresh start, and values that no file
// holds set, so that a read must keep them.
Configuration loadedWith(const Change& change)
{
    Configuration config;
    config.FileName = "previous.mcf";
    config.BooleanEditText[1] = "being edited";
    config.BooleanCode[0] = 5;
    change(config);
    config.PackedOptionWord = static_cast<std::int16_t>(PackOptionWord(config));
    return config;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class ProjectTest : public QObject {
    Q_OBJECT

private slots:
    // Each row is read into a loaded configuration: it gives `change` made to a
    // fresh start, or refuses with `reason` and changes nothing (change =
    // Example). A "writes" row is also exactly the line that `change` saves.
    void shouldWriteAndReadRecords_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reason");
        std::string acrossLines = ExampleLine;
        acrossLines.replace(acrossLines.find(",250,"), 5, "\r\n250\n");
        acrossLines.replace(acrossLines.find(",\"INPUT1"), 1, "\r");
        // clang-format off
        QTest::newRow("writes a fresh start")            << FreshLine                                  << Fresh   << QString();
        QTest::newRow("writes the example")              << ExampleLine                                << Example << QString();
        QTest::newRow("writes timer 5 after equations")  << freshLineWith(97, "13")                    << Change([](Configuration& c) { c.TimerOffTime[5] = 13; })          << QString();
        QTest::newRow("writes a quoted comma in TRIG5")  << freshLineWith(92, "\"A,B\"")               << Change([](Configuration& c) { c.BooleanText[42] = "A,B"; })       << QString();
        QTest::newRow("writes options, 12 V model")      << freshLineWith(99, "15")                    << Change([](Configuration& c) { c.OptionFlags = 15; })              << QString();
        QTest::newRow("writes -0.2 with 0, to 7 digits") << freshLineWith(39, "-0.2")                  << Change([](Configuration& c) { c.TemperatureSetting[2] = -0.2F; }) << QString();
        QTest::newRow("writes 8-bit text unchanged")     << freshLineWith(51, "\"\xb0\xe9\"")          << Change([](Configuration& c) { c.BooleanText[1] = "\xb0\xe9"; })   << QString();
        QTest::newRow("reads an empty file as fresh")    << std::string()                              << Fresh   << QString();
        QTest::newRow("reads the second of two records") << ExampleLine + freshLineWith(17, "5")       << Change([](Configuration& c) { c.TimerOnTime[1] = 5; })            << QString();
        QTest::newRow("reads a record across lines")     << acrossLines                                << Example << QString();
        QTest::newRow("reads 16 as 24 V, no options")    << freshLineWith(99, "16")                    << Change([](Configuration& c) { c.VoltageModel = 1; })              << QString();
        QTest::newRow("reads no zero before the point")  << freshLineWith(26, " -.5 ")                 << Change([](Configuration& c) { c.VoltageSetting[1] = -0.5F; })     << QString();
        QTest::newRow("reads 2.5 as 2, half to even")    << freshLineWith(17, "2.5")                   << Change([](Configuration& c) { c.TimerOnTime[1] = 2; })            << QString();
        QTest::newRow("reads 3.5 as 4, half to even")    << freshLineWith(1, "3.5")                    << Change([](Configuration& c) { c.ChannelDirection[1] = 4; })       << QString();
        QTest::newRow("reads comparator 25 as 0")        << freshLineWith(32, "25")                    << Fresh   << QString();
        QTest::newRow("reads comparator 75 as 2")        << freshLineWith(33, "75")                    << Change([](Configuration& c) { c.VoltageTime[2] = 2; })            << QString();
        QTest::newRow("refuses a short record")          << FreshLine.substr(0, FreshLine.rfind(','))  << Example << QString("the file ends inside a record: field 99 (PackedOptionWord) is missing");
        QTest::newRow("refuses only a line end")         << std::string("\r\n")                        << Example << QString("the file ends inside a record: field 2 (ChannelDirection[2]) is missing");
        QTest::newRow("refuses text for a number")       << freshLineWith(17, "abc")                   << Example << QString("field 17 (TimerOnTime[1]): \"abc\" is not a number");
        QTest::newRow("refuses a rounded 16-bit excess") << freshLineWith(50, "32767.5")               << Example << QString("field 50 (SlpOnTime): \"32767.5\" is outside the 16-bit range (-32768..32767)");
        QTest::newRow("refuses a comparator > 32 bits")  << freshLineWith(32, "2147483648")            << Example << QString("field 32 (VoltageTime[1]): \"2147483648\" is outside the 32-bit range (-2147483648..2147483647)");
        QTest::newRow("refuses an unterminated quote")   << freshLineWith(92, "\"V1 AND V2")           << Example << QString("field 92 (BooleanText[42]): the quoted text has no closing double quote");
        // clang-format on
    }

    void shouldWriteAndReadRecords()
    {
        QFETCH(std::string, bytes);
        QFETCH(Change, change);
        QFETCH(QString, reason);
        if (QByteArray(QTest::currentDataTag()).startsWith("writes"))
            QCOMPARE(QString::fromStdString(ProjectRecordLine(loadedWith(change))),
                     QString::fromStdString(bytes));
        Configuration config = loadedWith(Example);
        QCOMPARE(QString::fromStdString(ReadProjectRecord(config, bytes).value_or("")), reason);
        QVERIFY(config == loadedWith(change));
    }

    void shouldKeepEveryComparatorCountFromZeroTo65500()
    {
        for (int first = 0; first <= 65500; first += 10) { // ten comparator times a record
            Configuration in, out;
            for (int n = 0; n < 10; ++n) // the last record wraps round to 0..8
                (n < 6 ? in.VoltageTime[n + 1] : in.TemperatureTime[n - 5]) = (first + n) % 65501;
            QVERIFY2(!ReadProjectRecord(out, ProjectRecordLine(in)) && out == in,
                     qPrintable(QString("a count from %1 changed").arg(first)));
        }
    }

    // SAVE AS replaces an old file whole; a failed save keeps it and the configuration as they were.
    void shouldSaveOverAnOldFileOrKeepIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Change>("change");
        QTest::addColumn<std::string>("reason");
        // clang-format off
        QTest::newRow("saves a name with no extension") << "NOEXTENSION"     << Example << std::string();
        // QSaveFile's temporary beside a 250-byte name would be too long.
        QTest::newRow("no room for a temporary name")   << QString(250, 'N') << Example << std::string();
        QTest::newRow("a double quote in TRIG5")        << "OLD" << Change([](Configuration& c) { c.BooleanText[42] = "\""; }) << std::string("the TRIG5 equation contains a double quote");
        // clang-format on
    }

    void shouldSaveOverAnOldFileOrKeepIt()
    {
        QFETCH(QString, name);
        QFETCH(Change, change);
        QFETCH(std::string, reason);
        const bool saves = QByteArray(QTest::currentDataTag()).startsWith("saves");
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QByteArray old = "an older, longer file that SAVE AS replaces without a question";
        QVERIFY(writeFile(path, old));
        Configuration config = loadedWith(change), expected = config;
        const auto failure = SaveProjectFile(config, path.toStdString());
        QVERIFY2(saves ? !failure
                       : failure && failure->starts_with("cannot save " + path.toStdString() + ": " + reason),
                 failure.value_or("saved").c_str());
        expected.FileName = saves ? path.toStdString() : expected.FileName;
        expected.FileAssociated = saves;
        QVERIFY(config == expected);
        QCOMPARE(contents(path), saves ? QByteArray::fromStdString(ExampleLine) : old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name}); // no temporary left
        Configuration reopened = loadedWith(Fresh);
        QCOMPARE(OpenProjectFile(reopened, path.toStdString()).has_value(), !saves);
        expected.BooleanEditText = expected.BooleanText;
        QVERIFY(reopened == (saves ? expected : loadedWith(Fresh))); // the old text is no record
    }

    // Line numbers run through the whole list: the page break is line 72.
    void shouldPrintEachReportLine_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text"); // "**" marks a bold line
        // clang-format off
        QTest::newRow("a fresh timer is a duty timer")   << Fresh << 48  << QString(" Timer 5 is a Duty Timer.");
        QTest::newRow("the last line of the first page") << Fresh << 71  << QString(" T4 IS TRUE WHEN TEMPERATURE IS > 0 For 0 Seconds");
        QTest::newRow("the second page's version")       << Fresh << 77  << QString("** ORLA version 1.0 ");
        QTest::newRow("the file name on page two")       << Change([](Configuration& c) { c.FileName = "/t/BUS.MCF"; })  << 76 << QString("**Filename = /t/BUS.MCF");
        QTest::newRow("a direction of 2 is an input")    << Change([](Configuration& c) { c.ChannelDirection[1] = 2; })  << 11 << QString("MUX Channel 1 = Input");
        QTest::newRow("a mode of 2 is a one shot")       << Change([](Configuration& c) { c.TimerMode[1] = 2; })         << 32 << QString(" Timer 1 is a Triggerable One Shot Timer.");
        QTest::newRow("75 counts are 1.5 seconds")       << Change([](Configuration& c) { c.TimerOffTime[1] = 75; })     << 33 << QString(" Timer 1 Off time 1.5 Seconds");
        QTest::newRow("7 counts without a leading zero") << Change([](Configuration& c) { c.TimerOnTime[1] = 7; })       << 34 << QString(" Timer 1 On time .14 Seconds");
        QTest::newRow("V4 at 11.5 for 5 seconds")        << Change([](Configuration& c) { c.VoltageSetting[4] = 11.5F; c.VoltageTime[4] = 250; }) << 60 << QString(" V4 IS TRUE WHEN BATTERY VOLTAGE IS < 11.5 For 5 Seconds");
        QTest::newRow("13.2 to seven digits")            << Change([](Configuration& c) { c.VoltageSetting[6] = 13.2F; c.VoltageTime[6] = 65500; }) << 62 << QString(" V6 IS TRUE WHEN BATTERY VOLTAGE IS < 13.2 For 1310 Seconds");
        QTest::newRow("a negative threshold")            << Change([](Configuration& c) { c.TemperatureSetting[1] = -0.5F; }) << 68 << QString(" T1 IS TRUE WHEN TEMPERATURE IS <-.5 For 0 Seconds");
        QTest::newRow("an equation after its label")     << Change([](Configuration& c) { c.BooleanText[37] = "T1 OR T2"; }) << 120 << QString("BUZZER =T1 OR T2");
        // clang-format on
    }

    void shouldPrintEachReportLine()
    {
        QFETCH(Change, change);
        QFETCH(int, line);
        QFETCH(QString, text);
        const ReportLine printed = SettingsReport(loadedWith(change)).at(std::size_t(line - 1));
        QCOMPARE(QString::fromStdString((printed.bold ? "**" : "") + printed.text()), text);
    }

    // muxcc-cli as a technician runs it: normalize, then report (71 lines, a form feed, 53 lines).
    void shouldNormalizeAndReportFromTheCommandLine()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("IN.MCF"), out = dir.filePath("OUT.MCF");
        // The example as typed by hand: 1.0 for 1, blanks around 13.50, a LF line end.
        std::string typed = "1.0" + ExampleLine.substr(1, ExampleLine.size() - 3) + "\n";
        QVERIFY(writeFile(in, QByteArray::fromStdString(typed.replace(typed.find("13.5"), 4, " 13.50 "))));
        QCOMPARE(QProcess::execute(MUXCC_CLI, {"normalize", in, out}), 0);
        QCOMPARE(contents(out), QByteArray::fromStdString(ExampleLine));

        QProcess report;
        report.start(MUXCC_CLI, {"report", out});
        QVERIFY(report.waitForFinished(30000) && report.exitCode() == 0);
        const QList<QByteArray> lines = report.readAll().split('\n');
        QCOMPARE(lines.size(), 71 + 1 + 53 + 1); // the last line end leaves an empty tail
        QCOMPARE(lines[71], QByteArray("\f"));
        QCOMPARE(lines[10], QByteArray("MUX Channel 1 = Output"));
    }
};

QTEST_GUILESS_MAIN(ProjectTest)
#include "project_test.moc"
