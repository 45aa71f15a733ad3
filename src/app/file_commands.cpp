#include "app/file_commands.h"

#include "app/dialogs.h"
#include "app/status_line.h"
#include "app/text.h"
#include "project/project_file_io.h"
#include "project/report_printer.h"
#include "project/settings_report.h"

#include <QFile>
#include <QPrinter>

#include <utility>

namespace muxcc {

namespace {

// The core takes paths as the system's 8-bit bytes.
std::string SystemPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

FileCommands::FileCommands(Configuration& config, Dialogs& dialogs, StatusLine& status,
                           std::function<void()> afterOpen)
    : config_(config), dialogs_(dialogs), status_(status), afterOpen_(std::move(afterOpen))
{
}

void FileCommands::open()
{
    const std::optional<QString> path = dialogs_.chooseFileToOpen();
    if (!path)
        return;
    status_.showMessage(QStringLiteral("OPEN FILE IN PROCESS......."));
    if (auto reason = OpenProjectFile(config_, SystemPath(*path))) {
        fail("OPEN", QStringLiteral("FILE OPEN FAILED"), *reason);
        return;
    }
    afterOpen_();
    status_.showMessage(QStringLiteral("FILE OPEN COMPLETED"));
}

void FileCommands::save()
{
    if (config_.FileAssociated == 0) {
        dialogs_.showNotice({Notice::Icon::Information, "Save Function",
                             " No file association. Perform a SaveAs Function First."});
        return;
    }
    saveTo(QFile::decodeName(QByteArray::fromStdString(config_.FileName)), "SAVE",
           QStringLiteral("FILE SAVE FUNCTION COMPLETED"), QStringLiteral("FILE SAVE FAILED"));
}

void FileCommands::saveAs()
{
    if (const std::optional<QString> path = dialogs_.chooseFileToSave())
        saveTo(*path, "SAVE AS", QStringLiteral("FILE SAVE AS FUNCTION COMPLETED"),
               QStringLiteral("FILE SAVE AS FAILED"));
}

void FileCommands::saveTo(const QString& path, const char* command, const QString& completed,
                          const QString& failed)
{
    status_.showMessage(QStringLiteral("SAVING TO FILE......."));
    if (auto reason = SaveProjectFile(config_, SystemPath(path)))
        fail(command, failed, *reason);
    else
        status_.showMessage(completed);
}

void FileCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.choosePrinter(printer))
        return;
    status_.showMessage(QStringLiteral("PRINTING SETTINGS......."));
    if (auto reason = PrintSettingsReport(SettingsReport(config_), printer))
        fail("PRINT", QStringLiteral("PRINT SETTINGS FAILED"), toStdString(*reason));
    else
        status_.showMessage(QStringLiteral("PRINT SETTINGS COMPLETED."));
}

void FileCommands::fail(const char* command, const QString& status, const std::string& reason)
{
    status_.showMessage(status);
    dialogs_.showNotice({Notice::Icon::Exclamation, command, " " + reason});
}

} // namespace muxcc
