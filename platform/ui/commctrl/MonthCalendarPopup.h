// The month calendar that a date-time picker drops down: a month with arrows to the previous
// and next one, the days in a grid of weeks, the picker's date marked. A click on a day or
// Enter chooses it; a click elsewhere or Escape closes the calendar. It holds the mouse
// capture while open; the picker keeps the keyboard focus and passes the keys on.
#pragma once

#include <optional>

#include "platform/base/SystemTime.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class MonthCalendarPopup final : public ControlWindow {
  public:
    MonthCalendarPopup(HWND hwnd, const CREATESTRUCT& create);

    static ATOM Register();
    // Opens below `at` (screen) for the picker; returns the pop-up window.
    static HWND Open(HWND picker, POINT at, const SYSTEMTIME& date,
                     const std::optional<SYSTEMTIME>& min, const std::optional<SYSTEMTIME>& max,
                     HFONT font);

    // Closes an open calendar; the picker hears of it unless told not to.
    static void Dismiss(HWND popup, bool tellPicker);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    // Cell and header geometry, client coordinates.
    RECT DayCell(int row, int column) const;
    RECT PrevArrow() const;
    RECT NextArrow() const;
    SIZE WindowSize() const;

  private:
    int64_t FirstShownDay() const;  // the day number in the top-left cell
    int FirstWeekday() const;       // 0 Sunday, 1 Monday
    bool Allowed(int64_t day) const;
    void ShowMonth(int year, int month);
    void MoveCursor(int64_t day);
    void Choose(int64_t day);
    void Close();
    void OnButtonDown(POINT pt);
    void OnKeyDown(UINT vk);

    HWND picker_ = nullptr;
    int year_ = 2000;
    int month_ = 1;
    int64_t cursor_ = 0;  // day number of the marked day
    std::optional<int64_t> min_;
    std::optional<int64_t> max_;
    int cellWidth_ = 24;
    int cellHeight_ = 16;
    bool closing_ = false;
};

}  // namespace kq::ui::commctrl
