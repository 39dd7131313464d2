// The progress bar control (class "msctls_progress32"): a bar filled in proportion to a
// position within a range, in blocks or (PBS_SMOOTH) as one solid band, left to right or
// (PBS_VERTICAL) bottom to top.
#pragma once

#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class ProgressBar final : public ControlWindow {
  public:
    ProgressBar(HWND hwnd, const CREATESTRUCT& create);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    static ATOM Register();

  private:
    // Each returns what the matching message returns.
    LRESULT SetRange(int low, int high);
    LRESULT SetPos(int64_t pos);
    LRESULT StepIt();
    // The filled part of the inner area.
    RECT FilledRect(const RECT& inner) const;

    int low_ = 0;
    int high_ = 100;
    int pos_ = 0;
    int step_ = 10;
    COLORREF barColor_;
    COLORREF bkColor_;
};

}  // namespace kq::ui::commctrl
