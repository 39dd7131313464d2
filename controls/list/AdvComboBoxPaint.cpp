// The combo's classic look: sunken double frame, the arrow button of the scroll-bar frame
// control, and the current text on the highlight while the combo has the focus and is closed.
// (This platform has no visual styles, so the classic look is the only one.)
#include "controls/list/CAdvComboBox.h"

#include "platform/gfx/WindowDC.h"

void CAdvComboBox::OnPaint() {
    CPaintDC dc(this);
    if (const AdvComboItem* item = ItemAt(m_nCurSel))
        m_strEdit = item->strText;
    CRect client;
    GetClientRect(&client);
    m_rcCombo = client;
    m_rcCombo.left = client.right - ::GetSystemMetrics(SM_CXHSCROLL);
    const int buttonLeft = m_rcCombo.left;
    const bool enabled = IsWindowEnabled() != FALSE;
    dc.FillSolidRect(&client, ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));

    CRect frame = client;
    dc.Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    frame.DeflateRect(1, 1);
    dc.Draw3dRect(&frame, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    CRect button = m_rcCombo;
    button.OffsetRect(-2, 0);
    button.DeflateRect(0, 2);
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (!enabled)
        state |= DFCS_INACTIVE;
    if (m_bDropListVisible)
        state |= DFCS_PUSHED | DFCS_FLAT;
    dc.DrawFrameControl(&button, DFC_SCROLL, state);

    dc.SetBkMode(TRANSPARENT);
    dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
    CFont* oldFont = m_pFont != nullptr ? dc.SelectObject(m_pFont) : nullptr;
    CRect text(client.left + 2, client.top + 1, buttonLeft - 2, client.bottom - 1);
    const bool highlighted = m_bHasFocus && !m_bDropListVisible;
    if (highlighted) {
        dc.FillSolidRect(&text, ::GetSysColor(enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        dc.SetTextColor(::GetSysColor(enabled ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
    } else {
        dc.FillSolidRect(&text, ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
        dc.SetTextColor(::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
    dc.DrawText(m_strEdit, &text, DT_SINGLELINE | DT_VCENTER);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}
