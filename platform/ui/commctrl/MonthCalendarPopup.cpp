#include "platform/ui/commctrl/MonthCalendarPopup.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/base/CivilDate.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commctrl/DateTimeFormat.h"
#include "platform/ui/commctrl/DateTimePicker.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commctrl {

namespace {
constexpr const char* kClass = "KqMonthCalendarPopup";
constexpr int kMargin = 4;
constexpr int kRows = 6;

int64_t DayOf(const SYSTEMTIME& t) {
    return DaysFromCivil(t.wYear, t.wMonth, t.wDay);
}

struct OpenParams {
    HWND picker;
    SYSTEMTIME date;
    std::optional<SYSTEMTIME> min;
    std::optional<SYSTEMTIME> max;
};
}  // namespace

MonthCalendarPopup::MonthCalendarPopup(HWND hwnd, const CREATESTRUCT& create)
    : ControlWindow(hwnd) {
    const auto* params = static_cast<const OpenParams*>(create.lpCreateParams);
    if (!params)
        return;
    picker_ = params->picker;
    cursor_ = DayOf(params->date);
    year_ = params->date.wYear;
    month_ = params->date.wMonth;
    if (params->min)
        min_ = DayOf(*params->min);
    if (params->max)
        max_ = DayOf(*params->max);
}

ATOM MonthCalendarPopup::Register() {
    return RegisterControlClass(kClass, &ControlWindowProc<MonthCalendarPopup>);
}

HWND MonthCalendarPopup::Open(HWND picker, POINT at, const SYSTEMTIME& date,
                              const std::optional<SYSTEMTIME>& min,
                              const std::optional<SYSTEMTIME>& max, HFONT font) {
    Register();
    OpenParams params{picker, date, min, max};
    HWND owner = GetAncestor(picker, GA_ROOT);
    HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP | WS_BORDER, at.x, at.y, 0,
                                0, owner, nullptr, nullptr, &params);
    if (!popup)
        return nullptr;
    SendMessage(popup, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    auto* self = static_cast<MonthCalendarPopup*>(StateOf(popup));
    const SIZE size = self->WindowSize();
    RECT frame{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    SetWindowPos(popup, HWND_TOP, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(popup);
    return popup;
}

SIZE MonthCalendarPopup::WindowSize() const {
    return SIZE{2 * kMargin + 7 * cellWidth_, 2 * kMargin + (kRows + 2) * cellHeight_ + 4};
}

int MonthCalendarPopup::FirstWeekday() const {
    return GetControlLanguage() == ControlLanguage::English ? 0 : 1;
}

int64_t MonthCalendarPopup::FirstShownDay() const {
    const int64_t first = DaysFromCivil(year_, month_, 1);
    const int back = (WeekdayFromDays(first) - FirstWeekday() + 7) % 7;
    return first - back;
}

bool MonthCalendarPopup::Allowed(int64_t day) const {
    const CivilDate date = CivilFromDays(day);
    if (date.year < 1601 || date.year > 9999)
        return false;
    return (!min_ || day >= *min_) && (!max_ || day <= *max_);
}

RECT MonthCalendarPopup::PrevArrow() const {
    return RECT{kMargin, kMargin, kMargin + cellWidth_, kMargin + cellHeight_};
}

RECT MonthCalendarPopup::NextArrow() const {
    const int right = kMargin + 7 * cellWidth_;
    return RECT{right - cellWidth_, kMargin, right, kMargin + cellHeight_};
}

RECT MonthCalendarPopup::DayCell(int row, int column) const {
    const int top = kMargin + 2 * cellHeight_ + 4 + row * cellHeight_;
    const int left = kMargin + column * cellWidth_;
    return RECT{left, top, left + cellWidth_, top + cellHeight_};
}

void MonthCalendarPopup::ShowMonth(int year, int month) {
    if (month < 1) {
        month = 12;
        --year;
    } else if (month > 12) {
        month = 1;
        ++year;
    }
    if (year < 1601 || year > 9999)
        return;
    year_ = year;
    month_ = month;
    Invalidate();
}

void MonthCalendarPopup::MoveCursor(int64_t day) {
    if (!Allowed(day))
        return;
    cursor_ = day;
    const CivilDate date = CivilFromDays(day);
    ShowMonth(static_cast<int>(date.year), date.month);
}

void MonthCalendarPopup::Choose(int64_t day) {
    if (!Allowed(day))
        return;
    const CivilDate date = CivilFromDays(day);
    SYSTEMTIME chosen{};
    chosen.wYear = static_cast<WORD>(date.year);
    chosen.wMonth = static_cast<WORD>(date.month);
    chosen.wDay = static_cast<WORD>(date.day);
    if (picker_ && IsWindow(picker_))
        if (auto* control = static_cast<DateTimePicker*>(StateOf(picker_)))
            control->CalendarChose(chosen);
    Close();
}

void MonthCalendarPopup::Close() {
    if (closing_)
        return;
    closing_ = true;
    DestroyWindow(hwnd_);  // deletes this object
}

void MonthCalendarPopup::Dismiss(HWND popup, bool tellPicker) {
    if (!IsWindow(popup))
        return;
    auto* self = static_cast<MonthCalendarPopup*>(StateOf(popup));
    if (!self)
        return;
    if (!tellPicker)
        self->picker_ = nullptr;
    self->Close();
}

void MonthCalendarPopup::OnButtonDown(POINT pt) {
    const RECT client = ClientRect();
    if (!PtInRect(&client, pt)) {
        Close();
        return;
    }
    const RECT prev = PrevArrow(), next = NextArrow();
    if (PtInRect(&prev, pt)) {
        ShowMonth(year_, month_ - 1);
        return;
    }
    if (PtInRect(&next, pt)) {
        ShowMonth(year_, month_ + 1);
        return;
    }
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < 7; ++column) {
            const RECT cell = DayCell(row, column);
            if (PtInRect(&cell, pt)) {
                Choose(FirstShownDay() + row * 7 + column);
                return;
            }
        }
    }
}

