// DrawState: text, icons, bitmaps and caller-drawn items, normal, disabled (embossed),
// monochrome or dithered with a brush.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/Saturate.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

// PSDPxax: the pattern where the source is black, the destination where it is white.
constexpr DWORD kBrushThroughMask = 0x00B8074A;

class MemoryBitmap {
  public:
    MemoryBitmap(HDC like, int w, int h, bool mono) {
        dc_ = ::CreateCompatibleDC(like);
        bmp_ = mono ? ::CreateBitmap(w, h, 1, 1, nullptr) : ::CreateCompatibleBitmap(like, w, h);
        old_ = ::SelectObject(dc_, bmp_);
    }
    ~MemoryBitmap() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bmp_);
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::string TextOf(LPARAM data, WPARAM length) {
    const char* s = reinterpret_cast<const char*>(data);
    if (!s)
        return {};
    return length == 0 ? std::string(s) : std::string(s, static_cast<size_t>(length));
}

SIZE ItemSize(HDC hdc, UINT type, LPARAM data, WPARAM wData, UINT flags) {
    switch (type) {
        case DST_TEXT:
        case DST_PREFIXTEXT: {
            const std::string text = TextOf(data, wData);
            RECT rc{0, 0, 0, 0};
            ::DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rc,
                       DT_CALCRECT | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0) |
                           ((flags & DSS_HIDEPREFIX) ? DT_HIDEPREFIX : 0));
            return SIZE{rc.right - rc.left, rc.bottom - rc.top};
        }
        case DST_ICON: {
            auto icon = LookupObject<IconObject>(reinterpret_cast<HICON>(data));
            return icon ? SIZE{icon->width, icon->height} : SIZE{0, 0};
        }
        case DST_BITMAP: {
            BITMAP bm{};
            if (::GetObject(reinterpret_cast<HGDIOBJ>(data), sizeof(bm), &bm))
                return SIZE{bm.bmWidth, bm.bmHeight};
            return SIZE{0, 0};
        }
        default:
            return SIZE{static_cast<LONG>(wData & 0xFFFF), static_cast<LONG>(wData >> 16)};
    }
}

