// The values of the measure configuration page that outlive the program: trigger set-up, diagram
// table, judged measurands with their limits and evaluation mode, and the start and stop
// programs. Loading takes every stored value only within its range, so that nothing stored can
// arm a threshold on a missing channel or judge a measurand that does not exist.
#pragma once

#include <cstdint>

#include "platform/base/CString.h"

class CWinApp;

struct MeasureConfigValues {
    static constexpr int kDiagramRows = 7;  // row 0 the x axis, rows 1-6 the curves
    static constexpr int kSourceOff = 0;
    static constexpr int kSourceTime = 1;  // 2-7: channels A-P2
    static constexpr int kMaxSource = 7;
    static constexpr int kMaxStartCode = 7;  // 0 at once, 1-6 threshold, 7 date and time
    static constexpr int kMaxStopCode = 8;   // 0 none, 1-6 threshold, 7 and 8 count
    static constexpr double kMaxStopCount = 1e9;
    static constexpr int kMaxProgramLength = 1023;
    static constexpr int kMaxLimitLength = 64;

    int startCode = 0;
    int stopCode = 0;
    int startDirection = 0;  // 0 rising, 1 falling
    int stopDirection = 0;
    double startLevel = 0.0;
    double stopLevel = 0.0;
    double startHysteresis = 0.0;  // never negative
    double stopHysteresis = 0.0;
    int64_t startDateTime = 0;  // seconds of the C clock
    double stopCount = 0.0;
    // Time on x and every channel on its curve until the user chooses otherwise.
    int diagramSource[kDiagramRows] = {kSourceTime, 2, 3, 4, 5, 6, 7};
    bool diagramOn[kDiagramRows] = {true, true, true, true, true, true, true};
    int ioNioMode = 0;  // 0 off, 1 criterion 1, 2 criteria 1 and 2
    int measurand[2] = {-1, -1};
    CString limits[4];  // lower 1, upper 1, lower 2, upper 2, as typed
    CString startProgram, stopProgram;

    // Reads section "DespiteReset"; values missing or out of range keep their defaults.
    void Load(CWinApp* app);
    // FALSE when a write failed.
    BOOL Save(CWinApp* app) const;

    // A channel's diagram entry: the table row's source when its switch is on, else 0.
    int AxisOf(int row) const;
};
