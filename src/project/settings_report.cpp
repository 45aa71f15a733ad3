#include "project/settings_report.h"

#include "model/output_order.h"
#include "project/decimal_text.h"

#include <array>

namespace muxcc {

namespace {

constexpr int ThresholdDigits = 7; // a single-precision threshold
constexpr int SecondsDigits = 15;  // a time in seconds, computed in double
constexpr double SecondsPerCount = 0.02;

const std::string Stars = " ****************************************";

constexpr std::array<const char*, VoltageComparatorCount> VoltageCaptions{
    " V1 IS TRUE WHEN BATTERY VOLTAGE IS >", " V2 IS TRUE WHEN BATTERY VOLTAGE IS >",
    " V3 IS TRUE WHEN BATTERY VOLTAGE IS >", " V4 IS TRUE WHEN BATTERY VOLTAGE IS <",
    " V5 IS TRUE WHEN BATTERY VOLTAGE IS <", " V6 IS TRUE WHEN BATTERY VOLTAGE IS <",
};

constexpr std::array<const char*, TemperatureComparatorCount> TemperatureCaptions{
    " T1 IS TRUE WHEN TEMPERATURE IS <",
    " T2 IS TRUE WHEN TEMPERATURE IS <",
    " T3 IS TRUE WHEN TEMPERATURE IS >",
    " T4 IS TRUE WHEN TEMPERATURE IS >",
};

std::string seconds(std::int32_t counts)
{
    return ReportNumber(counts * SecondsPerCount, SecondsDigits);
}

std::string threshold(float value)
{
    return ReportNumber(value, ThresholdDigits);
}

class ReportWriter {
public:
    void heading(std::vector<std::string> items = {}) { lines_.push_back({std::move(items), true, false}); }
    void headings(int count)
    {
        for (int i = 0; i < count; ++i)
            heading();
    }
    void value(std::vector<std::string> items = {}) { lines_.push_back({std::move(items), false, false}); }
    void pageBreak() { lines_.push_back({{}, false, true}); }

    // The bold block that opens each section: blank, stars, title, stars, blank.
    void section(const std::string& title)
    {
        heading();
        heading({Stars});
        heading({title});
        heading({Stars});
        heading();
    }

    std::vector<ReportLine> take() { return std::move(lines_); }

private:
    std::vector<ReportLine> lines_;
};

} // namespace

std::string ReportLine::text() const
{
    std::string joined;
    for (const auto& item : items)
        joined += item;
    return joined;
}

std::string ReportNumber(double value, int significantDigits)
{
    std::string digits = DecimalText(value, significantDigits);
    const bool negative = digits.front() == '-';
    const auto zeroAt = negative ? 1u : 0u;
    if (digits.compare(zeroAt, 2, "0.") == 0)
        digits.erase(zeroAt, 1);
    return (negative ? "" : " ") + digits + " ";
}

std::vector<ReportLine> SettingsReport(const Configuration& config)
{
    ReportWriter report;

    report.headings(3);
    report.heading({"Filename = ", config.FileName});
    report.heading({" ORLA version 1.1 "});
    report.section(" Multiplexed Channel Configuration");
    for (int n = 1; n <= ChannelCount; ++n)
        report.value({"MUX Channel " + std::to_string(n) +
                      (config.ChannelDirection[n] == 1 ? " = Output" : " = Input")});

    report.section(" Timers Configuration");
    for (int n = 1; n <= TimerCount; ++n) {
        const std::string timer = " Timer " + std::to_string(n);
        report.value(
            {timer + (config.TimerMode[n] != 0 ? " is a Triggerable One Shot Timer." : " is a Duty Timer.")});
        report.value({timer + " Off time", seconds(config.TimerOffTime[n]), "Seconds"});
        report.value({timer + " On time", seconds(config.TimerOnTime[n]), "Seconds"});
        report.value();
    }

    report.section(" Battery Voltage Configuration");
    for (int n = 1; n <= VoltageComparatorCount; ++n)
        report.value({VoltageCaptions[static_cast<std::size_t>(n - 1)], threshold(config.VoltageSetting[n]),
                      "For", seconds(config.VoltageTime[n]), "Seconds"});

    report.section(" Temperature Configuration");
    for (int n = 1; n <= TemperatureComparatorCount; ++n)
        report.value({TemperatureCaptions[static_cast<std::size_t>(n - 1)],
                      threshold(config.TemperatureSetting[n]), "For", seconds(config.TemperatureTime[n]),
                      "Seconds"});

    report.pageBreak();

    report.headings(3);
    report.heading({"Filename = ", config.FileName});
    report.heading({" ORLA version 1.0 "}); // the second page has always named the older version
    report.heading();
    report.section(" DEFINED BOOLEANS");
    for (int n = 1; n <= OutputCount; ++n)
        report.value({OutputName(n) + " =", config.BooleanText[n]});

    return report.take();
}

} // namespace muxcc
