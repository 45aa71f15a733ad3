#include "cli/command_line.h"
#include "cli/console_observer.h"
#include "cli/unsendable_value.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sstream>
#include <sys/stat.h>

using namespace muxcc;
using namespace muxcc::cli;
using Change = std::function<void(Configuration&)>;

namespace {

// A project line: fields 1..99 as a fresh start saves them, some replaced.
QByteArray ProjectLine(const std::map<int, QByteArray>& fields)
{
    QByteArrayList line;
    for (int field = 1; field <= 99; ++field) {
        const auto given = fields.find(field);
        line << (given != fields.end()        ? given->second
                 : field >= 51 && field <= 92 ? QByteArray("\"\"")
                                              : QByteArray("0"));
    }
    return line.join(',') + "\r\n";
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {})
{
    QProcess cli;
    cli.start(program, args);
    cli.write(input);
    cli.closeWriteChannel();
    if (!cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit)
        return {};
    return {cli.exitCode(), QString::fromLocal8Bit(cli.readAllStandardOutput()),
            QString::fromLocal8Bit(cli.readAllStandardError())};
}

Finished RunCli(const QStringList& args)
{
    return RunProgram(QStringLiteral(MUXCC_CLI), args);
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString fixture(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase()
    {
        const std::map<QString, QByteArray> files{
            {"BAD.MCF", ProjectLine({{1, "1"}, {51, "\"MUX2 AND\""}})},
            {"INPUT.MCF", ProjectLine({{1, "1"}, {51, "\"MUX3\""}, {53, "\"MUX1\""}})},
            {"LONG.MCF", ProjectLine({{23, "70000"}})},
            {"SHORT.MCF", "1,2,3\r\n"},
        };
        for (const auto& [name, line] : files) {
            QFile file(fixture(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(line) == line.size());
        }
        QCOMPARE(mkfifo(fixture("FIFO").toLocal8Bit().constData(), 0600), 0);
    }

    // Each row: the arguments ({dir} and {pump} stand for the fixtures' folder
    // and the example), the exit status, and patterns stdout and stderr match.
    void shouldAnswerEachCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString none = "^$";
        const QString pumpCode = "^0,0,0,0,0,0,0,0,0,0,4,1,2,54,16,0,1,2,1,132,1,180,0,5,";
        const QString longTimer = "^muxcc-cli: TIMER#3 ON TIME is 1400 seconds and cannot be sent to the "
                                  "controller: MUST BE A NUMBER BETWEEN 0 AND 1310\n$";
        // clang-format off
        QTest::newRow("no command")            << QStringList{}                       << 2 << none << "^usage: muxcc-cli COMMAND";
        QTest::newRow("overall help")          << QStringList{"--help"}               << 0 << "COMMAND --help' describes" << none;
        QTest::newRow("unknown command")       << QStringList{"frob"}                 << 2 << none << "unknown command 'frob'";
        QTest::newRow("unknown option named")  << QStringList{"write", "{pump}", "--baud", "9600"} << 2 << none << "^muxcc-cli write: unknown option '--baud'\nusage: muxcc-cli write FILE";
        QTest::newRow("option lacking value")  << QStringList{"read", "--port"}       << 2 << none << "option '--port' needs a value";
        QTest::newRow("file missing")          << QStringList{"compile"}              << 2 << none << "^usage: muxcc-cli compile FILE\n$";
        QTest::newRow("a file too many")       << QStringList{"report", "{pump}", "{pump}"} << 2 << none << "usage: muxcc-cli report";
        QTest::newRow("a third model")         << QStringList{"read", "--model=48"}   << 2 << none << "--model is 12 or 24, not '48'";
        QTest::newRow("compile help")          << QStringList{"compile", "--help"}    << 0 << "^usage: muxcc-cli compile FILE\n\nOpens the project file FILE" << none;
        QTest::newRow("image help")            << QStringList{"image", "-h"}          << 0 << "^usage: muxcc-cli image FILE\n.*project file FILE" << none;
        QTest::newRow("normalize help")        << QStringList{"normalize", "--help"}  << 0 << "^usage: muxcc-cli normalize IN OUT\n.*project file IN.*OUT - writes to standard output" << none;
        QTest::newRow("report help")           << QStringList{"report", "--help"}     << 0 << "^usage: muxcc-cli report FILE \\[--pdf OUT.pdf\\]\n.*project file FILE" << none;
        QTest::newRow("write help, port too")  << QStringList{"write", "{pump}", "--help"} << 0 << "^usage: muxcc-cli write FILE.*project file FILE.*--port=DEVICE" << none;
        QTest::newRow("read help, the model")  << QStringList{"read", "--help"}       << 0 << "--model 24.*halved thresholds.*-o OUT saves.*project\nfile OUT \\(- for standard output\\)" << none;
        QTest::newRow("count help")            << QStringList{"count", "--help"}      << 0 << "^usage: muxcc-cli count \\[--port DEVICE\\]" << none;
        QTest::newRow("reset-count help")      << QStringList{"reset-count", "--help"} << 0 << "^usage: muxcc-cli reset-count \\[--port DEVICE\\]" << none;
        QTest::newRow("ports help")            << QStringList{"ports", "--help"}      << 0 << "^usage: muxcc-cli ports\n" << none;
        QTest::newRow("file not there")        << QStringList{"compile", "{dir}/NOPE.MCF"} << 1 << none << "^muxcc-cli: cannot open .*/NOPE.MCF: ";
        QTest::newRow("short file refused")    << QStringList{"report", "{dir}/SHORT.MCF"} << 1 << none << "^muxcc-cli: .*/SHORT.MCF: ";
        QTest::newRow("compile error")         << QStringList{"compile", "{dir}/BAD.MCF"} << 1 << none << "^muxcc-cli: Boolean Error in MUX1, Check Boolean\n$";
        QTest::newRow("input channel warning") << QStringList{"compile", "{dir}/INPUT.MCF"} << 0 << "^0,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"
                                               << "^muxcc-cli: warning: Boolean Error in MUX3, MUX3 SET AS INPUT \\(its equation was left out\\)\n$";
        QTest::newRow("example compiles")      << QStringList{"compile", "{pump}"}    << 0 << pumpCode << none;
        QTest::newRow("image refuses a time")  << QStringList{"image", "{dir}/LONG.MCF"} << 1 << none << longTimer;
        QTest::newRow("write refuses it first") << QStringList{"write", "{dir}/LONG.MCF", "--port", "/dev/muxcc-none"} << 1 << none << longTimer;
        QTest::newRow("normalize onto a pipe") << QStringList{"normalize", "{pump}", "{dir}/FIFO"} << 1 << none << "^muxcc-cli: .*FIFO";
        QTest::newRow("report as text")        << QStringList{"report", "{pump}"}     << 0 << "\n \\*+\n Timers Configuration\n.*T3 IS TRUE WHEN TEMPERATURE IS > 85 For 5 Seconds\n.*\n\f\n" << none;
        QTest::newRow("PDF nowhere to go")     << QStringList{"report", "{pump}", "--pdf", "{dir}/NOPE/R.pdf"} << 1 << none << "^muxcc-cli: Printing on .*/NOPE/R.pdf failed: the file could not be written.\n$";
        QTest::newRow("no such port, --port=") << QStringList{"count", "--port=/dev/muxcc-none"} << 1 << "^STARTING COMMUNICATIONS.......\nERROR OCCURRED DURING READING"
                                               << "^muxcc-cli: ERROR OCCURRED DURING READING, PLEASE TRY AGAIN. \\(/dev/muxcc-none\\)\nmuxcc-cli: /dev/muxcc-none does not exist";
        QTest::newRow("reset on no such port") << QStringList{"reset-count", "--port", "/dev/muxcc-none"} << 1 << "^starting communications\n"
                                               << "\\(/dev/muxcc-none\\)\nmuxcc-cli: /dev/muxcc-none does not exist";
        // clang-format on
    }

    void shouldAnswerEachCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        args.replaceInStrings("{dir}", dir_.path()).replaceInStrings("{pump}", MUXCC_EXAMPLE);
        const Finished run = RunCli(args);
        const auto matches = [](const QString& pattern, const QString& text) {
            return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
                .match(text)
                .hasMatch();
        };
        QVERIFY2(matches(out, run.out), qPrintable(run.out));
        QVERIFY2(matches(err, run.err), qPrintable(run.err));
        QCOMPARE(run.exitCode, exitCode);
    }

    void shouldNormalizeToStandardOutput()
    {
        const Finished run = RunCli({"normalize", MUXCC_EXAMPLE, "-"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.toLocal8Bit(), Contents(MUXCC_EXAMPLE));
    }

    void shouldWriteTheReportAsPdf()
    {
        const QString pdf = fixture("PUMP.pdf");
        QCOMPARE(RunCli({"report", MUXCC_EXAMPLE, "--pdf", pdf}).exitCode, 0);
        QVERIFY(Contents(pdf).startsWith("%PDF"));
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(pages.count('\f'), 2);
        QVERIFY2(pages.contains("V4 IS TRUE WHEN BATTERY VOLTAGE IS < 22 For 10 Seconds"), qPrintable(pages));
        QVERIFY(pages.contains("MUX5 =( MUX1 OR TMR1 ) AND MUX2 AND NOT MUX4 AND NOT T3"));
    }

    // The example's image piped into the simulator, then read back as each model decodes it.
    void shouldReadBackWhatTheImageLoaded_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("thresholds"); // fields 26 to 29
        QTest::addColumn<QByteArray>("optionWord");
        QTest::newRow("24 V, as written") << "24" << QByteArray("28.5,0,0,22") << QByteArray("17");
        QTest::newRow("12 V halves them") << "12" << QByteArray("14.3,0,0,11.1") << QByteArray("1");
    }

    void shouldReadBackWhatTheImageLoaded()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, thresholds);
        QFETCH(QByteArray, optionWord);
        const Finished image = RunCli({"image", MUXCC_EXAMPLE});
        QCOMPARE(image.exitCode, 0);

