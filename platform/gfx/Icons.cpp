// Icons and cursors.
#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

std::shared_ptr<Surface> Copy(const Surface& s, int y0, int rows, bool mono) {
    auto out = Surface::Create(s.Width(), rows);
    if (!out)
        return nullptr;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const uint32_t v = s.Pixel(x, y0 + y);
            out->SetPixel(x, y, mono ? MonoPixel(v & 0xFFFFFF) : v);
        }
    out->SetMonochrome(mono);
    return out;
}

// A memory DC with a bitmap holding a copy of the surface; both go when the holder does.
class SurfaceDc {
  public:
    explicit SurfaceDc(const Surface& s) {
        dc_ = ::CreateCompatibleDC(nullptr);
        bmp_ = CreateBitmapFromSurface(s);
        old_ = ::SelectObject(dc_, bmp_);
    }
    ~SurfaceDc() {
        ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
        ::DeleteObject(bmp_);
    }
    HDC Dc() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Straight alpha to the premultiplied form AlphaBlend takes.
std::unique_ptr<Surface> Premultiplied(const Surface& s) {
    auto out = std::make_unique<Surface>(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const uint32_t p = s.Pixel(x, y);
            const uint32_t a = p >> 24;
            auto ch = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255; };
            out->SetPixel(x, y, (a << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0));
        }
    return out;
}

void DrawIconOn(HDC hdc, int x, int y, const IconObject& icon, int cx, int cy, UINT flags) {
    const int w = icon.width;
    const int h = icon.height;
    const COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    const int oldStretch = ::SetStretchBltMode(hdc, COLORONCOLOR);
    const bool image = (flags & DI_IMAGE) != 0;
    const bool mask = (flags & DI_MASK) != 0;
    if (icon.color) {
        if (image && mask && icon.hasAlpha) {
            const auto pre = Premultiplied(*icon.color);
            SurfaceDc src(*pre);
            ::AlphaBlend(hdc, x, y, cx, cy, src.Dc(), 0, 0, w, h,
                         BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        } else {
            if (mask) {
                SurfaceDc m(*icon.mask);
                ::StretchBlt(hdc, x, y, cx, cy, m.Dc(), 0, 0, w, h, image ? SRCAND : SRCCOPY);
            }
            if (image) {
                SurfaceDc c(*icon.color);
                ::StretchBlt(hdc, x, y, cx, cy, c.Dc(), 0, 0, w, h, mask ? SRCINVERT : SRCCOPY);
            }
        }
    } else {
        // Monochrome icon: AND half above the XOR half.
        SurfaceDc m(*icon.mask);
        if (mask)
            ::StretchBlt(hdc, x, y, cx, cy, m.Dc(), 0, 0, w, h, image ? SRCAND : SRCCOPY);
        if (image)
            ::StretchBlt(hdc, x, y, cx, cy, m.Dc(), 0, h, w, h, mask ? SRCINVERT : SRCCOPY);
    }
    ::SetStretchBltMode(hdc, oldStretch);
    ::SetBkColor(hdc, oldBk);
    ::SetTextColor(hdc, oldText);
}

}  // namespace

HICON CreateIconIndirect(PICONINFO info) {
    if (!info)
        return nullptr;
    auto maskBmp = LookupObject<BitmapObject>(info->hbmMask);
    if (!maskBmp || !maskBmp->surface)
        return nullptr;
    maskBmp->SyncFromDib();
    auto icon = std::make_shared<IconObject>();
    icon->isIcon = info->fIcon != FALSE;
    const Surface& mask = *maskBmp->surface;
    if (info->hbmColor) {
        auto colorBmp = LookupObject<BitmapObject>(info->hbmColor);
        if (!colorBmp || !colorBmp->surface)
            return nullptr;
        colorBmp->SyncFromDib();
        const Surface& color = *colorBmp->surface;
        icon->width = color.Width();
        icon->height = color.Height();
        icon->color = Copy(color, 0, color.Height(), false);
        icon->mask = Surface::Create(icon->width, icon->height);
        if (!icon->color || !icon->mask)
            return nullptr;
        icon->mask->SetMonochrome(true);
        // A mask of another size is read where it overlaps; outside it the image is opaque.
        for (int y = 0; y < icon->height; ++y)
            for (int x = 0; x < icon->width; ++x)
                icon->mask->SetPixel(x, y,
                                     (x < mask.Width() && y < mask.Height())
                                         ? MonoPixel(mask.Pixel(x, y) & 0xFFFFFF)
                                         : kBlackPixel);
        if (colorBmp->bitsPixel == 32)
            for (int y = 0; y < icon->height && !icon->hasAlpha; ++y)
                for (int x = 0; x < icon->width; ++x)
                    if (icon->color->Pixel(x, y) >> 24) {
                        icon->hasAlpha = true;
                        break;
                    }
    } else {
        if (mask.Height() < 2)
            return nullptr;
        icon->width = mask.Width();
        icon->height = mask.Height() / 2;
        icon->mask = Copy(mask, 0, icon->height * 2, true);
        if (!icon->mask)
            return nullptr;
    }
    icon->hotspot =
        icon->isIcon ? POINT{icon->width / 2, icon->height / 2}
                     : POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    return AddObject<HICON>(icon);
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    auto icon = LookupObject<IconObject>(handle);
    if (!icon || !info)
        return FALSE;
    info->fIcon = icon->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    info->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    info->hbmMask = CreateBitmapFromSurface(*icon->mask);
    // The colour copy keeps the alpha byte.
    info->hbmColor = icon->color ? CreateBitmapFromSurface(*icon->color) : nullptr;
    return info->hbmMask ? TRUE : FALSE;
}

BOOL DestroyIcon(HICON icon) {
    if (!LookupObject<IconObject>(icon))
        return FALSE;
    return HandleTable::Instance().Remove(icon) ? TRUE : FALSE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

HICON CopyIcon(HICON handle) {
    auto icon = LookupObject<IconObject>(handle);
    if (!icon)
        return nullptr;
    auto copy = std::make_shared<IconObject>(*icon);
    copy->stock = false;
    if (icon->color)
        copy->color = Copy(*icon->color, 0, icon->color->Height(), false);
    copy->mask = Copy(*icon->mask, 0, icon->mask->Height(), true);
    return AddObject<HICON>(copy);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH brush,
                UINT flags) {
    auto icon = LookupObject<IconObject>(handle);
    if (!icon || !LookupDc(hdc))
        return FALSE;
    if (cx == 0)
        cx = (flags & DI_DEFAULTSIZE) ? kIconSize : icon->width;
    if (cy == 0)
        cy = (flags & DI_DEFAULTSIZE) ? kIconSize : icon->height;
    if ((flags & DI_NORMAL) == 0)
        return FALSE;
    if (!brush) {
        DrawIconOn(hdc, x, y, *icon, cx, cy, flags);
        return TRUE;
    }
    // Flicker-free drawing: compose on the brush off screen, then copy once.
    HDC mem = ::CreateCompatibleDC(hdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(hdc, cx, cy);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    const RECT all{0, 0, cx, cy};
    auto b = LookupObject<BrushObject>(brush);
    if (auto dc = LookupDc(mem); dc && b)
        dc->FillRectWith(all, b.get());
    DrawIconOn(mem, 0, 0, *icon, cx, cy, flags);
    ::BitBlt(hdc, x, y, cx, cy, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
