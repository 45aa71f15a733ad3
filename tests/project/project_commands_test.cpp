#include "project_lines.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace muxcc;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs muxcc-cli with arguments in dir.
Run runCli(const QTemporaryDir& dir, const QStringList& arguments)
{
    QProcess cli;
    cli.setWorkingDirectory(dir.path());
    cli.start(QStringLiteral(MUXCC_CLI), arguments);
    if (!cli.waitForFinished(30000))
        return {};
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.c_str()) == qint64(bytes.size()));
}

} // namespace

class ProjectCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void normalizeShouldRewriteAGoodFileAndRefuseABrokenOne()
    {
        QTemporaryDir dir;
        // The example as a technician might type it: 1.0 for 1, blanks, a LF line end.
        std::string handWritten = "1.0" + test::ExampleLine.substr(1, test::ExampleLine.size() - 3) + "\n";
        writeFile(dir.filePath("IN.MCF"), handWritten.replace(handWritten.find("13.5"), 4, " 13.50 "));
        writeFile(dir.filePath("BAD.MCF"), test::freshLineWith(17, "abc"));

        const Run good = runCli(dir, {"normalize", "IN.MCF", "OUT.MCF"});
        QCOMPARE(good.exitCode, 0);
        QCOMPARE(contents(dir.filePath("OUT.MCF")), QByteArray::fromStdString(test::ExampleLine));

        const Run broken = runCli(dir, {"normalize", "BAD.MCF", "NEW.MCF"});
        QCOMPARE(broken.exitCode, 1);
        QVERIFY2(broken.err.contains("BAD.MCF: field 17 (TimerOnTime[1])"), broken.err.constData());
        QCOMPARE(contents(dir.filePath("NEW.MCF")), QByteArray("<missing>"));

        QCOMPARE(runCli(dir, {"normalize", "IN.MCF"}).exitCode, 2);
    }

    void reportShouldPrintAFormFeedBetweenThePages()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("BUS.MCF"), test::ExampleLine);

        const Run run = runCli(dir, {"report", "BUS.MCF"});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 71 + 1 + 53 + 1); // the last line end leaves an empty tail
        QCOMPARE(lines[3], QByteArray("Filename = BUS.MCF"));
        QCOMPARE(lines[56], QByteArray(" V1 IS TRUE WHEN BATTERY VOLTAGE IS > 13.5 For 5 Seconds"));
        QCOMPARE(lines[71], QByteArray("\f"));
        QCOMPARE(lines[83], QByteArray("MUX1 =INPUT1 AND V1"));
    }
};

QTEST_GUILESS_MAIN(ProjectCommandsTest)
#include "project_commands_test.moc"
