// The chart window's data: its window class, curves bound to axes by index, the free objects and
// measurements. Indices are checked where they are stored and again where they are used; when a
// curve or axis goes, every index that pointed past it moves down with it.
#include <algorithm>
#include <cmath>

#include "chart/XGraph.h"
#include "platform/framework/WinApp.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowClass.h"

IMPLEMENT_SERIAL(CXGraph, CWnd, 1)

BEGIN_MESSAGE_MAP(CXGraph, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kCurveColors[12] = {RGB(0, 0, 255),   RGB(255, 0, 0),   RGB(0, 128, 0),
                                       RGB(47, 79, 79),  RGB(0, 128, 0),   RGB(0, 255, 0),
                                       RGB(0, 128, 128), RGB(0, 255, 255), RGB(227, 108, 10),
                                       RGB(0, 0, 128),   RGB(128, 0, 128), RGB(255, 0, 255)};

// Index i after element `removed` of its list went: -1 when it was that one.
int Shifted(int i, int removed) {
    if (i == removed)
        return -1;
    return i > removed ? i - 1 : i;
}

}  // namespace

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

CXGraphDataSerie* CXGraph::SetData(TDataPoint* points, long count, int curve, int xAxis, int yAxis,
                                   bool autoscale, bool copy, bool fit) {
    if (points == nullptr || count <= 0 || count > 0x7FFFFFFF)
        return nullptr;
    if (curve < 0 || curve > GetCurveCount() || xAxis < 0 || xAxis > GetXAxisCount() || yAxis < 0 ||
        yAxis > GetYAxisCount())
        return nullptr;
    if (curve == GetCurveCount()) {
        const COLORREF color = kCurveColors[m_Data.size() % 12];
        m_Data.emplace_back();
        m_Data.back().m_nIndex = curve;
        m_Data.back().m_crColor = color;
    }
    CXGraphDataSerie& serie = m_Data[static_cast<size_t>(curve)];
    serie.m_nXAxis = xAxis;
    serie.m_nYAxis = yAxis;
    serie.SetPoints(points, static_cast<int>(count), copy);
    if (xAxis == GetXAxisCount()) {
        m_XAxis.emplace_back();
        m_XAxis.back().m_AxisType = CXGraphAxis::xAxis;
        m_XAxis.back().m_pGraph = this;
    }
    if (yAxis == GetYAxisCount()) {
        m_YAxis.emplace_back();
        m_YAxis.back().m_AxisType = CXGraphAxis::yAxis;
        m_YAxis.back().m_pGraph = this;
    }
    serie.m_pGraph = this;
    if (fit) {
        double xmin, xmax, ymin, ymax;
        if (GetMinMaxForData(serie, xmin, xmax, ymin, ymax)) {
            m_XAxis[static_cast<size_t>(xAxis)].SetRange(xmin, xmax);
            m_YAxis[static_cast<size_t>(yAxis)].SetRange(ymin, ymax);
        }
    } else if (autoscale) {
        Autoscale(xAxis, yAxis, curve);
    }
    return &serie;
}

bool CXGraph::GetMinMaxForData(const CXGraphDataSerie& serie, double& xmin, double& xmax,
                               double& ymin, double& ymax) {
    bool any = false;
    for (int i = 0; i < serie.m_nCount; ++i) {
        const TDataPoint& p = serie.m_pData[i];
        if (!std::isfinite(p.fXVal) || !std::isfinite(p.fYVal))
            continue;
        if (!any) {
            xmin = xmax = p.fXVal;
            ymin = ymax = p.fYVal;
            any = true;
            continue;
        }
        xmin = std::min(xmin, p.fXVal);
        xmax = std::max(xmax, p.fXVal);
        ymin = std::min(ymin, p.fYVal);
        ymax = std::max(ymax, p.fYVal);
    }
    return any;
}

