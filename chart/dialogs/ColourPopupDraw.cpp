// The colour popup's painting: the "Automatic" box, the 40 cells with their swatches, the custom
// box and the raised frame; the hovered cell is raised, the chosen one sunken.
#include "chart/dialogs/ColourPopup.h"

#include "chart/dialogs/ColourTable.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/WindowDC.h"

void CColourPopup::OnPaint() {
    CPaintDC dc(this);
    if (!m_strDefaultText.IsEmpty())
        DrawCell(&dc, kDefaultBox);
    for (int i = 0; i < m_nNumColours; ++i)
        DrawCell(&dc, i);
    if (!m_strCustomText.IsEmpty())
        DrawCell(&dc, kCustomBox);
    CRect client;
    GetClientRect(&client);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
}

void CColourPopup::DrawCell(CDC* dc, int cell) {
    CRect rect = CellRect(cell);
    bool current = cell == m_nCurrentSel;
    bool chosen = cell == m_nChosenColourSel;
    bool textBox = cell == kDefaultBox || cell == kCustomBox;

    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    if (chosen && !current)
        face = ::GetSysColor(textBox ? COLOR_3DLIGHT : COLOR_3DHILIGHT);
    dc->FillSolidRect(&rect, face);
    if (current)
        dc->DrawEdge(&rect, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc->DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);

    if (textBox) {
        // The separator between the box and the grid: shadow above highlight.
        int y = cell == kDefaultBox ? rect.bottom - 2 : rect.top;
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
        CPen* old = dc->SelectObject(&shadow);
        dc->MoveTo(rect.left, y);
        dc->LineTo(rect.right, y);
        dc->SelectObject(&light);
        dc->MoveTo(rect.left, y + 1);
        dc->LineTo(rect.right, y + 1);
        dc->SelectObject(old);
        CFont* oldFont = dc->SelectObject(&m_Font);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        const CString& text = cell == kDefaultBox ? m_strDefaultText : m_strCustomText;
        CRect textRect = rect;
        textRect.DeflateRect(m_nMargin, m_nMargin);
        dc->DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc->SelectObject(oldFont);
        return;
    }

    rect.DeflateRect(m_nMargin + 1, m_nMargin + 1);
    CBrush brush(kq::chart::kColourTable[cell].color);
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    dc->Rectangle(&rect);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
