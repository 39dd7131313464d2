// What GetDeviceCaps answers for a device: the screen by default (96 dpi, 32 bits per pixel,
// no palette), or a printer whose values its creator sets.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::gfx {

struct DeviceCaps {
    int technology = 1;  // DT_RASDISPLAY
    int horzRes = 1920;
    int vertRes = 1080;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int bitsPixel = 32;
    int planes = 1;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int refresh = 60;

    // The value GetDeviceCaps gives for an index (0 for unknown indices).
    int Get(int index) const;

    // A printer page of the given resolution and printable size in pixels, with the physical
    // sheet size and the printable area's offset on it.
    static DeviceCaps Printer(int dpi, int printableWidth, int printableHeight, int sheetWidth,
                              int sheetHeight, int offsetX, int offsetY);
};

// The screen's values; the window system sets the screen size once it knows it.
DeviceCaps DisplayCaps();
void SetDisplayCaps(const DeviceCaps& caps);

}  // namespace kq::gfx
