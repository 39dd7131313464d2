// What the diagram view reads of the measure configuration: the seven diagram rows, the
// measuring interval, the averaging count and the channels' decimals. The measure configuration
// page implements it; tests use a small fake.
#pragma once

#include "platform/base/WinTypes.h"

// A row of the diagram set-up: its source (0 off, 1 time, 2..7 channel A..P2) and its switch.
struct DiagramRow {
    int source = 0;
    BYTE on = 0;
};

class IDiagramSource {
  public:
    static constexpr int kRows = 7;  // row 0 the x axis, rows 1..6 curves 0..5
    virtual void GetDiagramRows(DiagramRow (&rows)[kRows]) const = 0;
    // Seconds between two value sets.
    virtual double GetMeasuringInterval() const = 0;
    virtual int GetAveragingCount() const = 0;
    // Decimals of a channel's values (channel 0..5).
    virtual int GetChannelDecimals(int channel) const = 0;

  protected:
    ~IDiagramSource() = default;
};
