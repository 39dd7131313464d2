// The off-screen DC through which disabled items are painted: drawn in the target's
// coordinates on a bitmap of the item, copied over when it goes; a printing target is drawn
// on directly.
#include "controls/menu/BCMenu.h"

BCMenuMemDC::BCMenuMemDC(CDC* pDC, const CRect* pRect) : m_pDC(pDC), m_rect(*pRect) {
    m_bMemDC = !pDC->IsPrinting();
    if (!m_bMemDC) {
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        m_bPrinting = pDC->m_bPrinting;
        return;
    }
    CreateCompatibleDC(pDC);
    m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

BCMenuMemDC::~BCMenuMemDC() {
    if (!m_bMemDC) {
        // Borrowed handles: not ours to delete.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
        return;
    }
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                  m_rect.top, SRCCOPY);
    SelectObject(m_oldBitmap);
}
