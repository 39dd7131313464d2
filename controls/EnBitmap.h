// A bitmap that loads BMP, ICO, JPEG and GIF files and runs chains of 32-bit pixel processors
// (CImageRotator) over its contents. Parts a processor leaves uncovered take the background
// colour given at construction.
#pragma once

#include "controls/ImageProcessor.h"
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/OlePicture.h"

class CEnBitmap : public CBitmap {
  public:
    explicit CEnBitmap(COLORREF background = 0);
    ~CEnBitmap() override = default;

    // False when a bitmap is already held or the file cannot be loaded; 0xFFFFFFFF takes the
    // background given at construction.
    BOOL LoadImageFile(LPCTSTR path, COLORREF background = 0xFFFFFFFF);
    // Rotates clockwise on the screen by whole degrees; false keeps the old bitmap.
    BOOL RotateImage(int degrees, bool weighted = false);
    BOOL ProcessImage(C32BitImageProcessor* processor);
    BOOL ProcessImage(C32BitImageProcessorArray& processors);

    // 0 BMP, 1 ICO, 2 JPG/JPEG, 3 GIF, 4 none: the extension of the path's last component.
    static int GetFileType(LPCTSTR path);
    // A new bitmap from the file; null when it cannot be had.
    static HBITMAP LoadImageFileHandle(LPCTSTR path, COLORREF background);
    // The picture drawn at its pixel size on the background (0xFFFFFFFF: none).
    static HBITMAP RenderPicture(IPicture* picture, COLORREF background);
    // Fills a 32-bit pixel buffer with the colour (0xFFFFFFFF counts as white).
    static void FillPixels(RGBQUAD* pixels, int width, int height, COLORREF color);

  protected:
    // The held bitmap's pixels as a 32-bit top-down buffer (new[]), null on failure.
    RGBQUAD* GetDIBits32();
    // The 32-bit top-down header of the bitmap (the held one when null); its height, 0 on
    // failure.
    int PrepareBitmapInfo(BITMAPINFO* info, HBITMAP bitmap = nullptr);

  private:
    COLORREF m_crBkgnd;
};
