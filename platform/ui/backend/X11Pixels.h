// The surface's pixel format as Xlib describes images: 32 bits a pixel, 0x00RRGGBB, least
// significant byte first. Include it after every header that must not see Xlib's macros.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kq::ui::detail {

// True when the image holds the surface's pixels as they are, rows `width` pixels long without
// gaps: a row of the surface is copied into it as it stands.
inline bool IsDirect(const XImage& image, const Visual& visual, unsigned width) {
    return image.bits_per_pixel == 32 && image.byte_order == LSBFirst &&
           visual.red_mask == 0xFF0000 && visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF &&
           image.bytes_per_line == static_cast<int>(width) * 4;
}

}  // namespace kq::ui::detail
