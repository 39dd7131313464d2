// The marks of checked items without an image (tick and radio dot), their boxes in the two
// looks, and the embossed image of a disabled item in the classic look.
#include "controls/menu/BCMenu.h"
#include "controls/menu/BCMenuClassState.h"
#include "platform/gfx/SysColors.h"

namespace {

// Rows of the tick's seven columns: from y + a to y + b (end excluded), before shortening.
constexpr int kTickRows[7][2] = {{2, 5}, {3, 6}, {4, 7}, {3, 6}, {2, 5}, {1, 4}, {0, 3}};
// Ternary raster operation: the brush where the mask is black, the destination elsewhere.
constexpr DWORD kBrushThroughMask = 0x00E20746;

}  // namespace

void BCMenu::DrawTickMark(CDC* pDC, int x, int y, COLORREF, int shortening) {
    CPen pen(PS_SOLID, 0, ::GetSysColor(COLOR_MENUTEXT));
    CPen* old = pDC->SelectObject(&pen);
    for (int i = 0; i < 7; ++i) {
        pDC->MoveTo(x + i, y + kTickRows[i][0]);
        pDC->LineTo(x + i, y + kTickRows[i][1] - shortening);
    }
    pDC->SelectObject(old);
}

void BCMenu::DrawRadioMark(CDC* pDC, int x, int y, COLORREF) {
    CPen pen(PS_SOLID, 0, ::GetSysColor(COLOR_MENUTEXT));
    CBrush brush;
    brush.CreateSolidBrush(::GetSysColor(COLOR_MENUTEXT));
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->Ellipse(x, y, x + 6, y + 6);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

void BCMenu::DrawFlatCheck(CDC* pDC, const CRect& rc, HBITMAP hCheck, COLORREF highlight,
                           BOOL selected) {
    const COLORREF box = BlendToWhite(highlight, selected ? 0.55 : 0.85);
    pDC->FillSolidRect(&rc, box);
    pDC->Draw3dRect(&rc, highlight, highlight);
    const int x = rc.left + std::max(0, rc.Width() / 2 - 3);
    const int y = rc.top + std::max(0, rc.Height() / 2 - 3);
    if (hCheck)
        DrawRadioMark(pDC, x, y, ::GetSysColor(COLOR_MENUTEXT));
    else
        DrawTickMark(pDC, x, y, ::GetSysColor(COLOR_MENUTEXT), 1);
}

void BCMenu::DrawClassicCheck(CDC* pDC, const CRect& rc, BOOL selected, HBITMAP hCheck) {
    const COLORREF bg = ::GetSysColor(IsThemedXp() ? COLOR_3DFACE : COLOR_MENU);
    pDC->FillSolidRect(&rc, selected ? bg : BlendToWhite(bg, 0.6));
    if (GetOsClass() >= 2) {
        CRect edge(rc);
        pDC->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (hCheck)
        DrawRadioMark(pDC, rc.left + 5, rc.top + 4, ::GetSysColor(COLOR_MENUTEXT));
    else
        DrawTickMark(pDC, rc.left + 4, rc.top + 4, ::GetSysColor(COLOR_MENUTEXT), 0);
}

void BCMenu::DrawEmbossed(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap, int srcX,
                          int srcY, COLORREF background) {
    CDC maskDC, imageDC;
    maskDC.CreateCompatibleDC(nullptr);
    imageDC.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateBitmap(width, height, 1, 1, nullptr);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    CBitmap* oldImage = imageDC.SelectObject(&bitmap);

    // Mask: black where the image draws, white on its face and highlight pixels.
    maskDC.PatBlt(0, 0, width, height, WHITENESS);
    imageDC.SetBkColor(::GetSysColor(COLOR_3DFACE));
    maskDC.BitBlt(0, 0, width, height, &imageDC, srcX, srcY, SRCCOPY);
    imageDC.SetBkColor(::GetSysColor(COLOR_3DHILIGHT));
    maskDC.BitBlt(0, 0, width, height, &imageDC, srcX, srcY, SRCPAINT);

    imageDC.FillSolidRect(srcX, srcY, width, height, background);
    imageDC.SetBkColor(RGB(0, 0, 0));
    imageDC.SetTextColor(RGB(255, 255, 255));
    CBrush highlight, shadow;
    highlight.CreateSolidBrush(::GetSysColor(COLOR_3DHILIGHT));
    shadow.CreateSolidBrush(::GetSysColor(COLOR_3DSHADOW));
    CBrush* oldBrush = imageDC.SelectObject(&highlight);
    imageDC.BitBlt(srcX, srcY, width, height, &maskDC, 0, 0, kBrushThroughMask);
    pDC->BitBlt(x + 1, y + 1, width, height, &imageDC, srcX, srcY, SRCCOPY);
    imageDC.BitBlt(srcX + 1, srcY + 1, width, height, &maskDC, 0, 0, kBrushThroughMask);
    imageDC.SelectObject(&shadow);
    imageDC.BitBlt(srcX, srcY, width, height, &maskDC, 0, 0, kBrushThroughMask);
    pDC->BitBlt(x, y, width, height, &imageDC, srcX, srcY, SRCCOPY);

    imageDC.SelectObject(oldBrush);
    imageDC.SelectObject(oldImage);
    maskDC.SelectObject(oldMask);
}
