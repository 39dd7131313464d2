// The up-down control (class "msctls_updown32"): two arrow buttons that step a position through
// a range, usually beside a buddy window (an edit) that shows the number. Each step is offered
// to the parent first (UDN_DELTAPOS, which may refuse it) and then reported as WM_VSCROLL (or
// WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION; holding an arrow repeats and speeds up.
#pragma once

#include "platform/ui/commctrl/UpDownModel.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class UpDown final : public ControlWindow {
  public:
    UpDown(HWND hwnd, const CREATESTRUCT& create);
    ~UpDown() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    static ATOM Register();
    // The arrow keys of a buddy with UDS_ARROWKEYS; true when handled.
    bool OnBuddyKey(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    enum class Part { None, Up, Down };

    LRESULT HandleUpDownMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    HWND SetBuddy(HWND buddy);
    void AlignToBuddy();
    // Takes a valid number from the buddy's text; false when there is none.
    bool ReadBuddy();
    void WriteBuddy() const;
    // Offers, makes and reports one step; false when refused or at the end.
    bool Step(bool up, int increment);
    void EndScroll() const;
    Part PartAt(POINT pt) const;
    RECT PartRect(Part part) const;
    void OnButtonDown(POINT pt);
    void OnTimer();
    bool OnKeyDown(UINT vk, LPARAM lParam);
    bool IsUpKey(UINT vk) const;
    bool IsDownKey(UINT vk) const;

    UpDownModel model_;
    HWND buddy_ = nullptr;
    Part pressed_ = Part::None;
    bool mouseOnPart_ = false;
    int64_t pressStart_ = 0;
    int64_t keyStart_ = 0;
};

}  // namespace kq::ui::commctrl
