// Printer page geometry in device pixels.
#pragma once

namespace kq::gfx {

struct PageFormat {
    int widthPixels = 0;
    int heightPixels = 0;
    int dpiX = 0;
    int dpiY = 0;
};

constexpr int kDefaultPrinterDpi = 300;

// An A4 sheet (210 x 297 mm) at the given resolution; landscape swaps its sides.
PageFormat A4Page(int dpi = kDefaultPrinterDpi, bool landscape = false);

}  // namespace kq::gfx
