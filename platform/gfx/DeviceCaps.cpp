#include "platform/gfx/DeviceCaps.h"

#include <mutex>

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/GdiStructs.h"

namespace kq::gfx {

namespace {

std::mutex& CapsMutex() {
    static std::mutex m;
    return m;
}

DeviceCaps& DisplayCapsStore() {
    static DeviceCaps caps;
    return caps;
}

int Millimetres(int pixels, int dpi) {
    return dpi > 0 ? MulDiv(pixels, 254, dpi * 10) : 0;
}

}  // namespace

int DeviceCaps::Get(int index) const {
    const bool display = technology == DT_RASDISPLAY;
    switch (index) {
        case DRIVERVERSION:
            return 0x4000;
        case TECHNOLOGY:
            return technology;
        case HORZSIZE:
            return Millimetres(horzRes, logPixelsX);
        case VERTSIZE:
            return Millimetres(vertRes, logPixelsY);
        case HORZRES:
            return horzRes;
        case VERTRES:
            return vertRes;
        case BITSPIXEL:
            return bitsPixel;
        case PLANES:
            return planes;
        case NUMBRUSHES:
        case NUMPENS:
        case NUMCOLORS:
            return -1;
        case NUMFONTS:
            return 0;
        case CURVECAPS:
            return 0xFF;
        case LINECAPS:
            return 0xFE;
        case POLYGONALCAPS:
            return 0xFF;
        case TEXTCAPS:
            return 0x7800;
        case CLIPCAPS:
            return 1;
        case RASTERCAPS:
            // Never RC_PALETTE: every device here is true colour.
            return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV |
                   RC_BIGFONT | RC_STRETCHBLT | RC_STRETCHDIB | RC_OP_DX_OUTPUT |
                   (display ? 0 : RC_BANDING);
        case ASPECTX:
        case ASPECTY:
            return 36;
        case ASPECTXY:
            return 51;
        case LOGPIXELSX:
            return logPixelsX;
        case LOGPIXELSY:
            return logPixelsY;
        case SIZEPALETTE:
        case NUMRESERVED:
            return 0;
        case COLORRES:
            return 24;
        case PHYSICALWIDTH:
            return physicalWidth;
        case PHYSICALHEIGHT:
            return physicalHeight;
        case PHYSICALOFFSETX:
            return physicalOffsetX;
        case PHYSICALOFFSETY:
            return physicalOffsetY;
        case VREFRESH:
            return display ? refresh : 0;
        case DESKTOPHORZRES:
            return horzRes;
        case DESKTOPVERTRES:
            return vertRes;
        case BLTALIGNMENT:
            return 0;
        case SHADEBLENDCAPS:
            return SB_CONST_ALPHA | SB_PIXEL_ALPHA;
        default:
            return 0;
    }
}

DeviceCaps DeviceCaps::Printer(int dpi, int printableWidth, int printableHeight, int sheetWidth,
                               int sheetHeight, int offsetX, int offsetY) {
    DeviceCaps c;
    c.technology = DT_RASPRINTER;
    c.horzRes = printableWidth;
    c.vertRes = printableHeight;
    c.logPixelsX = dpi;
    c.logPixelsY = dpi;
    c.physicalWidth = sheetWidth;
    c.physicalHeight = sheetHeight;
    c.physicalOffsetX = offsetX;
    c.physicalOffsetY = offsetY;
    return c;
}

DeviceCaps DisplayCaps() {
    std::lock_guard<std::mutex> lock(CapsMutex());
    return DisplayCapsStore();
}

void SetDisplayCaps(const DeviceCaps& caps) {
    std::lock_guard<std::mutex> lock(CapsMutex());
    DisplayCapsStore() = caps;
}

}  // namespace kq::gfx
