#include "project/project_fields.h"
#include "project/project_file_io.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "project/settings_report.h"

#include <QTest>
#include <QtCore>

#include <filesystem>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>

using namespace muxcc;
using Change = std::function<void(Configuration&)>;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const Change Fresh = [](Configuration&) {};

// The line a fresh start saves: 50 zeros, 42 empty texts, 7 zeros.
const std::string FreshLine = contents(MUXCC_DATA "fresh.MCF").toStdString();

// MUX1 an output, timer 1 a one shot (on 250, off 100), V1 at 13.5 V for 250
// counts, options 1 and 3 with the 24 V model, and an equation for MUX1.
const Change Example = [](Configuration& c) {
    c.ChannelDirection[1] = c.TimerMode[1] = c.VoltageModel = 1;
    c.TimerOnTime[1] = c.VoltageTime[1] = 250;
    std::tie(c.TimerOffTime[1], c.VoltageSetting[1], c.OptionFlags) = std::tuple(100, 13.5F, 5);
    c.BooleanText[1] = "INPUT1 AND V1";
};

// What Example saves: field 1 = 1, 17 = 250, 18 = 100, 19 = 1, 26 = 13.5,
// 32 = 50 × 250, 51 = the quoted equation, 99 = 21, the others as fresh.
const std::string ExampleLine = contents(MUXCC_DATA "example.MCF").toStdString();

// The fresh line with field `number` (1..99) written as `text`.
std::string freshLineWith(int number, const std::string& text)
{
    QList<QByteArray> fields = QByteArray::fromStdString(FreshLine).chopped(2).split(','); // no quoted commas
    fields[number - 1] = QByteArray::fromStdString(text);
    return (fields.join(',') + "\r\n").toStdString();
}

// A configuration with `change` made to a fresh start, and values that no file
// holds set, so that a read must keep them.
Configuration loadedWith(const Change& change)
{
    Configuration config;
    std::tie(config.FileName, config.BooleanEditText[1]) = std::tuple("previous.mcf", "being edited");
    change(config);
    config.PackedOptionWord = static_cast<std::int16_t>(PackOptionWord(config));
    return config;
}

const std::string LongestText(LongestEquation, 'X');

// A file of exactly the largest size: a fresh record after blanks.
const std::string LargestFile = std::string(LargestProjectFile - FreshLine.size(), ' ') + FreshLine;

// A change that sets file field `number` to `wanted` (a count for a comparator time).
Change field(int number, double wanted)
{
    return [=](Configuration& config) {
        ForEachProjectField(config, [&](const ProjectField& each, auto& value) {
            if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>)
                value = each.number == number ? static_cast<std::decay_t<decltype(value)>>(wanted) : value;
        });
    };
}

// Makes the named kind of thing at path; a link points to a TARGET beside it.
bool makeTarget(const QString& target, const QString& path)
{
    const QString linked = QFileInfo(path).dir().filePath("TARGET");
    if (target.startsWith("link to "))
        return makeTarget(target.mid(8), linked) && QFile::link(linked, path);
    if (target.contains("file")) { // old, example or oversized
        QFile file(path);
        const QByteArray bytes = target.startsWith("old") ? "an older, longer file" : ExampleLine.c_str();
        return file.open(QIODevice::WriteOnly) &&
               (target == "oversized file" ? file.resize(qint64(LargestProjectFile) + 1)
                                           : file.write(bytes) == bytes.size());
    }
    if (target == "directory")
        return QDir().mkdir(path);
    if (target == "named pipe" || target == "null device")
        return ::mknod(QFile::encodeName(path).constData(),
                       (target == "named pipe" ? S_IFIFO : S_IFCHR) | 0600, makedev(1, 3)) == 0;
    return true; // nothing, or a path that exists already
}

} // namespace

