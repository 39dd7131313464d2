// Painting an item: the choice of look, and the flat look with its shaded icon strip, tinted
// selection box and images that lift with a shadow when the item is hot. Disabled items are
// painted through an off-screen DC in the menu font.
#include <algorithm>
#include <memory>

#include "controls/menu/BCMenuClassState.h"
#include "controls/menu/MenuDrawing.h"
#include "controls/menu/MenuSupport.h"
#include "platform/gfx/SysColors.h"

namespace kq::controls::menu {

namespace {
constexpr int kShortcutGap = 16;
constexpr int kTextGap = 8;
}  // namespace

ItemPaint DescribeItem(const DRAWITEMSTRUCT& dis) {
    ItemPaint p{};
    p.record = reinterpret_cast<const BCMenuData*>(dis.itemData);
    p.rc = CRect(dis.rcItem);
    p.disabled = (dis.itemState & ODS_GRAYED) != 0;
    p.selected = (dis.itemState & ODS_SELECTED) != 0;
    p.checked = (dis.itemState & ODS_CHECKED) != 0;
    p.separator = p.record && (p.record->nFlags & MF_SEPARATOR);
    p.hasImage = p.record && p.record->nImageIndex >= 0 &&
                 p.record->nImageIndex < BCMenu::ClassImages().GetImageCount();
    return p;
}

HBITMAP RadioBitmapOf(const DRAWITEMSTRUCT& dis) {
    MENUITEMINFO info{};
    info.cbSize = 48;
    info.fMask = MIIM_CHECKMARKS;
    if (!::GetMenuItemInfoA(reinterpret_cast<HMENU>(dis.hwndItem), dis.itemID, FALSE, &info))
        return nullptr;
    return info.hbmpChecked;
}

void DrawItemText(CDC* dc, const CRect& item, int textLeft, const CString& text, COLORREF color,
                  int offset) {
    CRect rc(textLeft, item.top - 1, item.right, item.bottom - 1);
    const int tab = text.Find('\t');
    CString label = tab >= 0 ? text.Left(tab) : text;
    CString shortcut = tab >= 0 ? text.Mid(tab + 1) : CString();
    if (tab >= 0)
        rc.right -= kShortcutGap;
    rc.OffsetRect(offset, offset);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(color);
    dc->DrawText(label, &rc, DT_SINGLELINE | DT_VCENTER);
    if (tab >= 0)
        dc->DrawText(shortcut, &rc, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
}

void DrawClassImage(CDC* dc, int index, int x, int y) {
    ::ImageList_Draw(BCMenu::ClassImages().GetSafeHandle(), index, dc->m_hDC, x, y,
                     ILD_TRANSPARENT);
}

}  // namespace kq::controls::menu

using namespace kq::controls::menu;

void BCMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    // An item without a record has nothing to show.
    if (!lpDIS || !lpDIS->itemData)
        return;
    if (::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE)
        DrawClassicItem(lpDIS);
    else
        DrawFlatItem(lpDIS);
}

void BCMenu::DrawFlatItem(LPDRAWITEMSTRUCT lpDIS) {
    ItemPaint p = DescribeItem(*lpDIS);
    if (!p.record)
        return;
    const bool themed = IsThemedXp();
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    const COLORREF strip = themed ? face : BlendToWhite(face, 0.25);
    const COLORREF body = ScaleToBlack(::GetSysColor(COLOR_WINDOW), 0.02);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selection = BlendToWhite(highlight, themed ? 0.7 : 0.85);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF disabledText = themed ? grey : BlendToWhite(grey, 0.4);
    // A disabled item never shows as selected.
    if (p.disabled)
        p.selected = false;

    CDC* target = CDC::FromHandle(lpDIS->hDC);
    std::unique_ptr<BCMenuMemDC> mem;
    CFont font;
    CFont* oldFont = nullptr;
    CDC* dc = target;
    if (p.disabled) {
        mem = std::make_unique<BCMenuMemDC>(target, &p.rc);
        dc = mem.get();
        if (CreateMenuFont(font))
            oldFont = dc->SelectObject(&font);
    }
    const CRect& rc = p.rc;
    const CRect stripRc(rc.left, rc.top, rc.left + kStripWidth, rc.bottom);
    if (p.separator) {
        dc->FillSolidRect(&rc, body);
        CRect line(rc.left + kStripWidth + 7, rc.top + rc.Height() / 2, rc.right, rc.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        dc->FillSolidRect(&stripRc, strip);
        dc->Draw3dRect(&stripRc, strip, strip);
    } else {
        if (p.selected) {
            dc->FillSolidRect(&rc, selection);
            dc->Draw3dRect(&rc, highlight, highlight);
        } else {
            dc->FillSolidRect(&rc, body);
            dc->Draw3dRect(&rc, body, body);
            dc->FillSolidRect(&stripRc, strip);
            dc->Draw3dRect(&stripRc, strip, strip);
        }
        const CRect box(rc.left + 1, rc.top + 1, rc.left + 21, rc.bottom - 1);
        const int dy = std::max(0, static_cast<int>((rc.Height() - kImageSize) / 2.0 + 0.5));
        const int dx = std::max(0, static_cast<int>((kStripWidth - kImageSize) / 2.0 + 0.5));
        const int x = rc.left + dx, y = rc.top + dy;
        const int image = p.record->nImageIndex;
        if (p.hasImage) {
            if (p.disabled) {
                DrawClassImage(dc, image + 3, x, y);
            } else if (p.checked) {
                dc->FillSolidRect(&box, BlendToWhite(highlight, p.selected ? 0.55 : 0.85));
                dc->Draw3dRect(&box, highlight, highlight);
                DrawClassImage(dc, image, x - 1, y - 1);
            } else if (p.selected) {
                dc->FillSolidRect(&box, selection);
                DrawClassImage(dc, image + 2, x + 1, y + 1);
                DrawClassImage(dc, image, x - 1, y - 1);
            } else {
                dc->FillSolidRect(&box, strip);
                dc->Draw3dRect(&box, strip, strip);
                DrawClassImage(dc, image + 1, x, y);
            }
        } else if (p.checked) {
            DrawFlatCheck(dc, box, RadioBitmapOf(*lpDIS), highlight, p.selected);
        }
        DrawItemText(dc, rc, rc.left + kStripWidth + kTextGap, p.record->GetString(),
                     p.disabled ? disabledText : ::GetSysColor(COLOR_MENUTEXT));
    }
    if (oldFont)
        dc->SelectObject(oldFont);
}
