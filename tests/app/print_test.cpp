#include "app_program.h"
#include "project/report_printer.h"
#include "project/settings_report.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;
using muxcc::ReportLine;
using muxcc::test::AppProgram;

namespace {

// Qt writes "fi" and "ff" as ligatures; the report has none.
QString WithoutLigatures(QString text)
{
    return text.replace(QChar(0xFB01), QLatin1String("fi")).replace(QChar(0xFB00), QLatin1String("ff"));
}

QString Run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The report page by page, a bold line marked with a leading '*'.
QList<QStringList> MarkedPages(const std::vector<ReportLine>& lines)
{
    QList<QStringList> pages(1);
    for (const ReportLine& line : lines) {
        if (line.pageBreak)
            pages.append(QStringList());
        else
            pages.last() << (line.bold ? "*" : "") + QString::fromStdString(line.text());
    }
    return pages;
}

QStringList Unmarked(QStringList lines)
{
    return lines.replaceInStrings(QRegularExpression(QStringLiteral("^\\*")), QString());
}

// A page as the text layout reads it: leading empty lines dropped, every line trimmed.
QStringList LaidOut(const QStringList& page)
{
    QStringList lines;
    for (const QString& line : page)
        if (!line.trimmed().isEmpty() || !lines.isEmpty())
            lines << line.trimmed();
    return lines;
}

QList<QStringList> LaidOutPages(const QString& pdf)
{
    QStringList pages = WithoutLigatures(Run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"})).split('\f');
    pages.removeLast(); // after the last form feed
    QList<QStringList> result;
    for (const QString& page : pages)
        result << LaidOut(page.split('\n').mid(0, page.count('\n')));
    return result;
}

// Each page's printed text runs (one a line), spaces kept, bold marked with '*'.
QList<QStringList> PrintedRuns(const QString& pdf)
{
    QXmlStreamReader xml(Run(QStringLiteral("pdftohtml"), {"-xml", "-i", "-stdout", pdf}));
    QList<QStringList> pages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page"))
            pages.append(QStringList());
        if (xml.name() == QLatin1String("text")) {
            const bool bold =
                xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("b");
            const QString text = bold ? xml.readElementText() : xml.text().toString();
            pages.last() << (bold ? "*" : "") + WithoutLigatures(text);
        }
    }
    return pages;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty())
            QSKIP("pdftotext and pdftohtml (poppler-utils) are needed to read the printed report back");
    }

    void shouldPrintTheReportOnTwoPages()
    {
        QTemporaryDir dir;
        AppProgram program;
        program.config.FileName = "/home/tech/van 12.MCF";
        program.config.ChannelDirection[9] = 1;
        program.config.TimerMode[2] = 2;
        program.config.TimerOffTime[1] = 75;
        program.config.VoltageSetting[4] = 11.5f;
        program.config.TemperatureTime[1] = 7;
        program.config.BooleanText[1] = "INPUT1 AND NOT V1";
        program.config.BooleanText[42] = "(TMR1 OR SLP) AND T2";
        program.dialogs.pdf = dir.filePath(QStringLiteral("report.pdf"));
        const Configuration before = program.config;

        QCOMPARE(program.choose("MNUPRINT"),
                 (QStringList{"PRINTING SETTINGS.......", "PRINT SETTINGS COMPLETED."}));

        QVERIFY(program.dialogs.notices.empty());
        QVERIFY(program.config == before);
        const QList<QStringList> report = MarkedPages(muxcc::SettingsReport(program.config));
        const QList<QStringList> laidOut = LaidOutPages(program.dialogs.pdf);
        QCOMPARE(laidOut.size(), 2);
        QCOMPARE(laidOut.at(0).size(), 71 - 3); // the three empty lines that start each page are not read
        QCOMPARE(laidOut.at(1).size(), 53 - 3);
        const QList<QStringList> runs = PrintedRuns(program.dialogs.pdf);
        QCOMPARE(runs.size(), 2);
        for (int page = 0; page < 2; ++page) {
            QCOMPARE(laidOut.at(page), LaidOut(Unmarked(report.at(page))));
            QCOMPARE(runs.at(page), report.at(page).filter(QRegularExpression(QStringLiteral("[^*]"))));
        }
    }

    void shouldEndWithoutPrintingWhenCancelledOrFailing_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("output"); // in a fresh folder
        QTest::addColumn<QStringList>("statuses");
        QStringList failed{"PRINTING SETTINGS.......", "PRINT SETTINGS FAILED"};
        QTest::newRow("dialog cancelled") << false << "report.pdf" << QStringList();
        QTest::newRow("folder that does not exist") << true << "missing/report.pdf" << failed;
        QTest::newRow("output is a folder") << true << "." << failed;
    }

    void shouldEndWithoutPrintingWhenCancelledOrFailing()
    {
        QFETCH(bool, accepted);
        QFETCH(QString, output);
        QFETCH(QStringList, statuses);
        QTemporaryDir dir;
        AppProgram program;
        program.dialogs.pdf = QDir::cleanPath(dir.filePath(output));
        program.dialogs.printerAccepted = accepted;

        QCOMPARE(program.choose("MNUPRINT"), statuses);

        QVERIFY(QDir(dir.path()).isEmpty());
        if (accepted)
            muxcc::test::ExpectOneExclamation(program, "PRINT", " Printing on " + program.dialogs.pdf);
        else
            QVERIFY(program.dialogs.notices.empty());
    }

    // A page too short for the report goes on over more pages rather than cutting lines off.
    void shouldContinueOnANewPageWhenAPageIsFull()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("short.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A6));

        QCOMPARE(muxcc::PrintSettingsReport(muxcc::SettingsReport(Configuration()), printer), std::nullopt);

        const QList<QStringList> pages = LaidOutPages(printer.outputFileName());
        QVERIFY2(pages.size() > 2, QByteArray::number(pages.size()));
        const QList<QStringList> report = MarkedPages(muxcc::SettingsReport(Configuration()));
        const QRegularExpression text(QStringLiteral("."));
        QStringList printed;
        for (const QStringList& page : pages)
            printed += page.filter(text);
        QCOMPARE(printed, LaidOut(Unmarked(report.at(0) + report.at(1))).filter(text));
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
