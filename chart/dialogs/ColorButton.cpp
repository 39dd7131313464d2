// The colour button: a click opens the popup below it; the popup's end sets the colour and is
// reported to the parent; the button draws its swatch, arrow and etched separator itself.
#include "chart/dialogs/ColorButton.h"

#include "chart/dialogs/ChartTexts.h"
#include "chart/dialogs/ColourPopup.h"
#include "platform/framework/DataExchange.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/SystemMetrics.h"

using namespace kq::chart;

BEGIN_MESSAGE_MAP(CColorButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CColorButton::OnClicked)
ON_MESSAGE(kColourEndOk, &CColorButton::OnSelEndOK)
ON_MESSAGE(kColourEndCancel, &CColorButton::OnSelEndCancel)
ON_MESSAGE(kColourChanged, &CColorButton::OnSelChange)
END_MESSAGE_MAP()

CColorButton::CColorButton() : m_DefaultColor(::GetSysColor(COLOR_APPWORKSPACE)) {}

void CColorButton::SetColor(COLORREF color) {
    m_Color = color;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CColorButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CColorButton::NotifyParent(UINT message) {
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(message, m_Color, static_cast<LPARAM>(GetDlgCtrlID()));
}

BOOL CColorButton::OnClicked() {
    m_bPopupActive = TRUE;
    // Drawn pressed while the popup is open.
    Invalidate(FALSE);
    CRect rect;
    GetWindowRect(&rect);
    const CString defaultText = m_bOwnDefaultText
                                    ? m_strDefaultText
                                    : kq::chart::ChartTextOf(kq::chart::ChartText::Automatic);
    const CString customText = m_bOwnCustomText
                                   ? m_strCustomText
                                   : kq::chart::ChartTextOf(kq::chart::ChartText::MoreColors);
    new CColourPopup(CPoint(rect.left, rect.bottom), m_Color, this, defaultText, customText);
    NotifyParent(kColourPopupOpened);
    // The parent sees the click too: its pages count it as a change.
    return FALSE;
}

LRESULT CColorButton::OnSelEndOK(WPARAM color, LPARAM) {
    m_bPopupActive = FALSE;
    Invalidate(FALSE);
    COLORREF old = m_Color;
    SetColor(static_cast<COLORREF>(color));
    NotifyParent(kColourPopupClosed);
    NotifyParent(kColourEndOk);
    if (old != m_Color)
        NotifyParent(kColourChanged);
    return 0;
}

LRESULT CColorButton::OnSelEndCancel(WPARAM color, LPARAM) {
    m_bPopupActive = FALSE;
    Invalidate(FALSE);
    SetColor(static_cast<COLORREF>(color));
    NotifyParent(kColourPopupClosed);
    NotifyParent(kColourEndCancel);
    return 0;
}

LRESULT CColorButton::OnSelChange(WPARAM color, LPARAM) {
    if (m_bTrackSelection)
        SetColor(static_cast<COLORREF>(color));
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(kColourChanged, color, static_cast<LPARAM>(GetDlgCtrlID()));
    return 0;
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    CDC* dc = CDC::FromHandle(dis->hDC);
    UINT state = dis->itemState;
    if (m_bPopupActive)
        state |= ODS_SELECTED | ODS_FOCUS;
    CRect rect = dis->rcItem;
    int edgeX = ::GetSystemMetrics(SM_CXEDGE);
    int edgeY = ::GetSystemMetrics(SM_CYEDGE);

    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (state & ODS_SELECTED)
        frame |= DFCS_PUSHED;
    if (state & ODS_DISABLED)
        frame |= DFCS_INACTIVE;
    dc->DrawFrameControl(&rect, DFC_BUTTON, frame);
    if (state & ODS_SELECTED)
        rect.OffsetRect(1, 1);
    if (state & ODS_FOCUS) {
        CRect focus(rect.left, rect.top, rect.right - 1, rect.bottom);
        dc->DrawFocusRect(&focus);
    }
    rect.DeflateRect(edgeX, edgeY);

    // The arrow: 4 wide, 2 high, centred vertically at the right.
    CRect arrow;
    arrow.left = rect.right - 4 - edgeX / 2;
    arrow.right = arrow.left + 4;
    arrow.top = (rect.top + rect.bottom) / 2 - 1;
    arrow.bottom = arrow.top + 2;
    POINT points[3] = {{arrow.left, arrow.top},
                       {arrow.right, arrow.top},
                       {(arrow.left + arrow.right) / 2, arrow.bottom}};
    COLORREF arrowColor = (state & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    CBrush arrowBrush(arrowColor);
    CPen arrowPen(PS_SOLID, 1, arrowColor);
    CBrush* oldBrush = dc->SelectObject(&arrowBrush);
    CPen* oldPen = dc->SelectObject(&arrowPen);
    dc->Polygon(points, 3);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);

    rect.right = arrow.left - edgeX / 2;
    dc->DrawEdge(&rect, EDGE_ETCHED, BF_RIGHT);
    rect.right -= 2 * edgeX + 1;
    if (state & ODS_DISABLED)
        return;
    COLORREF swatch = m_Color == CLR_DEFAULT ? m_DefaultColor : m_Color;
    dc->FillSolidRect(&rect, swatch);
    dc->FrameRect(&rect, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
}

void DDX_ColorButton(CDataExchange* pDX, int nIDC, COLORREF& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    auto* button = dynamic_cast<CColorButton*>(CWnd::FromHandlePermanent(control));
    if (button == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        COLORREF color = button->GetColor();
        value = color == CLR_DEFAULT ? button->GetDefaultColor() : color;
    } else {
        button->SetColor(value);
    }
}
