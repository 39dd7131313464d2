// The printer: a device context whose pages are drawn by the raster engine at printer
// resolution on an A4 sheet and collected into a print job (a PDF file, or a CUPS printer
// through `lp`).
//
// Orientation is carried by the page size alone: a landscape job has landscape PDF pages and
// `lp` gets no orientation option, since CUPS turns such pages onto the paper by itself (an
// additional "-o landscape" would turn them a second time).
#pragma once

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/print/PageFormat.h"

namespace kq::gfx {

struct PrinterSettings {
    std::string printer;  // CUPS queue; empty, or no `lp` on the system: the PDF goes to `file`
    std::string file;     // the PDF output; a document's DOCINFO::lpszOutput takes precedence
    int dpi = kDefaultPrinterDpi;
    bool landscape = false;
    // The border a printer cannot print on, in pixels on each side (-1: a sixth of an inch).
    // The printable area is centred on the sheet.
    int margin = -1;
    // Copies the printer makes of each job (`lp -n`); a PDF file is written once.
    int copies = 1;
    // Several copies come out as whole documents one after the other (`-o collate=true`).
    bool collate = false;
};

// The largest resolution accepted (an A4 page at 600 dpi is about 140 MB of pixels).
constexpr int kMaxPrinterDpi = 600;

// What GetDeviceCaps answers: HORZRES/VERTRES the printable area, PHYSICALWIDTH/HEIGHT the
// sheet, PHYSICALOFFSETX/Y the margin, LOGPIXELSX/Y the resolution, TECHNOLOGY DT_RASPRINTER.
// All zero for settings out of range.
DeviceCaps PrinterCaps(const PrinterSettings& settings);

// A printer DC drawing on a white page of the printable size, device (0, 0) at the printable
// area's top left. StartDoc begins a job (its name is the document's title); StartPage clears
// the page; EndPage adds the sheet with the page on it to the job; EndDoc ends an open page and
// delivers the job; AbortDoc, or deleting the DC before EndDoc, discards it without leaving a
// file. Escape answers SET_BOUNDS (nothing to do on a raster page) and QUERYESCSUPPORT. Drawing
// without a document is allowed (print preview). Null for settings out of range.
HDC CreatePrinterOutputDC(const PrinterSettings& settings);

// Why the last document call of a printer DC failed (lp's own message, a write error, ...);
// empty when it did not fail or the DC is no such printer DC.
std::string PrinterOutputError(HDC printerDc);

}  // namespace kq::gfx
