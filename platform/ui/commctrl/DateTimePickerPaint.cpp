// The date-time picker draws its text field by field on the window colour, the selected field
// highlighted while it has the focus, and at the right either small arrows or a drop-down
// button.
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/DateTimePicker.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commctrl {

void DateTimePicker::Paint(HDC hdc, const RECT&) {
    const RECT client = ClientRect();
    const bool enabled = IsEnabled();
    FillColor(hdc, client, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));

    const RECT text = TextRect();
    SelectGuard font(hdc, Font());
    SetBkMode(hdc, TRANSPARENT);
    const int height = FontHeight(Font());
    const int top = text.top + (text.bottom - text.top - height) / 2;
    const bool showSelection = HasFocus() && !calendar_;
    int x = text.left;
    const int count = static_cast<int>(editor_.Elements().size());
    for (int i = 0; i < count; ++i) {
        const std::string shown = editor_.ElementText(i);
        const int width = TextWidth(Font(), shown);
        const bool selected = showSelection && i == editor_.Selected();
        if (selected)
            FillColor(hdc, RECT{x, top, x + width, top + height}, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(!enabled   ? COLOR_GRAYTEXT
                                      : selected ? COLOR_HIGHLIGHTTEXT
                                                 : COLOR_WINDOWTEXT));
        RECT cell{x, top, std::min<LONG>(x + width, text.right), top + height};
        DrawText(hdc, shown.c_str(), static_cast<int>(shown.size()), &cell,
                 DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        x += width;
    }

    RECT button = ButtonRect();
    const UINT inactive = enabled ? 0 : DFCS_INACTIVE;
    if (Style() & DTS_UPDOWN) {
        RECT up = button, down = button;
        up.bottom = down.top = (button.top + button.bottom) / 2;
        DrawFrameControl(hdc, &up, DFC_SCROLL, DFCS_SCROLLUP | inactive);
        DrawFrameControl(hdc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive);
    } else {
        DrawFrameControl(hdc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | inactive | (calendar_ ? DFCS_PUSHED : 0));
    }
}

}  // namespace kq::ui::commctrl
