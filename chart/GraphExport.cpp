// The chart as a picture: the image of the last screen paint written as a 32-bit BMP file, and
// the window's screen image handed out as a packed DIB in a global memory block. Files are
// written under a temporary name and appear only when complete.
#include <cstring>
#include <vector>

#include "chart/XGraph.h"
#include "platform/gfx/WindowDC.h"
#include "platform/gfx/codec/AtomicFile.h"
#include "platform/ui/commdlg/GlobalMemory.h"

namespace {

constexpr WORD kBitmapFileType = 0x4D42;  // "BM"
constexpr size_t kFileHeaderBytes = 14;

// Colour-table entries a DIB of that depth carries; 0 when there would be more than 256.
DWORD ColorTableEntries(int bitsPerPixel) {
    const DWORD entries = DWORD{1} << (bitsPerPixel % 32);
    return entries > 256 ? 0 : entries;
}

void PutWord(std::vector<uint8_t>& out, size_t at, WORD v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutDword(std::vector<uint8_t>& out, size_t at, DWORD v) {
    for (size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A palette device gets the system palette; others draw without one.
std::unique_ptr<CPalette> SystemPaletteFor(CWnd* window) {
    CClientDC dc(window);
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) == 0)
        return nullptr;
    constexpr UINT kEntries = 255;
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries =
        static_cast<WORD>(::GetSystemPaletteEntries(dc.m_hDC, 0, kEntries, palette->palPalEntry));
    auto result = std::make_unique<CPalette>();
    if (!result->CreatePalette(palette))
        return nullptr;
    return result;
}

}  // namespace

HGLOBAL CXGraph::DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette) {
    if (compression == BI_BITFIELDS)
        return nullptr;
    BITMAP bm{};
    if (bitmap.GetObject(sizeof bm, &bm) == 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount =
        static_cast<WORD>(bm.bmBitsPixel < 32 ? 32 * bm.bmPlanes : bm.bmPlanes * bm.bmBitsPixel);
    header.biCompression = compression;
    const size_t tableBytes = 4 * ColorTableEntries(header.biBitCount);
    const size_t infoBytes = sizeof header + tableBytes;

    HPALETTE use = palette != nullptr ? static_cast<HPALETTE>(palette->GetSafeHandle())
                                      : static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    HDC screen = ::GetDC(nullptr);
    HPALETTE old = ::SelectPalette(screen, use, FALSE);
    ::RealizePalette(screen);
    const auto finish = [&](HGLOBAL result) {
        ::SelectPalette(screen, old, FALSE);
        ::ReleaseDC(nullptr, screen);
        return result;
    };
    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, infoBytes);
    if (block == nullptr)
        return finish(nullptr);
    auto* info = static_cast<BITMAPINFO*>(::GlobalLock(block));
    std::memcpy(info, &header, sizeof header);
    HBITMAP handle = static_cast<HBITMAP>(bitmap.GetSafeHandle());
    ::GetDIBits(screen, handle, 0, static_cast<UINT>(bm.bmHeight), nullptr, info, DIB_RGB_COLORS);
    header = info->bmiHeader;
    ::GlobalUnlock(block);
    if (header.biSizeImage == 0) {
        header.biSizeImage =
            ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) & ~DWORD{31}) / 8 *
            static_cast<DWORD>(header.biHeight);
        if (compression != BI_RGB)
            header.biSizeImage = header.biSizeImage * 3 / 2;
    }
    HGLOBAL grown = ::GlobalReAlloc(block, infoBytes + header.biSizeImage, GMEM_MOVEABLE);
    if (grown == nullptr) {
        ::GlobalFree(block);
        return finish(nullptr);
    }
    block = grown;
    auto* bytes = static_cast<uint8_t*>(::GlobalLock(block));
    info = reinterpret_cast<BITMAPINFO*>(bytes);
    info->bmiHeader = header;
    const int rows = ::GetDIBits(screen, handle, 0, static_cast<UINT>(header.biHeight),
                                 bytes + infoBytes, info, DIB_RGB_COLORS);
    ::GlobalUnlock(block);
    if (rows == 0) {
        ::GlobalFree(block);
        return finish(nullptr);
    }
    return finish(block);
}

BOOL CXGraph::WriteDIB(const CString& path, HGLOBAL dib) {
    if (dib == nullptr)
        return FALSE;
    const size_t size = ::GlobalSize(dib);
    const auto* bytes = static_cast<const uint8_t*>(::GlobalLock(dib));
    if (bytes == nullptr || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, bytes, sizeof header);
    std::vector<uint8_t> fileHeader(kFileHeaderBytes, 0);
    PutWord(fileHeader, 0, kBitmapFileType);
    PutDword(fileHeader, 2, static_cast<DWORD>(kFileHeaderBytes + size));
    PutDword(fileHeader, 10,
             static_cast<DWORD>(kFileHeaderBytes + header.biSize +
                                4 * ColorTableEntries(header.biBitCount)));
    kq::gfx::AtomicFile file;
    const bool ok = file.Open(path.GetString()) &&
                    file.Write(fileHeader.data(), fileHeader.size()) && file.Write(bytes, size) &&
                    file.Commit();
    ::GlobalUnlock(dib);
    return ok ? TRUE : FALSE;
}

bool CXGraph::SaveBitmap(const CString& path) {
    if (m_pDrawBitmap == nullptr)
        return false;
    std::unique_ptr<CPalette> palette = GetSafeHwnd() != nullptr ? SystemPaletteFor(this) : nullptr;
    HGLOBAL dib = DDBToDIB(*m_pDrawBitmap, BI_RGB, palette.get());
    if (dib == nullptr)
        return false;
    const BOOL written = WriteDIB(path, dib);
    ::GlobalFree(dib);
    return written != FALSE;
}

HGLOBAL CXGraph::GetWindowDIB() {
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CRect window;
    GetWindowRect(&window);
    if (window.Width() <= 0 || window.Height() <= 0)
        return nullptr;
    CWindowDC dc(this);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&dc) ||
        !bitmap.CreateCompatibleBitmap(&dc, window.Width(), window.Height()))
        return nullptr;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.BitBlt(0, 0, window.Width(), window.Height(), &dc, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    std::unique_ptr<CPalette> palette = SystemPaletteFor(this);
    return DDBToDIB(bitmap, BI_RGB, palette.get());
}