void CXGraph::Autoscale(int xAxis, int yAxis, int curve) {
    if (curve < 0 || curve >= GetCurveCount())
        return;
    double xmin, xmax, ymin, ymax;
    if (!GetMinMaxForData(m_Data[static_cast<size_t>(curve)], xmin, xmax, ymin, ymax))
        return;
    if (xAxis >= 0 && xAxis < GetXAxisCount())
        m_XAxis[static_cast<size_t>(xAxis)].SetRange(xmin, xmax);
    if (yAxis >= 0 && yAxis < GetYAxisCount())
        m_YAxis[static_cast<size_t>(yAxis)].SetRange(ymin, ymax);
}

void CXGraph::DeleteObjectsOfCurve(int curve) {
    POSITION pos = m_Objects.GetHeadPosition();
    while (pos != nullptr) {
        const POSITION here = pos;
        auto* object = static_cast<CXGraphObject*>(m_Objects.GetNext(pos));
        if (auto* notation = DYNAMIC_DOWNCAST(CXGraphDataNotation, object)) {
            if (notation->m_nCurve == curve) {
                if (m_pCurrentObject == notation)
                    m_pCurrentObject = nullptr;
                m_Objects.RemoveAt(here);
                delete notation;
                continue;
            }
            notation->m_nCurve = Shifted(notation->m_nCurve, curve);
        } else if (auto* label = DYNAMIC_DOWNCAST(CXGraphLabel, object)) {
            label->m_nCurve = Shifted(label->m_nCurve, curve);
        }
    }
}

bool CXGraph::DeleteCurve(int i) {
    if (i < 0 || i >= GetCurveCount())
        return false;
    m_Data.erase(m_Data.begin() + i);
    DeleteObjectsOfCurve(i);
    std::erase_if(m_Measures,
                  [i](const CXGraphMeasure& m) { return m.nCurve1 == i || m.nCurve2 == i; });
    for (CXGraphMeasure& m : m_Measures) {
        m.nCurve1 = Shifted(m.nCurve1, i);
        m.nCurve2 = Shifted(m.nCurve2, i);
    }
    for (CXGraphDataSerie& s : m_Data)
        s.m_nFillCurve = static_cast<short>(Shifted(s.m_nFillCurve, i));
    m_MeasureDef.nCurve1 = Shifted(m_MeasureDef.nCurve1, i);
    m_MeasureDef.nCurve2 = Shifted(m_MeasureDef.nCurve2, i);
    m_nForcedSnapCurve = Shifted(m_nForcedSnapCurve, i);
    m_nSnappedCurve = Shifted(m_nSnappedCurve, i);
    m_nSnappedCurve1 = Shifted(m_nSnappedCurve1, i);
    m_nCurveUnderMouse = Shifted(m_nCurveUnderMouse, i);
    m_LegendEntries.clear();
    return true;
}

bool CXGraph::DeleteXAxis(int i) {
    if (i < 0 || i >= GetXAxisCount())
        return false;
    for (const CXGraphDataSerie& s : m_Data)
        if (s.m_nXAxis == i)
            return false;
    m_XAxis.erase(m_XAxis.begin() + i);
    for (CXGraphDataSerie& s : m_Data)
        if (s.m_nXAxis > i)
            --s.m_nXAxis;
    return true;
}

bool CXGraph::DeleteYAxis(int i) {
    if (i < 0 || i >= GetYAxisCount())
        return false;
    for (const CXGraphDataSerie& s : m_Data)
        if (s.m_nYAxis == i)
            return false;
    m_YAxis.erase(m_YAxis.begin() + i);
    for (CXGraphDataSerie& s : m_Data)
        if (s.m_nYAxis > i)
            --s.m_nYAxis;
    return true;
}

void CXGraph::ShowCurve(int i, bool visible) {
    if (i < 0 || i >= GetCurveCount())
        return;
    m_Data[static_cast<size_t>(i)].m_bVisible = visible;
    Redraw();
}

namespace {

template <class T>
bool SelectOnly(std::vector<T>& items, int i) {
    if (static_cast<unsigned>(i) >= items.size())
        return false;
    for (size_t k = 0; k < items.size(); ++k)
        items[k].m_bSelected = k == static_cast<size_t>(i);
    return true;
}

}  // namespace

