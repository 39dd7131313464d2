// The live diagram's context menu (German texts unless the diagram view sets others), its
// commands, the looks the diagram view sets, and the read-out of the curve under the mouse:
// shown after the hover delay (TIMER_READOUT_DELAY), hidden after its duration
// (TIMER_READOUT_HIDE).
#include "app/views/GraphicDisplayWnd.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "platform/framework/Menu.h"
#include "platform/gfx/WindowDC.h"

namespace {

constexpr int kPropertiesEntry = 12;
constexpr int kLegendEntry = 8;
constexpr int kReadoutTitle = 13;
constexpr int kReadoutBody = 14;
constexpr UINT kContextMenuMessage = WM_USER + 8;

}  // namespace

void CGraphicDisplayWnd::SetMenuText(int i, const CString& text) {
    if (i >= 0 && i < 15)
        m_astrMenu[i] = text;
}

CString CGraphicDisplayWnd::GetMenuText(int i) const {
    return i >= 0 && i < 15 ? m_astrMenu[i] : CString();
}

BOOL CGraphicDisplayWnd::BuildContextMenu(CMenu& menu) {
    if (!menu.CreatePopupMenu())
        return FALSE;
    int added = 0;
    for (int i = 0; i < kPropertiesEntry; ++i) {
        if (m_astrMenu[i].IsEmpty())
            continue;
        UINT flags = MF_STRING;
        if (i == kLegendEntry && m_pChart != nullptr && m_pChart->GetShowLegend())
            flags |= MF_CHECKED;
        menu.AppendMenu(flags, kMenuCommands[i], m_astrMenu[i]);
        ++added;
    }
    const bool properties = !m_astrMenu[kPropertiesEntry].IsEmpty() && m_pChart != nullptr &&
                            m_pChart->GetYAxisCount() > 0 && m_pChart->GetCurveCount() > 0;
    if (properties) {
        if (added > 0)
            menu.AppendMenu(MF_SEPARATOR, 0, "");
        menu.AppendMenu(MF_STRING, kMenuCommands[kPropertiesEntry], m_astrMenu[kPropertiesEntry]);
        ++added;
    }
    return added > 0;
}

void CGraphicDisplayWnd::ShowContextMenu() {
    CMenu menu;
    if (!BuildContextMenu(menu))
        return;
    CPoint at;
    ::GetCursorPos(&at);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
    Redraw();
}

