// The framework wrappers' resource loading: CBitmap::LoadBitmap and CImageList::Create from a
// bitmap resource.
#include "platform/gfx/GdiWrappers.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/ImageLoad.h"

BOOL CBitmap::LoadBitmap(LPCTSTR name) {
    if (m_hObject) {
        return FALSE;
    }
    return Attach(::LoadBitmap(nullptr, name));
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return LoadBitmap(MAKEINTRESOURCE(static_cast<int>(id)));
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask) {
    DeleteImageList();
    return Attach(
        ImageList_LoadImage(nullptr, bitmapName, cx, grow, mask, IMAGE_BITMAP, LR_DEFAULTCOLOR));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    return Create(MAKEINTRESOURCE(static_cast<int>(bitmapId)), cx, grow, mask);
}
