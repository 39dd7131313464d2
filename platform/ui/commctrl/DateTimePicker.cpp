#include "platform/ui/commctrl/DateTimePicker.h"

#include <utility>

#include "platform/ui/commctrl/DateTimePickerApi.h"
#include "platform/ui/commctrl/MonthCalendarPopup.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {

namespace {
constexpr int kTextMargin = 2;
}  // namespace

DateTimePicker::DateTimePicker(HWND hwnd, const CREATESTRUCT& create) : ControlWindow(hwnd) {
    editor_.SetFormat(ParseDateFormat(DefaultDateFormat(static_cast<DWORD>(create.style))));
    formatLanguage_ = GetControlLanguage();
    // The picker always shows the sunken edge of a field, whatever its template says.
    SetWindowLong(hwnd, GWL_EXSTYLE, static_cast<LONG>(create.dwExStyle | WS_EX_CLIENTEDGE));
}

ATOM DateTimePicker::Register() {
    MonthCalendarPopup::Register();
    return RegisterControlClass(DATETIMEPICK_CLASS, &ControlWindowProc<DateTimePicker>);
}

template <class EditFn>
void DateTimePicker::Edit(EditFn&& edit) {
    const SYSTEMTIME before = editor_.Time();
    edit();
    Invalidate();
    if (CompareSystemTime(before, editor_.Time()) == 0)
        return;
    NMDATETIMECHANGE change{};
    change.dwFlags = GDT_VALID;
    change.st = editor_.Time();
    Notify(DTN_DATETIMECHANGE, &change.nmhdr);
}

void DateTimePicker::ApplyDefaultFormat() {
    editor_.SetFormat(ParseDateFormat(DefaultDateFormat(Style())));
    customFormat_ = false;
    formatLanguage_ = GetControlLanguage();
}

