// The off-screen bitmap has the drawing rectangle's size and a window origin at its top-left
// corner, so the caller's coordinates are the target's. Printing DCs and empty bitmaps are served
// by borrowing the target's handles, which are handed back untouched at the end.
#include "controls/list/CMemDC_Tarvik.h"

#include <algorithm>

namespace {

// Whether a bitmap kept from an earlier paint can take this one: same size, and the pixel
// format a bitmap made for the target now would have (a window moved to another screen).
bool Fits(CBitmap* bitmap, CDC* target, const CSize& size) {
    BITMAP bm{};
    return bitmap != nullptr && bitmap->GetBitmap(&bm) != 0 && bm.bmWidth == size.cx &&
           bm.bmHeight == size.cy &&
           bm.bmBitsPixel * bm.bmPlanes ==
               target->GetDeviceCaps(BITSPIXEL) * target->GetDeviceCaps(PLANES);
}

}  // namespace

CMemDC_Tarvik::CMemDC_Tarvik(CDC* pDC, const CRect& rectCopy, const CRect& rectDraw)
    : m_pDC(pDC), m_rect(rectDraw), m_rectCopy(rectCopy) {
    Begin(m_rect.Width());
}

CMemDC_Tarvik::CMemDC_Tarvik(CDC* pDC, int widthReduction) : m_pDC(pDC) {
    pDC->GetClipBox(&m_rect);
    m_rectCopy.SetRectEmpty();
    Begin(m_rect.Width() - widthReduction);
}

CMemDC_Tarvik::CMemDC_Tarvik(CDC* pDC, const CRect& rectDraw, std::unique_ptr<CBitmap>& kept)
    : m_kept(&kept), m_pDC(pDC), m_rect(rectDraw) {
    Begin(m_rect.Width());
}

void CMemDC_Tarvik::Begin(int bitmapWidth) {
    CRect area(m_rect.left, m_rect.top, m_rect.left + std::max(bitmapWidth, 0), m_rect.bottom);
    m_bMemDC = !m_pDC->IsPrinting() && !area.IsRectEmpty() && CreateCompatibleDC(m_pDC);
    if (m_bMemDC && !SelectBitmap(area.Size())) {
        DeleteDC();
        m_bMemDC = false;
    }
    if (m_bMemDC)
        SetWindowOrg(m_rect.left, m_rect.top);
    else
        BorrowTarget();
    m_rect.right = area.right;
    if (m_kept == nullptr)
        FillSolidRect(&area, m_pDC->GetBkColor());
}

// Selects the bitmap to draw on: the caller's kept one while it fits, else a new one.
bool CMemDC_Tarvik::SelectBitmap(const CSize& size) {
    CBitmap* bitmap = &m_bitmap;
    if (m_kept != nullptr) {
        if (!Fits(m_kept->get(), m_pDC, size)) {
            // A bitmap of the wrong size must not stay behind as the caller's picture.
            m_kept->reset();
            auto fresh = std::make_unique<CBitmap>();
            if (!fresh->CreateCompatibleBitmap(m_pDC, size.cx, size.cy))
                return false;
            *m_kept = std::move(fresh);
        }
        bitmap = m_kept->get();
    } else if (!m_bitmap.CreateCompatibleBitmap(m_pDC, size.cx, size.cy)) {
        return false;
    }
    m_oldBitmap = SelectObject(bitmap);
    return true;
}

void CMemDC_Tarvik::BorrowTarget() {
    m_bPrinting = m_pDC->m_bPrinting;
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
}

CMemDC_Tarvik::~CMemDC_Tarvik() {
    if (!m_bMemDC) {
        // The handles are the target's: the base destructor must not delete them.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
        return;
    }
    const CRect& copy = m_rectCopy.IsRectEmpty() ? m_rect : m_rectCopy;
    m_pDC->BitBlt(copy.left, copy.top, copy.Width(), copy.Height(), this, copy.left, copy.top,
                  SRCCOPY);
    SelectObject(m_oldBitmap);
    m_bitmap.DeleteObject();
}
