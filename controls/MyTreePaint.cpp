// Flicker-free painting of the navigation tree: the control paints itself into a memory
// bitmap, the items with their own colours and fonts are drawn over it, and only the clip box
// is copied to the screen.
#include "controls/MyTreeCtrl.h"
#include "platform/gfx/WindowDC.h"

void CMyTreeCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect clip;
    dc.GetClipBox(&clip);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    CRgn region;
    region.CreateRectRgnIndirect(&clip);
    mem.SelectClipRgn(&region);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.m_hDC), 0);
    PaintColouredItems(mem);
    dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &mem, clip.left, clip.top, SRCCOPY);
    mem.SelectClipRgn(nullptr);
    mem.SelectObject(oldBitmap);
}

void CMyTreeCtrl::PaintColouredItems(CDC& dc) {
    const UINT limit = GetVisibleCount() + 1;
    UINT n = 0;
    for (HTREEITEM item = GetFirstVisibleItem(); item && n < limit;
         item = GetNextVisibleItem(item), ++n) {
        // Selected and drop-target items keep the control's own highlight.
        if (GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED) &
            (TVIS_SELECTED | TVIS_DROPHILITED))
            continue;
        Color_Font cf;
        if (!m_mapColorFont.Lookup(item, cf))
            continue;
        LOGFONT lf = cf.logfont;
        if (lf.lfFaceName[0] == '\0') {
            HFONT own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
            if (!own || !::GetObject(own, sizeof(lf), &lf))
                ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        }
        if (IsItemBold(item))
            lf.lfWeight = FW_BOLD;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* oldFont = dc.SelectObject(&font);
        if (cf.color != 0xFFFFFFFF)
            dc.SetTextColor(cf.color);
        if (cf.bkcolor != 0xFFFFFFFF)
            dc.SetBkColor(cf.bkcolor);
        CRect rc;
        GetItemRect(item, &rc, TRUE);
        dc.TextOut(rc.left + 2, rc.top + 1, GetItemText(item));
        dc.SelectObject(oldFont);
        // The font dies with its wrapper, after the old one is back.
    }
}
