// Loading an image file into the bitmap and running processors over its pixels: the pixels
// are read as a 32-bit buffer, each processor writes the next buffer, and the last one
// becomes the new bitmap.
#include "controls/EnBitmap.h"

#include <algorithm>
#include <memory>

#include "platform/base/WideText.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/UserDraw.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/paint/WindowDcs.h"

namespace {

constexpr COLORREF kNoColor = 0xFFFFFFFF;

// Pixel counts beyond what a surface of the graphics layer can hold are refused.
bool FitsSurface(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width * height <= kq::gfx::kMaxSurfacePixels;
}

// The screen DC for the DIB transfers.
class ScreenDC {
  public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_)
            ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace

CEnBitmap::CEnBitmap(COLORREF background) : m_crBkgnd(background) {}

BOOL CEnBitmap::LoadImageFile(LPCTSTR path, COLORREF background) {
    if (GetSafeHandle())
        return FALSE;
    HBITMAP bitmap = LoadImageFileHandle(path, background == kNoColor ? m_crBkgnd : background);
    return bitmap ? Attach(bitmap) : FALSE;
}

BOOL CEnBitmap::RotateImage(int degrees, bool weighted) {
    CImageRotator rotator(degrees, weighted);
    return ProcessImage(&rotator);
}

BOOL CEnBitmap::ProcessImage(C32BitImageProcessor* processor) {
    C32BitImageProcessorArray chain;
    chain.Add(processor);
    return ProcessImage(chain);
}

BOOL CEnBitmap::ProcessImage(C32BitImageProcessorArray& processors) {
    if (!GetSafeHandle())
        return FALSE;
    if (processors.GetSize() == 0)
        return TRUE;
    BITMAP bm{};
    if (!GetBitmap(&bm))
        return FALSE;
    CSize size(bm.bmWidth, bm.bmHeight);
    int64_t maxWidth = size.cx, maxHeight = size.cy;
    for (INT_PTR i = 0; i < processors.GetSize(); ++i) {
        size = processors[i]->CalcDestSize(size);
        maxWidth = std::max<int64_t>(maxWidth, size.cx);
        maxHeight = std::max<int64_t>(maxHeight, size.cy);
    }
    if (!FitsSurface(maxWidth, maxHeight))
        return FALSE;

    std::unique_ptr<RGBQUAD[]> src(GetDIBits32());
    if (!src)
        return FALSE;
    const size_t bufferSize = static_cast<size_t>(maxWidth * maxHeight);
    std::unique_ptr<RGBQUAD[]> dst(new RGBQUAD[bufferSize]);
    FillPixels(dst.get(), static_cast<int>(maxWidth), static_cast<int>(maxHeight), m_crBkgnd);

    CSize in(bm.bmWidth, bm.bmHeight), out = in;
    for (INT_PTR i = 0; i < processors.GetSize(); ++i) {
        if (i > 0) {
            // The previous output is the next input, on a fresh background.
            if (out.cx * out.cy > in.cx * in.cy)
                src.reset(new RGBQUAD[bufferSize]);
            std::copy(dst.get(), dst.get() + static_cast<size_t>(out.cx) * out.cy, src.get());
            in = out;
            FillPixels(dst.get(), out.cx, out.cy, m_crBkgnd);
        }
        out = processors[i]->CalcDestSize(in);
        if (!processors[i]->ProcessPixels(src.get(), in.cx, in.cy, dst.get(), out.cx, out.cy))
            return FALSE;
    }

    ScreenDC screen;
    HBITMAP result = ::CreateCompatibleBitmap(screen.get(), out.cx, out.cy);
    if (!result)
        return FALSE;
    BITMAPINFO info{};
    if (!PrepareBitmapInfo(&info, result) ||
        !::SetDIBits(screen.get(), result, 0, static_cast<UINT>(out.cy), dst.get(), &info,
                     DIB_RGB_COLORS)) {
        ::DeleteObject(result);
        return FALSE;
    }
    DeleteObject();
    Attach(result);
    return TRUE;
}

int CEnBitmap::GetFileType(LPCTSTR path) {
    if (!path)
        return 4;
    CString name(path);
    const int slash = name.ReverseFind('/');
    name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    if (dot <= 0)
        return 4;  // no extension, or a leading dot only
    CString ext = name.Mid(dot + 1);
    ext.MakeUpper();
    if (ext == "BMP")
        return 0;
    if (ext == "ICO")
        return 1;
    if (ext == "JPG" || ext == "JPEG")
        return 2;
    if (ext == "GIF")
        return 3;
    return 4;
}

HBITMAP CEnBitmap::LoadImageFileHandle(LPCTSTR path, COLORREF background) {
    const int type = GetFileType(path);
    if (type == 4)
        return nullptr;
    if (type == 0)
        return static_cast<HBITMAP>(
            ::LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    const std::u16string wide = kq::Utf8ToWide(path);
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicturePath(wide.c_str(), nullptr, 0, background, IID_IPicture,
                                  reinterpret_cast<LPVOID*>(&picture))) ||
        !picture)
        return nullptr;
    HBITMAP bitmap = RenderPicture(picture, background);
    picture->Release();
    return bitmap;
}

