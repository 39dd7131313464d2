// What the measurement panel asks of the diagram view before a run: room for the curves, the
// channels assigned to them, and the start of the run's diagram. The diagram view implements it.
#pragma once

#include <cstddef>
#include <span>

#include "platform/base/WinTypes.h"

class IDiagramRun {
  public:
    // Remakes the curve store for a run: the points per curve now allocated, 0 when the store
    // stayed as it was (or there is none).
    virtual size_t ReallocateCurveStorage(long long points, std::span<const BYTE> inUse) = 0;
    virtual void AssignCurvesToChannels() = 0;
    // Starts a measurement's diagram; assigns the curves itself when nobody did.
    virtual void StartDiagram(BOOL reset) = 0;

  protected:
    ~IDiagramRun() = default;
};
