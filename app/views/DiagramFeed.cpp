// The diagram view's measurement side: the curves assigned and set up at the start, each set of
// measured values rounded, averaged and added as points, and the chart's curves and x range
// refreshed on CAFormDiagram::TIMER_REDRAW (or once at the end of a measurement).
#include "app/views/CAFormDiagram.h"

#include <algorithm>

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "pages/common/ChannelUnitSource.h"
#include "pages/common/PageTable.h"
#include "platform/base/FileSystem.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"

namespace {

constexpr double kFollowSeconds = 60.0;
constexpr double kFastEffectiveInterval = 0.05;
constexpr double kVeryFastInterval = 0.02;
constexpr int kVeryFastRedrawMs = 3600;
constexpr int kClosingRetryMs = 50;
constexpr int kMaxDecimals = 8;
constexpr COLORREF kCurveColours[6] = {RGB(0, 0, 255),  RGB(255, 0, 0),   RGB(0, 128, 0),
                                       RGB(47, 79, 79), RGB(255, 128, 0), RGB(128, 0, 0)};

// The measure configuration as it stands before anyone set one: time on x, every channel on.
class DefaultDiagramSource final : public IDiagramSource {
  public:
    void GetDiagramRows(DiagramRow (&rows)[kRows]) const override {
        rows[0] = {1, 1};
        for (int k = 1; k < kRows; ++k)
            rows[k] = {k + 1, 1};
    }
    double GetMeasuringInterval() const override { return 1.0; }
    int GetAveragingCount() const override { return 1; }
    int GetChannelDecimals(int) const override { return 2; }
};

}  // namespace

const IDiagramSource* CAFormDiagram::Source() const {
    static const DefaultDiagramSource fallback;
    if (m_pSource != nullptr)
        return m_pSource;
    if (m_pFrame != nullptr) {
        if (auto* page =
                dynamic_cast<const IDiagramSource*>(m_pFrame->GetPageWindow(PAGE_MEASURE_ADJUST)))
            return page;
    }
    return &fallback;
}

bool CAFormDiagram::Average(int index, double value, double& out) const {
    if (m_pFrame == nullptr) {
        out = value;
        return true;
    }
    return m_pFrame->AverageChannelValue(index, value, out) != FALSE;
}

void CAFormDiagram::AssignCurvesToChannels() {
    DiagramRow rows[IDiagramSource::kRows];
    Source()->GetDiagramRows(rows);
    m_assignment = DiagramAssignment::FromRows(rows);
    m_bAssignmentDone = TRUE;
}

void CAFormDiagram::StartDiagram(BOOL reset) {
    // A start without a fresh assignment takes the configuration as it stands.
    if (!m_bAssignmentDone)
        AssignCurvesToChannels();
    m_bXChannelFit = TRUE;
    m_bStarted = TRUE;
    m_bPrimed = FALSE;
    m_iPointsUntilPrimed = 2;
    // After a reallocation every curve holds the store's (0, 0) point: never plot or count it.
    const bool reallocated =
        m_pDiagram != nullptr && m_pDiagram->GetReallocationCount() != m_nReallocationsSeen;
    if (m_pDiagram != nullptr)
        m_nReallocationsSeen = m_pDiagram->GetReallocationCount();
    if (reset || reallocated) {
        for (int c = 0; c < kChannels; ++c) {
            if (m_pDiagram != nullptr)
                m_pDiagram->ResetCurve(c);
            m_aiPointCount[c] = 0;
        }
        if (m_pDiagram != nullptr && m_pDiagram->GetChart() != nullptr) {
            m_pDiagram->OnMenuCommand(60011);
            m_pDiagram->GetChart()->OnResetZoom();
            // The marks the cursor left belong to the points of the run before.
            m_pDiagram->GetChart()->DeleteDataNotations();
        }
    }
    const IDiagramSource* source = Source();
    m_dInterval = source->GetMeasuringInterval();
    m_dEffectiveInterval = source->GetAveragingCount() * m_dInterval;
    if (!m_assignment.xEnabled)
        m_assignment.xSource = -1;
    for (int c = 0; c < kChannels; ++c) {
        // A channel that nothing feeds (no sensor channel behind it, a power channel not
        // switched on) would only draw an empty axis without a unit: its curve stays off.
        const int channel = m_assignment.curveSource[c] - DiagramAssignment::kFirstChannelSource;
        if (channel >= 0 && channel < kChannels && m_pFrame != nullptr &&
            (!m_pFrame->Measurement().Flow().m_bChannelActive[channel] ||
             m_pFrame->Measurement().Flow().m_abUnavailable[channel]))
            m_assignment.curveEnabled[c] = false;
        if (!m_assignment.curveEnabled[c])
            m_assignment.curveSource[c] = -1;
        if (m_pDiagram != nullptr)
            m_pDiagram->SetYAxisColor(
                c, m_assignment.curveEnabled[c] ? RGB(0, 0, 0) : RGB(192, 192, 192));
    }
    SetupCurves();
    m_llValueSets = 0;
    m_dObservedXMin = 1e99;
    m_dObservedXMax = -1e99;
    m_iRedrawPeriod = DiagramRedrawPeriodMs(m_dInterval);
    m_bAssignmentDone = FALSE;
    if (m_hWnd != nullptr)
        SetTimer(TIMER_REDRAW, static_cast<UINT>(m_iRedrawPeriod), nullptr);
}

