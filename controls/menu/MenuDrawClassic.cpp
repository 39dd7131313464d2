// The classic three-dimensional look of palette displays: raised and sunken image frames,
// highlighted text and embossed images of disabled items. The frames are drawn from
// operating-system class 2 on.
#include <algorithm>

#include "controls/menu/BCMenuClassState.h"
#include "controls/menu/MenuDrawing.h"
#include "platform/gfx/SysColors.h"

using namespace kq::controls::menu;

namespace {
constexpr int kClassicTextLeft = 9 + kImageSize;
}

void BCMenu::DrawClassicItem(LPDRAWITEMSTRUCT lpDIS) {
    const ItemPaint p = DescribeItem(*lpDIS);
    if (!p.record)
        return;
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    const CRect& rc = p.rc;
    const COLORREF bg = ::GetSysColor(IsThemedXp() ? COLOR_3DFACE : COLOR_MENU);
    const bool frames = GetOsClass() >= 2;
    if (p.separator) {
        dc->FillSolidRect(&rc, bg);
        CRect line(rc.left, rc.top + rc.Height() / 2, rc.right, rc.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int dy = std::max(0, (rc.Height() - 4 - kImageSize) / 2);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (p.selected) {
        CRect fill(rc);
        if (p.hasImage || p.checked)
            fill.left = rc.left + 5 + kImageSize;
        CBrush brush;
        brush.CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
        dc->FillRect(&fill, &brush);
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        dc->FillSolidRect(&rc, bg);
        dc->Draw3dRect(&rc, bg, bg);
    }
    if (p.hasImage) {
        const CRect inner(rc.left + 1, rc.top + 1 + dy, rc.left + 3 + kImageSize,
                          rc.top + kImageSize + 3 + dy);
        const CRect outer(rc.left, rc.top + dy, rc.left + 4 + kImageSize,
                          rc.top + kImageSize + 4 + dy);
        const int x = rc.left + 2, y = rc.top + 2 + dy;
        const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
        const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
        dc->Draw3dRect(&inner, bg, bg);
        if (p.disabled) {
            CBitmap bitmap;
            dc->Draw3dRect(&outer, bg, bg);
            if (IconToBitmap(dc, &ClassImages(), p.record->nImageIndex, bitmap))
                DrawEmbossed(dc, x, y, kImageSize, kImageSize, bitmap, 0, 0, bg);
        } else if (!p.selected && !p.checked) {
            dc->FillSolidRect(&inner, bg);
            dc->Draw3dRect(&outer, bg, bg);
            DrawClassImage(dc, p.record->nImageIndex, x, y);
        } else if (!p.selected) {
            dc->FillSolidRect(&inner, BlendToWhite(bg, 0.6));
            if (frames)
                dc->Draw3dRect(&outer, shadow, light);
            DrawClassImage(dc, p.record->nImageIndex, x, y);
        } else {
            dc->FillSolidRect(&inner, bg);
            if (frames) {
                if (p.checked)
                    dc->Draw3dRect(&outer, shadow, light);
                else
                    dc->Draw3dRect(&outer, light, shadow);
            }
            DrawClassImage(dc, p.record->nImageIndex, x, y);
        }
    } else if (p.checked) {
        const CRect box(rc.left + 1, rc.top + 2 + dy, rc.left + 1 + kImageSize,
                        rc.top + kImageSize + 2 + dy);
        DrawClassicCheck(dc, box, p.selected, RadioBitmapOf(*lpDIS));
    }
    const int left = rc.left + kClassicTextLeft;
    const CString label = p.record->GetString();
    if (!p.disabled) {
        DrawItemText(dc, rc, left, label, text);
    } else if (!p.selected) {
        DrawItemText(dc, rc, left, label, ::GetSysColor(COLOR_3DHILIGHT), 1);
        DrawItemText(dc, rc, left, label, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        DrawItemText(dc, rc, left, label, bg);
    }
}