class ProjectTest : public QObject {
    Q_OBJECT

private slots:
    // Each row is read into a loaded configuration: it gives `change` made to a
    // fresh start, or refuses with `reason`, control and 8-bit bytes escaped,
    // and changes nothing (change = Example). A "writes" row is also exactly
    // the line that `change` saves.
    void shouldWriteAndReadRecords_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reason");
        const std::string acrossLines = QByteArray::fromStdString(ExampleLine)
                                            .replace(",250,", "\r\n250\n")
                                            .replace(",\"IN", "\r\"IN")
                                            .toStdString();
        // clang-format off
        QTest::newRow("writes a fresh start")            << FreshLine                                              << Fresh                                                        << QString();
        QTest::newRow("writes the example")              << ExampleLine                                            << Example                                                      << QString();
        QTest::newRow("writes a quoted comma in TRIG5")  << freshLineWith(92, "\"A,B\"")                           << Change([](Configuration& c) { c.BooleanText[42] = "A,B"; })  << QString();
        QTest::newRow("writes options, 12 V model")      << freshLineWith(99, "15")                                << Change([](Configuration& c) { c.OptionFlags = 15; })         << QString();
        QTest::newRow("writes 8-bit text unchanged")     << freshLineWith(51, "\"\xb0\xe9\"")                      << Change([](Configuration& c) { c.BooleanText[1] = "\xb0\xe9"; }) << QString();
        QTest::newRow("reads an empty file as fresh")    << std::string()                                          << Fresh                                                        << QString();
        QTest::newRow("reads the second of two records") << ExampleLine + freshLineWith(17, "5")                   << field(17, 5)                                                 << QString();
        QTest::newRow("reads a record across lines")     << acrossLines                                            << Example                                                      << QString();
        QTest::newRow("reads 16 as 24 V, no options")    << freshLineWith(99, "16")                                << Change([](Configuration& c) { c.VoltageModel = 1; })         << QString();
        QTest::newRow("reads no zero before the point")  << freshLineWith(26, " -.5 ")                             << field(26, -0.5)                                              << QString();
        QTest::newRow("refuses a short record")          << FreshLine.substr(0, FreshLine.rfind(','))              << Example                                                      << QString("the file ends inside a record: field 99 (PackedOptionWord) is missing");
        QTest::newRow("refuses only a line end")         << std::string("\r\n")                                    << Example                                                      << QString("the file ends inside a record: field 2 (ChannelDirection[2]) is missing");
        QTest::newRow("refuses text for a number")       << freshLineWith(17, "abc")                               << Example                                                      << QString("field 17 (TimerOnTime[1]): \"abc\" is not a number");
        QTest::newRow("writes the longest equation")     << freshLineWith(51, '"' + LongestText + '"')             << Change([](Configuration& c) { c.BooleanText[1] = LongestText; }) << QString();
        QTest::newRow("refuses a longer equation")       << freshLineWith(51, '"' + LongestText + "X\"")           << Example                                                      << QString("field 51 (BooleanText[1]): the text holds 32768 characters, more than the 32767 of the longest equation");
        QTest::newRow("reads the largest file")          << LargestFile                                            << Fresh                                                        << QString();
        QTest::newRow("reads an unquoted text")          << freshLineWith(87, " T1 OR T2 ")                        << Change([](Configuration& c) { c.BooleanText[37] = "T1 OR T2"; }) << QString();
        QTest::newRow("refuses a byte past the largest") << " " + LargestFile                                      << Example                                                      << QString("the file holds 2097153 bytes, more than the 2097152 of the largest project file");
        QTest::newRow("refuses a LF inside quotes")      << freshLineWith(51, "\"A\nB\"")                          << Example                                                      << QString("field 51 (BooleanText[1]): the quoted text runs across a line end");
        QTest::newRow("refuses a CR inside quotes")      << freshLineWith(92, "\"A\r\"")                           << Example                                                      << QString("field 92 (BooleanText[42]): the quoted text runs across a line end");
        QTest::newRow("refuses a quote in a bare text")  << freshLineWith(52, "A\"B")                           << Example                                                      << QString("field 52 (BooleanText[2]): a double quote stands inside an unquoted field");
        QTest::newRow("refuses an unterminated quote")   << freshLineWith(92, "\"V1 AND V2")                    << Example                                                      << QString("field 92 (BooleanText[42]): the quoted text has no closing double quote");
        QTest::newRow("16-bit top")                      << freshLineWith(50, "32767")                             << field(50, 32767)                                             << QString();
        QTest::newRow("16-bit top + 1")                  << freshLineWith(50, "32768")                             << Example                                                      << QString("field 50 (SlpOnTime): \"32768\" is outside the 16-bit range (-32768..32767)");
        QTest::newRow("16-bit bottom")                   << freshLineWith(46, "-32768")                            << field(46, -32768)                                            << QString();
        QTest::newRow("16-bit bottom - 1")               << freshLineWith(46, "-32769")                            << Example                                                      << QString("field 46 (CycleCounterOperand): \"-32769\" is outside the 16-bit range (-32768..32767)");
        QTest::newRow("32-bit top")                      << freshLineWith(17, "2147483647")                        << field(17, 2147483647)                                        << QString();
        QTest::newRow("32-bit top + 1")                  << freshLineWith(17, "2147483648")                        << Example                                                      << QString("field 17 (TimerOnTime[1]): \"2147483648\" is outside the 32-bit range (-2147483648..2147483647)");
        QTest::newRow("32-bit bottom")                   << freshLineWith(97, "-2147483648")                       << field(97, -2147483648)                                       << QString();
        QTest::newRow("32-bit bottom - 1")               << freshLineWith(97, "-2147483649")                       << Example                                                      << QString("field 97 (TimerOffTime[5]): \"-2147483649\" is outside the 32-bit range (-2147483648..2147483647)");
        QTest::newRow("comparator top")                  << freshLineWith(32, "2147483600")                        << field(32, 42949672)                                          << QString();
        QTest::newRow("comparator top + 1")              << freshLineWith(32, "2147483601")                        << Example                                                      << QString("field 32 (VoltageTime[1]): \"2147483601\" is outside the comparator time range (-2147483600..2147483600)");
        QTest::newRow("comparator bottom")               << freshLineWith(45, "-2147483600")                       << field(45, -42949672)                                         << QString();
        QTest::newRow("comparator bottom - 1")           << freshLineWith(45, "-2147483601")                       << Example                                                      << QString("field 45 (TemperatureTime[4]): \"-2147483601\" is outside the comparator time range (-2147483600..2147483600)");
        QTest::newRow("comparator 25 as 0")              << freshLineWith(32, "25")                                << field(32, 0)                                                 << QString();
        QTest::newRow("comparator 75 as 2")              << freshLineWith(33, "75")                                << field(33, 2)                                                 << QString();
        QTest::newRow("2.5 as 2, half to even")          << freshLineWith(17, "2.5")                               << field(17, 2)                                                 << QString();
        QTest::newRow("3.5 as 4, half to even")          << freshLineWith(1, "3.5")                                << field(1, 4)                                                  << QString();
        QTest::newRow("a plus sign")                     << freshLineWith(1, "+5")                                 << field(1, 5)                                                  << QString();
        QTest::newRow("400 zeros after the point")       << freshLineWith(26, "0." + std::string(400, '0') + "1")  << field(26, 0)                                                 << QString();
        QTest::newRow("400 zeros in a whole field")      << freshLineWith(99, "-0." + std::string(400, '0') + "1") << field(99, 0)                                                 << QString();
        QTest::newRow("too small for any double")        << freshLineWith(17, "9e-99999999999999999999")           << field(17, 0)                                                 << QString();
        QTest::newRow("too large for any double")        << freshLineWith(17, "1e400")                             << Example                                                      << QString("field 17 (TimerOnTime[1]): \"1e400\" is outside the 32-bit range (-2147483648..2147483647)");
        QTest::newRow("a threshold to 7 digits")         << freshLineWith(27, "0.123456789")                       << field(27, double(0.1234568F))                                << QString();
        QTest::newRow("the largest threshold")           << freshLineWith(41, "3.402823e38")                       << field(41, double(3.402823e38F))                              << QString();
        QTest::newRow("past the largest threshold")      << freshLineWith(41, "3.5e38")                            << Example                                                      << QString("field 41 (TemperatureSetting[4]): \"3.5e38\" is outside the float range");
        QTest::newRow("two signs")                       << freshLineWith(1, "+-5")                                << Example                                                      << QString("field 1 (ChannelDirection[1]): \"+-5\" is not a number");
        QTest::newRow("infinity spelt out")              << freshLineWith(26, "inf")                               << Example                                                      << QString("field 26 (VoltageSetting[1]): \"inf\" is not a number");
        QTest::newRow("cut after 32 bytes")              << freshLineWith(17, std::string(31, '9') + "\x7f\x80")   << Example                                                      << QString("field 17 (TimerOnTime[1]): \"9999999999999999999999999999999\\x7f...\" is not a number");
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

