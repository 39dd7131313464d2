// Painting the header: the face, then each item in display order (image or box at the left,
// bitmap at the right, text in between), etched separators between items and a 3-D frame round
// the columns that exist.
#include "controls/list/CXHeaderCtrl.h"

#include <algorithm>

#include "controls/list/XListCheckBox.h"

void CXHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CXHeaderCtrl::PaintHeader(CDC* pDC) {
    CRect clip;
    if (pDC->GetClipBox(&clip) == NULLREGION || clip.IsRectEmpty())
        return;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_rgbButtonFace);

    CPen penHighLight(PS_SOLID, 1, m_rgb3DHighLight);
    CPen penShadow(PS_SOLID, 1, m_rgb3DShadow);
    CPen* oldPen = pDC->SelectObject(&penShadow);
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    CFont* oldFont = font != nullptr ? pDC->SelectObject(font) : nullptr;
    pDC->SetBkColor(m_rgbButtonFace);
    pDC->SetTextColor(m_rgbButtonText);

    const int count = GetItemCount();
    int width = 0;
    for (int order = 0; order < count; ++order) {
        const int index = OrderToIndex(order);
        char text[80] = {};
        HDITEM hdi{};
        hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        hdi.pszText = text;
        hdi.cchTextMax = sizeof text;
        GetItem(index, &hdi);
        CRect rect;
        GetItemRect(index, &rect);

        if (hdi.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_HEADER;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(index);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = m_hWnd;
            dis.hDC = pDC->GetSafeHdc();
            dis.rcItem = rect;
            DrawItem(&dis);
        } else {
            CRect inner = rect;
            inner.DeflateRect(m_iSpacing, 0);
            DrawItem(pDC, inner, &hdi);
        }

        if (order < count - 1 && m_bDividerLines) {
            pDC->SelectObject(&penShadow);
            pDC->MoveTo(rect.right - 1, rect.top + 2);
            pDC->LineTo(rect.right - 1, rect.bottom - 2);
            pDC->SelectObject(&penHighLight);
            pDC->MoveTo(rect.right, rect.top + 2);
            pDC->LineTo(rect.right, rect.bottom - 2);
        }
        width += hdi.cxy;
    }
    if (width >= 1) {
        CRect frame = client;
        frame.right = frame.left + width;
        pDC->Draw3dRect(&frame, m_rgb3DHighLight, m_rgb3DShadow);
    }
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
    pDC->SelectObject(oldPen);
}

void CXHeaderCtrl::DrawItem(CDC* pDC, CRect rect, LPHDITEM lphdi) {
    BITMAP bm{};
    const bool hasBitmap = (lphdi->fmt & HDF_BITMAP) && lphdi->hbm != nullptr &&
                           ::GetObject(lphdi->hbm, sizeof bm, &bm) != 0;
    const int imageWidth = DrawImage(pDC, rect, lphdi);
    if (imageWidth > 0)
        rect.left += m_iSpacing + imageWidth;
    if (hasBitmap) {
        const int bitmapWidth = DrawBitmap(pDC, rect, lphdi, bm);
        if (bitmapWidth > 0)
            rect.right -= m_iSpacing + bitmapWidth;
    }
    DrawItemText(pDC, rect, lphdi);
}

int CXHeaderCtrl::DrawImage(CDC* pDC, const CRect& rect, LPHDITEM lphdi) {
    if (lphdi->iImage == 0 || rect.Width() < 1)
        return 0;
    if (HIMAGELIST images = GetImageList()) {
        const int y = (rect.top + rect.bottom) / 2 - (m_nImageHeight + 1) / 2;
        const COLORREF oldBk = ImageList_SetBkColor(images, pDC->GetBkColor());
        ImageList_DrawEx(images, lphdi->iImage, pDC->GetSafeHdc(), rect.left, y,
                         std::min(m_nImageWidth, rect.Width()), m_nImageHeight, CLR_DEFAULT,
                         CLR_DEFAULT, ILD_NORMAL);
        ImageList_SetBkColor(images, oldBk);
        return m_nImageWidth;
    }
    const int size = kq::xlist::kHeaderBoxSize;
    const int top = (rect.bottom - rect.top - size) / 2 + rect.top;
    const CRect box(rect.left, top, rect.left + size, top + size);
    kq::xlist::DrawCheckBoxFrame(*pDC, box);
    if (lphdi->iImage == 2)
        kq::xlist::DrawCheckMark(*pDC, box, kq::xlist::kCheckMarkColor);
    return size;
}

int CXHeaderCtrl::DrawBitmap(CDC* pDC, const CRect& rect, LPHDITEM lphdi, const BITMAP& bm) {
    if (bm.bmWidth > rect.Width() || rect.Width() < 1)
        return 0;
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return 0;
    CBitmap* old = source.SelectObject(CBitmap::FromHandle(lphdi->hbm));
    pDC->BitBlt(rect.right - bm.bmWidth, (rect.top + rect.bottom) / 2 - bm.bmHeight / 2, bm.bmWidth,
                bm.bmHeight, &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    return bm.bmWidth;
}

void CXHeaderCtrl::DrawItemText(CDC* pDC, const CRect& rect, LPHDITEM lphdi) {
    if (!(lphdi->mask & HDI_TEXT) || !(lphdi->fmt & HDF_STRING) || rect.Width() < 1 ||
        lphdi->pszText == nullptr)
        return;
    UINT format = static_cast<UINT>(m_nFormat);
    if (m_nFormat == -1) {
        const int justify = lphdi->fmt & HDF_JUSTIFYMASK;
        format = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : 0;
    }
    pDC->SetTextColor(m_rgbText);
    CRect textRect = rect;
    pDC->DrawText(lphdi->pszText, -1, &textRect,
                  format | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}
