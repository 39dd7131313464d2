// Painting the browse button: its face and frame (flat or three-dimensional, hovered or
// pressed) and its caption or one of three small glyphs drawn stroke by stroke.
#include "controls/BrowseCtrl.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/WindowDC.h"

namespace {

struct Stroke {
    int x0, y0, x1, y1, pen;
};

// Pen colours of each look, enabled and disabled.
constexpr COLORREF kLook1[] = {0x000000, 0xFFFFFF, 0x00FFFF, 0x008080};
constexpr COLORREF kLook1Off[] = {0x808080, 0xFFFFFF, 0xC0C0C0, 0x808080};
constexpr COLORREF kLook2[] = {0x000000, 0xFFFFFF, 0x00FFFF, 0x808080, 0xC0C0C0};
constexpr COLORREF kLook2Off[] = {0x808080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0xC0C0C0};
constexpr COLORREF kLook3[] = {0x000000, 0xFFFFFF, 0x00FFFF, 0x808080, 0xC0C0C0,
                               0x008080, 0xFFFF00, 0xFF0000, 0x800000};
constexpr COLORREF kLook3Off[] = {0x808080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0xC0C0C0,
                                  0xC0C0C0, 0xFFFFFF, 0x808080, 0x808080};

// Look 1: an open folder with an arrow.
constexpr Stroke kArrowFolder[] = {
    {1, 4, 6, 4, 0},    {6, 4, 7, 5, 0},  {7, 5, 13, 5, 0},   {13, 5, 13, 13, 0},
    {13, 13, 1, 13, 0}, {1, 13, 1, 4, 0}, {2, 6, 12, 6, 1},   {2, 7, 12, 7, 2},
    {2, 8, 12, 8, 2},   {2, 9, 12, 9, 2}, {2, 10, 12, 10, 2}, {2, 11, 12, 11, 2},
    {2, 12, 12, 12, 3}, {9, 1, 14, 1, 0}, {14, 1, 14, 3, 0},  {12, 0, 14, 2, 0},
};
// Look 2: a closed folder.
constexpr Stroke kFolder[] = {
    {1, 3, 5, 3, 0},    {5, 3, 6, 4, 0},    {6, 4, 14, 4, 0}, {14, 4, 14, 13, 0},
    {14, 13, 1, 13, 0}, {1, 13, 1, 3, 0},   {2, 5, 13, 5, 1}, {2, 6, 13, 6, 2},
    {2, 7, 13, 7, 2},   {2, 8, 13, 8, 2},   {2, 9, 13, 9, 2}, {2, 10, 13, 10, 2},
    {2, 11, 13, 11, 4}, {2, 12, 13, 12, 3},
};
// Look 3: a folder under a blue window.
constexpr Stroke kExplorer[] = {
    {0, 0, 11, 0, 8},   {0, 1, 11, 1, 7},   {0, 2, 0, 8, 3},    {11, 2, 11, 8, 3},
    {1, 2, 10, 2, 1},   {1, 3, 10, 3, 4},   {1, 4, 10, 4, 6},   {0, 8, 11, 8, 3},
    {4, 7, 8, 7, 0},    {8, 7, 9, 8, 0},    {9, 8, 15, 8, 0},   {15, 8, 15, 15, 0},
    {15, 15, 4, 15, 0}, {4, 15, 4, 7, 0},   {5, 9, 14, 9, 1},   {5, 10, 14, 10, 2},
    {5, 11, 14, 11, 2}, {5, 12, 14, 12, 2}, {5, 13, 14, 13, 2}, {5, 14, 14, 14, 5},
};

template <size_t N, size_t P>
void DrawStrokes(CDC& dc, const Stroke (&strokes)[N], const COLORREF (&pens)[P]) {
    for (const Stroke& s : strokes) {
        CPen pen(PS_SOLID, 1, pens[s.pen]);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(s.x0, s.y0);
        dc.LineTo(s.x1, s.y1);
        dc.SetPixel(s.x1, s.y1, pens[s.pen]);  // lines leave their last pixel out
        dc.SelectObject(old);
    }
}

}  // namespace

void CBrowseCtrl::OnPaint() {
    CPaintDC dc(this);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CRect rc(m_rcButton);
    dc.FillSolidRect(&rc, face);
    if (m_dwStyle & BC_BTN_FLAT) {
        if (m_bBtnPushed)
            dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
        else if (m_bMouseIn)
            dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
    } else if (m_bBtnPushed) {
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DDKSHADOW));
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DSHADOW));
    } else {
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DSHADOW));
    }
    CRect glyph(m_rcGlyph);
    if (m_bBtnPushed)
        glyph.OffsetRect(1, 1);
    if (glyph.IsRectEmpty())
        return;
    if (!(m_dwStyle & BC_BTN_ICON) && m_sButtonCaption.IsEmpty())
        return;
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, glyph.Width(), glyph.Height());
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, glyph.Width(), glyph.Height(), face);
    DrawGlyph(mem, glyph, !IsWindowEnabled());
    dc.BitBlt(glyph.left, glyph.top, glyph.Width(), glyph.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(oldBitmap);
}

void CBrowseCtrl::DrawGlyph(CDC& dc, const CRect&, bool disabled) {
    if (!(m_dwStyle & BC_BTN_ICON)) {
        CFont* font = GetFont();
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        dc.SetBkMode(TRANSPARENT);
        if (disabled) {
            dc.SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
            dc.TextOut(1, 1, m_sButtonCaption);
            dc.SetTextColor(::GetSysColor(COLOR_3DSHADOW));
        } else {
            dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        }
        dc.TextOut(0, 0, m_sButtonCaption);
        if (old)
            dc.SelectObject(old);
        return;
    }
    if (m_dwStyle & BC_ICO_ARROWFOLDER)
        disabled ? DrawStrokes(dc, kArrowFolder, kLook1Off) : DrawStrokes(dc, kArrowFolder, kLook1);
    else if (m_dwStyle & BC_ICO_FOLDER)
        disabled ? DrawStrokes(dc, kFolder, kLook2Off) : DrawStrokes(dc, kFolder, kLook2);
    else if (m_dwStyle & BC_ICO_EXPLORER)
        disabled ? DrawStrokes(dc, kExplorer, kLook3Off) : DrawStrokes(dc, kExplorer, kLook3);
}
