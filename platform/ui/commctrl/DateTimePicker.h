// The date-time picker control (class "SysDateTimePick32"): a date or time shown in a format,
// edited field by field with the keyboard or the mouse; with DTS_UPDOWN small arrows step the
// selected field, otherwise a button opens a month calendar. Each change the user makes is
// reported to the parent as DTN_DATETIMECHANGE.
#pragma once

#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commctrl/DateTimeEditor.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class DateTimePicker final : public ControlWindow {
  public:
    DateTimePicker(HWND hwnd, const CREATESTRUCT& create);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    static ATOM Register();
    // The calendar chose a date (keeping the time of day) or was closed.
    void CalendarChose(const SYSTEMTIME& date);
    void CalendarClosed();

  private:
    LRESULT HandlePickerMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Runs an edit and reports it when the value changed.
    template <class Edit>
    void Edit(Edit&& edit);
    void ApplyDefaultFormat();
    RECT ButtonRect() const;  // the arrows (DTS_UPDOWN) or the drop-down button
    RECT TextRect() const;
    // The element under a point, -1 for none.
    int ElementAt(POINT pt) const;
    void OnButtonDown(POINT pt);
    bool OnKeyDown(UINT vk);
    void OnChar(char32_t c);
    void OpenCalendar();

    DateTimeEditor editor_;
    bool customFormat_ = false;
    // The language of the default format in use: a switch of the program's language shows the
    // date in the new language's order at the next paint or read.
    ControlLanguage formatLanguage_ = ControlLanguage::English;
    HWND calendar_ = nullptr;
};

}  // namespace kq::ui::commctrl