LRESULT CGraphicDisplayWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kContextMenuMessage)
        ShowContextMenu();
    if (message == WM_COMMAND && lParam == 0) {
        const UINT id = LOWORD(wParam);
        if (id == 4000 || (id >= 60001 && id <= 60012)) {
            OnMenuCommand(id);
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CGraphicDisplayWnd::OnMenuCommand(UINT id) {
    if (m_pChart == nullptr)
        return;
    CXGraph& chart = *m_pChart;
    const bool validCurve = m_iCurveUnderMouse >= 0 && m_iCurveUnderMouse < chart.GetCurveCount();
    switch (id) {
        case 4000:
            if (validCurve)
                chart.SelectCurve(m_iCurveUnderMouse);
            break;
        case 60001:
        case 60002:
        case 60003:
        case 60004:
        case 60010:
            if (id == 60010 && chart.GetCurveCount() == 0)
                break;
            chart.SetModeFlag(true);
            chart.OnSelect();
            if (chart.GetModeFlag()) {
                if (id == 60001)
                    chart.OnZoom();
                else if (id == 60002)
                    chart.OnResetZoom();
                else if (id == 60003)
                    chart.OnPan();
                else if (id == 60004)
                    chart.OnCursor();
                else
                    chart.OnMeasure();
            }
            break;
        case 60005:
            if (chart.GetXAxisCount() > 0)
                chart.GetXAxis(0).SetShowGrid(!chart.GetXAxis(0).GetShowGrid());
            for (int i = 0; i < chart.GetYAxisCount(); ++i)
                chart.GetYAxis(i).SetShowGrid(!chart.GetYAxis(i).GetShowGrid());
            break;
        case 60006:
        case 60007: {
            CWaitCursor wait;
            for (int i = 0; i < chart.GetCurveCount(); ++i) {
                if (id == 60006)
                    chart.Autoscale(0, -1, i);
                else
                    chart.Autoscale(-1, i, i);
                Redraw();
            }
            break;
        }
        case 60008:
            chart.SetShowLegend(!chart.GetShowLegend());
            break;
        case 60009:
            if (validCurve)
                chart.ShowCurve(m_iCurveUnderMouse,
                                !chart.GetCurve(m_iCurveUnderMouse).GetVisible());
            break;
        case 60011:
            chart.SetModeFlag(false);
            chart.OnSelect();
            break;
        case 60012:
            ShowProperties();
            break;
        default:
            return;
    }
    Redraw();
}

LRESULT CGraphicDisplayWnd::OnCurveUnderMouse(WPARAM wParam, LPARAM) {
    const int curve = static_cast<int>(static_cast<LPARAM>(wParam));
    if (m_bReadoutShown) {
        Redraw();
        m_bReadoutShown = FALSE;
    }
    if (m_iReadoutDelay > 0) {
        if (m_iCurveUnderMouse >= 0)
            SetTimer(TIMER_READOUT_DELAY, static_cast<UINT>(m_iReadoutDelay), nullptr);
        else
            KillTimer(TIMER_READOUT_DELAY);
    }
    m_iCurveUnderMouse = curve;
    return 0;
}

void CGraphicDisplayWnd::ShowReadout() {
    if (m_bReadoutShown || m_iCurveUnderMouse < 0 || !HasXAxis() || m_pReadout == nullptr ||
        m_iReadoutWidth <= 0 || m_iReadoutHeight <= 0 ||
        m_iCurveUnderMouse >= m_pChart->GetCurveCount())
        return;
    const CPoint cursor = m_pChart->GetCursorPosition();
    const double x = m_pChart->GetXAxis(0).GetValueForPos(cursor.x);
    const int curve = m_iCurveUnderMouse;
    const int count = m_store.getCount(curve, "CGraphicDisplayWnd::ShowReadout");
    int nearest = 0;
    for (int i = 0; i < count; ++i) {
        if (GetCurveX(curve, i) <= x)
            nearest = i;
    }
    CString title;
    title.Format(m_astrMenu[kReadoutTitle].GetString(), curve + 1);
    // The numbers with the decimal sign the axes show, whatever the C library's.
    const char point = m_pChart->GetXAxis(0).GetDecimalPoint();
    auto number = [point](double value) {
        CString text;
        text.Format("%f", value);
        text.Replace('.', point);
        return text;
    };
    CString format = m_astrMenu[kReadoutBody];
    format.Replace("%f", "%s");
    CString body;
    body.Format(format.GetString(), number(x).GetString(),
                m_pChart->GetXAxis(0).GetLabel().GetString(),
                number(GetCurveY(curve, nearest)).GetString(),
                m_pChart->GetCurve(curve).GetLabel().GetString());
    const CString text = title + "\n" + body;
    m_bReadoutShown = TRUE;
    m_pReadout->SetTextMember(text);
    const CSize size = ReadoutSize(text);
    m_pReadout->SetRectCoordinates(cursor.x, cursor.y, cursor.x + size.cx, cursor.y + size.cy);
    m_pReadout->SetVisible(true);
    Redraw();
    SetTimer(TIMER_READOUT_HIDE, static_cast<UINT>(m_iReadoutDuration), nullptr);
}

CSize CGraphicDisplayWnd::ReadoutSize(const CString& text) {
    CSize size(m_iReadoutWidth, m_iReadoutHeight);
    if (m_pChart->GetSafeHwnd() == nullptr)
        return size;
    // Every line whole inside the box's border: the text's extent in the box's own font.
    CClientDC dc(m_pChart.get());
    CFont* old = dc.SelectObject(&m_pReadout->m_Font);
    CRect needed(0, 0, 0, 0);
    dc.DrawText(text, &needed, DT_CALCRECT | DT_LEFT);
    dc.SelectObject(old);
    constexpr int kBorder = 2 * 2;
    size.cx = std::max<int>(size.cx, needed.Width() + kBorder);
    size.cy = std::max<int>(size.cy, needed.Height() + kBorder);
    return size;
}

void CGraphicDisplayWnd::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
        case TIMER_REDRAW:
            KillTimer(nIDEvent);
            if (HasXAxis() && std::fabs(m_dXMax - m_dXMin) > DBL_EPSILON)
                m_pChart->GetXAxis(0).SetCurrentRange(m_dXMin, m_dXMax);
            Redraw();
            return;
        case TIMER_READOUT_DELAY:
            KillTimer(nIDEvent);
            ShowReadout();
            return;
        case TIMER_READOUT_HIDE:
            KillTimer(nIDEvent);
            Redraw();
            m_bReadoutShown = FALSE;
            if (m_pReadout != nullptr)
                m_pReadout->SetVisible(false);
            return;
        default:
            CWnd::OnTimer(nIDEvent);
    }
}

