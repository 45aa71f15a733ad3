#include "app_program.h"
#include "project/project_file_io.h"
#include "project/project_writer.h"
#include "project/report_printer.h"
#include "project/settings_report.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using muxcc::test::AppProgram;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The text of pdf page by page, each line as drawn with its spaces, a bold one begun with '*'. Qt writes "fi"
// and "ff" as ligatures; the report has none.
QStringList Printed(const QString& pdf)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftohtml"), {"-xml", "-i", "-stdout", pdf});
    reader.waitForFinished();
    static const QRegularExpression run(QStringLiteral("<page |<text [^>]*>(<b>)?(.*?)(</b>)?</text>"));
    QStringList pages;
    for (const QRegularExpressionMatch& match :
         run.globalMatch(QString::fromUtf8(reader.readAllStandardOutput()))) {
        if (match.captured(0) == QLatin1String("<page "))
            pages << QString();
        else
            pages.last() += (match.hasCaptured(1) ? "*" : "") + match.captured(2) + '\n';
    }
    return pages.replaceInStrings("&lt;", "<")
        .replaceInStrings("&gt;", ">")
        .replaceInStrings(QString(QChar(0xFB01)), "fi")
        .replaceInStrings(QString(QChar(0xFB00)), "ff");
}

// The report's pages as printed: the lines that are not empty, a bold one begun with '*'.
QStringList Report(const std::vector<muxcc::ReportLine>& lines)
{
    QString report;
    for (const muxcc::ReportLine& line : lines)
        if (line.pageBreak || !line.text().empty())
            report +=
                line.pageBreak ? "\f" : (line.bold ? "*" : "") + QString::fromStdString(line.text()) + '\n';
    return report.split('\f');
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // SAVE before any file asks for SAVE AS; SAVE AS writes what OPEN reads back, and SAVE then writes there
    // without a dialog.
    void shouldOpenWhatSaveAsWroteAndSaveBackWithoutAsking()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings")); // no extension is added
        AppProgram saver;
        muxcc::test::Configure(saver.config);
        QCOMPARE(saver.choose("MNUSAVE"), QStringList());
        QCOMPARE(muxcc::test::Notices(saver),
                 QStringList{"(i) Save Function: No file association. Perform a SaveAs Function First."});
        saver.files = {path};
        QCOMPARE(saver.choose("MNUSAVEAS"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE AS FUNCTION COMPLETED"}));

        AppProgram opener;
        opener.config.ChannelDirection[2] = 1; // the file's value replaces it
        opener.files = {path, dir.filePath(QStringLiteral("decoy"))};
        QCOMPARE(opener.choose("MNUOPEN"),
                 (QStringList{"OPEN FILE IN PROCESS.......", "FILE OPEN COMPLETED"}));
        saver.config.BooleanEditText = saver.config.BooleanText;
        QVERIFY(opener.config == saver.config && saver.config.FileName == path.toStdString());
        opener.config.TimerOnTime[3] = 1234;
        QCOMPARE(opener.choose("MNUSAVE"),
                 (QStringList{"SAVING TO FILE.......", "FILE SAVE FUNCTION COMPLETED"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings"});
        QCOMPARE(Contents(path), QByteArray::fromStdString(muxcc::ProjectRecordLine(opener.config)));
        QCOMPARE(saver.notices.size() + opener.notices.size(), 1u);
    }

    // OPEN during a write: the records already sent keep the old values, the records still to come carry the
    // file's.
    void shouldSendTheOpenedValuesForTheRecordsStillToCome()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("opened.MCF"));
        muxcc::Configuration file;
        file.ChannelDirection[1] = 1; // record 13, sent before the OPEN
        file.TimerOffTime[5] = 250;   // records 80 and 81, sent after it
        QVERIFY(!muxcc::SaveProjectFile(file, path.toStdString()));
        AppProgram program(true);
        auto& controller = program.bench.controller;
        const auto stored = [&](int record) {
            return std::ranges::any_of(controller.requests, [record](const std::string& r) {
                return r[0] == 'S' && r[2] == record;
            });
        };
        program.choose("MNU_PROGRAM");
        while (!stored(40) && program.bench.runNext()) {
        }
        program.files = {path};
        QCOMPARE(program.choose("MNUOPEN").last(), QStringLiteral("FILE OPEN COMPLETED"));
        while (program.bench.runNext()) {
        }
        QCOMPARE(program.window.status(), QStringLiteral("Unit has been programmed"));
        QCOMPARE(
            std::vector<int>({controller.settings[13], controller.settings[80], controller.settings[81]}),
            std::vector<int>({0, 0, 250}));
    }

    // A command cancelled or failing leaves the settings, the current file and every file as they were; a
    // failure is told in the status line and in one notice naming the path.
    void shouldChangeNothingWhenACommandEndsEarly_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("chosen"); // beside the current file; empty: the dialog cancelled
        const QStringList open{"OPEN FILE IN PROCESS.......", "FILE OPEN FAILED"};
        // clang-format off
        QTest::newRow("open cancelled") << "MNUOPEN" << QStringList() << "";
        QTest::newRow("open a short file") << "MNUOPEN" << open << "short.MCF";
        QTest::newRow("open in a folder that does not exist") << "MNUOPEN" << open << "missing/none.MCF";
        QTest::newRow("open a folder") << "MNUOPEN" << open << ".";
        QTest::newRow("save an equation with a double quote") << "MNUSAVE" << QStringList{"SAVING TO FILE.......", "FILE SAVE FAILED"} << "";
        QTest::newRow("save as cancelled") << "MNUSAVEAS" << QStringList() << "";
        QTest::newRow("save as onto a folder") << "MNUSAVEAS" << QStringList{"SAVING TO FILE.......", "FILE SAVE AS FAILED"} << ".";
        QTest::newRow("print cancelled") << "MNUPRINT" << QStringList() << "";
        QTest::newRow("print onto a folder") << "MNUPRINT" << QStringList{"PRINTING SETTINGS.......", "PRINT SETTINGS FAILED"} << ".";
        // clang-format on
    }

    void shouldChangeNothingWhenACommandEndsEarly()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, statuses);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        AppProgram program;
        const QString path = QDir::cleanPath(dir.filePath(chosen.isEmpty() ? "old.MCF" : chosen));
        program.files = {dir.filePath("old.MCF"), path};
        program.choose("MNUSAVEAS");
        QFile short_(dir.filePath("short.MCF"));
        QVERIFY(short_.open(QIODevice::WriteOnly) && short_.write("0,0,0,0,0\r\n") && short_.flush());
        muxcc::test::Configure(program.config);
        program.config.BooleanText[3] = "INPUT1 \"AND\" V1"; // which a file cannot hold
        program.files.resize(chosen.isEmpty() ? 0 : 1);
        program.pdf = path;
        program.printerAccepted = !chosen.isEmpty();
        const muxcc::Configuration before = program.config;
        const QByteArray old = Contents(dir.filePath("old.MCF"));

        QCOMPARE(program.choose(item), statuses);

        QVERIFY(program.config == before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"old.MCF", "short.MCF"}));
        QVERIFY(old.startsWith("0,") && Contents(dir.filePath("old.MCF")) == old);
        const QString notices = muxcc::test::Notices(program).join('\n');
        const QString told = "^\\(!\\) " + item.mid(3).replace("SAVEAS", "SAVE AS") + ": .*" +
                             QRegularExpression::escape(path);
        QVERIFY2(QRegularExpression(statuses.isEmpty() ? "^$" : told + "[^\n]*$").match(notices).hasMatch(),
                 qPrintable(notices));
    }

    // Read back from the PDF: the report's lines on two pages, the headings bold; a page too short for it
    // goes on over more pages rather than cutting lines off.
    void shouldPrintTheReport()
    {
        QTemporaryDir dir;
        AppProgram program;
        program.config.FileName = "/home/tech/van 12.MCF";
        muxcc::test::Configure(program.config);
        program.pdf = dir.filePath(QStringLiteral("report.pdf"));
        const std::vector<muxcc::ReportLine> report = muxcc::SettingsReport(program.config);

        QCOMPARE(program.choose("MNUPRINT"),
                 (QStringList{"PRINTING SETTINGS.......", "PRINT SETTINGS COMPLETED."}));

        QVERIFY(program.notices.empty());
        QCOMPARE(Printed(program.pdf), Report(report));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath(QStringLiteral("short.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A6));
        QCOMPARE(muxcc::PrintSettingsReport(report, printer), std::nullopt);
        QVERIFY(Printed(printer.outputFileName()).size() > 2);
        QCOMPARE(Printed(printer.outputFileName()).join(QString()), Report(report).join(QString()));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