HBITMAP CEnBitmap::RenderPicture(IPicture* picture, COLORREF background) {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (!picture || FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)))
        return nullptr;
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetDC(desktop);
    if (!screen)
        return nullptr;
    const int width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
    HBITMAP bitmap = nullptr;
    if (FitsSurface(width, height)) {
        HDC mem = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, width, height);
        if (mem && bitmap) {
            HGDIOBJ old = ::SelectObject(mem, bitmap);
            if (background != kNoColor) {
                RECT all{0, 0, width, height};
                HBRUSH brush = ::CreateSolidBrush(background);
                ::FillRect(mem, &all, brush);
                ::DeleteObject(brush);
            }
            picture->Render(mem, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
            ::SelectObject(mem, old);
        }
        if (mem)
            ::DeleteDC(mem);
    }
    ::ReleaseDC(desktop, screen);
    return bitmap;
}

void CEnBitmap::FillPixels(RGBQUAD* pixels, int width, int height, COLORREF color) {
    RGBQUAD pixel{0, 0, 0, 0};
    if (color == kNoColor || color == 0x00FFFFFF)
        pixel = RGBQUAD{0xFF, 0xFF, 0xFF, 0xFF};
    else if (color != 0)
        pixel = RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0};
    std::fill(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height), pixel);
}

RGBQUAD* CEnBitmap::GetDIBits32() {
    BITMAPINFO info{};
    const int height = PrepareBitmapInfo(&info);
    if (!height)
        return nullptr;
    const int64_t width = info.bmiHeader.biWidth;
    if (!FitsSurface(width, height))
        return nullptr;
    auto* pixels = new RGBQUAD[static_cast<size_t>(width * height)];
    ScreenDC screen;
    if (!::GetDIBits(screen.get(), static_cast<HBITMAP>(GetSafeHandle()), 0,
                     static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS)) {
        delete[] pixels;
        return nullptr;
    }
    return pixels;
}

int CEnBitmap::PrepareBitmapInfo(BITMAPINFO* info, HBITMAP bitmap) {
    if (!bitmap)
        bitmap = static_cast<HBITMAP>(GetSafeHandle());
    BITMAP bm{};
    if (!bitmap || !::GetObject(bitmap, sizeof(bm), &bm) || !FitsSurface(bm.bmWidth, bm.bmHeight))
        return 0;
    *info = BITMAPINFO{};
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = bm.bmWidth;
    h.biHeight = -bm.bmHeight;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(int64_t{bm.bmWidth} * 4 * bm.bmHeight);
    return bm.bmHeight;
}
