// muxcc-cli and muxcc-sim as a technician runs them, and the tool's progress line in-process.

#include "cli/console_observer.h"

#include <QTest>
#include <QtCore>

#include <sstream>
#include <sys/stat.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Exit status, stdout and stderr. A first argument `muxcc-sim` runs the simulator instead of the tool.
QStringList Run(const QStringList& args, const QByteArray& input = {})
{
    const bool sim = args.value(0) == "muxcc-sim";
    QProcess run;
    run.start(sim ? MUXCC_SIM : MUXCC_CLI, args.mid(sim ? 1 : 0));
    run.write(input);
    run.closeWriteChannel();
    const bool ended = run.waitForFinished(30000) && run.exitStatus() == QProcess::NormalExit;
    return {ended ? QString::number(run.exitCode()) : "no exit", run.readAllStandardOutput(),
            run.readAllStandardError()};
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // "fields:k=v;..." as a project file: those fields, the others as a fresh start saves them
    // (equations quoted); 0=n keeps only the first n fields.
    QString projectFile(const QString& spec) const
    {
        QMap<int, QString> fields;
        for (const QString& field : spec.section(':', 1).split(';', Qt::SkipEmptyParts))
            fields[field.section('=', 0, 0).toInt()] = field.section('=', 1);
        QStringList line;
        for (int field = 1; field <= fields.value(0, "99").toInt(); ++field)
            line << fields.value(field, field >= 51 && field <= 92 ? "\"\"" : "0");
        QFile file(dir_.filePath(QString::number(qHash(spec)) + ".MCF"));
        if (file.open(QIODevice::WriteOnly))
            file.write(line.join(',').toLatin1() + "\r\n");
        return file.fileName();
    }

private slots:
    void initTestCase() { QCOMPARE(mkfifo(dir_.filePath("FIFO").toLocal8Bit().constData(), 0600), 0); }

    // The arguments ({dir} and {pump} stand for a scratch folder and the example), the exit status,
    // and patterns stdout and stderr match. The simulator reads a bad line 2 from standard input.
    void shouldAnswerEachCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString none = "^$",
                      noPort = "\\(/dev/muxcc-none\\)\nmuxcc-cli: /dev/muxcc-none does not exist";
        const QString cannot = " and cannot be sent to the controller: MUST BE A NUMBER BETWEEN 0 AND ";
        // clang-format off
        QTest::newRow("no command")             << QStringList{}                       << 2 << none << "^usage: muxcc-cli COMMAND";
        QTest::newRow("overall help")           << QStringList{"--help"}               << 0 << "COMMAND --help' describes" << none;
        QTest::newRow("unknown command")        << QStringList{"frob"}                 << 2 << none << "unknown command 'frob'";
        QTest::newRow("unknown option named")   << QStringList{"write", "{pump}", "--baud=9600"} << 2 << none << "^muxcc-cli write: unknown option '--baud'\nusage: muxcc-cli write FILE";
        QTest::newRow("option lacking value")   << QStringList{"read", "--port"}       << 2 << none << "option '--port' needs a value";
        QTest::newRow("file missing")           << QStringList{"compile"}              << 2 << none << "^usage: muxcc-cli compile FILE\n$";
        QTest::newRow("a third model")          << QStringList{"read", "--model=48"}   << 2 << none << "--model is 12 or 24, not '48'";
        QTest::newRow("compile help")           << QStringList{"compile", "--help"}    << 0 << "^usage: muxcc-cli compile FILE\n\nOpens the project file FILE" << none;
        QTest::newRow("image help")             << QStringList{"image", "-h"}          << 0 << "^usage: muxcc-cli image FILE\n.*project file FILE" << none;
        QTest::newRow("normalize help")         << QStringList{"normalize", "--help"}  << 0 << "^usage: muxcc-cli normalize IN OUT\n.*project file IN.*OUT - writes to standard output" << none;
        QTest::newRow("write help, port too")   << QStringList{"write", "{pump}", "--help"} << 0 << "^usage: muxcc-cli write FILE.*project file FILE.*--port=DEVICE" << none;
        QTest::newRow("read help, the model")   << QStringList{"read", "--help"}       << 0 << "--model 24.*halved thresholds.*-o OUT saves.*project\nfile OUT \\(- for standard output\\)" << none;
        QTest::newRow("file not there")         << QStringList{"compile", "{dir}/NOPE.MCF"} << 1 << none << "^muxcc-cli: cannot open .*/NOPE.MCF: ";
        QTest::newRow("short file refused")     << QStringList{"report", "fields:0=3"} << 1 << none << "^muxcc-cli: .*MCF: the file ends inside a record: field 4 ";
        QTest::newRow("compile error")          << QStringList{"compile", "fields:1=1;51=\"MUX2 AND\""} << 1 << none << "^muxcc-cli: Boolean Error in MUX1, Check Boolean\n$";
        QTest::newRow("input channel warning")  << QStringList{"compile", "fields:1=1;51=\"MUX3\";53=\"MUX1\""} << 0 << "^0,3(,0){84}\n$" << "^muxcc-cli: warning: Boolean Error in MUX3, MUX3 SET AS INPUT \\(its equation was left out\\)\n$";
        QTest::newRow("example compiles")       << QStringList{"compile", "{pump}"}    << 0 << "^0,0,0,0,0,0,0,0,0,0,4,1,2,54,16,0,1,2,1,132,1,180,0,5," << none;
        QTest::newRow("normalize to a dash")    << QStringList{"normalize", "{pump}", "-"} << 0 << "^" + QRegularExpression::escape(Contents(MUXCC_EXAMPLE)) + "$" << none;
        QTest::newRow("normalize onto a pipe")  << QStringList{"normalize", "{pump}", "{dir}/FIFO"} << 1 << none << "^muxcc-cli: .*FIFO";
        QTest::newRow("report as text")         << QStringList{"report", "{pump}"}     << 0 << "\n \\*+\n Timers Configuration\n.*T3 IS TRUE WHEN TEMPERATURE IS > 85 For 5 Seconds\n.*\n\f\n" << none;
        QTest::newRow("report as a PDF")        << QStringList{"report", "{pump}", "--pdf", "{dir}/R.pdf"} << 0 << none << none;
        QTest::newRow("PDF nowhere to go")      << QStringList{"report", "{pump}", "--pdf", "{dir}/NOPE/R.pdf"} << 1 << none << "^muxcc-cli: Printing on .*/NOPE/R.pdf failed: the file could not be written.\n$";
        QTest::newRow("no such port, --port=")  << QStringList{"count", "--port=/dev/muxcc-none"} << 1 << "^STARTING COMMUNICATIONS.......\nERROR OCCURRED DURING READING" << "^muxcc-cli: ERROR OCCURRED DURING READING, PLEASE TRY AGAIN. " + noPort;
        QTest::newRow("reset on no such port")  << QStringList{"reset-count", "--port", "/dev/muxcc-none"} << 1 << "^starting communications\n" << noPort;
        QTest::newRow("sendable extremes")      << QStringList{"image", "fields:97=65535;32=3500000"} << 0 << "^S 0 0\n.*\nS 19 255\n.*\nC 255 0 0\n$" << none;
        QTest::newRow("timer time past 1310 s") << QStringList{"image", "fields:97=65536"} << 1 << none << "^muxcc-cli: TIMER#5 OFF TIME is 1310.72 seconds" + cannot + "1310\n$";
        QTest::newRow("write refuses it first") << QStringList{"write", "fields:23=70000", "--port", "/dev/muxcc-none"} << 1 << none << "^muxcc-cli: TIMER#3 ON TIME is 1400 seconds" + cannot + "1310\n$";
        QTest::newRow("negative timer time")    << QStringList{"image", "fields:17=-1"} << 1 << none << "TIMER#1 ON TIME is -0.02 seconds" + cannot + "1310\n$";
        QTest::newRow("hot temperature")        << QStringList{"image", "fields:40=150"} << 1 << none << "T3 TEMPERATURE SETTING is 150" + cannot + "100\n$";
        QTest::newRow("temperature time")       << QStringList{"image", "fields:45=-50"} << 1 << none << "T4 TIME SETTING is -0.02 seconds" + cannot + "1310\n$";
        QTest::newRow("cycle counter time")     << QStringList{"image", "fields:47=256"} << 1 << none << "CYCLE ON TIME is 256 seconds" + cannot + "255\n$";
        QTest::newRow("sleep off time")         << QStringList{"image", "fields:49=-1"} << 1 << none << "Off TIME is -1 seconds" + cannot + "255\n$";
        QTest::newRow("sleep on time")          << QStringList{"image", "fields:50=300"} << 1 << none << "On TIME is 300 seconds" + cannot + "255\n$";
        QTest::newRow("first in sending order") << QStringList{"image", "fields:50=300;37=-2500"} << 1 << none << "V6 TIME SETTING is -1 seconds" + cannot + "1310\n$";
        QTest::newRow("simulator option unknown") << QStringList{"muxcc-sim", "--bogus", "1"} << 2 << none << "^muxcc-sim: unknown option: --bogus\n";
        QTest::newRow("simulator log cannot be made") << QStringList{"muxcc-sim", "--log", "{dir}/NOPE/sim.log"} << 1 << none << "^muxcc-sim: cannot open .*/NOPE/sim.log";
        QTest::newRow("simulator preload refused") << QStringList{"muxcc-sim", "--preload", "-"} << 1 << none << "^muxcc-sim: -: line 2: expected S <record> <value> or C <word> <even> <odd>: S 256 1\n";
        // clang-format on
    }
    void shouldAnswerEachCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        for (QString& arg : args)
            arg = arg.startsWith("fields:")
                      ? projectFile(arg)
                      : arg.replace("{dir}", dir_.path()).replace("{pump}", MUXCC_EXAMPLE);
        const QStringList run = Run(args, "S 0 255\nS 256 1\n");
        QVERIFY2(QRegularExpression("(?s)" + out).match(run[1]).hasMatch(), qPrintable(run[1]));
        QVERIFY2(QRegularExpression("(?s)" + err).match(run[2]).hasMatch(), qPrintable(run[2]));
        QCOMPARE(run[0], QString::number(exitCode));
    }

    // The example's image piped into the simulator, read back as each model decodes it, and the
    // cycle count preloaded beside it (digits units first: 1037).
    void shouldReadBackWhatTheImageLoaded()
    {
        const QStringList image = Run({"image", MUXCC_EXAMPLE});
        QProcess sim;
        sim.start(MUXCC_SIM, {"--preload", "-", "--log", dir_.filePath("requests.log")});
        sim.write(image[1].toLocal8Bit() + "S 1 7\nS 2 3\nS 4 1\n");
        sim.closeWriteChannel();
        QVERIFY(sim.waitForReadyRead(5000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        const QStringList read = Run({"read", "--port", device, "--model", "24", "-o", "-"});
        const QStringList halved = Run({"read", "--port=" + device, "--model", "12", "-o", "-"});
        const QStringList count = Run({"count", "--port=" + device});
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));

        // The listing ends every equation with a space; otherwise the file comes back as it was written.
        QCOMPARE(read[1].toLocal8Bit().replace(" \"", "\""), Contents(MUXCC_EXAMPLE));
        const QStringList fields = halved[1].trimmed().split(',');
        // The request log stays in its file (the first contact, then the first query), not on the console.
        const QStringList outline{image[0] + read[0] + count[0],
                                  read[2].section('\n', -2),
                                  count[1].section('\n', -3),
                                  fields.mid(25, 4).join(',') + " | " + fields.value(98),
                                  Contents(dir_.filePath("requests.log")).left(16),
                                  QString::number(read[2].count("V 0 0") + count[1].count("V 0 0"))};
        QCOMPARE(outline, (QStringList{"000", "READ COMPLETED\n", "READ COMPLETED\nCycle Count = 1037\n",
                                       "14.3,0,0,11.1 | 1", "A\nV 0 0 48 48 V\n", "0"}));
    }

    // On a terminal the progress is one line rewritten in place and ended once; elsewhere it is a
    // line each, as the command lines above show.
    void shouldRewriteTheProgressLineOnATerminal()
    {
        std::ostringstream out;
        muxcc::cli::ConsoleObserver observer(out, out, true);
        for (const char* status : {"Starting Communications", "26%DONE", "", ""}) // "" ends the line
            *status ? observer.showStatus(status) : observer.finishLine();
        QCOMPARE(QString::fromStdString(out.str()), "\rStarting Communications\x1b[K\r26%DONE\x1b[K\n");
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
