#pragma once

#include "model/configuration.h"

#include <string>
#include <vector>

namespace muxcc {

// One line of the printed settings report: items printed one after another
// with nothing between them. A page-break line has no items and starts the
// second page.
struct ReportLine {
    std::vector<std::string> items;
    bool bold = false;
    bool pageBreak = false;

    std::string text() const;

    bool operator==(const ReportLine&) const = default;
};

// A number item as the report prints it: a leading space (or the minus sign),
// the value to significantDigits significant digits without a zero before the
// point (0.14 -> " .14 "), and a trailing space.
std::string ReportNumber(double value, int significantDigits);

// The two pages of the report for config (71 lines, the page break, 53 lines);
// rendering them on a printer is the PRINT command's business.
std::vector<ReportLine> SettingsReport(const Configuration& config);

} // namespace muxcc
