// A view bar's paint lays out the view it hosts once the frame's start-up is complete: a
// channel bar places its view's seven controls and their fonts, the diagram bar hands its
// client to the diagram view. Nothing happens while the client keeps its size.
#include "app/MainFrame.h"
#include "app/bars/SizingControlBarCF.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "platform/gfx/WindowDC.h"

CMainFrame* CSizingControlBarCF::FindMainFrame() {
    if (m_pMainFrame == nullptr) {
        m_pMainFrame = GetMainFrame();
        if (m_pMainFrame != nullptr)
            m_bNotInitialised = FALSE;
    }
    return m_pMainFrame;
}

bool CSizingControlBarCF::FrameReady() {
    CMainFrame* frame = FindMainFrame();
    return frame != nullptr && !m_bNotInitialised && !frame->IsStartUpPending();
}

void CSizingControlBarCF::OnPaint() {
    CPaintDC dc(this);
    if (FrameReady() && IsWindowVisible())
        LayoutHostedView();
}

void CSizingControlBarCF::LayoutHostedView() {
    CRect client;
    GetClientRect(&client);
    if (client == m_rectLastLayout)
        return;
    m_rectLastLayout = client;
    for (int i = 0; i < 6; ++i) {
        if (m_pMainFrame->m_wndViewBar[i].m_hWnd != m_hWnd)
            continue;
        m_placer.Place(m_pMainFrame->GetChannelView(i), client.Width(), client.Height());
        return;
    }
    if (m_pMainFrame->m_wndDiagramBar.m_hWnd == m_hWnd)
        if (CAFormDiagram* diagram = m_pMainFrame->GetDiagramView())
            diagram->ResizeToBar(this, client.left, client.top, client.right, client.bottom);
}
