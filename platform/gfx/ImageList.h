// Image lists: rows of equally sized images with an optional transparency mask, drawn normal,
// transparent, as mask or blended with a highlight colour; ImageList_* functions and the
// framework's CImageList.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "platform/gfx/GdiStructs.h"
#include "platform/gfx/UserDrawConstants.h"

using HIMAGELIST = HIMAGELIST_;

struct IMAGEINFO {
    HBITMAP hbmImage;  // the list's own bitmaps: not to be deleted by the caller
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Adds the images of a bitmap (as many as its width holds); the index of the first, or -1.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// Adds with a mask made from the pixels of colour `mask`; the caller's bitmap is left as it is.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// Replaces image i with an icon, or appends it when i is -1; the index, or -1.
int ImageList_ReplaceIcon(HIMAGELIST list, int i, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
    return ImageList_ReplaceIcon(list, -1, icon);
}
// Removes image i, or all images when i is -1.
BOOL ImageList_Remove(HIMAGELIST list, int i);
HICON ImageList_GetIcon(HIMAGELIST list, int i, UINT flags);
BOOL ImageList_Draw(HIMAGELIST list, int i, HDC hdc, int x, int y, UINT style);
// dx, dy: the part of the image drawn (0: all); bk: background for ILD_NORMAL (CLR_DEFAULT:
// the list's); fg: the blend colour (CLR_DEFAULT: the highlight colour, CLR_NONE: none).
BOOL ImageList_DrawEx(HIMAGELIST list, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int i, IMAGEINFO* info);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);

class CBitmap;
class CDC;

class CImageList {
  public:
    CImageList() = default;
    virtual ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // From a bitmap resource of images cx wide (ImageList_LoadImage, ImageLoad.h).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF mask);
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int Replace(int i, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, i, icon); }
    BOOL Remove(int i) { return ImageList_Remove(m_hImageList, i); }
    HICON GetIcon(int i, UINT flags = ILD_NORMAL) const {
        return ImageList_GetIcon(m_hImageList, i, flags);
    }
    BOOL Draw(CDC* dc, int i, POINT pt, UINT style);
    BOOL DrawEx(CDC* dc, int i, POINT pt, SIZE size, COLORREF bk, COLORREF fg, UINT style);
    BOOL GetImageInfo(int i, IMAGEINFO* info) const {
        return ImageList_GetImageInfo(m_hImageList, i, info);
    }
    COLORREF SetBkColor(COLORREF c) { return ImageList_SetBkColor(m_hImageList, c); }
};
