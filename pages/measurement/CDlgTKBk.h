// The logo page (template 131): the background page that shows the maker's logo, a picture
// control over the whole page on the page's brush.
#pragma once

#include "controls/WndImage.h"
#include "pages/common/PageDialog.h"

class CDlgTKBk : public CPageDialog {
    DECLARE_DYNAMIC(CDlgTKBk)
  public:
    enum { IDD = 131 };
    // The picture's fit mode: the bitmap at its natural size, then zoomed.
    static constexpr int kNaturalSize = 2;
    CDlgTKBk() = default;

    // Draws the logo at the zoom with its origin at (x, y) (client coordinates); the bitmap is
    // loaded on first use.
    void ShowLogo(int x, int y, double zoom);

    CPoint m_ptLogo{0, 0};
    double m_dLogoZoom = 0.0;
    CWndImage m_wndLogo;

  protected:
    BOOL OnInitDialog() override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

  private:
    CBrush m_brush;
    bool m_bLogoLoaded = false;
};
