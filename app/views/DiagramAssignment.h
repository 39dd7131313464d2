// Which diagram curve shows which channel, from the diagram rows of the measure configuration,
// and the redraw period of the live diagram. Pure logic, no windows.
#pragma once

#include "pages/common/DiagramSource.h"

struct DiagramAssignment {
    static constexpr int kChannels = 6;
    static constexpr int kTimeSource = 1;
    static constexpr int kFirstChannelSource = 2;
    static constexpr int kLastChannelSource = 7;

    int xSource = kTimeSource;
    bool xEnabled = false;
    bool curveEnabled[kChannels] = {};
    int curveSource[kChannels] = {};
    int channelToCurve[kChannels] = {-1, -1, -1, -1, -1, -1};
    int curveToChannel[kChannels] = {-1, -1, -1, -1, -1, -1};

    // Sources outside 0..7 count as off.
    static int ValidSource(int source);
    static DiagramAssignment FromRows(const DiagramRow (&rows)[IDiagramSource::kRows]);
    bool IsTimeMode() const { return xSource == kTimeSource; }
    bool IsXChannelMode() const { return xSource >= kFirstChannelSource; }
    // The curve of an active channel's value; -1 when the channel is not drawn. With one sensor
    // and the A/B selection 4, A and B swap curves (A on 1, B on 0), the others keep theirs.
    int CurveOfChannel(int channel, bool multiSensor, int abSelection) const;
};

// CAFormDiagram::TIMER_REDRAW's period for a measuring interval in seconds: the interval, at least
// 450 ms, and two thirds of it from 450 ms on.
int DiagramRedrawPeriodMs(double intervalSeconds);
