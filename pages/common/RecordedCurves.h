// What an export reads of a measurement's recording: which curve holds a channel and that curve's
// points. The diagram answers it from its curve store; tests use a small fake.
#pragma once

class IRecordedCurves {
  public:
    // The curve that records a channel (0..5), -1 none.
    virtual int GetCurveOfChannel(int channel) const = 0;
    // Points of a curve; 0 for a curve that does not exist.
    virtual int GetPointCount(int curve) const = 0;
    // Point index of a curve (0 past its end).
    virtual double GetPointX(int curve, int index) const = 0;
    virtual double GetPointY(int curve, int index) const = 0;

  protected:
    ~IRecordedCurves() = default;
};
