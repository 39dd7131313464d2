// A small surface with a DC on it, and ways to read its pixels in tests.
#pragma once

#include <memory>
#include <string>

#include "platform/gfx/CDC.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"

namespace kq::gfx::test {

class Canvas {
  public:
    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255))
        : surface(std::make_shared<Surface>(w, h)) {
        surface->Fill(PixelFromColorRef(fill));
        hdc = CreateSurfaceDC(surface);
        dc.Attach(hdc);
    }
    COLORREF At(int x, int y) const { return ColorRefFromPixel(surface->Pixel(x, y) & 0xFFFFFF); }
    void Clear(COLORREF c = RGB(255, 255, 255)) { surface->Fill(PixelFromColorRef(c)); }
    // Rows of the area as characters: '.' for `background`, '#' for anything else.
    std::string Picture(int x0, int y0, int x1, int y1,
                        COLORREF background = RGB(255, 255, 255)) const {
        std::string s;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                s += At(x, y) == background ? '.' : '#';
            s += '\n';
        }
        return s;
    }
    int Count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                n += At(x, y) == c;
        return n;
    }
    int CountNot(COLORREF c) const { return surface->Width() * surface->Height() - Count(c); }
    // Bounding box of pixels that differ from c.
    RECT InkBox(COLORREF c = RGB(255, 255, 255)) const {
        RECT r{surface->Width(), surface->Height(), 0, 0};
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                if (At(x, y) != c) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }

    std::shared_ptr<Surface> surface;
    HDC hdc = nullptr;
    CDC dc;
};

inline std::string Rows(std::initializer_list<const char*> rows) {
    std::string s;
    for (const char* r : rows) {
        s += r;
        s += '\n';
    }
    return s;
}

}  // namespace kq::gfx::test
