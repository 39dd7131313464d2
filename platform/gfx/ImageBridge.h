// Conversions between plain images (what the codecs read and write and the printer output
// takes) and the objects that device contexts draw: surfaces, bitmaps and icons. Each direction
// is made here and nowhere else.
//
// Alpha: an Image's top byte is alpha (0xFF opaque). Bitmaps are opaque unless asked otherwise;
// their top byte stays 0 as drawing leaves it. An icon image carries its AND mask; when its
// alpha says no more than the mask does (opaque where the mask is clear, 0 where it is set) the
// icon is a classic masked icon, drawn through the mask, otherwise it is drawn with its alpha.
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Surface.h"

namespace kq::gfx {

// Pixels copied as they are: the surface's top byte becomes the image's alpha.
Image ImageFromSurface(const Surface& surface);

// A 32-bit bitmap of the image; the top byte is cleared unless keepAlpha. Null when the image
// is empty or too large.
HBITMAP BitmapFromImage(const Image& image, bool keepAlpha = false);
// A monochrome bitmap: each pixel becomes the nearer of black and white.
HBITMAP MonoBitmapFromImage(const Image& image);
// A bitmap's pixels (a monochrome one's in black and white). Opaque, unless keepAlpha, which
// takes the top byte as alpha. Empty for a handle that is not a bitmap.
Image ImageFromBitmap(HBITMAP bitmap, bool keepAlpha = false);

// Whether an icon image's alpha only repeats its mask (see above); an image without a mask
// takes one from its alpha (set where alpha is 0).
bool AlphaFollowsMask(const Image& image);

// The colour bitmap and the monochrome AND mask (white where the screen shows through) of an
// icon or cursor image, which the caller deletes. False for an empty or oversized image.
bool IconInfoFromImage(const Image& image, ICONINFO& info, bool isIcon = true,
                       POINT hotspot = {0, 0});
// The image an ICONINFO describes, with its mask; a monochrome icon (no colour bitmap, the AND
// mask above the XOR mask) gives a black and white image. Empty when the bitmaps are unusable.
Image ImageFromIconInfo(const ICONINFO& info);

HICON IconFromImage(const Image& image, bool isIcon = true, POINT hotspot = {0, 0});
Image ImageFromIcon(HICON icon, POINT* hotspot = nullptr);

}  // namespace kq::gfx
