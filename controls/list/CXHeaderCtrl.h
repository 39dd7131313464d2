// The column header of the report list. It paints every item itself (flicker-free through an
// off-screen DC) and shows a check box per column: the item's image index is the column's
// header check state, 0 none, 1 unchecked, 2 checked.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/commctrl/HeaderCtrl.h"

class CXListCtrl;

class CXHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNCREATE(CXHeaderCtrl)
  public:
    CXHeaderCtrl();

    void SetListCtrl(CXListCtrl* pListCtrl) { m_pListCtrl = pListCtrl; }
    // Pixels between an item's edge, its image, its text and its bitmap.
    int GetSpacing() const { return m_iSpacing; }
    void SetSpacing(int nSpacing) { m_iSpacing = nSpacing; }
    // Painting through an off-screen DC (on by default).
    void SetDoubleBuffer(BOOL bDoubleBuffer) { m_bDoubleBuffer = bDoubleBuffer; }

    // Owner-drawn items are the owner's; the header draws nothing for them.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Draws a normal item into rect (already narrowed by the spacing).
    virtual void DrawItem(CDC* pDC, CRect rect, LPHDITEM lphdi);

  protected:
    // The whole header on one DC: background, items, separators and the frame.
    void PaintHeader(CDC* pDC);
    // Each answers the width it took from the rectangle, 0 when it drew nothing.
    int DrawImage(CDC* pDC, const CRect& rect, LPHDITEM lphdi);
    int DrawBitmap(CDC* pDC, const CRect& rect, LPHDITEM lphdi, const BITMAP& bm);
    void DrawItemText(CDC* pDC, const CRect& rect, LPHDITEM lphdi);
    void ReadSysColors();

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    CXListCtrl* m_pListCtrl = nullptr;
    int m_nFormat = -1;  // DrawText alignment; -1 takes each item's own
    COLORREF m_rgbText;
    int m_bDividerLines = 1;
    int m_bDoubleBuffer = 1;
    int m_iSpacing = 6;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    COLORREF m_rgb3DHighLight = 0;
    COLORREF m_rgb3DShadow = 0;
    COLORREF m_rgbButtonFace = 0;
    COLORREF m_rgbButtonText = 0;
};
