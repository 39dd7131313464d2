// An off-screen device context for flicker-free painting. The caller draws on it in the target's
// own coordinates; the destructor copies the picture to the target in one blit. On a printing DC
// there is no off-screen copy: the drawing goes straight to the printer.
#pragma once

#include <memory>

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
    // Draws into rectDraw through `kept`, a bitmap the caller holds between paints: it is made
    // anew only when missing or when its size or pixel format no longer fits the target, and
    // it still holds the picture after the copy back. Nothing is filled in first, so the
    // caller paints every pixel of rectDraw (what it leaves is the previous paint's).
    CMemDC_Tarvik(CDC* pDC, const CRect& rectDraw, std::unique_ptr<CBitmap>& kept);
    ~CMemDC_Tarvik() override;

    CMemDC_Tarvik(const CMemDC_Tarvik&) = delete;
    CMemDC_Tarvik& operator=(const CMemDC_Tarvik&) = delete;

    CMemDC_Tarvik* operator->() { return this; }
    operator CMemDC_Tarvik*() { return this; }

    // True while drawing goes to an off-screen bitmap rather than straight to the target.
    bool IsOffScreen() const { return m_bMemDC; }

  private:
    void Begin(int bitmapWidth);
    bool SelectBitmap(const CSize& size);
    void BorrowTarget();

    CBitmap m_bitmap;
    std::unique_ptr<CBitmap>* m_kept = nullptr;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    CRect m_rectCopy;
    bool m_bMemDC = false;
};
