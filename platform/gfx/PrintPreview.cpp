#include "platform/gfx/PrintPreview.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

namespace kq::gfx {

namespace {

int Scaled(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

HBITMAP RenderPagePreview(HDC printerDc, double scale) {
    auto dc = LookupDc(printerDc);
    auto page = DCSurface(printerDc);
    if (!dc || !dc->IsPrinterDc() || !page || !(scale > 0) || !std::isfinite(scale)) {
        return nullptr;
    }
    const DeviceCaps& caps = dc->Caps();
    const int sheetWidth = std::max(caps.physicalWidth, caps.physicalOffsetX + page->Width());
    const int sheetHeight = std::max(caps.physicalHeight, caps.physicalOffsetY + page->Height());
    const double width = std::max(1.0, std::round(sheetWidth * scale));
    const double height = std::max(1.0, std::round(sheetHeight * scale));
    if (!Surface::SizeAllowed(static_cast<int64_t>(std::min(width, 1e9)),
                              static_cast<int64_t>(std::min(height, 1e9)))) {
        return nullptr;
    }
    HBITMAP bitmap =
        ::CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 32, nullptr);
    HDC target = ::CreateCompatibleDC(nullptr);
    // A DC of its own over the page, so that the printer DC's mapping does not apply.
    HDC source = CreateSurfaceDC(page);
    if (!bitmap || !target || !source) {
        ::DeleteObject(bitmap);
        ::DeleteDC(target);
        ::DeleteDC(source);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(target, bitmap);
    ::PatBlt(target, 0, 0, static_cast<int>(width), static_cast<int>(height), WHITENESS);
    const int left = Scaled(caps.physicalOffsetX, scale);
    const int top = Scaled(caps.physicalOffsetY, scale);
    const int right = Scaled(caps.physicalOffsetX + page->Width(), scale);
    const int bottom = Scaled(caps.physicalOffsetY + page->Height(), scale);
    if (right > left && bottom > top) {
        ::SetStretchBltMode(target, HALFTONE);
        ::StretchBlt(target, left, top, right - left, bottom - top, source, 0, 0, page->Width(),
                     page->Height(), SRCCOPY);
    }
    ::SelectObject(target, old);
    ::DeleteDC(target);
    ::DeleteDC(source);
    return bitmap;
}

}  // namespace kq::gfx
