// The live diagram window's making: the chart with its axes 0, the two sliders, the curves
// primed once so that the chart has all ten curves and Y axes, and the layout of the three
// children (sliders at their sides, the chart in the rest).
#include "app/views/GraphicDisplayWnd.h"

#include "chart/dialogs/ChartPage.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/commctrl/TrackbarApi.h"

IMPLEMENT_DYNAMIC(CGraphicDisplayWnd, CWnd)

BEGIN_MESSAGE_MAP(CGraphicDisplayWnd, CWnd)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_TIMER()
ON_WM_PAINT()
ON_REGISTERED_MESSAGE(RANGE_CHANGED, &CGraphicDisplayWnd::OnIntervalChange)
ON_MESSAGE(WM_USER + 10, &CGraphicDisplayWnd::OnUndoZoom)
ON_MESSAGE(WM_USER + 12, &CGraphicDisplayWnd::OnCurveUnderMouse)
END_MESSAGE_MAP()

namespace {

constexpr const char* kDefaultMenuTexts[15] = {"Selektieren",
                                               "Zoom in",
                                               "Zoom out",
                                               "Verschieben",
                                               "Cursor",
                                               "Raster ein/aus",
                                               "Auf X-Achse einpassen",
                                               "Auf Y-Achse einpassen",
                                               "Legende anzeigen",
                                               "Graph ein/aus",
                                               "Graph ausmessen",
                                               "Rücksetzen",
                                               "Eigenschaften",
                                               "Kurve %i",
                                               "%f %s\r\n%f %s"};

}  // namespace

CGraphicDisplayWnd::CGraphicDisplayWnd() {
    for (int i = 0; i < 15; ++i)
        m_astrMenu[i] = kDefaultMenuTexts[i];
    for (int page = 0; page < 3; ++page)
        m_aPageTexts[page] = DefaultPageTexts(page);
}

CGraphicDisplayWnd::~CGraphicDisplayWnd() {
    if (m_pProperties != nullptr && m_pProperties->GetSafeHwnd() != nullptr)
        m_pProperties->DestroyWindow();
    if (m_pChart != nullptr && m_pChart->GetSafeHwnd() != nullptr)
        m_pChart->DestroyWindow();
}

BOOL CGraphicDisplayWnd::Create(CWnd* owner, const CRect& rect, UINT id) {
    if (m_pChart != nullptr)
        return FALSE;
    m_pOwner = owner;
    if (!CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, owner, id))
        return FALSE;
    auto chart = std::make_unique<CXGraph>();
    if (!chart->Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, 0))
        return FALSE;
    m_pChart = std::move(chart);
    m_pChart->SetInnerColor(m_crInner);
    m_pChart->SetBackColor(m_crBack);
    m_pChart->SetOuterColor(m_crOuter);
    // A dummy curve makes X axis 0 and Y axis 0 exist.
    static TDataPoint dummy[2] = {};
    m_pChart->SetData(dummy, 2, 0, 0, 0, true, false);
    m_pChart->SetShowLegend(false);
    m_pReadout = m_pChart->InsertLabel("");
    if (m_pReadout != nullptr)
        m_pReadout->SetVisible(false);
    m_pChart->DeleteCurve(0);
    m_pChart->GetXAxis(0).SetShowMarker(false);

    m_intervalSlider.CreateEx(
        WS_EX_CLIENTEDGE,
        TBS_AUTOTICKS | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP | WS_BORDER | WS_CHILD | WS_VISIBLE,
        CRect(0, 0, 1, 1), this, IDC_INTERVAL_SLIDER);
    m_intervalSlider.SetNotifyWnd(this);
    m_intervalSlider.SetRange(0, kSliderSteps);
    m_rangeSlider.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 1, 1), this,
                         IDC_RANGE_SLIDER);
    m_rangeSlider.SetNotifyWnd(this);

    // Every curve once: the chart then has all ten curves and their Y axes.
    m_bStorageReady = TRUE;
    for (int i = 0; i < kCurves; ++i) {
        for (int x = 0; x < 10; ++x) {
            for (int y = 0; y < 3; ++y)
                AddPoint(i, x, y);
        }
        showCurve(i, TRUE, TRUE, TRUE);
    }
    m_bStorageReady = FALSE;
    m_bPrimed = TRUE;
    for (int i = 0; i < kCurves; ++i) {
        showCurve(i, FALSE, FALSE, TRUE);
        SetCurveLineWidth(i, 1);
        SetYAxisLabel(i, "");
        ResetCurve(i);
    }
    CRect client;
    GetClientRect(&client);
    LayoutChildren(client.Width(), client.Height());
    return TRUE;
}

void CGraphicDisplayWnd::LayoutChildren(int cx, int cy) {
    if (m_pChart == nullptr)
        return;
    int top = 0;
    int bottom = cy;
    // The interval slider is the outermost when both share a side.
    auto place = [&](CWnd& slider, BOOL onTop, int height) {
        if (slider.GetSafeHwnd() == nullptr)
            return;
        if (onTop) {
            slider.SetWindowPos(nullptr, 0, top, cx, height, SWP_NOZORDER | SWP_NOACTIVATE);
            top += height;
        } else {
            bottom -= height;
            slider.SetWindowPos(nullptr, 0, bottom, cx, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    place(m_intervalSlider, m_bIntervalSliderTop, m_iIntervalSliderHeight);
    place(m_rangeSlider, m_bRangeSliderTop, m_iRangeSliderHeight);
    m_pChart->SetWindowPos(nullptr, 0, top, cx, std::max(0, bottom - top),
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void CGraphicDisplayWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    LayoutChildren(cx, cy);
}

void CGraphicDisplayWnd::OnPaint() {
    // The children cover the client area.
    CPaintDC dc(this);
}
