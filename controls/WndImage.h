// A child window that shows one bitmap, placed and scaled by a fit mode, the rest of the
// client area painted with a background brush. Dialogs let it take the place of a static
// picture control; a left click is posted to the parent as message 10450.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/gfx/GdiWrappers.h"

class CWndImage : public CWnd {
    DECLARE_DYNAMIC(CWndImage)
  public:
    static constexpr UINT kClickMessage = 10450;

    CWndImage();
    ~CWndImage() override;

    BOOL CreateFromStatic(CWnd* pStatic);
    // own: the control deletes the bitmap when it replaces it or goes; callers keep theirs.
    void SetBitmap(HBITMAP hBitmap, bool own = false);
    bool SetBitmapFromResourceName(LPCTSTR name, HINSTANCE module = nullptr);
    bool SetBitmapFromResourceId(UINT id, HINSTANCE module = nullptr);
    // 1 zoom, 2 natural size, 3 stretched, 4 client width, 5 client height, 6 fit inside,
    // 7 cover, 8 tiled; other values become 2.
    void SetFitMode(int mode);
    int GetFitMode() const { return m_nFitMode; }
    void SetZoomXY(double zx, double zy);
    void SetZoom(double z) { SetZoomXY(z, z); }
    void SetOrigin(int x, int y);
    void SetOriginX(int x);
    void SetOriginY(int y);
    // 1 the stored origin, 2 left/top, 3 centred, 4 right/bottom.
    void SetOriginModes(int horizontal, int vertical);
    void SetBackgroundBrush(CBrush* pBrush);
    const CRect& GetDestRect() const { return m_rcDest; }
    double GetZoomX() const { return m_dZoomX; }
    double GetZoomY() const { return m_dZoomY; }
    HBITMAP GetBitmap() const { return m_hBitmap; }

    void RecalcLayout(bool invalidate);

  protected:
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    HBITMAP m_hBitmap = nullptr;
    bool m_bOwnBitmap = false;
    int m_nWidth = 0, m_nHeight = 0;
    HBRUSH m_hBrush;
    int m_nFitMode = 2, m_nOriginModeX = 2, m_nOriginModeY = 2;
    CRect m_rcImage;
    double m_dZoomX = 1.0, m_dZoomY = 1.0;
    int m_nOriginX = 0, m_nOriginY = 0;
    CRect m_rcDest;
    CPoint m_ptTile;  // where the tiles of mode 8 start
    bool m_bButtonDown = false;

  private:
    void ReleaseBitmap();
    void PaintTiles(CDC& dc, CDC& image, const CRect& client);

    DECLARE_MESSAGE_MAP()
};
