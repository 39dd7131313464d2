// BMP files as the page printer reads them (with or without the file header), then the block
// stretched into a small printer page.
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/print/BitmapFileReader.h"
#include "platform/gfx/DeviceCaps.h"
#include "platform/gfx/SurfaceDc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const HDC page =
        kq::gfx::CreatePrinterDC(kq::gfx::Surface::Create(64, 64),
                                 kq::gfx::DeviceCaps::Printer(300, 64, 64, 64, 64, 0, 0), nullptr);
    kq::print::MemorySource source(std::span<const uint8_t>(data, size));
    const auto block = kq::print::ReadWholeBitmap(source);
    if (block)
        kq::print::StretchBitmap(page, 2, 2, 60, 60, *block);
    return 0;
}
