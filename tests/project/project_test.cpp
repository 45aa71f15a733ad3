#include "project/project_fields.h"
#include "project/project_file_io.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "project/settings_report.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// Every channel, timer and comparator different, negative and fractional
// values, 34 equations and a file name with a blank.
const Change Rich = [](Configuration& c) {
    const int offTimes[] = {75, 7, -30, 65500, 1}, onTimes[] = {0, 50, 65499, -1, 33333};
    const float volts[] = {13.2F, -0.5F, 0.05F, 36.0F, 11.5F, 1234.567F},
                degrees[] = {-40.0F, 0.1F, 100.0F, 99.5F};
    const int voltTimes[] = {1, 7, 250, 65500, -50, 3}, degreeTimes[] = {2, 0, 1000, 51};
    for (int n = 1; n <= ChannelCount; ++n)
        c.ChannelDirection[n] = std::int16_t(n % 3);
    for (int n = 1; n <= TimerCount; ++n) {
        c.TimerMode[n] = std::int16_t(n - 3);
        c.TimerOffTime[n] = offTimes[n - 1];
        c.TimerOnTime[n] = onTimes[n - 1];
    }
    for (int n = 1; n <= VoltageComparatorCount; ++n) {
        c.VoltageSetting[n] = volts[n - 1];
        c.VoltageTime[n] = voltTimes[n - 1];
    }
    for (int n = 1; n <= TemperatureComparatorCount; ++n) {
        c.TemperatureSetting[n] = degrees[n - 1];
        c.TemperatureTime[n] = degreeTimes[n - 1];
    }
    for (int n = 1; n <= OutputCount; ++n)
        if (n % 5 != 0)
            c.BooleanText[n] = "MUX" + std::to_string(n % 16 + 1) +
                               (n % 2 ? " AND NOT ( FET10 OR TMR5 )" : " OR V" + std::to_string(n % 6 + 1));
    c.FileName = "/home/tech/BUS 24V.MCF";
};

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

const std::string LongestText(LongestEquation, 'X');

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

// A file of exactly the largest size: fresh records, the last with an equation
// that fills it up; and that equation.
const std::pair<std::string, std::string> LargestFile = [] {
    const std::size_t records = LargestProjectFile / FreshLine.size() - 1;
    const std::string text(LargestProjectFile - (records + 1) * FreshLine.size(), 'X');
    std::string file;
    for (std::size_t n = 0; n < records; ++n)
        file += FreshLine;
    return std::pair(file + freshLineWith(51, Quoted(text)), text);
}();

// lstat's kind of file at path (0 when there is nothing).
int fileKind(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & S_IFMT) : 0;
}

// Makes the named kind of thing at path; a link points to path + ".target".
bool makeTarget(const QString& target, const QString& path)
{
    const QByteArray name = QFile::encodeName(path), linked = name + ".target";
    if (target == "link to a regular file")
        return writeFile(path + ".target", QByteArray::fromStdString(freshLineWith(17, "5"))) &&
               QFile::link(path + ".target", path);
    if (target == "link to a named pipe")
        return ::mkfifo(linked.constData(), 0600) == 0 && QFile::link(path + ".target", path);
    if (target == "named pipe")
        return ::mkfifo(name.constData(), 0600) == 0;
    if (target == "directory")
        return QDir().mkdir(path);
    if (target == "null device")
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    if (target == "oversized file") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(LargestProjectFile) + 1);
    }
    return true; // nothing, or a path that exists already
}

