// Packed DIBs (header, colour table, bits) as a bitmap file hands them to StretchDIBits and
// SetDIBitsToDevice: any header must be refused or drawn without reading outside the data.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gfx/DibFormat.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The info block is copied into a buffer large enough for any header and colour table, as
    // the functions read the table the header announces.
    std::vector<uint8_t> info(124 + 12 + 256 * 4, 0);
    std::memcpy(info.data(), data, std::min(size, info.size()));
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
    kq::gfx::DibLayout dib;
    if (!kq::gfx::ParseDib(bmi, DIB_RGB_COLORS, nullptr, dib))
        return 0;
    if (static_cast<int64_t>(dib.width) * dib.height > 1 << 20)
        return 0;
    // The bits follow the info block; the functions trust the header's size, so the harness
    // gives them exactly that many bytes (zeros past the end of the input).
    const size_t offset = std::min(size, info.size());
    std::vector<uint8_t> bits(dib.imageSize, 0);
    if (size > offset)
        std::memcpy(bits.data(), data + offset, std::min(size - offset, bits.size()));
    static std::shared_ptr<kq::gfx::Surface> surface = std::make_shared<kq::gfx::Surface>(64, 64);
    static HDC hdc = kq::gfx::CreateSurfaceDC(surface);
    ::StretchDIBits(hdc, 0, 0, 64, 64, 0, 0, dib.width, dib.height, bits.data(), bmi,
                    DIB_RGB_COLORS, SRCCOPY);
    ::SetDIBitsToDevice(hdc, 0, 0, static_cast<DWORD>(dib.width), static_cast<DWORD>(dib.height), 0,
                        0, 0, static_cast<UINT>(dib.height), bits.data(), bmi, DIB_RGB_COLORS);
    return 0;
}
