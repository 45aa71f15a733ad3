#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A project file line: channel directions, 34 zero settings, the 42 quoted
// equations and 7 zero settings.
QByteArray ProjectLine(const QList<int>& inputs, const QStringList& equations)
{
    QStringList fields;
    for (int k = 1; k <= 16; ++k)
        fields << (inputs.contains(k) ? "0" : "1");
    fields += QStringList(34, "0");
    for (int k = 0; k < 42; ++k)
        fields << '"' + equations.value(k) + '"';
    fields += QStringList(7, "0");
    return fields.join(',').toLatin1() + "\r\n";
}

QString Zeros(int count)
{
    return QStringList(count, "0").join(',');
}

} // namespace

class CompileCommandTest : public QObject {
    Q_OBJECT

private slots:
    void shouldPrintTheImageOrTheMessage_data()
    {
        QTest::addColumn<QList<int>>("inputs");
        QTest::addColumn<QStringList>("equations");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");

        QTest::newRow("no equations: 43 empty pairs")
            << QList<int>{} << QStringList{} << 0 << Zeros(86) + "\n"
            << "";
        QTest::newRow("image through the end pair")
            << QList<int>{} << QStringList{"MUX2 AND NOT ( FET1 )", "", "NOT TMR5"} << 0
            << "0,2,1,0,8,17,16,0,0,0,0,193," + Zeros(80) + "\n"
            << "";
        QTest::newRow("equation of an input channel dropped with a warning")
            << QList<int>{1} << QStringList{"MUX2"} << 0 << Zeros(86) + "\n"
            << " Boolean Error in MUX1, MUX1 SET AS INPUT\n";
        QTest::newRow("rejected equation")
            << QList<int>{} << QStringList{"", "", "", "", "MUX1 MUX2"} << 1 << ""
            << " Boolean Error in MUX5, Check Boolean\n";
    }
    void shouldPrintTheImageOrTheMessage()
    {
        QFETCH(QList<int>, inputs);
        QFETCH(QStringList, equations);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        QTemporaryDir dir;
        QFile file(dir.filePath("project.MCF"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ProjectLine(inputs, equations));
        file.close();

        QProcess cli;
        cli.start(MUXCC_CLI, {"compile", file.fileName()});
        QVERIFY(cli.waitForFinished());

        QCOMPARE(cli.exitCode(), exitCode);
        QCOMPARE(QString::fromLatin1(cli.readAllStandardOutput()), output);
        QCOMPARE(QString::fromLatin1(cli.readAllStandardError()), errors);
    }
};

QTEST_GUILESS_MAIN(CompileCommandTest)
#include "compile_command_test.moc"