// The number a configuration holds in file field `number`.
double fieldValue(const Configuration& config, int number)
{
    double found = -1e300;
    ForEachProjectField(config, [&](const ProjectField& field, const auto& value) {
        if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(value)>>)
            if (field.number == number)
                found = value;
    });
    return found;
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
        QTest::newRow("refuses a short record")          << FreshLine.substr(0, FreshLine.rfind(','))  << Example << QString("the file ends inside a record: field 99 (PackedOptionWord) is missing");
        QTest::newRow("refuses only a line end")         << std::string("\r\n")                        << Example << QString("the file ends inside a record: field 2 (ChannelDirection[2]) is missing");
        QTest::newRow("refuses text for a number")       << freshLineWith(17, "abc")                   << Example << QString("field 17 (TimerOnTime[1]): \"abc\" is not a number");
        QTest::newRow("writes the longest equation")     << freshLineWith(51, Quoted(LongestText))      << Change([](Configuration& c) { c.BooleanText[1] = LongestText; }) << QString();
        QTest::newRow("refuses a longer equation")       << freshLineWith(51, Quoted(LongestText + "X"))  << Example << QString("field 51 (BooleanText[1]): the text holds 32768 characters, more than the 32767 of the longest equation");
        QTest::newRow("reads the largest file")          << LargestFile.first                             << Change([](Configuration& c) { c.BooleanText[1] = LargestFile.second; }) << QString();
        QTest::newRow("reads an unquoted text")          << freshLineWith(87, " T1 OR T2 ")                << Change([](Configuration& c) { c.BooleanText[37] = "T1 OR T2"; }) << QString();
        QTest::newRow("refuses a byte past the largest") << LargestFile.first + " "                       << Example << QString("the file holds 2097153 bytes, more than the 2097152 of the largest project file");
        QTest::newRow("refuses a LF inside quotes")      << freshLineWith(51, "\"A\nB\"")                << Example << QString("field 51 (BooleanText[1]): the quoted text runs across a line end");
        QTest::newRow("refuses a CR inside quotes")      << freshLineWith(92, "\"A\r\"")                 << Example << QString("field 92 (BooleanText[42]): the quoted text runs across a line end");
        QTest::newRow("refuses a quote in a bare text")  << freshLineWith(52, "A\"B")                    << Example << QString("field 52 (BooleanText[2]): a double quote stands inside an unquoted field");
        QTest::newRow("refuses a quote in a number")     << freshLineWith(99, "1\"")                      << Example << QString("field 99 (PackedOptionWord): a double quote stands inside an unquoted field");
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

    // One spelling in one field of a fresh line: the value it reads as, or the
    // reason it is refused, with control and 8-bit bytes escaped.
    void shouldReadNumberSpellings_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<std::string>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("reason");
        const auto outside = [](int field, const char* name, const char* text, const char* range) {
            return QString("field %1 (%2): \"%3\" is outside the %4").arg(field).arg(name, text, range);
        };
        const char* const bits16 = "16-bit range (-32768..32767)";
        const char* const bits32 = "32-bit range (-2147483648..2147483647)";
        const char* const comparator = "comparator time range (-2147483600..2147483600)";
        const std::string tiny = "0." + std::string(400, '0') + "1";
        // clang-format off
        QTest::newRow("16-bit top")                 << 50 << std::string("32767")       << 32767.0       << QString();
        QTest::newRow("16-bit top, rounded past")   << 50 << std::string("32767.5")     << 0.0           << outside(50, "SlpOnTime", "32767.5", bits16);
        QTest::newRow("16-bit top + 1")             << 50 << std::string("32768")       << 0.0           << outside(50, "SlpOnTime", "32768", bits16);
        QTest::newRow("16-bit bottom")              << 46 << std::string("-32768")      << -32768.0      << QString();
        QTest::newRow("16-bit bottom - 1")          << 46 << std::string("-32769")      << 0.0           << outside(46, "CycleCounterOperand", "-32769", bits16);
        QTest::newRow("32-bit top")                 << 17 << std::string("2147483647")  << 2147483647.0  << QString();
        QTest::newRow("32-bit top + 1")             << 17 << std::string("2147483648")  << 0.0           << outside(17, "TimerOnTime[1]", "2147483648", bits32);
        QTest::newRow("32-bit bottom")              << 97 << std::string("-2147483648") << -2147483648.0 << QString();
        QTest::newRow("32-bit bottom - 1")          << 97 << std::string("-2147483649") << 0.0           << outside(97, "TimerOffTime[5]", "-2147483649", bits32);
        QTest::newRow("comparator top")             << 32 << std::string("2147483600")  << 42949672.0    << QString();
        QTest::newRow("comparator top + 1")         << 32 << std::string("2147483601")  << 0.0           << outside(32, "VoltageTime[1]", "2147483601", comparator);
        QTest::newRow("comparator bottom")          << 45 << std::string("-2147483600") << -42949672.0   << QString();
        QTest::newRow("comparator bottom - 1")      << 45 << std::string("-2147483601") << 0.0           << outside(45, "TemperatureTime[4]", "-2147483601", comparator);
        QTest::newRow("comparator 25 as 0")         << 32 << std::string("25")          << 0.0           << QString();
        QTest::newRow("comparator 75 as 2")         << 33 << std::string("75")          << 2.0           << QString();
        QTest::newRow("2.5 as 2, half to even")     << 17 << std::string("2.5")         << 2.0           << QString();
        QTest::newRow("3.5 as 4, half to even")     << 1  << std::string("3.5")         << 4.0           << QString();
        QTest::newRow("a plus sign")                << 1  << std::string("+5")          << 5.0           << QString();
        QTest::newRow("minus zero")                 << 26 << std::string("-0")          << 0.0           << QString();
        QTest::newRow("no digit before the point")  << 26 << std::string(".5")          << 0.5           << QString();
        QTest::newRow("no digit after the point")   << 1  << std::string("5.")          << 5.0           << QString();
        QTest::newRow("an exponent")                << 17 << std::string("1e3")         << 1000.0        << QString();
        QTest::newRow("leading zeros")              << 98 << std::string("007")         << 7.0           << QString();
        QTest::newRow("400 zeros after the point")  << 26 << tiny                       << 0.0           << QString();
        QTest::newRow("400 zeros in a whole field") << 99 << "-" + tiny                 << 0.0           << QString();
        QTest::newRow("too small for any double")   << 17 << std::string("9e-99999999999999999999") << 0.0 << QString();
        QTest::newRow("too large for any double")   << 17 << std::string("1e400")       << 0.0           << outside(17, "TimerOnTime[1]", "1e400", bits32);
        QTest::newRow("a threshold to 7 digits")    << 27 << std::string("0.123456789") << double(0.1234568F) << QString();
        QTest::newRow("the largest threshold")      << 41 << std::string("3.402823e38") << double(3.402823e38F) << QString();
        QTest::newRow("past the largest threshold") << 41 << std::string("3.5e38")      << 0.0           << outside(41, "TemperatureSetting[4]", "3.5e38", "float range");
        QTest::newRow("two signs")                  << 1  << std::string("+-5")         << 0.0           << QString("field 1 (ChannelDirection[1]): \"+-5\" is not a number");
        QTest::newRow("hexadecimal")                << 1  << std::string("0x10")        << 0.0           << QString("field 1 (ChannelDirection[1]): \"0x10\" is not a number");
        QTest::newRow("infinity spelt out")         << 26 << std::string("inf")         << 0.0           << QString("field 26 (VoltageSetting[1]): \"inf\" is not a number");
        QTest::newRow("control bytes escaped")      << 17 << std::string("\x1b[2J\xff")  << 0.0           << QString("field 17 (TimerOnTime[1]): \"\\x1b[2J\\xff\" is not a number");
        QTest::newRow("cut after 32 bytes")         << 17 << std::string(31, '9') + "\x7f\x80" << 0.0    << QString("field 17 (TimerOnTime[1]): \"9999999999999999999999999999999\\x7f...\" is not a number");
        // clang-format on
    }

    void shouldReadNumberSpellings()
    {
        QFETCH(int, field);
        QFETCH(std::string, text);
        QFETCH(double, value);
        QFETCH(QString, reason);
        Configuration config = loadedWith(Example);
        QCOMPARE(QString::fromStdString(ReadProjectRecord(config, freshLineWith(field, text)).value_or("")),
                 reason);
        if (reason.isEmpty())
            QCOMPARE(fieldValue(config, field), value);
        else
            QVERIFY(config == loadedWith(Example));
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
        QTest::newRow("a double quote in TRIG5")        << "OLD" << Change([](Configuration& c) { c.BooleanText[42] = "\""; })      << std::string("the TRIG5 equation contains a double quote");
        QTest::newRow("a line break in BUZZER")         << "OLD" << Change([](Configuration& c) { c.BooleanText[37] = "V1\r"; })    << std::string("the BUZZER equation contains a line break");
        QTest::newRow("an equation past the longest")   << "OLD" << Change([](Configuration& c) { c.BooleanText[1] = LongestText + "X"; }) << std::string("the MUX1 equation holds 32768 characters, more than the 32767");
        QTest::newRow("comparator counts past 32 bits") << "OLD" << Change([](Configuration& c) { c.TemperatureTime[4] = 42949673; }) << std::string("field 45 (TemperatureTime[4]): 42949673 counts are too many");
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

    // Only a regular file is read or replaced (a link to one is followed); a
    // refusal leaves the configuration and whatever stands at the path alone.
    void shouldTouchOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("save");      // else open
        QTest::addColumn<QString>("reason"); // PATH stands for the path
        // clang-format off
        QTest::newRow("opens through a link")     << "link to a regular file" << false << QString();
        QTest::newRow("saves through a link")     << "link to a regular file" << true  << QString();
        QTest::newRow("opens no named pipe")      << "named pipe"             << false << QString("cannot open PATH: it is a named pipe, not a regular file");
        QTest::newRow("saves no named pipe")      << "named pipe"             << true  << QString("cannot save PATH: it is a named pipe, not a regular file");
        QTest::newRow("saves no linked pipe")     << "link to a named pipe"   << true  << QString("cannot save PATH: it is a named pipe, not a regular file");
        QTest::newRow("opens no directory")       << "directory"              << false << QString("cannot open PATH: it is a directory, not a regular file");
        QTest::newRow("saves no directory")       << "directory"              << true  << QString("cannot save PATH: it is a directory, not a regular file");
        QTest::newRow("saves no device")          << "null device"            << true  << QString("cannot save PATH: it is a character device, not a regular file");
        QTest::newRow("opens no /dev/zero")       << "/dev/zero"              << false << QString("cannot open PATH: it is a character device, not a regular file");
        QTest::newRow("opens no oversized file")  << "oversized file"         << false << QString("PATH: the file holds 2097153 bytes, more than the 2097152 of the largest project file");
        QTest::newRow("opens no missing file")    << "nothing"                << false << QString("cannot open PATH: No such file or directory");
        // clang-format on
    }

    void shouldTouchOnlyRegularFiles()
    {
        QFETCH(QString, target);
        QFETCH(bool, save);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = target.startsWith('/') ? target : dir.filePath("TARGET");
        if (!makeTarget(target, path))
            QSKIP("this target cannot be made here"); // a device node needs root
        const int kind = fileKind(path);
        Configuration config = loadedWith(Example), before = config;
        const auto failure =
            save ? SaveProjectFile(config, path.toStdString()) : OpenProjectFile(config, path.toStdString());
        QCOMPARE(QString::fromStdString(failure.value_or("")), QString(reason).replace("PATH", path));
        QCOMPARE(fileKind(path), kind);
        if (failure)
            QVERIFY(config == before);
        else if (save)
            QCOMPARE(contents(path), QByteArray::fromStdString(ExampleLine));
        else
            QCOMPARE(config.TimerOnTime[1], 5);
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

    // Every line of both pages for a configuration with something different
    // everywhere; "**" marks a bold line and a form feed the page break.
    void shouldPrintTheWholeReport()
    {
        QFile expected(MUXCC_RICH_REPORT);
        QVERIFY(expected.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = expected.readAll().split('\n');
        const std::vector<ReportLine> report = SettingsReport(loadedWith(Rich));
        QCOMPARE(report.size() + 1, std::size_t(lines.size())); // the last line end leaves an empty tail
        for (std::size_t n = 0; n < report.size(); ++n) {
            const ReportLine& line = report[n];
            const std::string printed = line.pageBreak ? "\f" : (line.bold ? "**" : "") + line.text();
            QVERIFY2(lines[qsizetype(n)].toStdString() == printed,
                     qPrintable(QString("line %1: %2").arg(n + 1).arg(QString::fromStdString(printed))));
        }
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