        QProcess sim;
        const QString log = fixture("requests-" + model + ".log");
        sim.start(MUXCC_SIM, {"--preload", "-", "--log", log});
        // Cycle count digits, units first: 1037.
        sim.write(image.out.toLocal8Bit() + "S 1 7\nS 2 3\nS 4 1\n");
        sim.closeWriteChannel();
        QVERIFY(sim.waitForReadyRead(5000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

        const Finished read = RunCli({"read", "--port", device, "--model", model, "-o", "-"});
        const Finished count = RunCli({"count", "--port=" + device});
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));

        QCOMPARE(read.exitCode, 0);
        QVERIFY2(read.err.endsWith("READ COMPLETED\n"), qPrintable(read.err));
        // The listing ends every equation with a space; otherwise the file comes back as it was written.
        QByteArray readBack = read.out.toLocal8Bit().replace(" \"", "\"");
        const QByteArrayList fields = readBack.trimmed().split(',');
        QCOMPARE(fields.size(), 99);
        QCOMPARE(fields.mid(25, 4).join(','), thresholds);
        QCOMPARE(fields.last(), optionWord);
        if (model == "24")
            QCOMPARE(readBack, Contents(MUXCC_EXAMPLE));

        QCOMPARE(count.exitCode, 0);
        QVERIFY2(count.out.endsWith("READ COMPLETED\nCycle Count = 1037\n"), qPrintable(count.out));
        // The request log stays in its file: the first contact, then the first query.
        QVERIFY(Contents(log).startsWith("A\nV 0 0 48 48 V\n"));
        QVERIFY(!read.err.contains("V 0 0") && !count.out.contains("V 0 0"));
    }

    // Arguments the simulator refuses before it makes its terminal; it prints no device then.
    void shouldRefuseSimulatorArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstLine");
        // clang-format off
        QTest::newRow("help")                << QStringList{"--help"}                      << 0 << "";
        QTest::newRow("unknown option")      << QStringList{"--bogus", "1"}                << 2 << "muxcc-sim: unknown option: --bogus";
        QTest::newRow("log lacks its file")  << QStringList{"--log"}                       << 2 << "muxcc-sim: --log needs a value";
        QTest::newRow("log cannot be made")  << QStringList{"--log", "{dir}/NOPE/sim.log"} << 1 << "muxcc-sim: cannot open {dir}/NOPE/sim.log";
        QTest::newRow("bad preloaded line")  << QStringList{"--preload", "-"}              << 1 << "muxcc-sim: -: line 2: expected S <record> <value> or C <word> <even> <odd>: S 256 1";
        // clang-format on
    }

    void shouldRefuseSimulatorArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, firstLine);
        args.replaceInStrings("{dir}", dir_.path());
        const Finished run = RunProgram(QStringLiteral(MUXCC_SIM), args, "S 0 255\nS 256 1\n");
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err.section('\n', 0, 0), firstLine.replace("{dir}", dir_.path()));
        QCOMPARE(run.out.startsWith("usage: muxcc-sim"), exitCode == 0);
    }

    void shouldParseOptionsEitherWay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("parsed"); // files, then option=value pairs, or the error
        // clang-format off
        QTest::newRow("value apart")        << QStringList{"A.MCF", "--port", "/dev/x"}   << "A.MCF|--port=/dev/x";
        QTest::newRow("value joined")       << QStringList{"--port=/dev/x", "A.MCF"}     << "A.MCF|--port=/dev/x";
        QTest::newRow("joined, empty")      << QStringList{"--port="}                     << "|--port=";
        QTest::newRow("a dash is a file")   << QStringList{"-o", "-", "-"}                << "-|-o=-";
        QTest::newRow("value like option")  << QStringList{"--port", "--help"}            << "|--port=--help";
        QTest::newRow("unknown")            << QStringList{"--baud=9600"}                 << "unknown option '--baud'";
        QTest::newRow("last lacks a value") << QStringList{"A.MCF", "--port"}             << "option '--port' needs a value";
        // clang-format on
    }

    void shouldParseOptionsEitherWay()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, parsed);
        std::vector<std::string> words;
        for (const QString& arg : args)
            words.push_back(arg.toStdString());
        const auto result = ParseCommandArgs(words, {"--port", "-o"});
        std::string shown;
        if (const auto* error = std::get_if<std::string>(&result)) {
            shown = *error;
        } else {
            const CommandArgs& given = std::get<CommandArgs>(result);
            for (const std::string& file : given.files)
                shown += file;
            shown += '|';
            for (const auto& [name, value] : given.options)
                shown += name + "=" + value;
        }
        QCOMPARE(QString::fromStdString(shown), parsed);
    }

    void shouldShowProgressForItsReader_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("shown");
        QTest::newRow("terminal: one line rewritten")
            << true << "\rStarting Communications\x1b[K\r...Connected.. 26%DONE..\x1b[K\rUnit\x1b[K\n!";
        QTest::newRow("pipe: a line each")
            << false << "Starting Communications\n...Connected.. 26%DONE..\nUnit\n!";
    }

    void shouldShowProgressForItsReader()
    {
        QFETCH(bool, terminal);
        QFETCH(QString, shown);
        std::ostringstream out;
        ConsoleObserver observer(out, out, terminal);
        for (const char* status : {"Starting Communications", "...Connected.. 26%DONE..", "Unit"})
            observer.showStatus(status);
        observer.finishLine();
        observer.finishLine(); // a line already ended is not ended twice
        out << '!';
        QCOMPARE(QString::fromStdString(out.str()), shown);
    }

    void shouldNameUnsendableValuesAsTheWindowsDo_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("message");
        const QString cannot = " and cannot be sent to the controller: MUST BE A NUMBER BETWEEN 0 AND ";
        // clang-format off
        QTest::newRow("sendable")              << Change([](Configuration& c) { c.TimerOffTime[5] = 65535; c.VoltageTime[1] = 70000; }) << QString();
        QTest::newRow("timer off time")        << Change([](Configuration& c) { c.TimerOffTime[5] = 65536; }) << "TIMER#5 OFF TIME is 1310.72 seconds" + cannot + "1310";
        QTest::newRow("negative timer time")   << Change([](Configuration& c) { c.TimerOnTime[1] = -1; })    << "TIMER#1 ON TIME is -0.02 seconds" + cannot + "1310";
        QTest::newRow("voltage, 24 V range")   << Change([](Configuration& c) { c.VoltageModel = 1; c.VoltageSetting[2] = -1.5F; }) << "V2 VOLTAGE SETTING is -1.5 V" + cannot + "36";
        QTest::newRow("voltage time")          << Change([](Configuration& c) { c.VoltageTime[6] = -50; })   << "V6 TIME SETTING is -1 seconds" + cannot + "1310";
        QTest::newRow("hot temperature")       << Change([](Configuration& c) { c.TemperatureSetting[3] = 150.0F; }) << "T3 TEMPERATURE SETTING is 150" + cannot + "100";
        QTest::newRow("temperature time")      << Change([](Configuration& c) { c.TemperatureTime[4] = -1; }) << "T4 TIME SETTING is -0.02 seconds" + cannot + "1310";
        QTest::newRow("cycle counter time")    << Change([](Configuration& c) { c.CycleCounterTime = 256; }) << "CYCLE ON TIME is 256 seconds" + cannot + "255";
        QTest::newRow("sleep off time")        << Change([](Configuration& c) { c.SlpOffTime = -1; })        << "Off TIME is -1 seconds" + cannot + "255";
        QTest::newRow("sleep on time")         << Change([](Configuration& c) { c.SlpOnTime = 300; })        << "On TIME is 300 seconds" + cannot + "255";
        QTest::newRow("first in sending order") << Change([](Configuration& c) { c.SlpOnTime = 300; c.VoltageTime[1] = -50; }) << "V1 TIME SETTING is -1 seconds" + cannot + "1310";
        QTest::newRow("no window: link's words") << Change([](Configuration& c) { c.OptionFlags = 300; }) << "OptionFlags = 300 cannot be sent to the controller";
        // clang-format on
    }

    void shouldNameUnsendableValuesAsTheWindowsDo()
    {
        QFETCH(Change, change);
        QFETCH(QString, message);
        Configuration config;
        change(config);
        QCOMPARE(QString::fromStdString(UnsendableValueMessage(config).value_or("")), message);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