    // A "saves" row saves `change` at a path where `target` stands, an "opens"
    // row opens that path into `change`. Only a regular file is read or
    // replaced, whole, and a link to one is followed; a refusal leaves the
    // configuration and whatever stands at the path as they were. PATH in
    // `reason` stands for the path.
    void shouldOpenAndSaveOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("saves no file where its temporary cannot be named") << "old file under a 250-byte name" << Example                                                      << QString("cannot save PATH: the new file could not take the old one's place (Unknown error)");
        QTest::newRow("saves a new file")                                  << "nothing"                        << Example                                                      << QString();
        QTest::newRow("saves over an old file")                            << "old file"                       << Example                                                      << QString();
        QTest::newRow("saves through a link")                              << "link to old file"               << Example                                                      << QString();
        QTest::newRow("opens through a link")                              << "link to example file"           << Fresh                                                        << QString();
        QTest::newRow("saves no line break in BUZZER")                     << "old file"                       << Change([](Configuration& c) { c.BooleanText[37] = "V1\r"; }) << QString("cannot save PATH: the BUZZER equation contains a line break, which a project file cannot hold");
        QTest::newRow("saves no equation past the longest")                << "old file"                       << Change([](Configuration& c) { c.BooleanText[1] = LongestText + "X"; }) << QString("cannot save PATH: the MUX1 equation holds 32768 characters, more than the 32767 a project file keeps");
        QTest::newRow("saves no comparator count past 32 bits")            << "old file"                       << field(45, 42949673)                                          << QString("cannot save PATH: field 45 (TemperatureTime[4]): 42949673 counts are too many to save");
        QTest::newRow("saves no named pipe")                               << "named pipe"                     << Example                                                      << QString("cannot save PATH: it is a named pipe, not a regular file");
        QTest::newRow("opens no named pipe")                               << "named pipe"                     << Fresh                                                        << QString("cannot open PATH: it is a named pipe, not a regular file");
        QTest::newRow("saves no linked pipe")                              << "link to named pipe"             << Example                                                      << QString("cannot save PATH: it is a named pipe, not a regular file");
        QTest::newRow("saves no directory")                                << "directory"                      << Example                                                      << QString("cannot save PATH: it is a directory, not a regular file");
        QTest::newRow("saves no device")                                   << "null device"                    << Example                                                      << QString("cannot save PATH: it is a character device, not a regular file");
        QTest::newRow("opens no /dev/zero")                                << "/dev/zero"                      << Fresh                                                        << QString("cannot open PATH: it is a character device, not a regular file");
        QTest::newRow("opens no oversized file")                           << "oversized file"                 << Fresh                                                        << QString("PATH: the file holds 2097153 bytes, more than the 2097152 of the largest project file");
        // clang-format on
    }

    void shouldOpenAndSaveOnlyRegularFiles()
    {
        QFETCH(QString, target);
        QFETCH(Change, change);
        QFETCH(QString, reason);
        const bool saves = QByteArray(QTest::currentDataTag()).startsWith("saves");
        QTemporaryDir dir;
        const QString name = target.endsWith("250-byte name") ? QString(250, 'N') : "NOEXTENSION";
        const QString path = target.startsWith('/') ? target : dir.filePath(name);
        if (!makeTarget(target, path))
            QSKIP("this target cannot be made here"); // a device node needs root
        const std::string file = path.toStdString();
        const auto state = [&] { // no temporary left, nothing made, nothing replaced
            return std::pair(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System),
                             std::filesystem::symlink_status(file).type());
        };
        const auto stateBefore = state();
        const QByteArray old = QFileInfo(path).isFile() ? contents(path) : QByteArray();
        Configuration config = loadedWith(change), expected = config;
        const auto failure = saves ? SaveProjectFile(config, file) : OpenProjectFile(config, file);
        QCOMPARE(QString::fromStdString(failure.value_or("")), QString(reason).replace("PATH", path));
        QVERIFY(state() == stateBefore || target == "nothing");
        QCOMPARE(QFileInfo(path).isFile() ? contents(path) : QByteArray(),
                 failure ? old : QByteArray(ExampleLine.c_str()));
        if (!failure) {
            expected = loadedWith(Example);
            std::tie(expected.FileName, expected.FileAssociated, expected.BooleanEditText) =
                std::tuple(file, 1, saves ? expected.BooleanEditText : expected.BooleanText);
        }
        QVERIFY(config == expected);
    }

    // Every line of both pages, after the project file is read and written
    // back the same; "**" marks a bold line and a form feed the page break.
    void shouldPrintTheWholeReport_data()
    {
        QTest::addColumn<QString>("project"); // NAME.MCF and NAME_report.txt
        QTest::addColumn<std::string>("fileName");
        // clang-format off
        QTest::newRow("a fresh start")                  << "fresh" << std::string();
        // Every channel, timer and comparator different, negative and fractional values, 34 equations.
        QTest::newRow("something different everywhere") << "rich"  << std::string("/home/tech/BUS 24V.MCF");
        // clang-format on
    }

    void shouldPrintTheWholeReport()
    {
        QFETCH(QString, project);
        QFETCH(std::string, fileName);
        Configuration config;
        const QByteArray bytes = contents(MUXCC_DATA + project + ".MCF");
        QVERIFY(!ReadProjectRecord(config, bytes.toStdString()));
        QCOMPARE(ProjectRecordLine(config), bytes.toStdString());
        config.FileName = fileName;
        QStringList printed;
        for (const ReportLine& line : SettingsReport(config))
            printed << QString::fromStdString(line.pageBreak ? "\f" : (line.bold ? "**" : "") + line.text());
        QCOMPARE(printed,
                 QString::fromUtf8(contents(MUXCC_DATA + project + "_report.txt")).chopped(1).split('\n'));
    }
};

QTEST_GUILESS_MAIN(ProjectTest)
#include "project_test.moc"
