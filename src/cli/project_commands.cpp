// normalize and report: the OPEN, SAVE AS and PRINT commands without the windows.

#include "cli/command_steps.h"
#include "cli/commands.h"
#include "project/report_printer.h"
#include "project/settings_report.h"

#include <QPrinter>

#include <iostream>

namespace muxcc::cli {

namespace {

int PrintPdf(const std::vector<ReportLine>& lines, const std::string& path)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    if (const auto failure = PrintSettingsReport(lines, printer)) {
        std::cerr << "muxcc-cli: " << failure->trimmed().toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int normalizeCommand(const CommandArgs& args)
{
    Configuration config;
    return OpenProject(args.files[0], config) && SaveProject(args.files[1], config) ? 0 : 1;
}

int reportCommand(const CommandArgs& args)
{
    Configuration config;
    if (!OpenProject(args.files[0], config))
        return 1;
    const std::vector<ReportLine> lines = SettingsReport(config);
    if (args.options.contains("--pdf"))
        return PrintPdf(lines, args.option("--pdf"));
    for (const ReportLine& line : lines)
        std::cout << (line.pageBreak ? "\f" : line.text()) << '\n';
    return 0;
}

} // namespace muxcc::cli
