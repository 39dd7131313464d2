// The header's messages: painting through the off-screen DC, no erasing, system colours, the
// double click taken as a second click (so quick clicks on a header box toggle it every time), and
// the size of the pictures of an attached image list.
#include "controls/list/CXHeaderCtrl.h"

#include "controls/list/CMemDC_Tarvik.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNCREATE(CXHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(HDM_SETIMAGELIST, &CXHeaderCtrl::OnSetImageList)
END_MESSAGE_MAP()

CXHeaderCtrl::CXHeaderCtrl() : m_rgbText(::GetSysColor(COLOR_BTNTEXT)) {
    ReadSysColors();
}

void CXHeaderCtrl::ReadSysColors() {
    m_rgb3DHighLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_rgb3DShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_rgbButtonFace = ::GetSysColor(COLOR_BTNFACE);
    m_rgbButtonText = ::GetSysColor(COLOR_BTNTEXT);
}

void CXHeaderCtrl::OnPaint() {
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC_Tarvik memDC(&dc);
        PaintHeader(&memDC);
    } else {
        PaintHeader(&dc);
    }
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;  // the paint covers the whole client
}

void CXHeaderCtrl::OnSysColorChange() {
    CHeaderCtrl::OnSysColorChange();
    ReadSysColors();
}

void CXHeaderCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM, LPARAM lParam) {
    IMAGEINFO info{};
    if (ImageList_GetImageInfo(reinterpret_cast<HIMAGELIST>(lParam), 0, &info)) {
        m_nImageWidth = info.rcImage.right - info.rcImage.left;
        m_nImageHeight = info.rcImage.bottom - info.rcImage.top;
    }
    return Default();
}
