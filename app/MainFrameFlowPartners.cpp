// The frame finds what the flow asks of the views and pages on their registered windows; a test's
// fake stands in front of a window.
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"

namespace {

template <typename Partner, typename Window>
Partner* PartnerOf(Partner* fake, Window* window) {
    if (fake != nullptr)
        return fake;
    return dynamic_cast<Partner*>(window);
}

}  // namespace

IFlowChannelView* CMainFrame::FlowChannelView(int channel) const {
    if (channel < 0 || channel >= COM_CHANNELS)
        return nullptr;
    return PartnerOf(m_flowFakes.channel[channel], GetChannelView(channel));
}

IFlowBestUnit* CMainFrame::FlowBestUnit() const {
    return PartnerOf(m_flowFakes.bestUnit, GetChannelView(0));
}

IFlowDiagram* CMainFrame::FlowDiagram() const {
    return PartnerOf(m_flowFakes.diagram, GetDiagramView());
}

IFlowMeasurePanel* CMainFrame::FlowPanel() const {
    return PartnerOf(m_flowFakes.panel, GetMeasureDiagramPage());
}

IFlowDocumentation* CMainFrame::FlowDocumentation() const {
    return PartnerOf(m_flowFakes.documentation, GetDocumentationPage());
}

IFlowMeasureConfig* CMainFrame::FlowMeasureConfig() const {
    return PartnerOf(m_flowFakes.measureConfig, GetMeasureAdjustPage());
}

IFlowPortList* CMainFrame::FlowPortList() const {
    return PartnerOf(m_flowFakes.portList, GetConnectionPage());
}

void CMainFrame::RecomputeUnitFactors(int sensor) {
    (void)sensor;  // every channel's factor follows its record; one pass serves all
    ComputeUnitFactors();
}
