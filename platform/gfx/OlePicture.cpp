#include "platform/gfx/OlePicture.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/codec/FileBytes.h"

namespace kq::gfx {
namespace {

constexpr int64_t kHimetricPerInch = 2540;

// a * b / c rounded to the nearest, in 64 bits so that large pictures cannot overflow.
int64_t ScaleRounded(int64_t a, int64_t b, int64_t c) {
    const int64_t product = a * b;
    return (product >= 0 ? product + c / 2 : product - c / 2) / c;
}

// Masked icons show the destination where the mask is set; the rest carries its alpha.
Image WithTransparencyAsAlpha(Image image) {
    if (image.HasMask()) {
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (image.MaskBit(x, y))
                    image.SetPixel(x, y, 0);
        image.mask.clear();
    }
    return image;
}

bool IsOpaque(const Image& image) {
    return std::all_of(image.pixels.begin(), image.pixels.end(),
                       [](uint32_t p) { return AlphaOf(p) == 0xFF; });
}

// The pixels [left, right) x [top, bottom), mirrored as asked.
Image Part(const Image& image, int left, int top, int right, int bottom, bool mirrorX,
           bool mirrorY) {
    Image part(right - left, bottom - top);
    for (int y = 0; y < part.height; ++y) {
        const int sy = mirrorY ? bottom - 1 - y : top + y;
        for (int x = 0; x < part.width; ++x) {
            const int sx = mirrorX ? right - 1 - x : left + x;
            part.SetPixel(x, y, image.Pixel(sx, sy));
        }
    }
    return part;
}

// Straight alpha to the premultiplied form that AlphaBlend takes.
void Premultiply(Image& image) {
    for (uint32_t& p : image.pixels) {
        const uint32_t a = AlphaOf(p);
        p = MakeArgb(a, RedOf(p) * a / 255, GreenOf(p) * a / 255, BlueOf(p) * a / 255);
    }
}

class Picture final : public IPicture {
  public:
    explicit Picture(Image image)
        : image_(WithTransparencyAsAlpha(std::move(image))), opaque_(IsOpaque(image_)) {
        const DeviceCaps screen;
        widthHimetric_ =
            static_cast<LONG>(ScaleRounded(image_.width, kHimetricPerInch, screen.logPixelsX));
        heightHimetric_ =
            static_cast<LONG>(ScaleRounded(image_.height, kHimetricPerInch, screen.logPixelsY));
    }

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (!IsEqualIID(iid, IID_IPicture) && !IsEqualIID(iid, IID_IUnknown)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<IPicture*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override {
        if (!width)
            return E_POINTER;
        *width = widthHimetric_;
        return S_OK;
    }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override {
        if (!height)
            return E_POINTER;
        *height = heightHimetric_;
        return S_OK;
    }

    HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                   OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                   const RECT*) override {
        if (!dc || cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0)
            return E_INVALIDARG;
        // HIMETRIC y runs up from the bottom edge; pixel rows run down from the top.
        auto column = [&](int64_t h) {
            return std::clamp<int64_t>(ScaleRounded(h, image_.width, widthHimetric_), 0,
                                       image_.width);
        };
        auto row = [&](int64_t h) {
            return std::clamp<int64_t>(
                ScaleRounded(heightHimetric_ - h, image_.height, heightHimetric_), 0,
                image_.height);
        };
        const int64_t x0 = column(xSrc), x1 = column(int64_t{xSrc} + cxSrc);
        const int64_t y0 = row(ySrc), y1 = row(int64_t{ySrc} + cySrc);
        if (x0 == x1 || y0 == y1)
            return S_OK;  // the part lies outside the picture: nothing to draw
        // A source or destination running backwards mirrors the picture.
        const bool mirrorX = (x1 < x0) != (cx < 0);
        const bool mirrorY = (y1 < y0) != (cy < 0);
        Image part = Part(image_, static_cast<int>(std::min(x0, x1)),
                          static_cast<int>(std::min(y0, y1)), static_cast<int>(std::max(x0, x1)),
                          static_cast<int>(std::max(y0, y1)), mirrorX, mirrorY);
        const int left = cx < 0 ? x + cx : x;
        const int top = cy < 0 ? y + cy : y;
        const int width = cx < 0 ? -cx : cx;
        const int height = cy < 0 ? -cy : cy;
        if (!opaque_)
            Premultiply(part);
        HBITMAP bitmap = BitmapFromImage(part, !opaque_);
        if (!bitmap)
            return E_OUTOFMEMORY;
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ old = memory ? ::SelectObject(memory, bitmap) : nullptr;
        BOOL drawn = FALSE;
        if (old && opaque_) {
            drawn = ::StretchBlt(dc, left, top, width, height, memory, 0, 0, part.width,
                                 part.height, SRCCOPY);
        } else if (old) {
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            drawn = ::AlphaBlend(dc, left, top, width, height, memory, 0, 0, part.width,
                                 part.height, blend);
        }
        if (old)
            ::SelectObject(memory, old);
        if (memory)
            ::DeleteDC(memory);
        ::DeleteObject(bitmap);
        return drawn ? S_OK : E_FAIL;
    }

  private:
    ~Picture() = default;

    std::atomic<ULONG> references_{1};
    const Image image_;
    const bool opaque_;
    LONG widthHimetric_ = 0;
    LONG heightHimetric_ = 0;
};

}  // namespace
}  // namespace kq::gfx

HRESULT OleLoadPicturePath(LPCOLESTR path, LPUNKNOWN, DWORD, OLE_COLOR, REFIID iid,
                           LPVOID* object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!path || !*path)
        return E_INVALIDARG;
    if (!IsEqualIID(iid, IID_IPicture) && !IsEqualIID(iid, IID_IUnknown))
        return E_NOINTERFACE;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!kq::gfx::ReadFileBytes(kq::WideToUtf8(path), bytes, error))
        return CTL_E_FILENOTFOUND;
    kq::gfx::ImageResult decoded = kq::gfx::DecodePicture(bytes);
    if (!decoded || decoded.image.Empty())
        return CTL_E_INVALIDPICTURE;
    auto* picture = new (std::nothrow) kq::gfx::Picture(std::move(decoded.image));
    if (!picture)
        return E_OUTOFMEMORY;
    *object = static_cast<IPicture*>(picture);
    return S_OK;
}
