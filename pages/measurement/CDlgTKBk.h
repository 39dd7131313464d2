// The logo page (template 131): the background page that shows the maker's logo.
#pragma once

#include "app/PageDialog.h"

class CDlgTKBk : public CPageDialog {
    DECLARE_DYNAMIC(CDlgTKBk)
  public:
    enum { IDD = 131 };
    CDlgTKBk() = default;

    // Draws the logo at the zoom with its origin at (x, y) (client coordinates).
    void ShowLogo(int x, int y, double zoom) {
        m_ptLogo = CPoint(x, y);
        m_dLogoZoom = zoom;
    }

    CPoint m_ptLogo{0, 0};
    double m_dLogoZoom = 0.0;
};
