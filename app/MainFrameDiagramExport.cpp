// Before the diagram's picture is taken (print, BMP file, automatic save) the diagram bar is
// floated at the export size, its docking remembered so that RestoreDiagramBarDocking puts it
// back, hidden again when it was hidden.
#include "app/ExportRect.h"
#include "app/MainFrame.h"

CRect CMainFrame::PrepareDiagramForExport(int mode) {
    CViewBarDiagram& bar = m_wndDiagramBar;
    CRect exportRect;
    if (bar.GetSafeHwnd() == nullptr)
        return exportRect;
    m_nDiagramDockBarId = bar.GetDockBarId();
    if (m_nDiagramDockBarId == AFX_IDW_DOCKBAR_FLOAT) {
        if (CWnd* floating = bar.GetParentFrame())
            floating->GetWindowRect(&m_rectDiagramFloat);
    }
    m_bDiagramHiddenBeforeExport = !bar.IsWindowVisible();
    if (m_bDiagramHiddenBeforeExport)
        ShowViewBar(&bar, TRUE, FALSE);
    CRect workArea;
    if (!GetMonitorWorkArea(0, workArea))
        workArea = GetScreenRect();
    const std::optional<CRect> rect = DiagramExportRect(mode, GetScreenRect(), workArea);
    if (rect.has_value()) {
        exportRect = *rect;
        bar.SetSizeByKind(0, exportRect.Size());
        FloatControlBar(&bar, exportRect.TopLeft());
        RecalcLayout();
    } else {
        bar.GetWindowRect(&exportRect);
    }
    return exportRect;
}

// The BMP file takes the picture at the size the documentation page chose.
void CMainFrame::PrepareDiagramBitmap() {
    const IFlowDocumentation* documentation = FlowDocumentation();
    PrepareDiagramForExport(documentation != nullptr ? documentation->GetExportSizeMode()
                                                     : kExportFixedBitmap);
}
