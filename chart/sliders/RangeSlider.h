// A slider with two arrow-shaped handles selecting [left, right] inside [minimum, maximum], with
// an optional visible range shown as a band. Drawn horizontally or vertically, optionally with
// inverted values (stored negated), moved by mouse (either handle, or both by the bar between
// them) and by the arrow keys. Every change is sent as RANGE_CHANGED: wParam 0 left end moved,
// 1 right end, 2 both; to the notify window, or the parent.
#pragma once

#include <memory>

#include "platform/framework/Wnd.h"
#include "platform/gfx/GdiWrappers.h"

// The registered number of "RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider",
// registered before any window exists.
extern const UINT RANGE_CHANGED;

class CRangeSlider : public CWnd {
  public:
    static constexpr const char* kClassName = "MFCRangeSlider";
    enum TrackPart { kLeftHandle = 0, kRightHandle = 1, kBar = 2 };

    CRangeSlider();
    ~CRangeSlider() override = default;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context = nullptr);
    void SetNotifyWnd(CWnd* wnd) { m_pWndNotify = wnd; }

    // Non-finite arguments are ignored.
    void SetMinMax(double min, double max);
    void SetRange(double left, double right);
    void SetVisualMinMax(double min, double max);
    // As the caller gave them, whether inverted or not.
    void GetMinMax(double& min, double& max) const;
    void GetRange(double& left, double& right) const;
    void GetVisualMinMax(double& min, double& max) const;
    void SetVisualMode(bool show);
    void SetVerticalMode(bool vertical);
    void SetInvertedMode(bool inverted);
    bool IsTracking() const { return m_bTracking; }
    int GetChannelLength() const { return m_dx; }
    const CRect& GetLeftHandleRect() const { return m_RectLeft; }
    const CRect& GetRightHandleRect() const { return m_RectRight; }

  protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnCaptureChanged(CWnd* wnd);
    UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

  private:
    void Draw(CDC& dc, int along, int across);
    // The pixel along the channel of a value, kept within the channel.
    int ToPixel(double value) const;
    // Whether drags and keys can move anything: a channel and a range to move over.
    bool Movable() const;
    void Notify(int what);
    // Invalidates the control once it has a window.
    void Refresh();
    void ClampSelection();
    void ClampVisible();
    CRect Oriented(int a1, int c1, int a2, int c2) const;
    CPoint OrientedPoint(int along, int across) const;

    double m_Min = 0.0;
    double m_Max = 1.0;
    double m_Left = 0.0;
    double m_Right = 1.0;
    double m_VisualMin = 0.0;
    double m_VisualMax = 0.0;
    int m_nArrowWidth = 10;
    bool m_bHorizontal = true;
    bool m_bVisualMinMax = false;
    bool m_bInvertedMode = false;
    bool m_bTracking = false;
    int m_TrackMode = kLeftHandle;
    CRect m_RectLeft;
    CRect m_RectRight;
    int m_dx = 0;
    // The press of a drag, along the channel, and the selection it started from: the grabbed
    // part keeps its offset from the mouse, so a move of 0 pixels changes nothing.
    int m_nDragStart = 0;
    double m_fDragLeft = 0.0;
    double m_fDragRight = 0.0;
    CWnd* m_pWndNotify = nullptr;
    // The off-screen picture, kept between paints: the slider repaints with every refresh of
    // the diagram above it.
    std::unique_ptr<CBitmap> m_offScreen;
};