CString CAFormDiagram::GetAxisLabel(int source, bool twoLines) const {
    CString name;
    CString unit = "default";
    const auto* units = dynamic_cast<const IChannelUnitSource*>(m_pFrame);
    const bool several = m_pFrame != nullptr && m_pFrame->m_iNumberOfSensors >= 2;
    if (source == 0) {
        name = GetLanguageString(IDS_OFF);
        unit = "N.L";
    } else if (source == DiagramAssignment::kTimeSource) {
        name = GetLanguageString(IDS_TIME);
        unit = GetLanguageString(IDS_SECONDS);
    } else if (source >= DiagramAssignment::kFirstChannelSource &&
               source <= DiagramAssignment::kLastChannelSource) {
        const int channel = source - DiagramAssignment::kFirstChannelSource;
        // The power channels read "P1" and "P2" whatever the number of sensors.
        if (source >= 6)
            name.Format("P%d", source - 5);
        else if (several)
            name.Format("%s.%d", GetLanguageString(IDS_SENSOR).GetString(), source - 1);
        else
            name = GetLanguageString(IDS_CHANNEL_A + channel);
        unit.Empty();
        if (units != nullptr) {
            const int record = several ? units->GetRecordOfChannel(channel) : channel;
            units->GetChannelUnitText(record, units->GetChannelUnitIndex(record), unit);
        }
    }
    return name + (twoLines ? "\n[" : " [") + unit + "]";
}

CString CAFormDiagram::GetAxisFormat(int source, int& decimals) const {
    if (source == DiagramAssignment::kTimeSource) {
        decimals = 2;
        return "%0.2f";
    }
    const int channel = source - DiagramAssignment::kFirstChannelSource;
    // Channel B of a single sensor that measures a rotation angle: its axis reads in tenths.
    if (channel == 1 && m_pFrame != nullptr && m_pFrame->m_iNumberOfSensors < 2 &&
        m_pFrame->m_aSensorRecord[0].ucAngleFlag != 0) {
        decimals = 0;
        return "%0.1f";
    }
    decimals = std::clamp(Source()->GetChannelDecimals(std::clamp(channel, 0, kChannels - 1)), 0,
                          kMaxDecimals);
    CString format;
    format.Format("%%0.%df", decimals);
    return format;
}

void CAFormDiagram::SetupCurves() {
    if (m_pDiagram == nullptr)
        return;
    // The axes write their numbers as the channel views do.
    m_pDiagram->SetDecimalPoint(GetDecimalSeparatorOf(-1));
    const int xSource = m_assignment.xSource;
    if (xSource < 1) {
        m_pDiagram->SetXAxisLabel("");
        m_assignment.xEnabled = false;
    } else {
        m_pDiagram->SetXAxisLabel(GetAxisLabel(xSource, false));
        m_pDiagram->SetXAxisFormat(GetAxisFormat(xSource, m_iXDecimals));
    }
    for (int c = 0; c < kChannels; ++c) {
        const int source = m_assignment.curveSource[c];
        if (source < DiagramAssignment::kFirstChannelSource) {
            m_pDiagram->SetYAxisLabel(c, "");
            m_pDiagram->SetCurveLabel(c, "");
            m_pDiagram->SetYAxisFormat(c, "%0.0f");
            m_assignment.curveEnabled[c] = false;
            continue;
        }
        m_pDiagram->SetYAxisLabel(c, GetAxisLabel(source, true));
        m_pDiagram->SetCurveLabel(c, GetAxisLabel(source, false));
        m_pDiagram->SetYAxisFormat(c, GetAxisFormat(source, m_aiCurveDecimals[c]));
        // A colour the operator chose in the property sheet stays for the program's run; the
        // curve's own colour is set only while the curve still has the one given last.
        const COLORREF shown = m_pDiagram->GetCurveColor(c);
        if (m_aclrCurveGiven[c] == kNoColourGiven || shown == m_aclrCurveGiven[c]) {
            m_pDiagram->SetCurveColor(c, kCurveColours[c]);
            m_aclrCurveGiven[c] = kCurveColours[c];
        }
    }
}