// Draws the item in its own colours at (x, y) of target.
void DrawItem(HDC target, HDC fontFrom, UINT type, DRAWSTATEPROC proc, LPARAM data, WPARAM wData,
              int x, int y, int cx, int cy, UINT flags) {
    switch (type) {
        case DST_TEXT:
        case DST_PREFIXTEXT: {
            const std::string text = TextOf(data, wData);
            HGDIOBJ oldFont = fontFrom != target
                                  ? ::SelectObject(target, ::GetCurrentObject(fontFrom, OBJ_FONT))
                                  : nullptr;
            const int oldMode = ::SetBkMode(target, TRANSPARENT);
            RECT rc{x, y, SaturatingSum(x, cx), SaturatingSum(y, cy)};
            UINT format = DT_SINGLELINE | DT_NOCLIP;
            if (type == DST_TEXT)
                format |= DT_NOPREFIX;
            if (flags & DSS_HIDEPREFIX)
                format |= DT_HIDEPREFIX;
            if (flags & DSS_PREFIXONLY)
                format |= DT_PREFIXONLY;
            if (flags & DSS_RIGHT)
                format |= DT_RIGHT;
            ::DrawText(target, text.c_str(), static_cast<int>(text.size()), &rc, format);
            ::SetBkMode(target, oldMode);
            if (oldFont)
                ::SelectObject(target, oldFont);
            break;
        }
        case DST_ICON:
            ::DrawIconEx(target, x, y, reinterpret_cast<HICON>(data), cx, cy, 0, nullptr,
                         DI_NORMAL);
            break;
        case DST_BITMAP: {
            HDC mem = ::CreateCompatibleDC(target);
            HGDIOBJ old = ::SelectObject(mem, reinterpret_cast<HGDIOBJ>(data));
            BITMAP bm{};
            ::GetObject(reinterpret_cast<HGDIOBJ>(data), sizeof(bm), &bm);
            ::StretchBlt(target, x, y, cx, cy, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            ::SelectObject(mem, old);
            ::DeleteDC(mem);
            break;
        }
        default:
            if (proc) {
                const int saved = ::SaveDC(target);
                ::OffsetViewportOrgEx(target, x, y, nullptr);
                proc(target, data, wData, cx, cy);
                ::RestoreDC(target, saved);
            }
            break;
    }
}

// Paints `brush` through a monochrome mask (black where the item has ink) at (x, y).
void PaintInk(HDC hdc, HDC mask, int x, int y, int cx, int cy, HBRUSH brush) {
    HGDIOBJ oldBrush = ::SelectObject(hdc, brush);
    const COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    ::BitBlt(hdc, x, y, cx, cy, mask, 0, 0, kBrushThroughMask);
    ::SetBkColor(hdc, oldBk);
    ::SetTextColor(hdc, oldText);
    ::SelectObject(hdc, oldBrush);
}

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y,
               int cx, int cy, UINT flags) {
    if (!LookupDc(hdc))
        return FALSE;
    const UINT type = flags & 0x000F;
    if (type == DST_COMPLEX && !proc)
        return FALSE;
    if (cx == 0 || cy == 0) {
        const SIZE s = ItemSize(hdc, type, data, wData, flags);
        if (cx == 0)
            cx = s.cx;
        if (cy == 0)
            cy = s.cy;
    }
    if (cx <= 0 || cy <= 0)
        return TRUE;
    const bool disabled = (flags & DSS_DISABLED) != 0;
    const bool mono = (flags & DSS_MONO) != 0;
    const bool dither = (flags & DSS_UNION) != 0;
    if (!disabled && !mono && !dither) {
        DrawItem(hdc, hdc, type, proc, data, wData, x, y, cx, cy, flags);
        return TRUE;
    }
    // Render the item black on white (text) or in its colours on white, and make a mask of
    // its ink: every pixel that is not the white background.
    MemoryBitmap image(hdc, cx, cy, false);
    ::PatBlt(image.Dc(), 0, 0, cx, cy, WHITENESS);
    ::SetTextColor(image.Dc(), RGB(0, 0, 0));
    DrawItem(image.Dc(), hdc, type, proc, data, wData, 0, 0, cx, cy, flags);
    MemoryBitmap mask(hdc, cx, cy, true);
    ::SetBkColor(image.Dc(), RGB(255, 255, 255));
    ::BitBlt(mask.Dc(), 0, 0, cx, cy, image.Dc(), 0, 0, SRCCOPY);

    if (disabled) {
        PaintInk(hdc, mask.Dc(), x + 1, y + 1, cx, cy, ::GetSysColorBrush(COLOR_3DHILIGHT));
        PaintInk(hdc, mask.Dc(), x, y, cx, cy, ::GetSysColorBrush(COLOR_3DSHADOW));
        return TRUE;
    }
    if (mono) {
        PaintInk(hdc, mask.Dc(), x, y, cx, cy,
                 brush ? brush : static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    // Union: the item, then the brush over every other ink pixel.
    DrawItem(hdc, hdc, type, proc, data, wData, x, y, cx, cy, flags);
    MemoryBitmap half(hdc, cx, cy, true);
    ::PatBlt(half.Dc(), 0, 0, cx, cy, WHITENESS);
    for (int j = 0; j < cy; ++j)
        for (int i = j & 1; i < cx; i += 2)
            ::SetPixelV(half.Dc(), i, j, RGB(0, 0, 0));
    // Ink where both the item and the checker have it.
    ::BitBlt(half.Dc(), 0, 0, cx, cy, mask.Dc(), 0, 0, SRCPAINT);
    PaintInk(hdc, half.Dc(), x, y, cx, cy, brush ? brush : ::GetSysColorBrush(COLOR_HIGHLIGHT));
    return TRUE;
}
