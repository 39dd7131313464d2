// What the pages reach of the frame: its window, the sensor dialogue, the measurement's flags,
// the views they touch and the way to the connection page, each through the page host's
// interface.
#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/CAFormLight.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"

CWnd& CMainFrame::HostWindow() {
    return *this;
}

CWnd* CMainFrame::PageArea() const {
    return GetView();
}

const CComPort& CMainFrame::Dialogue() const {
    return *this;
}

IComPortCommands& CMainFrame::Commands() {
    return *this;
}

IConnectionPageLink* CMainFrame::ConnectionPage() const {
    return GetConnectionPage();
}

ISensorInformationLink* CMainFrame::InformationPage() const {
    return GetInformationPage();
}

IMeasureConfigLink* CMainFrame::MeasureConfigPage() const {
    return GetMeasureAdjustPage();
}

IFlowDocumentation* CMainFrame::DocumentationPage() const {
    return GetDocumentationPage();
}

IMeasurePanelLink* CMainFrame::MeasurePanel() const {
    return GetMeasureDiagramPage();
}

IDiagnosticLink* CMainFrame::DiagnosticPage() const {
    return GetDiagnosticPage();
}

int* CMainFrame::LanguageOffsetVariable() {
    return &m_iLanguageOffset;
}

CDlgStartUp& CMainFrame::StartUpWindow() {
    return m_dlgStartUp;
}

void CMainFrame::SetWaitingForTrigger(BOOL waiting) {
    m_measurement.EditFlow().m_bWaitingForTrigger = waiting;
}

void CMainFrame::RequestAngleZero() {
    m_measurement.RequestAngleZero();
}

BOOL CMainFrame::HasExportFailed() const {
    return m_measurement.Files().m_bExportFailed;
}

int CMainFrame::GetDefaultDiagramLength() const {
    return m_measurement.Flow().m_iDefaultDiagramLength;
}

int CMainFrame::GetFrameSetting() const {
    return m_measurement.Flow().m_iFrameSetting;
}

void CMainFrame::SetFrameSetting(int value) {
    m_measurement.EditFlow().m_iFrameSetting = value;
}

ChannelRecord& CMainFrame::ChannelRecordAt(int record) {
    return m_measurement.EditFlow().m_aChannelRecords[record];
}

BOOL CMainFrame::IsChannelActive(int channel) const {
    return m_measurement.Flow().m_bChannelActive[channel];
}

BOOL CMainFrame::IsChannelBarVisible(int channel) const {
    return m_wndViewBar[channel].IsVisible();
}

IChannelViewControl* CMainFrame::ChannelViewControl(int channel) const {
    return GetChannelView(channel);
}

IDiagramRun* CMainFrame::DiagramRun() const {
    return GetDiagramView();
}

ILightIndicator* CMainFrame::Light() const {
    return static_cast<CAFormLight*>(GetRegisteredWindow(WindowSlot::Light));
}

void CMainFrame::SwitchToSensorConnectionPage() {
    SetOperatingMode(PAGE_CONNECTION);
    if (CDlgSensorConnection* connection = GetConnectionPage(); connection && connection->m_hWnd)
        connection->SetTimer(CDlgSensorConnection::TIMER_PAGE_REFRESH, 20, nullptr);
}
