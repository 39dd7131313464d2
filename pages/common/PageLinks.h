// What a page asks of another page, each through the little it uses. The host hands them out
// (PageHost), null while the page does not exist.
#pragma once

#include "platform/base/WinTypes.h"

struct MeasureConfigValues;
class CValidation_IO_NIO;

// The connection page, as the start window and the calibration page use it.
class IConnectionPageLink {
  public:
    // The ports of a multi-port device open one by one after the next refresh.
    virtual void RequestSeparation() = 0;
    // The start-up search's progress in a row's State cell.
    virtual void StartRowProgress(int row) = 0;
    virtual void UpdateRowProgress(int row, int percent) = 0;
    virtual void EndRowProgress() = 0;

  protected:
    ~IConnectionPageLink() = default;
};

// The sensor information page.
class ISensorInformationLink {
  public:
    // Fills the page from the sensor records again (mode 0: the shown records only).
    virtual BOOL Refill(int mode) = 0;

  protected:
    ~ISensorInformationLink() = default;
};

// The measure configuration page.
class IMeasureConfigLink {
  public:
    virtual const MeasureConfigValues& ConfigValues() const = 0;
    // Bit 0 of "ViewUseShowWindow".
    virtual BOOL IsViewShownInWindow1() const = 0;
    // The page looks at the sensor again when it is next shown.
    virtual void NoteSensorChanged() = 0;

  protected:
    ~IMeasureConfigLink() = default;
};

// The measure panel.
class IMeasurePanelLink {
  public:
    virtual void OnBnClickedStop() = 0;
    virtual void OnSensorDisconnected() = 0;
    // The page looks at the sensor again when it is next shown.
    virtual void NoteSensorChanged() = 0;
    virtual BOOL IsMeasuring() const = 0;
    // The control signal of the sensor is switched on.
    virtual BOOL IsControlSignalOn() const = 0;
    // The judgement of the last measurement.
    virtual const CValidation_IO_NIO& Validation() const = 0;

  protected:
    ~IMeasurePanelLink() = default;
};

// The diagnostic page.
class IDiagnosticLink {
  public:
    // The last detection found multi-port devices.
    virtual BOOL HasMultiportResult() const = 0;

  protected:
    ~IDiagnosticLink() = default;
};
