// The trackbar control (class "msctls_trackbar32"): a thumb on a channel between a minimum and
// a maximum, moved by dragging, by page clicks that repeat while the button is held, and by
// the arrow, page, Home and End keys. Each move is reported to the parent as WM_HSCROLL (or
// WM_VSCROLL with TBS_VERT) carrying a TB_ code.
#pragma once

#include "platform/ui/commctrl/TrackbarGeometry.h"
#include "platform/ui/commctrl/TrackbarModel.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class Trackbar final : public ControlWindow {
  public:
    Trackbar(HWND hwnd, const CREATESTRUCT& create);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    static ATOM Register();

  private:
    enum class Tracking { None, Thumb, PageUp, PageDown };

    TrackbarGeometry Geometry() const;
    LRESULT HandleTrackbarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void SetPos(LONG pos, bool redraw);
    void Changed(bool redraw) const;
    // Moves by a TB_ code and notifies; false when the thumb is already where the code leads.
    bool Step(WORD code);
    void Notify(WORD code) const;
    void OnButtonDown(POINT pt);
    void OnMouseMove(POINT pt);
    void OnButtonUp();
    void OnRepeatTimer();
    bool PageShouldContinue() const;
    void EndTracking(bool notifyPosition);
    bool OnKeyDown(UINT vk);

    void PaintTics(HDC hdc, const TrackbarGeometry& g) const;
    void PaintChannel(HDC hdc, const TrackbarGeometry& g) const;
    void PaintThumb(HDC hdc, const TrackbarGeometry& g) const;

    TrackbarModel model_;
    int fixedThumbLength_ = 0;
    Tracking tracking_ = Tracking::None;
    int dragOffset_ = 0;
    POINT mouse_{};
};

}  // namespace kq::ui::commctrl
