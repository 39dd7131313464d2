// An off-screen device context for flicker-free painting. The caller draws on it in the target's
// own coordinates; the destructor copies the picture to the target in one blit. On a printing DC
// there is no off-screen copy: the drawing goes straight to the printer.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"

class CMemDC_Tarvik : public CDC {
  public:
    // Draws into rectDraw (target coordinates) and copies back rectCopy, or the whole of rectDraw
    // when rectCopy is empty.
    CMemDC_Tarvik(CDC* pDC, const CRect& rectCopy, const CRect& rectDraw);
    // Draws over the target's clip box; the rightmost widthReduction pixels stay the target's own.
    // A reduction that leaves no width draws straight to the target.
    explicit CMemDC_Tarvik(CDC* pDC, int widthReduction = 0);
    ~CMemDC_Tarvik() override;

    CMemDC_Tarvik(const CMemDC_Tarvik&) = delete;
    CMemDC_Tarvik& operator=(const CMemDC_Tarvik&) = delete;

    CMemDC_Tarvik* operator->() { return this; }
    operator CMemDC_Tarvik*() { return this; }

    // True while drawing goes to an off-screen bitmap rather than straight to the target.
    bool IsOffScreen() const { return m_bMemDC; }

  private:
    void Begin(int bitmapWidth);
    void BorrowTarget();

    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    CRect m_rectCopy;
    bool m_bMemDC = false;
};
