#include "project/report_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace muxcc {

namespace {

constexpr int ReportPointSize = 8;

QString PrinterName(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

QString PrinterFailure(const QPrinter& printer, const QString& what)
{
    return QStringLiteral("Printing on %1 failed: %2.").arg(PrinterName(printer), what);
}

} // namespace

std::optional<QString> PrintSettingsReport(const std::vector<ReportLine>& lines, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return PrinterFailure(printer, printer.outputFileName().isEmpty()
                                           ? QStringLiteral("the printer could not be started")
                                           : QStringLiteral("the file could not be written"));

    QFont font = painter.font();
    font.setPointSize(ReportPointSize);
    const QRect page = painter.viewport();
    int y = 0;
    for (const ReportLine& line : lines) {
        font.setBold(line.bold);
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        // A page too short for the report continues on the next one rather
        // than losing lines below its edge.
        const bool pageFull = y > 0 && y + metrics.height() > page.height();
        if (line.pageBreak || pageFull) {
            if (!printer.newPage())
                return PrinterFailure(printer, QStringLiteral("a new page could not be started"));
            y = 0;
        }
        if (line.pageBreak)
            continue;
        painter.drawText(0, y + metrics.ascent(), QString::fromLatin1(line.text()));
        y += metrics.lineSpacing();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return PrinterFailure(printer, QStringLiteral("the document could not be finished"));
    return std::nullopt;
}

} // namespace muxcc
