// The axis page's arithmetic: time steps, number formats and decimals, and the line-feed
// escaping of typed time formats.
#include "chart/dialogs/AxisPageRules.h"

#include <cmath>
#include <cstdlib>

namespace kq::chart {

namespace {

constexpr int kMaxTimeStep = 22118400;

}  // namespace

double SecondsOfTimeUnit(int unit) {
    static const double kSeconds[] = {1.0, 60.0, 3600.0, 86400.0};
    return unit >= 0 && unit < 4 ? kSeconds[unit] : 1.0;
}

TimeStep SplitTimeStep(double stepDays) {
    double rounded = std::isfinite(stepDays) ? std::llround(stepDays * 86400.0) : 1.0;
    long long seconds = rounded < 1.0 ? 1 : static_cast<long long>(rounded);
    TimeStep step;
    if (seconds > 86400 && seconds % 86400 == 0)
        step = {static_cast<int>(std::min<long long>(seconds / 86400, kMaxTimeStep)), 3};
    else if (seconds >= 3600 && seconds % 3600 == 0)
        step = {static_cast<int>(std::min<long long>(seconds / 3600, kMaxTimeStep)), 2};
    else if (seconds >= 60 && seconds % 60 == 0)
        step = {static_cast<int>(std::min<long long>(seconds / 60, kMaxTimeStep)), 1};
    else
        step = {static_cast<int>(std::min<long long>(seconds, kMaxTimeStep)), 0};
    return step;
}

double TimeStepDays(int count, int unit) {
    return static_cast<double>(count) * SecondsOfTimeUnit(unit) / 86400.0;
}

CString NumberFormatFor(double min, double max, int decimals) {
    auto tiny = [](double v) { return v != 0.0 && std::fabs(v) < 1e-6; };
    bool exponent = std::fabs(min) > 1e6 || std::fabs(max) > 1e6 || tiny(min) || tiny(max);
    CString format;
    format.Format(exponent ? "%%5.%de" : "%%5.%df", decimals);
    return format;
}

int DecimalsOfFormat(const CString& format, int fallback) {
    int dot = format.Find('.');
    if (dot < 0)
        return fallback;
    int decimals = std::atoi(format.GetString() + dot + 1);
    return decimals < 0 ? 0 : (decimals > 6 ? 6 : decimals);
}

CString EscapeLineFeeds(const CString& text) {
    CString escaped = text;
    escaped.Replace("\n", "\\n");
    return escaped;
}

CString UnescapeLineFeeds(const CString& text) {
    CString plain = text;
    plain.Replace("\\n", "\n");
    return plain;
}

}  // namespace kq::chart