DiagramAddResult CAFormDiagram::AddMeasuredValues(const double values[6], BOOL multiSensor,
                                                  const BOOL active[6], int selectionAB,
                                                  double& time) {
    DiagramAddResult why = DiagramAddResult::Stored;
    m_bLastMultiSensor = multiSensor != FALSE;
    m_iLastSelectionAB = selectionAB;
    int most = 0;
    for (int c = 0; c < kChannels; ++c) {
        if (active[c])
            most = std::max(most, m_aiPointCount[c]);
    }
    if (m_bPointLimit && most >= m_iPointLimit)
        return DiagramAddResult::Full;
    // Rounded copies: the caller's values (the frame's live ones at the end) stay as they are.
    double rounded[kChannels];
    for (int c = 0; c < kChannels; ++c) {
        rounded[c] =
            active[c] ? RoundToDecimals(values[c], Source()->GetChannelDecimals(c)) : values[c];
        m_adLastValue[c] = active[c] ? rounded[c] : kInactiveValue;
    }
    if (!m_bStarted)
        return DiagramAddResult::Stored;
    const bool xChannel = m_assignment.IsXChannelMode();
    // The k-th value set's time is k intervals, multiplied rather than summed: the time of the
    // store's last point equals the maximum duration exactly, without a drift of rounding.
    const double runningTime = static_cast<double>(m_llValueSets) * m_dInterval;
    double x = xChannel ? rounded[m_assignment.xSource - DiagramAssignment::kFirstChannelSource]
                        : runningTime;
    m_dObservedXMin = std::min(m_dObservedXMin, x);
    m_dObservedXMax = std::max(m_dObservedXMax, x);
    if (m_iPointsUntilPrimed > 0 && --m_iPointsUntilPrimed == 0)
        m_bPrimed = TRUE;
    for (int c = 0; c < kChannels; ++c)
        m_adLastPlottedY[c] = active[c] ? rounded[c] : 0.0;

    // Outside time mode a point needs a fresh x as well as a fresh y.
    bool freshX = true;
    if (xChannel) {
        double averaged = 0.0;
        freshX = Average(0, x, averaged);
        if (freshX)
            x = RoundToDecimals(averaged, m_iXDecimals);
    }
    for (int c = 0; c < kChannels && freshX; ++c) {
        if (!active[c])
            continue;
        const int curve = m_assignment.CurveOfChannel(c, m_bLastMultiSensor, selectionAB);
        if (curve < 0)
            continue;
        double y = 0.0;
        if (!Average(c + 1, rounded[c], y))
            continue;
        y = RoundToDecimals(y, m_aiCurveDecimals[curve]);
        const int result = m_pDiagram != nullptr
                               ? m_pDiagram->AddPoint(curve, x, y)
                               : static_cast<int>(CGraphicDisplayWnd::ADD_NOT_READY);
        if (result > 0) {
            m_aiPointCount[c] = result;
        } else if (why == DiagramAddResult::Stored) {
            why = result == CGraphicDisplayWnd::ADD_OUT_OF_MEMORY ? DiagramAddResult::OutOfMemory
                                                                  : DiagramAddResult::NotReady;
        }
    }
    if (!xChannel) {
        time = runningTime;
        ++m_llValueSets;
    }
    if (time >= 2.0)
        time += 1e-08;
    return why;
}

void CAFormDiagram::UpdateDiagram(int reason) {
    const bool end = reason == 1;
    if (m_pFrame != nullptr && m_pFrame->m_bClosing) {
        KillTimer(TIMER_REDRAW);
        if (!end)
            SetTimer(TIMER_REDRAW, kClosingRetryMs, nullptr);
        return;
    }
    if (m_hWnd != nullptr)
        KillTimer(TIMER_REDRAW);
    const bool timeMode = m_assignment.IsTimeMode();
    const bool xChannel = m_assignment.IsXChannelMode();
    bool fit = true;
    if (timeMode && m_dObservedXMax >= kFollowSeconds && !end)
        fit = false;
    if (xChannel && !m_bXChannelFit && !end)
        fit = false;
    const bool diagramShown = m_pFrame != nullptr && m_pFrame->m_viewState.checkState[5] == 1;
    // Every curve and then the x range change the chart: it paints once, after the last.
    if (m_pDiagram != nullptr)
        m_pDiagram->HoldRedraw();
    if (m_pDiagram != nullptr && (fit || (m_bPrimed && diagramShown))) {
        for (int c = 0; c < kChannels; ++c) {
            if (m_assignment.curveEnabled[c]) {
                m_pDiagram->showCurve(c, TRUE, TRUE, fit);
                CXGraph* chart = m_pDiagram->GetChart();
                if (fit && chart != nullptr && c < chart->GetYAxisCount())
                    chart->GetYAxis(c).SetAutoScale(true);
            } else {
                m_pDiagram->showCurve(c, FALSE, FALSE, FALSE);
            }
        }
    }
    const bool observed = m_dObservedXMin <= m_dObservedXMax;
    if (m_pDiagram != nullptr && observed) {
        if (timeMode && !(m_dObservedXMax < kFollowSeconds || end) &&
            m_dEffectiveInterval < kFastEffectiveInterval) {
            m_pDiagram->SetWindowWidth(kFollowSeconds);
            m_pDiagram->UpdateXWindow(1);
        } else {
            m_pDiagram->SetXRange(m_dObservedXMin, m_dObservedXMax);
        }
    }
    if (m_pDiagram != nullptr)
        m_pDiagram->ReleaseRedraw();
    if (m_dInterval < kVeryFastInterval)
        m_iRedrawPeriod = kVeryFastRedrawMs;
    if (!end && m_hWnd != nullptr)
        SetTimer(TIMER_REDRAW, static_cast<UINT>(m_iRedrawPeriod), nullptr);
}

