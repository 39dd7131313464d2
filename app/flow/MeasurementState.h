// The state of one measurement as the main frame keeps it: the measured-value flow's per-channel
// values, flags and rings, the start and stop triggers, what the recording prepared for the
// conversion, and the export files with their names. The frame owns one and runs the flow, the
// triggers, the recording and the conversion on it.
#pragma once

#include <memory>
#include <optional>

#include "app/flow/ExportFile.h"
#include "foundation/MovingAverageRing.h"
#include "pages/common/ChannelRecord.h"
#include "sensor/CComPort.h"
#include "sensor/MeasuredValueSet.h"

class CThreadedConvertFile;

class CMeasurementState {
  public:
    // ---- Measured-value flow ----
    ChannelRecord m_aChannelRecords[COM_CHANNELS];
    int m_iFrameSetting = 1;  // kept 1..9999 by the measure configuration
    // What each view field last received; "nothing shown" (NaN, set by the frame) until it received
    // anything, so that a field never written shows the first value even when it is 0.
    double m_adShownValue[COM_CHANNELS] = {};
    double m_adShownTare[COM_CHANNELS] = {};
    double m_adShownMinimum[COM_CHANNELS] = {};
    double m_adShownMaximum[COM_CHANNELS] = {};
    BOOL m_abUnavailable[COM_CHANNELS] = {};  // a power channel without a usable factor
    double m_adTare[COM_CHANNELS] = {};
    int m_aiTareState[COM_CHANNELS] = {1, 1, 1, 1, 1, 1};
    BOOL m_bChannelActive[COM_CHANNELS] = {};
    int m_iSelectionAB = 0;
    int m_iFirstChannel = 0;
    BOOL m_bStopReached = FALSE;
    BOOL m_bRecordingClosed = TRUE;
    BOOL m_bWaitingForTrigger = FALSE;
    BOOL m_bExtremeValueSeen = FALSE;  // a channel got a new maximum
    BYTE m_aucAngleZeroRequest[2] = {};
    double m_adAngleZero[2] = {};
    bool m_bInFlow = false;
    std::optional<MeasuredValueReason> m_lastFlowReason;  // the reason of the last flow run
    int m_aiAverageCounter[7] = {1, 1, 1, 1, 1, 1, 1};
    int m_iDefaultDiagramLength = 1;
    std::unique_ptr<CMovingAverageRing> m_apDiagramRing[7];
    std::unique_ptr<CMovingAverageRing> m_apDisplayRing[COM_CHANNELS];

    // ---- Start and stop triggers ----
    int m_iStartCondition = 0;
    int m_iStopCondition = 0;
    BYTE m_ucStartArmed = 0;
    BYTE m_ucStopArmed = 0;
    BYTE m_ucFirstValuePending = 0;
    BYTE m_ucTriggerMarker = 0;
    BOOL m_bMeasurementStarted = FALSE;

    // ---- Recording ----
    BOOL m_bRecordBufferPresent = FALSE;  // the first value set of the measurement was recorded
    double m_adRecordHead[4] = {};
    BYTE m_ucConversionPending = 0;
    int m_iDecimalLanguage = 0;
    CString m_strLineEnd = "\r\n";
    CString m_strColumnSeparator = ";";
    CString m_astrColumnUnit[COM_CHANNELS];
    int m_aiAxisAssignment[COM_CHANNELS] = {};
    BOOL m_bStoreRefused = FALSE;

    // ---- Conversion and files ----
    BYTE m_ucDataAvailable = 0;
    CThreadedConvertFile* m_pConvertThread = nullptr;  // the frame creates and deletes it
    CExportFile m_fileMeasuredValues;
    CExportFile m_fileResults;
    CString m_strManualFileName;
    CString m_strDiagramFileName;
    BYTE m_ucManualSavePending = 0;
    int m_iRowNumber = 0;
    BOOL m_bExportFailed = FALSE;         // the last measurement's file could not be written
    BOOL m_bMeasurementFinished = FALSE;  // FinishMeasurement ran for this measurement
    BYTE m_ucDropLastRow = 0;
    CString m_strDiagramBitmap = "TEMP_DIAGRAM.bmp";
    CString m_strPrintLogoBitmap = "Brevn_TEMP.bmp";
};
