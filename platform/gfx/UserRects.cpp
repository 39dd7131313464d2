// FillRect, FrameRect, InvertRect and DrawFocusRect.
#include <memory>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

// A brush handle, or a system colour index plus one as window classes pass it.
std::shared_ptr<BrushObject> BrushOf(HBRUSH brush) {
    const auto v = reinterpret_cast<uintptr_t>(brush);
    if (v > 0 && v <= 31)
        brush = ::GetSysColorBrush(static_cast<int>(v - 1));
    return LookupObject<BrushObject>(brush);
}

// Alternate pixels, as the focus rectangle inverts them.
const BrushObject& FocusBrush() {
    static const std::shared_ptr<BrushObject> brush = [] {
        auto b = std::make_shared<BrushObject>();
        b->style = BS_PATTERN;
        b->pattern = Surface::Create(2, 2);
        b->pattern->SetPixel(0, 0, kWhitePixel);
        b->pattern->SetPixel(1, 1, kWhitePixel);
        return b;
    }();
    return *brush;
}

}  // namespace

int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) {
    auto dc = LookupDc(hdc);
    auto b = BrushOf(brush);
    if (!dc || !rc || !b)
        return 0;
    return dc->FillRectWith(*rc, b.get()) ? 1 : 0;
}

int FrameRect(HDC hdc, const RECT* rc, HBRUSH brush) {
    auto dc = LookupDc(hdc);
    auto b = BrushOf(brush);
    if (!dc || !rc || !b)
        return 0;
    if (rc->right <= rc->left || rc->bottom <= rc->top)
        return 1;
    const RECT& r = *rc;
    dc->FillRectWith(RECT{r.left, r.top, r.right, r.top + 1}, b.get());
    dc->FillRectWith(RECT{r.left, r.bottom - 1, r.right, r.bottom}, b.get());
    dc->FillRectWith(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, b.get());
    dc->FillRectWith(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, b.get());
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rc) {
    auto dc = LookupDc(hdc);
    if (!dc || !rc)
        return FALSE;
    return dc->FillRectWith(*rc, nullptr, DSTINVERT) ? TRUE : FALSE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rc) {
    auto dc = LookupDc(hdc);
    if (!dc || !rc)
        return FALSE;
    const RECT& r = *rc;
    if (r.right <= r.left || r.bottom <= r.top)
        return TRUE;
    const BrushObject& b = FocusBrush();
    dc->FillRectWith(RECT{r.left, r.top, r.right, r.top + 1}, &b, PATINVERT);
    if (r.bottom - r.top > 1)
        dc->FillRectWith(RECT{r.left, r.bottom - 1, r.right, r.bottom}, &b, PATINVERT);
    if (r.bottom - r.top > 2) {
        dc->FillRectWith(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, &b, PATINVERT);
        if (r.right - r.left > 1)
            dc->FillRectWith(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, &b, PATINVERT);
    }
    return TRUE;
}
