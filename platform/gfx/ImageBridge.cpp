#include "platform/gfx/ImageBridge.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/Icons.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"

namespace kq::gfx {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

bool Usable(const Image& image) {
    return !image.Empty() &&
           image.pixels.size() == static_cast<size_t>(image.width) * image.height &&
           (image.mask.empty() || image.mask.size() == image.pixels.size()) &&
           Surface::SizeAllowed(image.width, image.height);
}

// The mask of an icon image: its own, or where its alpha is 0.
std::vector<uint8_t> MaskOf(const Image& image) {
    if (image.HasMask()) {
        return image.mask;
    }
    std::vector<uint8_t> mask(image.pixels.size());
    std::transform(image.pixels.begin(), image.pixels.end(), mask.begin(),
                   [](uint32_t p) { return AlphaOf(p) == 0 ? 1 : 0; });
    return mask;
}

int BitsPerPixel(HBITMAP bitmap) {
    BITMAP bm{};
    return ::GetObject(bitmap, sizeof bm, &bm) != 0 ? bm.bmBitsPixel : 0;
}

}  // namespace

Image ImageFromSurface(const Surface& surface) {
    Image image;
    if (!surface.Valid()) {
        return image;
    }
    image.width = surface.Width();
    image.height = surface.Height();
    image.pixels = surface.TopDownPixels();
    return image;
}

HBITMAP BitmapFromImage(const Image& image, bool keepAlpha) {
    if (!Usable(image)) {
        return nullptr;
    }
    HBITMAP bitmap = ::CreateBitmap(image.width, image.height, 1, 32, nullptr);
    auto surface = bitmap ? BitmapSurface(bitmap) : nullptr;
    if (!surface) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    const uint32_t keep = keepAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* in = image.Row(y);
        uint32_t* out = surface->Row(y);
        for (int x = 0; x < image.width; ++x) {
            out[x] = in[x] & keep;
        }
    }
    return bitmap;
}

HBITMAP MonoBitmapFromImage(const Image& image) {
    if (!Usable(image)) {
        return nullptr;
    }
    HBITMAP bitmap = ::CreateBitmap(image.width, image.height, 1, 1, nullptr);
    auto surface = bitmap ? BitmapSurface(bitmap) : nullptr;
    if (!surface) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* in = image.Row(y);
        uint32_t* out = surface->Row(y);
        for (int x = 0; x < image.width; ++x) {
            out[x] = MonoPixel(in[x] & 0xFFFFFF);
        }
    }
    return bitmap;
}

Image ImageFromBitmap(HBITMAP bitmap, bool keepAlpha) {
    auto surface = BitmapSurface(bitmap);
    if (!surface) {
        return Image();
    }
    Image image = ImageFromSurface(*surface);
    if (!keepAlpha || surface->IsMonochrome()) {
        for (uint32_t& p : image.pixels) {
            p = (p & 0xFFFFFF) | kOpaque;
        }
    }
    return image;
}

bool AlphaFollowsMask(const Image& image) {
    const std::vector<uint8_t> mask = MaskOf(image);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (AlphaOf(image.pixels[i]) != (mask[i] ? 0 : 0xFF)) {
            return false;
        }
    }
    return true;
}

bool IconInfoFromImage(const Image& image, ICONINFO& info, bool isIcon, POINT hotspot) {
    info = ICONINFO{};
    if (!Usable(image)) {
        return false;
    }
    const std::vector<uint8_t> mask = MaskOf(image);
    Image maskImage(image.width, image.height);
    for (size_t i = 0; i < mask.size(); ++i) {
        maskImage.pixels[i] = mask[i] ? 0xFFFFFFFFu : kOpaque;
    }
    // A classic icon keeps no alpha, so that it is drawn through its mask (and screen pixels
    // under a set mask bit with a coloured image pixel are inverted, as icon files mean).
    info.hbmColor = BitmapFromImage(image, !AlphaFollowsMask(image));
    info.hbmMask = MonoBitmapFromImage(maskImage);
    if (!info.hbmColor || !info.hbmMask) {
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        info = ICONINFO{};
        return false;
    }
    info.fIcon = isIcon ? TRUE : FALSE;
    info.xHotspot = static_cast<DWORD>(std::max<LONG>(hotspot.x, 0));
    info.yHotspot = static_cast<DWORD>(std::max<LONG>(hotspot.y, 0));
    return true;
}

Image ImageFromIconInfo(const ICONINFO& info) {
    auto mask = BitmapSurface(info.hbmMask);
    if (!mask) {
        return Image();
    }
    std::shared_ptr<Surface> color = info.hbmColor ? BitmapSurface(info.hbmColor) : nullptr;
    if (info.hbmColor && !color) {
        return Image();
    }
    // Without a colour bitmap the XOR half lies below the AND half of the mask.
    const int width = color ? color->Width() : mask->Width();
    const int height = color ? color->Height() : mask->Height() / 2;
    if (width <= 0 || height <= 0) {
        return Image();
    }
    Image image(width, height);
    image.mask.assign(image.pixels.size(), 0);
    bool hasAlpha = false;
    if (color && BitsPerPixel(info.hbmColor) == 32) {
        for (int y = 0; y < height && !hasAlpha; ++y) {
            for (int x = 0; x < width; ++x) {
                if (color->Pixel(x, y) >> 24) {
                    hasAlpha = true;
                    break;
                }
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // A mask of another size counts where it overlaps; elsewhere the icon is opaque.
            const bool set =
                x < mask->Width() && y < mask->Height() && (mask->Pixel(x, y) & 0xFFFFFF) != 0;
            const uint32_t c = color ? color->Pixel(x, y) : mask->Pixel(x, y + height);
            image.mask[static_cast<size_t>(y) * width + x] = set ? 1 : 0;
            image.SetPixel(x, y, hasAlpha ? c : (c & 0xFFFFFF) | (set ? 0 : kOpaque));
        }
    }
    return image;
}

HICON IconFromImage(const Image& image, bool isIcon, POINT hotspot) {
    ICONINFO info;
    if (!IconInfoFromImage(image, info, isIcon, hotspot)) {
        return nullptr;
    }
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return icon;
}

Image ImageFromIcon(HICON icon, POINT* hotspot) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return Image();
    }
    Image image = ImageFromIconInfo(info);
    if (hotspot) {
        *hotspot = POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return image;
}

}  // namespace kq::gfx
