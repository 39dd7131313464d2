// The off-screen bitmap has the drawing rectangle's size and a window origin at its top-left
// corner, so the caller's coordinates are the target's. Printing DCs and empty bitmaps are served
// by borrowing the target's handles, which are handed back untouched at the end.
#include "controls/list/CMemDC_Tarvik.h"

#include <algorithm>

CMemDC_Tarvik::CMemDC_Tarvik(CDC* pDC, const CRect& rectCopy, const CRect& rectDraw)
    : m_pDC(pDC), m_rect(rectDraw), m_rectCopy(rectCopy) {
    Begin(m_rect.Width());
}

CMemDC_Tarvik::CMemDC_Tarvik(CDC* pDC, int widthReduction) : m_pDC(pDC) {
    pDC->GetClipBox(&m_rect);
    m_rectCopy.SetRectEmpty();
    Begin(m_rect.Width() - widthReduction);
}

void CMemDC_Tarvik::Begin(int bitmapWidth) {
    CRect area(m_rect.left, m_rect.top, m_rect.left + std::max(bitmapWidth, 0), m_rect.bottom);
    m_bMemDC = !m_pDC->IsPrinting() && !area.IsRectEmpty() && CreateCompatibleDC(m_pDC);
    if (m_bMemDC && !m_bitmap.CreateCompatibleBitmap(m_pDC, area.Width(), area.Height())) {
        DeleteDC();
        m_bMemDC = false;
    }
    if (m_bMemDC) {
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        BorrowTarget();
    }
    m_rect.right = area.right;
    FillSolidRect(&area, m_pDC->GetBkColor());
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