void CAFormDiagram::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_REDRAW) {
        KillTimer(nIDEvent);
        UpdateDiagram(0);
        return;
    }
    if (nIDEvent == TIMER_SAVE_AS) {
        KillTimer(nIDEvent);
        const CString file = m_pFrame != nullptr
                                 ? m_pFrame->Measurement().Files().m_strDiagramFileName
                                 : m_strSaveAsFile;
        if (m_pDiagram != nullptr && !file.IsEmpty() && !m_pDiagram->SaveBitmap(file) &&
            m_pFrame != nullptr)
            AfxMessageBox(m_pFrame->BuildFileOpenErrorText(file), MB_ICONSTOP);
        if (m_pFrame != nullptr) {
            m_pFrame->RestoreDiagramBarDocking();
            m_pFrame->WaitCursorOff();
        }
        return;
    }
    if (nIDEvent == TIMER_AUTO_SAVE) {
        KillTimer(nIDEvent);
        SaveAutomaticPicture();
        return;
    }
    if (nIDEvent == TIMER_PRINT) {
        KillTimer(nIDEvent);
        CapturePrintPicture();
        return;
    }
    CFormView::OnTimer(nIDEvent);
}

void CAFormDiagram::CapturePrintPicture() {
    if (m_pFrame == nullptr)
        return;
    const CString file = m_pFrame->Measurement().Files().m_strDiagramBitmap;
    // An earlier print's picture must never stand in for a failed capture.
    DeleteFile(file);
    // A failed capture is reported; the page then shows the picture's frame.
    if (m_pDiagram != nullptr && !m_pDiagram->SaveBitmap(file)) {
        DeleteFile(file);
        AfxMessageBox(m_pFrame->BuildFileOpenErrorText(file), MB_ICONSTOP);
    }
    m_pFrame->RestoreDiagramBarDocking();
    m_pFrame->PrintDiagram();
    m_pFrame->WaitCursorOff();
}

void CAFormDiagram::StopLiveTimer() {
    if (m_hWnd != nullptr)
        KillTimer(TIMER_REDRAW);
}

double CAFormDiagram::GetLastValue(int channel) const {
    return channel >= 0 && channel < kChannels ? m_adLastValue[channel] : kInactiveValue;
}

int CAFormDiagram::GetCurveOfChannel(int channel) const {
    return m_assignment.CurveOfChannel(channel, m_bLastMultiSensor, m_iLastSelectionAB);
}

int CAFormDiagram::GetPointCount(int curve) const {
    return m_pDiagram != nullptr ? m_pDiagram->GetCurvePointCount(curve) : 0;
}

double CAFormDiagram::GetPointX(int curve, int index) const {
    return m_pDiagram != nullptr ? m_pDiagram->GetCurveX(curve, index) : 0.0;
}

double CAFormDiagram::GetPointY(int curve, int index) const {
    return m_pDiagram != nullptr ? m_pDiagram->GetCurveY(curve, index) : 0.0;
}

void CAFormDiagram::ArmSaveAsTimer() {
    if (m_hWnd != nullptr)
        SetTimer(TIMER_SAVE_AS, 1, nullptr);
}

void CAFormDiagram::ArmPrintTimer() {
    if (m_hWnd != nullptr)
        SetTimer(TIMER_PRINT, 1, nullptr);
}

int CAFormDiagram::GetMaxCountOfValues() const {
    int most = 0;
    for (int c = 0; c < kChannels; ++c) {
        if (m_pFrame == nullptr || m_pFrame->Measurement().Flow().m_bChannelActive[c])
            most = std::max(most, m_aiPointCount[c]);
    }
    return most;
}

void CAFormDiagram::SetPointLimit(BOOL on, int count) {
    m_bPointLimit = on;
    m_iPointLimit = count;
}

void CAFormDiagram::ResetCount(int channel) {
    if (channel >= 0 && channel < kChannels)
        m_aiPointCount[channel] = 0;
}