bool CXGraph::SelectCurve(int i) {
    return SelectOnly(m_Data, i) && Redraw();
}

bool CXGraph::SelectXAxis(int i) {
    return SelectOnly(m_XAxis, i) && Redraw();
}

bool CXGraph::SelectYAxis(int i) {
    return SelectOnly(m_YAxis, i) && Redraw();
}

bool CXGraph::Redraw() {
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    return true;
}

void CXGraph::SetAxisDecimals(int axis, int decimals, int which) {
    if ((which == 0 || which == 2) && axis >= 0 && axis < GetXAxisCount())
        m_XAxis[static_cast<size_t>(axis)].SetDecimals(decimals);
    if ((which == 1 || which == 2) && axis >= 0 && axis < GetYAxisCount())
        m_YAxis[static_cast<size_t>(axis)].SetDecimals(decimals);
}

CXGraphLabel* CXGraph::InsertLabel(const CString& text) {
    const CPoint centre = m_clInnerRect.CenterPoint();
    return InsertLabel(CRect(centre.x - 50, centre.y - 50, centre.x + 50, centre.y + 50), text);
}

CXGraphLabel* CXGraph::InsertLabel(CRect rect, const CString& text) {
    auto* label = new CXGraphLabel;
    label->m_clRect = rect;
    label->m_cText = text;
    label->m_pGraph = this;
    m_Objects.AddTail(label);
    return label;
}

CPoint CXGraph::PointOnCurve(int curve, int index) {
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const double* xy = &s.m_pData[index].fXVal;
    return CPoint(m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetPointForValue(xy).x,
                  m_YAxis[static_cast<size_t>(s.m_nYAxis)].GetPointForValue(xy).y);
}

void CXGraph::InsertDataNotation(int curve, int index) {
    if (!CurveDrawable(curve) || index < 0 || index >= m_Data[static_cast<size_t>(curve)].m_nCount)
        return;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    CXGraphAxis& xAxis = m_XAxis[static_cast<size_t>(s.m_nXAxis)];
    CXGraphAxis& yAxis = m_YAxis[static_cast<size_t>(s.m_nYAxis)];
    const TDataPoint& p = s.m_pData[index];
    auto* notation = new CXGraphDataNotation;
    notation->m_fXVal = p.fXVal;
    notation->m_fYVal = p.fYVal;
    notation->m_nCurve = curve;
    notation->m_nIndex = index;
    notation->m_cText.Format("[%d] : %s%s,%s%s", index + 1, xAxis.FormatLabel(p.fXVal).GetString(),
                             xAxis.GetLabel().GetString(), yAxis.FormatLabel(p.fYVal).GetString(),
                             yAxis.GetLabel().GetString());
    notation->m_pGraph = this;
    m_Objects.AddTail(notation);
    Redraw();
}

int CXGraph::GetAxisIndex(const CXGraphAxis* axis) const {
    for (size_t i = 0; i < m_XAxis.size(); ++i)
        if (&m_XAxis[i] == axis)
            return static_cast<int>(i);
    for (size_t i = 0; i < m_YAxis.size(); ++i)
        if (&m_YAxis[i] == axis)
            return static_cast<int>(i);
    return -1;
}

int CXGraph::GetCurveIndex(const CXGraphDataSerie* serie) const {
    if (m_Data.empty() || serie < m_Data.data() || serie >= m_Data.data() + m_Data.size())
        return -1;
    return static_cast<int>(serie - m_Data.data());
}

void CXGraph::SetMargins(int left, int top, int right, int bottom) {
    m_nLeftMargin = left;
    m_nTopMargin = top;
    m_nRightMargin = right;
    m_nBottomMargin = bottom;
}

int CXGraph::GetZoomDepth() const {
    return m_XAxis.empty() ? 0 : static_cast<int>(m_XAxis[0].m_ZoomHistory.size());
}