void CGraphicDisplayWnd::SetCurveColor(int curve, COLORREF color) {
    if (m_pChart != nullptr && curve >= 0 && curve < m_pChart->GetCurveCount()) {
        m_pChart->GetCurve(curve).SetColor(color);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetDecimalPoint(char point) {
    if (m_pChart == nullptr)
        return;
    for (int i = 0; i < m_pChart->GetXAxisCount(); ++i)
        m_pChart->GetXAxis(i).SetDecimalPoint(point);
    for (int i = 0; i < m_pChart->GetYAxisCount(); ++i)
        m_pChart->GetYAxis(i).SetDecimalPoint(point);
    Redraw();
}

COLORREF CGraphicDisplayWnd::GetCurveColor(int curve) const {
    if (m_pChart != nullptr && curve >= 0 && curve < m_pChart->GetCurveCount())
        return m_pChart->GetCurve(curve).GetColor();
    return RGB(0, 0, 0);
}

void CGraphicDisplayWnd::SetCurveLabel(int curve, const CString& label) {
    if (m_pChart != nullptr && curve >= 0 && curve < m_pChart->GetCurveCount()) {
        m_pChart->GetCurve(curve).SetLabel(label);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetCurveLineWidth(int curve, int width) {
    if (m_pChart != nullptr && curve >= 0 && curve < m_pChart->GetCurveCount()) {
        m_pChart->GetCurve(curve).SetLineWidth(width);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetYAxisLabel(int axis, const CString& label) {
    if (m_pChart != nullptr && axis >= 0 && axis < m_pChart->GetYAxisCount()) {
        m_pChart->GetYAxis(axis).SetLabel(label);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetYAxisColor(int axis, COLORREF color) {
    if (m_pChart != nullptr && axis >= 0 && axis < m_pChart->GetYAxisCount()) {
        m_pChart->GetYAxis(axis).SetColor(color);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetYAxisFormat(int axis, const CString& format) {
    if (m_pChart != nullptr && axis >= 0 && axis < m_pChart->GetYAxisCount()) {
        m_pChart->GetYAxis(axis).SetDisplayFmt(format);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetXAxisLabel(const CString& label) {
    if (HasXAxis()) {
        m_pChart->GetXAxis(0).SetLabel(label);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetXAxisFormat(const CString& format) {
    if (HasXAxis()) {
        m_pChart->GetXAxis(0).SetDisplayFmt(format);
        Redraw();
    }
}

void CGraphicDisplayWnd::SetTitles(const CString& first, const CString& second) {
    if (m_pChart != nullptr) {
        m_pChart->SetFirstTitleText(first);
        m_pChart->SetSecondTitleText(second);
    }
}
