#include "pages/measurement/MeasureConfigValues.h"

#include <charconv>
#include <cmath>

#include "pages/measurement/CValidation_IO_NIO.h"
#include "platform/framework/WinApp.h"

namespace {

constexpr const char* kSection = "DespiteReset";

CString Name(const char* stem, int index) {
    CString name;
    name.Format("%s%d", stem, index);
    return name;
}

// A stored whole number within [low, high], else the fallback.
int ReadInt(CWinApp* app, const char* entry, int low, int high, int fallback) {
    const CString text = app->GetProfileString(kSection, entry, "");
    long long value = 0;
    const char* begin = text.GetString();
    const char* end = begin + text.GetLength();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (text.IsEmpty() || error != std::errc() || stop != end || value < low || value > high)
        return fallback;
    return static_cast<int>(value);
}

double ReadDouble(CWinApp* app, const char* entry, double low, double high, double fallback) {
    double value = fallback;
    const CString text = app->GetProfileString(kSection, entry, "");
    if (!CValidation_IO_NIO::ParseLimit(text, fallback, value) || value < low || value > high)
        return fallback;
    return value;
}

CString FormatDouble(double value) {
    CString text;
    text.Format("%.17g", value);
    return text;
}

CString FormatInt(long long value) {
    CString text;
    text.Format("%lld", value);
    return text;
}

}  // namespace

int MeasureConfigValues::AxisOf(int row) const {
    if (row < 0 || row >= kDiagramRows || !diagramOn[row])
        return 0;
    return diagramSource[row];
}

void MeasureConfigValues::Load(CWinApp* app) {
    *this = MeasureConfigValues{};
    if (app == nullptr)
        return;
    startProgram =
        app->GetProfileString(kSection, "PartOfMeasureStartAddProg", "").Left(kMaxProgramLength);
    stopProgram =
        app->GetProfileString(kSection, "PartOfMeasureStopAddProg", "").Left(kMaxProgramLength);
    for (int c = 0; c < 2; ++c)
        measurand[c] = ReadInt(app, Name("IndexOfLimitedMeasurand_", c + 1), 0, 5, -1);
    const char* const limitEntries[4] = {"IOLowerLimitOfMeasurand_1", "IOUpperLimitOfMeasurand_1",
                                         "IOLowerLimitOfMeasurand_2", "IOUpperLimitOfMeasurand_2"};
    for (int i = 0; i < 4; ++i)
        limits[i] = app->GetProfileString(kSection, limitEntries[i], "").Left(kMaxLimitLength);
    ioNioMode = ReadInt(app, "IoNioEvaluationMode", 0, 2, 0);
    startCode = ReadInt(app, "TriggerStartCondition", 0, kMaxStartCode, 0);
    stopCode = ReadInt(app, "TriggerStopCondition", 0, kMaxStopCode, 0);
    startDirection = ReadInt(app, "TriggerStartDirection", 0, 1, 0);
    stopDirection = ReadInt(app, "TriggerStopDirection", 0, 1, 0);
    startLevel = ReadDouble(app, "TriggerStartLevel", -1e30, 1e30, 0.0);
    stopLevel = ReadDouble(app, "TriggerStopLevel", -1e30, 1e30, 0.0);
    startHysteresis = ReadDouble(app, "TriggerStartHysteresis", 0.0, 1e30, 0.0);
    stopHysteresis = ReadDouble(app, "TriggerStopHysteresis", 0.0, 1e30, 0.0);
    startDateTime =
        static_cast<int64_t>(ReadDouble(app, "TriggerStartDateTime", 0.0, 253402300799.0, 0.0));
    stopCount = std::trunc(ReadDouble(app, "TriggerStopCount", 0.0, kMaxStopCount, 0.0));
    for (int r = 0; r < kDiagramRows; ++r) {
        diagramSource[r] = ReadInt(app, Name("DiagramSource_", r), 0, kMaxSource, diagramSource[r]);
        diagramOn[r] = ReadInt(app, Name("DiagramSwitch_", r), 0, 1, diagramOn[r] ? 1 : 0) != 0;
    }
}

BOOL MeasureConfigValues::Save(CWinApp* app) const {
    if (app == nullptr)
        return FALSE;
    BOOL ok = TRUE;
    auto text = [&](const char* entry, const CString& value) {
        ok = app->WriteProfileString(kSection, entry, value) && ok;
    };
    // The Part's own values first, in their order, then the evaluation set-up beside them.
    text("PartOfMeasureStartAddProg", startProgram);
    text("PartOfMeasureStopAddProg", stopProgram);
    for (int c = 0; c < 2; ++c)
        text(Name("IndexOfLimitedMeasurand_", c + 1), FormatInt(measurand[c]));
    text("IOLowerLimitOfMeasurand_1", limits[0]);
    text("IOUpperLimitOfMeasurand_1", limits[1]);
    text("IOLowerLimitOfMeasurand_2", limits[2]);
    text("IOUpperLimitOfMeasurand_2", limits[3]);
    text("IoNioEvaluationMode", FormatInt(ioNioMode));
    text("TriggerStartCondition", FormatInt(startCode));
    text("TriggerStopCondition", FormatInt(stopCode));
    text("TriggerStartDirection", FormatInt(startDirection));
    text("TriggerStopDirection", FormatInt(stopDirection));
    text("TriggerStartLevel", FormatDouble(startLevel));
    text("TriggerStopLevel", FormatDouble(stopLevel));
    text("TriggerStartHysteresis", FormatDouble(startHysteresis));
    text("TriggerStopHysteresis", FormatDouble(stopHysteresis));
    text("TriggerStartDateTime", FormatInt(startDateTime));
    text("TriggerStopCount", FormatDouble(stopCount));
    for (int r = 0; r < kDiagramRows; ++r) {
        text(Name("DiagramSource_", r), FormatInt(diagramSource[r]));
        text(Name("DiagramSwitch_", r), FormatInt(diagramOn[r] ? 1 : 0));
    }
    return ok;
}
