// The chart window itself: its class "XGraph", construction with the cursor label as the first
// object, the marker table, and the window messages that painting needs.
#include "chart/XGraph.h"
#include "platform/framework/WinApp.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowClass.h"

IMPLEMENT_SERIAL(CXGraph, CWnd, 1)

BEGIN_MESSAGE_MAP(CXGraph, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_SETCURSOR()
ON_WM_KEYUP()
ON_COMMAND(60000, &CXGraph::OnSelect)
ON_COMMAND(60001, &CXGraph::OnInsertLabel)
ON_COMMAND(60002, &CXGraph::OnZoom)
ON_COMMAND(60003, &CXGraph::OnResetZoom)
ON_COMMAND(60004, &CXGraph::OnPan)
ON_COMMAND(60005, &CXGraph::OnEdit)
ON_COMMAND(60007, &CXGraph::OnPrint)
ON_COMMAND(60009, &CXGraph::OnLinearTrend)
ON_COMMAND(60010, &CXGraph::OnCubicTrend)
ON_COMMAND(60011, &CXGraph::OnCursor)
ON_COMMAND(60012, &CXGraph::OnProperties)
ON_COMMAND(60013, &CXGraph::OnUndoZoom)
ON_COMMAND(60014, &CXGraph::OnMeasure)
ON_COMMAND(60015, &CXGraph::OnEditPoints)
END_MESSAGE_MAP()

bool RegisterXGraphClass() {
    WNDCLASS existing{};
    if (::GetClassInfo(AfxGetInstanceHandle(), CXGraph::kClassName, &existing))
        return true;
    WNDCLASS wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = CXGraph::kClassName;
    return AfxRegisterClass(&wc) != FALSE;
}

CXGraph::CXGraph()
    : m_crBackColor(::GetSysColor(COLOR_APPWORKSPACE)),
      m_crGraphColor(::GetSysColor(COLOR_APPWORKSPACE)),
      m_crInnerColor(::GetSysColor(COLOR_WINDOW)) {
    for (int i = 0; i < kMarkerCount; ++i)
        m_pDrawFn[i] = MarkerPainterFor(i);
    m_CursorLabel.SetVisible(false);
    m_CursorLabel.m_bCanEdit = false;
    m_CursorLabel.SetRectCoordinates(100, 100, 200, 175);
    m_CursorLabel.m_pGraph = this;
    m_Objects.AddTail(&m_CursorLabel);
    if (!RegisterXGraphClass())
        ThrowClassNotRegistered();
}

CXGraph::~CXGraph() {
    ResetAll();
}

MarkerPainter CXGraph::GetMarkerPainter(int symbol) const {
    return symbol >= 0 && symbol < kMarkerCount ? m_pDrawFn[symbol] : DrawMarkerSquare;
}

bool CXGraph::CurveDrawable(int curve) const {
    if (curve < 0 || curve >= GetCurveCount())
        return false;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    return s.m_nXAxis >= 0 && s.m_nXAxis < GetXAxisCount() && s.m_nYAxis >= 0 &&
           s.m_nYAxis < GetYAxisCount() && s.m_nCount > 0 && s.m_pData != nullptr;
}

bool CXGraph::Redraw() {
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    return true;
}

BOOL CXGraph::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CXGraph::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    Invalidate(FALSE);
}

void CXGraph::ThrowClassNotRegistered() {
    AfxThrowResourceException();
}