void MonthCalendarPopup::OnKeyDown(UINT vk) {
    switch (vk) {
        case VK_LEFT:
            MoveCursor(cursor_ - 1);
            break;
        case VK_RIGHT:
            MoveCursor(cursor_ + 1);
            break;
        case VK_UP:
            MoveCursor(cursor_ - 7);
            break;
        case VK_DOWN:
            MoveCursor(cursor_ + 7);
            break;
        case VK_PRIOR:
        case VK_NEXT: {
            const CivilDate date = CivilFromDays(cursor_);
            int year = static_cast<int>(date.year);
            int month = date.month + (vk == VK_NEXT ? 1 : -1);
            if (month < 1) {
                month = 12;
                --year;
            } else if (month > 12) {
                month = 1;
                ++year;
            }
            if (year >= 1601 && year <= 9999)
                MoveCursor(
                    DaysFromCivil(year, month, std::min(date.day, DaysInMonth(year, month))));
            break;
        }
        case VK_RETURN:
            Choose(cursor_);
            break;
        case VK_ESCAPE:
        case VK_F4:
            Close();
            break;
        default:
            break;
    }
}

LRESULT MonthCalendarPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_SETFONT) {
        const HFONT font = reinterpret_cast<HFONT>(wParam);
        cellWidth_ = TextWidth(font ? font : DefaultControlFont(), "88") + 12;
        cellHeight_ = FontHeight(font ? font : DefaultControlFont()) + 4;
    }
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_ && !closing_)
                Close();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DESTROY: {
            closing_ = true;
            if (GetCapture() == hwnd_)
                ReleaseCapture();
            const HWND picker = std::exchange(picker_, nullptr);
            if (picker && IsWindow(picker))
                if (auto* control = static_cast<DateTimePicker*>(StateOf(picker)))
                    control->CalendarClosed();
            return 0;
        }
        default:
            return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

void MonthCalendarPopup::Paint(HDC hdc, const RECT&) {
    const RECT client = ClientRect();
    FillColor(hdc, client, GetSysColor(COLOR_WINDOW));
    SelectGuard font(hdc, Font());
    SetBkMode(hdc, TRANSPARENT);
    const UINT centred = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;

    // Title and arrows.
    RECT title{kMargin, kMargin, client.right - kMargin, kMargin + cellHeight_};
    FillColor(hdc, title, GetSysColor(COLOR_BTNFACE));
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    const std::string caption = MonthName(month_, false) + " " + std::to_string(year_);
    DrawText(hdc, caption.c_str(), static_cast<int>(caption.size()), &title, centred);
    RECT prev = PrevArrow(), next = NextArrow();
    DrawFrameControl(hdc, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
    DrawFrameControl(hdc, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);

    // Weekday names over a line.
    for (int column = 0; column < 7; ++column) {
        RECT cell = DayCell(0, column);
        OffsetRect(&cell, 0, -cellHeight_ - 4);
        const std::string name = DayName((FirstWeekday() + column) % 7, true);
        DrawText(hdc, name.c_str(), static_cast<int>(name.size()), &cell, centred);
    }
    const RECT first = DayCell(0, 0);
    DrawLine(hdc, POINT{kMargin, first.top - 2}, POINT{client.right - kMargin - 1, first.top - 2},
             GetSysColor(COLOR_BTNSHADOW));

    // Days; those of the neighbouring months and those outside the range are greyed.
    const int64_t start = FirstShownDay();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int64_t day = start + row * 7 + column;
            const CivilDate date = CivilFromDays(day);
            RECT cell = DayCell(row, column);
            COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
            if (date.month != month_ || !Allowed(day))
                color = GetSysColor(COLOR_GRAYTEXT);
            if (day == cursor_) {
                FillColor(hdc, cell, GetSysColor(COLOR_HIGHLIGHT));
                color = GetSysColor(COLOR_HIGHLIGHTTEXT);
            }
            SetTextColor(hdc, color);
            const std::string number = std::to_string(date.day);
            DrawText(hdc, number.c_str(), static_cast<int>(number.size()), &cell, centred);
        }
    }
}

}  // namespace kq::ui::commctrl
