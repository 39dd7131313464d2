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

template <typename Seam, typename Window>
Seam* SeamOf(Seam* fake, Window* window) {
    if (fake != nullptr)
        return fake;
    return dynamic_cast<Seam*>(window);
}

}  // namespace

IChannelViewSeam* CMainFrame::FlowChannelView(int channel) const {
    if (channel < 0 || channel >= COM_CHANNELS)
        return nullptr;
    return SeamOf(m_flowFakes.channel[channel], GetChannelView(channel));
}

IBestUnitSeam* CMainFrame::FlowBestUnit() const {
    return SeamOf(m_flowFakes.bestUnit, GetChannelView(0));
}

IDiagramSeam* CMainFrame::FlowDiagram() const {
    return SeamOf(m_flowFakes.diagram, GetDiagramView());
}

IMeasurePanelSeam* CMainFrame::FlowPanel() const {
    return SeamOf(m_flowFakes.panel, GetMeasureDiagramPage());
}

IDocumentationSeam* CMainFrame::FlowDocumentation() const {
    return SeamOf(m_flowFakes.documentation, GetDocumentationPage());
}

IMeasureConfigSeam* CMainFrame::FlowMeasureConfig() const {
    return SeamOf(m_flowFakes.measureConfig, GetMeasureAdjustPage());
}

IPortListSeam* CMainFrame::FlowPortList() const {
    return SeamOf(m_flowFakes.portList, GetConnectionPage());
}

void CMainFrame::RecomputeUnitFactors(int sensor) {
    (void)sensor;  // every channel's factor follows its record; one pass serves all
    ComputeUnitFactors();
}
