#include "pages/measurement/CDlgTKBk.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgTKBk, CPageDialog)

BEGIN_MESSAGE_MAP(CDlgTKBk, CPageDialog)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CDlgTKBk::OnInitDialog() {
    CPageDialog::OnInitDialog();
    m_brush.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    if (CWnd* place = GetDlgItem(IDC_LOGO_PICTURE)) {
        m_wndLogo.CreateFromStatic(place);
        m_wndLogo.SetBackgroundBrush(&m_brush);
    }
    return TRUE;
}

void CDlgTKBk::OnSize(UINT nType, int cx, int cy) {
    CPageDialog::OnSize(nType, cx, cy);
    if (m_wndLogo.m_hWnd != nullptr)
        m_wndLogo.MoveWindow(0, 0, cx, cy, TRUE);
}

void CDlgTKBk::ShowLogo(int x, int y, double zoom) {
    m_ptLogo = CPoint(x, y);
    m_dLogoZoom = zoom;
    if (m_wndLogo.m_hWnd == nullptr)
        return;
    if (!m_bLogoLoaded) {
        m_bLogoLoaded = m_wndLogo.SetBitmapFromResourceId(IDB_LOGO);
        m_wndLogo.SetFitMode(kNaturalSize);
    }
    m_wndLogo.SetZoom(zoom);
    m_wndLogo.SetOrigin(x, y);
}
