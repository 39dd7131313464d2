// The combo's look: with visual styles the theme's frame and drop-down button, else the classic
// sunken double frame with the arrow button of the scroll-bar frame control; then the current
// text, on the highlight while the combo has the focus and is closed.
#include "controls/list/CAdvComboBox.h"
#include "controls/list/CThemeLibrary.h"
#include "platform/gfx/WindowDC.h"

namespace {

constexpr int kDropDownButtonPart = 1;
constexpr int kEditBackgroundPart = 29;

COLORREF ThemeColour(CThemeLibrary& theme, HTHEME handle, int part, int state, int property,
                     COLORREF fallback) {
    COLORREF colour = fallback;
    if (theme.GetThemeColor(handle, part, state, property, &colour) != S_OK)
        colour = fallback;
    return colour;
}

}  // namespace

bool CAdvComboBox::PaintThemedFrame(CDC& dc, const CRect& client, CRect& button, bool enabled) {
    CThemeLibrary& theme = ThemeLibrary();
    if (!theme.IsXPThemeActive())
        return false;
    HTHEME handle = theme.OpenThemeData(m_hWnd, "COMBOBOX");
    if (handle == nullptr)
        return false;
    const int state = m_bDropListVisible ? 3 : !enabled ? 4 : m_bHot ? 2 : 1;
    CPen border(PS_SOLID, 1,
                ThemeColour(theme, handle, kDropDownButtonPart, enabled ? 1 : 4, TMT_BORDERCOLOR,
                            RGB(0, 0, 0)));
    CPen* oldPen = dc.SelectObject(&border);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&client);
    button.OffsetRect(-1, 0);
    button.DeflateRect(0, 1);
    if (!enabled) {
        CPen fill(
            PS_SOLID, 1,
            ThemeColour(theme, handle, kDropDownButtonPart, 4, TMT_FILLCOLOR, RGB(255, 255, 255)));
        CBrush background(
            ThemeColour(theme, handle, kEditBackgroundPart, 0, TMT_FILLCOLOR, 0x000000FF));
        CRect inner = client;
        inner.DeflateRect(1, 1);
        dc.SelectObject(&fill);
        dc.SelectObject(&background);
        dc.Rectangle(&inner);
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    theme.DrawThemeBackground(handle, dc.GetSafeHdc(), kDropDownButtonPart, state, &button,
                              nullptr);
    theme.CloseThemeData(handle);
    return true;
}

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

    CRect button = m_rcCombo;
    if (!PaintThemedFrame(dc, client, button, enabled)) {
        CRect frame = client;
        dc.Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        frame.DeflateRect(1, 1);
        dc.Draw3dRect(&frame, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
        button.OffsetRect(-2, 0);
        button.DeflateRect(0, 2);
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (!enabled)
            state |= DFCS_INACTIVE;
        if (m_bDropListVisible)
            state |= DFCS_PUSHED | DFCS_FLAT;
        dc.DrawFrameControl(&button, DFC_SCROLL, state);
    }

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