RECT DateTimePicker::ButtonRect() const {
    RECT rc = ClientRect();
    rc.left = std::max<LONG>(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
    return rc;
}

RECT DateTimePicker::TextRect() const {
    RECT rc = ClientRect();
    rc.left += kTextMargin;
    rc.right = ButtonRect().left - 1;
    return rc;
}

int DateTimePicker::ElementAt(POINT pt) const {
    const RECT text = TextRect();
    if (pt.x < text.left || pt.x >= text.right)
        return -1;
    const HFONT font = Font();
    int x = text.left;
    const int count = static_cast<int>(editor_.Elements().size());
    for (int i = 0; i < count; ++i) {
        const int right = x + TextWidth(font, editor_.ElementText(i));
        if (pt.x < right)
            return editor_.Elements()[i].field == DateField::Literal ? -1 : i;
        x = right;
    }
    return -1;
}

void DateTimePicker::OnButtonDown(POINT pt) {
    SetFocus(hwnd_);
    const RECT button = ButtonRect();
    if (PtInRect(&button, pt)) {
        if (Style() & DTS_UPDOWN) {
            const bool up = pt.y < (button.top + button.bottom) / 2;
            Edit([&] { editor_.Step(up ? 1 : -1); });
        } else {
            OpenCalendar();
        }
        return;
    }
    const int element = ElementAt(pt);
    if (element >= 0)
        Edit([&] { editor_.Select(element); });
}

bool DateTimePicker::OnKeyDown(UINT vk) {
    if (calendar_ && IsWindow(calendar_)) {
        SendMessage(calendar_, WM_KEYDOWN, vk, 0);
        return true;
    }
    switch (vk) {
        case VK_LEFT:
            Edit([&] { editor_.MoveSelection(-1); });
            return true;
        case VK_RIGHT:
            Edit([&] { editor_.MoveSelection(1); });
            return true;
        case VK_UP:
            Edit([&] { editor_.Step(1); });
            return true;
        case VK_DOWN:
            if ((GetKeyState(VK_MENU) < 0) && !(Style() & DTS_UPDOWN)) {
                OpenCalendar();
                return true;
            }
            Edit([&] { editor_.Step(-1); });
            return true;
        case VK_HOME:
            Edit([&] { editor_.ToLimit(false); });
            return true;
        case VK_END:
            Edit([&] { editor_.ToLimit(true); });
            return true;
        case VK_RETURN:
            Edit([&] { editor_.Commit(); });
            return true;
        case VK_F4:
            if (!(Style() & DTS_UPDOWN)) {
                OpenCalendar();
                return true;
            }
            return false;
        default:
            return false;
    }
}

void DateTimePicker::OnChar(char32_t c) {
    // Typing the separator that follows the selected field moves on to the next field.
    const int selected = editor_.Selected();
    const auto& elements = editor_.Elements();
    if (selected >= 0 && selected + 1 < static_cast<int>(elements.size()) && c < 0x80 &&
        elements[selected + 1].field == DateField::Literal && !(c >= '0' && c <= '9')) {
        const std::string& literal = elements[selected + 1].text;
        if (literal.find(static_cast<char>(c)) != std::string::npos && c != ' ') {
            Edit([&] { editor_.MoveSelection(1); });
            return;
        }
    }
    Edit([&] { editor_.TypeChar(c); });
}

void DateTimePicker::OpenCalendar() {
    if (calendar_ && IsWindow(calendar_))
        return;
    Edit([&] { editor_.Commit(); });
    NMHDR header{};
    Notify(DTN_DROPDOWN, &header);
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    calendar_ = MonthCalendarPopup::Open(hwnd_, POINT{rc.left, rc.bottom}, editor_.Time(),
                                         editor_.Min(), editor_.Max(), Font());
}

void DateTimePicker::CalendarChose(const SYSTEMTIME& date) {
    SYSTEMTIME next = editor_.Time();
    next.wYear = date.wYear;
    next.wMonth = date.wMonth;
    next.wDay = date.wDay;
    Edit([&] { editor_.SetTime(next); });
}

void DateTimePicker::CalendarClosed() {
    calendar_ = nullptr;
    NMHDR header{};
    Notify(DTN_CLOSEUP, &header);
    Invalidate();
}

LRESULT DateTimePicker::HandlePickerMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                            bool& handled) {
    handled = true;
    switch (message) {
        case DTM_GETSYSTEMTIME:
            if (!lParam)
                return GDT_ERROR;
            editor_.Commit();
            *reinterpret_cast<SYSTEMTIME*>(lParam) = editor_.Time();
            return GDT_VALID;
        case DTM_SETSYSTEMTIME: {
            if (wParam != GDT_VALID || !lParam)
                return FALSE;
            if (!editor_.SetTime(*reinterpret_cast<const SYSTEMTIME*>(lParam)))
                return FALSE;
            editor_.SetRange(editor_.Min() ? &*editor_.Min() : nullptr,
                             editor_.Max() ? &*editor_.Max() : nullptr);
            Invalidate();
            return TRUE;
        }
        case DTM_SETFORMAT:
            if (lParam) {
                editor_.SetFormat(ParseDateFormat(reinterpret_cast<LPCSTR>(lParam)));
                customFormat_ = true;
            } else {
                ApplyDefaultFormat();
            }
            Invalidate();
            return TRUE;
        case DTM_GETRANGE: {
            DWORD flags = 0;
            if (auto* range = reinterpret_cast<SYSTEMTIME*>(lParam)) {
                range[0] = editor_.Min().value_or(SYSTEMTIME{});
                range[1] = editor_.Max().value_or(SYSTEMTIME{});
            }
            flags |= editor_.Min() ? GDTR_MIN : 0;
            flags |= editor_.Max() ? GDTR_MAX : 0;
            return flags;
        }
        case DTM_SETRANGE: {
            const auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
            if (!range && wParam)
                return FALSE;
            editor_.SetRange((wParam & GDTR_MIN) ? &range[0] : nullptr,
                             (wParam & GDTR_MAX) ? &range[1] : nullptr);
            Invalidate();
            return TRUE;
        }
        default:
            handled = false;
            return 0;
    }
}

LRESULT DateTimePicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!customFormat_ && formatLanguage_ != GetControlLanguage())
        ApplyDefaultFormat();
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    bool handled = false;
    result = HandlePickerMessage(message, wParam, lParam, handled);
    if (handled)
        return result;
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKeyDown(static_cast<UINT>(wParam)))
                return 0;
            break;
        case WM_CHAR:
            OnChar(static_cast<char32_t>(wParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_GETTEXT:
            return CopyText(editor_.Text(), reinterpret_cast<LPSTR>(lParam),
                            static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(editor_.Text().size());
        case WM_KILLFOCUS:
            MonthCalendarPopup::Dismiss(calendar_, true);
            Edit([&] { editor_.Commit(); });
            return 0;
        case WM_STYLECHANGED:
            if (!customFormat_)
                ApplyDefaultFormat();
            Invalidate();
            return 0;
        case WM_SETFOCUS:
        case WM_ENABLE:
        case WM_SIZE:
            Invalidate();
            return 0;
        case WM_DESTROY:
            MonthCalendarPopup::Dismiss(std::exchange(calendar_, nullptr), false);
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
