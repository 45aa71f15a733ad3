#include "app/main_window.h"
#include "app/status_line.h"
#include "link/serial_port_channel.h"
#include "link/serial_port_waiter.h"
#include "project/report_printer.h"
#include "project/settings_report.h"
#include "support/recording_dialogs.h"

#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using muxcc::Configuration;
using muxcc::Notice;
using muxcc::ReportLine;

namespace {

// The print dialog answered with "Print to file".
class PrintToFileDialogs : public muxcc::test::RecordingDialogs {
public:
    bool choosePrinter(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return printerAccepted;
    }

    QString pdf;
};

struct Program {
    Configuration config;
    PrintToFileDialogs dialogs;
    muxcc::link::SerialPortChannel channel{QStringLiteral("/nonexistent/ttyS0")};
    muxcc::link::SerialPortWaiter waiter{channel};
    muxcc::MainWindow window{config, dialogs, channel, waiter};
    QSignalSpy statuses{&window.statusLine(), &QLineEdit::textChanged};

    QStringList print()
    {
        statuses.clear();
        window.findChild<QAction*>(QStringLiteral("MNUPRINT"))->trigger();
        QStringList shown;
        for (const QList<QVariant>& change : statuses)
            shown << change.at(0).toString();
        return shown;
    }
};

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

// The report's lines page by page, as their text.
QList<QStringList> ExpectedPages(const std::vector<ReportLine>& lines)
{
    QList<QStringList> pages(1);
    for (const ReportLine& line : lines) {
        if (line.pageBreak)
            pages.append(QStringList());
        else
            pages.last() << QString::fromStdString(line.text());
    }
    return pages;
}

// The PDF's lines page by page as the text layout reads them: a page's
// leading empty lines are dropped and each line is trimmed.
QList<QStringList> LaidOutPages(const QString& pdf)
{
    QStringList pages = Run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).split('\f');
    pages.removeLast(); // after the last page's form feed
    QList<QStringList> result;
    for (const QString& page : pages) {
        QStringList lines;
        for (const QString& line : WithoutLigatures(page).split('\n'))
            lines << line.trimmed();
        lines.removeLast(); // after the page's last line end
        result << lines;
    }
    return result;
}

QStringList Trimmed(QStringList lines)
{
    for (QString& line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.front().isEmpty())
        lines.removeFirst();
    return lines;
}

// Every printed run of text, spaces kept, bold marked with a leading '*'.
QList<QStringList> PrintedRuns(const QString& pdf)
{
    QXmlStreamReader xml(Run(QStringLiteral("pdftohtml"), {"-xml", "-i", "-stdout", pdf}));
    QList<QStringList> pages;
    bool inText = false;
    bool bold = false;
    QString text;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == QLatin1String("page"))
                pages.append(QStringList());
            bold = bold || (inText && xml.name() == QLatin1String("b"));
            if (xml.name() == QLatin1String("text")) {
                inText = true;
                bold = false;
                text.clear();
            }
            break;
        case QXmlStreamReader::Characters:
            if (inText)
                text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == QLatin1String("text")) {
                inText = false;
                pages.last() << (bold ? "*" : "") + WithoutLigatures(text);
            }
            break;
        default:
            break;
        }
    }
    return pages;
}

QStringList ExpectedRuns(const std::vector<ReportLine>& lines, int page)
{
    QStringList runs;
    int current = 0;
    for (const ReportLine& line : lines) {
        current += line.pageBreak ? 1 : 0;
        if (current == page && !line.text().empty())
            runs << (line.bold ? "*" : "") + QString::fromStdString(line.text());
    }
    return runs;
}

using Setup = void (*)(Configuration&);

} // namespace

