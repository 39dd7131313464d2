// A free text label: a box with optional fill and border, its text in its own font and
// alignment, an optional line from the middle point of a curve, in-place editing through an
// edit control, and a "Properties" popup that opens the label dialog.
#include "chart/XGraphLabel.h"

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"
#include "chart/dialogs/LabelDlg.h"
#include "platform/framework/Menu.h"
#include "platform/gfx/SysColors.h"

IMPLEMENT_SERIAL(CXGraphLabel, CXGraphObject, 1)

void (*CXGraphLabel::s_pfnShowDialog)(CXGraphLabel* label) = &CLabelDlg::ShowFor;

UINT LabelDrawTextFlags(int alignment) {
    switch (alignment) {
        case 1:
            return DT_CENTER;
        case 2:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

DWORD LabelEditStyle(int alignment) {
    switch (alignment) {
        case 1:
            return ES_CENTER;
        case 2:
            return ES_RIGHT;
        default:
            return ES_LEFT;
    }
}

CXGraphLabel::CXGraphLabel() : m_crBkColor(::GetSysColor(COLOR_WINDOW)) {
    const LOGFONT lf = MakeChartLogFont("Arial", 14, FW_NORMAL);
    m_Font.CreateFontIndirect(&lf);
    m_bCanMove = true;
    m_bCanResize = true;
    m_bEditing = false;
}

CXGraphLabel::~CXGraphLabel() {
    if (m_Edit.GetSafeHwnd() != nullptr)
        m_Edit.DestroyWindow();
}

void CXGraphLabel::SetLogFont(const LOGFONT& lf) {
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&lf);
}

void CXGraphLabel::Draw(CDCEx* dc) {
    if (!m_bVisible)
        return;
    CFontSelector font(&m_Font, dc);
    const COLORREF back = dc->m_bLowColor ? RGB(255, 255, 255) : m_crBkColor;
    if (m_pGraph != nullptr && m_nCurve >= 0 && m_nCurve < m_pGraph->GetCurveCount()) {
        CXGraphDataSerie& serie = m_pGraph->GetCurve(m_nCurve);
        if (serie.m_nCount > 0 && serie.m_nXAxis >= 0 &&
            serie.m_nXAxis < m_pGraph->GetXAxisCount() && serie.m_nYAxis >= 0 &&
            serie.m_nYAxis < m_pGraph->GetYAxisCount()) {
            const TDataPoint& mid = serie.m_pData[serie.m_nCount / 2];
            const int x = m_pGraph->GetXAxis(serie.m_nXAxis).GetPointForValue(&mid.fXVal).x;
            const int y = m_pGraph->GetYAxis(serie.m_nYAxis).GetPointForValue(&mid.fXVal).y;
            CPenSelector pen(RGB(0, 0, 0), 1, dc);
            dc->MoveTo(x, y);
            dc->LineTo(m_clRect.CenterPoint());
        }
    }
    dc->SetBkMode(OPAQUE);
    if (!m_bTransparent)
        dc->FillSolidRect(m_clRect, back);
    else
        dc->SetBkMode(TRANSPARENT);
    if (m_bBorder) {
        CPenSelector pen(RGB(0, 0, 0), 1, dc);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(m_clRect);
        dc->SelectObject(oldBrush);
    }
    dc->SetBkColor(back);
    const COLORREF oldText = dc->SetTextColor(dc->m_bLowColor ? RGB(0, 0, 0) : m_crTextColor);
    if (m_bTracking)
        m_Tracker.Draw(dc);
    CRect inner = m_clRect;
    inner.DeflateRect(1, 1);
    if (m_bEditing && m_Edit.GetSafeHwnd() != nullptr)
        m_Edit.ShowWindow(SW_SHOW);
    else
        dc->DrawText(m_cText, &inner, LabelDrawTextFlags(m_nAlignment));
    dc->SetTextColor(oldText);
}

void CXGraphLabel::BeginEdit() {
    if (!m_bCanEdit || m_pGraph == nullptr || m_pGraph->GetSafeHwnd() == nullptr)
        return;
    if (m_Edit.GetSafeHwnd() != nullptr)
        m_Edit.DestroyWindow();
    m_bTracking = false;
    m_bEditing = true;
    CRect inner = m_clRect;
    inner.DeflateRect(1, 1);
    const DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                        ES_WANTRETURN | LabelEditStyle(m_nAlignment);
    if (!m_Edit.Create(style, inner, m_pGraph, CXGraph::kLabelEditId)) {
        m_bEditing = false;
        return;
    }
    m_Edit.SetFont(&m_Font);
    m_Edit.SetWindowText(m_cText);
    m_Edit.ShowWindow(SW_SHOW);
    m_Edit.Invalidate();
    m_Edit.SetFocus();
    m_Edit.SetSel(0, -1);
}

void CXGraphLabel::EndEdit() {
    if (!m_bCanEdit)
        return;
    if (m_Edit.GetSafeHwnd() != nullptr) {
        m_Edit.GetWindowText(m_cText);
        m_Edit.DestroyWindow();
    }
    m_bEditing = false;
}

UINT CXGraphLabel::TrackPropertiesMenu() {
    if (m_pGraph == nullptr || m_pGraph->GetSafeHwnd() == nullptr)
        return 0;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kPropertiesCommand, "Properties");
    CPoint at;
    ::GetCursorPos(&at);
    return static_cast<UINT>(
        menu.TrackPopupMenu(TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, m_pGraph));
}

void CXGraphLabel::ShowProperties() {
    if (TrackPropertiesMenu() == kPropertiesCommand && s_pfnShowDialog != nullptr)
        s_pfnShowDialog(this);
}

void CXGraphLabel::Serialize(CArchive& ar) {
    CXGraphObject::Serialize(ar);
    if (ar.IsStoring()) {
        LOGFONT lf{};
        m_Font.GetLogFont(&lf);
        ar << m_cText;
        StoreLogFont(ar, lf);
        ar << static_cast<DWORD>(m_crBkColor) << static_cast<DWORD>(m_crTextColor) << m_bBorder
           << m_bTransparent << static_cast<UINT>(m_nAlignment) << m_nCurve;
        return;
    }
    ar >> m_cText;
    const LOGFONT lf = LoadLogFont(ar);
    DWORD back = 0, text = 0;
    UINT format = 0;
    ar >> back >> text >> m_bBorder >> m_bTransparent >> format >> m_nCurve;
    m_crBkColor = back & 0x00FFFFFF;
    m_crTextColor = text & 0x00FFFFFF;
    m_nAlignment = format <= 2 ? static_cast<int>(format) : 0;
    SetLogFont(lf);
}
