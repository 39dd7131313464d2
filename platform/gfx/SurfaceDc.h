// Device contexts over surfaces, for the window system and the printing code: a display DC over
// a screen surface (each window's DC is one, aimed at the window's area), and a printer DC over
// a page surface with printer device caps and a print job.
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

namespace kq::gfx {

class PrintJobSink;

// A DC drawing on the whole surface; deleted with DeleteDC.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, const DeviceCaps& caps = DisplayCaps());
// Aims a surface DC at an area: device (0, 0) is `origin` on the surface and drawing stays
// inside `visible` (surface coordinates). A window's client or whole-window DC is made so.
bool SetDCDeviceArea(HDC hdc, std::shared_ptr<Surface> surface, POINT origin,
                     const Region& visible);
// Whether anything was drawn through a surface DC since it was last aimed; true for a handle
// that is no DC, so that a caller rather shows too much than too little.
bool DCDrewSinceAimed(HDC hdc);
// Restores a DC's default drawing state (a cached DC handed out again).
bool ResetDCState(HDC hdc);
// The surface a DC draws on (its selected bitmap's for a memory DC), for reading its pixels.
std::shared_ptr<Surface> DCSurface(HDC hdc);
// Printer DCs: caps with printer values, and the sink that receives StartDoc..EndDoc.
HDC CreatePrinterDC(std::shared_ptr<Surface> page, const DeviceCaps& caps,
                    std::shared_ptr<PrintJobSink> sink);
// The pixels of a bitmap (32-bit surface; for a monochrome bitmap only black and white).
std::shared_ptr<Surface> BitmapSurface(HBITMAP bitmap);
// A new bitmap holding a copy of the surface's pixels.
HBITMAP CreateBitmapFromSurface(const Surface& surface);

}  // namespace kq::gfx