Q_DECLARE_METATYPE(Setup)

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty())
            QSKIP("pdftotext and pdftohtml (poppler-utils) are needed to read the printed report back");
    }

    void shouldPrintTheReportOnTwoPages_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::newRow("fresh start") << Setup([](Configuration&) {});
        QTest::newRow("settings of every kind") << Setup([](Configuration& config) {
            config.FileName = "/home/tech/van 12.MCF";
            config.ChannelDirection[1] = 1;
            config.ChannelDirection[9] = 2;
            config.TimerMode[2] = 2;
            config.TimerOffTime[1] = 75;
            config.TimerOnTime[5] = 65500;
            config.VoltageSetting[4] = 11.5f;
            config.VoltageTime[4] = 250;
            config.TemperatureSetting[1] = -0.5f;
            config.TemperatureTime[1] = 7;
            config.BooleanText[1] = "INPUT1 AND NOT V1";
            config.BooleanText[37] = "(TMR1 OR SLP) AND T2";
            config.BooleanText[42] = "NOT INPUT3";
        });
    }

    void shouldPrintTheReportOnTwoPages()
    {
        QFETCH(Setup, setup);
        QTemporaryDir dir;
        Program program;
        setup(program.config);
        program.dialogs.pdf = dir.filePath(QStringLiteral("report.pdf"));
        const Configuration before = program.config;

        QCOMPARE(program.print(), (QStringList{"PRINTING SETTINGS.......", "PRINT SETTINGS COMPLETED."}));

        QVERIFY(program.dialogs.notices.empty());
        QVERIFY(program.config == before);
        const std::vector<ReportLine> report = muxcc::SettingsReport(program.config);
        const QList<QStringList> expected = ExpectedPages(report);
        const QList<QStringList> pages = LaidOutPages(program.dialogs.pdf);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(expected.at(0).size(), 71);
        QCOMPARE(expected.at(1).size(), 53);
        QCOMPARE(pages.at(0), Trimmed(expected.at(0)));
        QCOMPARE(pages.at(1), Trimmed(expected.at(1)));

        const QList<QStringList> runs = PrintedRuns(program.dialogs.pdf);
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs.at(0), ExpectedRuns(report, 0));
        QCOMPARE(runs.at(1), ExpectedRuns(report, 1));
    }

    void shouldReportWhyThePrinterFailed_data()
    {
        QTest::addColumn<QString>("name"); // of the output, relative to a fresh folder
        QTest::newRow("folder that does not exist") << "missing/report.pdf";
        QTest::newRow("output is a folder") << ".";
    }

    void shouldReportWhyThePrinterFailed()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        Program program;
        program.dialogs.pdf = QDir::cleanPath(dir.filePath(name));

        QCOMPARE(program.print(), (QStringList{"PRINTING SETTINGS.......", "PRINT SETTINGS FAILED"}));

        QCOMPARE(program.dialogs.notices.size(), 1u);
        const Notice& notice = program.dialogs.notices.front();
        QCOMPARE(notice.icon, Notice::Icon::Exclamation);
        QCOMPARE(notice.title, std::string("PRINT"));
        QVERIFY2(QString::fromStdString(notice.text)
                     .startsWith(QStringLiteral(" Printing on ") + program.dialogs.pdf),
                 notice.text.c_str());
    }

    void shouldEndSilentlyWhenThePrintDialogIsCancelled()
    {
        QTemporaryDir dir;
        Program program;
        program.dialogs.pdf = dir.filePath(QStringLiteral("report.pdf"));
        program.dialogs.printerAccepted = false;

        QCOMPARE(program.print(), QStringList());

        QVERIFY(program.dialogs.notices.empty());
        QVERIFY(!QFile::exists(program.dialogs.pdf));
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
        QStringList printed;
        for (const QStringList& page : pages)
            printed += page;
        printed.removeAll(QString());
        const QList<QStringList> report = ExpectedPages(muxcc::SettingsReport(Configuration()));
        QStringList expected = Trimmed(report.at(0) + report.at(1));
        expected.removeAll(QString());
        QCOMPARE(printed, expected);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
