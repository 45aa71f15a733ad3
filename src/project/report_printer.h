#pragma once

#include "project/settings_report.h"

#include <QString>

#include <optional>
#include <vector>

class QPrinter;

namespace muxcc {

// Paints the report lines on printer in its default font at 8 points, bold
// where a line says so. Nothing on success, else why the printer failed.
std::optional<QString> PrintSettingsReport(const std::vector<ReportLine>& lines, QPrinter& printer);

} // namespace muxcc