std::pair<double, double> CXGraph::GetCursorValue(int curve) {
    if (!CurveDrawable(curve))
        return {0.0, 0.0};
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const double x = m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetValueForPos(m_CurrentPoint.x);
    const int index = CXGraphAxis::IndexByXValue(s, x);
    return {x, index >= 0 ? s.m_pData[index].fYVal : 0.0};
}

void CXGraph::SetCursorToValue(int curve, double x, bool centre) {
    if (!CurveDrawable(curve))
        return;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const int index = CXGraphAxis::IndexByXValue(s, x);
    if (index < 0)
        return;
    const double y = s.m_pData[index].fYVal;
    const auto recentre = [&](CXGraphAxis& axis, double v) {
        if (!centre || !axis.HasRange() || !std::isfinite(v))
            return;
        if ((m_nCursorFlags & 8) != 0 || v < axis.m_fCurMin || v > axis.m_fCurMax) {
            const double w = axis.m_fCurMax - axis.m_fCurMin;
            axis.SetCurrentRange(v - w / 2, v + w / 2, 0.0);
        }
    };
    recentre(m_XAxis[static_cast<size_t>(s.m_nXAxis)], x);
    recentre(m_YAxis[static_cast<size_t>(s.m_nYAxis)], y);
    // The point is placed on the axes as they are now, so that the cursor drawn next sits on it.
    const double xy[2] = {x, y};
    m_CurrentPoint.SetPoint(m_XAxis[static_cast<size_t>(s.m_nXAxis)].GetPointForValue(xy).x,
                            m_YAxis[static_cast<size_t>(s.m_nYAxis)].GetPointForValue(xy).y);
    Redraw();
}

void CXGraph::ResetAll() {
    m_XAxis.clear();
    m_YAxis.clear();
    m_Data.clear();
    while (m_Objects.GetCount() > 1)
        delete static_cast<CXGraphObject*>(m_Objects.RemoveTail());
    m_Measures.clear();
    m_LegendEntries.clear();
    m_pCurrentObject = nullptr;
    m_pTracker = nullptr;
    m_clCurrentZoom.SetRectEmpty();
    m_nCurveUnderMouse = -1;
    m_nSnappedCurve = -1;
    m_nForcedSnapCurve = -1;
}

void CXGraph::AddTrend(CXGraphDataSerie& serie, bool cubic) {
    const int source = GetCurveIndex(&serie);
    if (source < 0)
        return;
    TDataPoint* trend = cubic ? serie.CubicTrend(0) : serie.LinearTrend(0);
    if (trend == nullptr)
        return;
    const int count = serie.m_nCount;
    const int xAxis = serie.m_nXAxis;
    const int yAxis = serie.m_nYAxis;
    const CString name = serie.m_cLabel + (cubic ? " cubic trend" : " linear trend");
    CXGraphDataSerie* added =
        SetData(trend, count, GetCurveCount(), xAxis, yAxis, false, true, false);
    delete[] trend;
    if (added == nullptr)
        return;
    added->m_cLabel = name;
    // The axes take in the trend without losing the source's peaks.
    double xmin, xmax, ymin, ymax;
    if (!GetMinMaxForData(*added, xmin, xmax, ymin, ymax))
        return;
    const auto widen = [](CXGraphAxis& axis, double lo, double hi) {
        if (axis.HasRange() && std::isfinite(axis.m_fMin) && axis.m_fMin < axis.m_fMax)
            axis.SetRange(std::min(lo, axis.m_fMin), std::max(hi, axis.m_fMax));
        else
            axis.SetRange(lo, hi);
    };
    if (xAxis >= 0 && xAxis < GetXAxisCount())
        widen(m_XAxis[static_cast<size_t>(xAxis)], xmin, xmax);
    if (yAxis >= 0 && yAxis < GetYAxisCount())
        widen(m_YAxis[static_cast<size_t>(yAxis)], ymin, ymax);
}

void CXGraph::AddLinearTrend(CXGraphDataSerie& serie) {
    AddTrend(serie, false);
}

void CXGraph::AddCubicTrend(CXGraphDataSerie& serie) {
    AddTrend(serie, true);
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
