#include "platform/gfx/print/PageFormat.h"

#include <cmath>
#include <utility>

namespace kq::gfx {

PageFormat A4Page(int dpi, bool landscape) {
    PageFormat page;
    page.dpiX = dpi;
    page.dpiY = dpi;
    page.widthPixels = static_cast<int>(std::lround(210.0 / 25.4 * dpi));
    page.heightPixels = static_cast<int>(std::lround(297.0 / 25.4 * dpi));
    if (landscape) {
        std::swap(page.widthPixels, page.heightPixels);
    }
    return page;
}

}  // namespace kq::gfx
