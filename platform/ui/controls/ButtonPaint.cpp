// Painting buttons in the classic look.
#include <string>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/detail/ButtonState.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"

namespace kq::ui::detail {
namespace {

constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;
constexpr int kGroupIndent = 8;

std::string TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

bool IsCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

UINT TextFormat(DWORD style, UINT horizontalDefault) {
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format |= DT_LEFT;
            break;
        case BS_RIGHT:
            format |= DT_RIGHT;
            break;
        case BS_CENTER:
            format |= DT_CENTER;
            break;
        default:
            format |= horizontalDefault;
            break;
    }
    return format;
}

void PaintOwnerDrawn(HWND hwnd, const ButtonState& b, HDC dc, RECT client) {
    UINT state = 0;
    if (b.pushed)
        state |= ODS_SELECTED;
    if (b.focused)
        state |= ODS_FOCUS;
    if (!IsWindowEnabled(hwnd))
        state |= ODS_DISABLED;
    if (b.ownerDrawDefault)
        state |= ODS_DEFAULT;
    // The owner draws with the button's font selected, over the background its parent chose
    // (a null brush leaves the background to the drawing).
    FontScope font(dc, b.font);
    FillBackground(dc, client, ControlBackground(hwnd, WM_CTLCOLORBTN, dc));
    const UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
    DRAWITEMSTRUCT dis{ODT_BUTTON, id, 0, ODA_DRAWENTIRE, state, hwnd, dc, client, 0};
    SendToParent(hwnd, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
}

void PaintGroupBox(HWND hwnd, HDC dc, RECT client, const std::string& text, bool enabled) {
    HBRUSH brush = ControlBackground(hwnd, WM_CTLCOLORSTATIC, dc);
    RECT measure{0, 0, client.right, client.bottom};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measure,
             DT_SINGLELINE | DT_CALCRECT);
    const int textHeight = measure.bottom - measure.top;
    RECT frame{client.left, client.top + textHeight / 2, client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    RECT label{kGroupIndent, 0, kGroupIndent + measure.right + 4, textHeight};
    FillBackground(dc, label, brush);
    label.left += 2;
    DrawControlText(dc, text, label, DT_SINGLELINE | DT_LEFT, enabled);
}

void PaintPushLike(HWND hwnd, const ButtonState& b, HDC dc, RECT client, const std::string& text,
                   bool enabled) {
    const DWORD style = StyleOf(hwnd);
    const DWORD type = style & BS_TYPEMASK;
    HBRUSH brush = ControlBackground(hwnd, WM_CTLCOLORBTN, dc);
    FillBackground(dc, client, brush);
    RECT r = client;
    const bool isDefault = type == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    const bool down = b.pushed || (IsCheckType(type) && b.check != BST_UNCHECKED);
    UINT state = DFCS_BUTTONPUSH;
    if (down)
        state |= DFCS_PUSHED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
    RECT textRect = r;
    InflateRect(&textRect, -2, -2);
    if (down)
        OffsetRect(&textRect, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawControlText(dc, text, textRect, TextFormat(style, DT_CENTER), enabled);
    if (b.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void PaintCheck(HWND hwnd, const ButtonState& b, HDC dc, RECT client, const std::string& text,
                bool enabled) {
    const DWORD style = StyleOf(hwnd);
    const DWORD type = style & BS_TYPEMASK;
    HBRUSH brush = ControlBackground(hwnd, WM_CTLCOLORSTATIC, dc);
    FillBackground(dc, client, brush);
    ButtonGeometry g = ButtonLayout(hwnd);
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (b.check == BST_INDETERMINATE && !radio)
        state = DFCS_BUTTON3STATE;
    if (b.check != BST_UNCHECKED)
        state |= DFCS_CHECKED;
    if (b.pushed)
        state |= DFCS_PUSHED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    RECT box = g.box;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    const UINT format = TextFormat(style, DT_LEFT);
    DrawControlText(dc, text, g.text, format, enabled);
    if (b.focused && !text.empty()) {
        RECT extent = g.text;
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &extent, format | DT_CALCRECT);
        const int height = extent.bottom - extent.top;
        if (!(style & BS_MULTILINE)) {
            extent.top = g.text.top + (g.text.bottom - g.text.top - height) / 2;
            extent.bottom = extent.top + height;
        }
        InflateRect(&extent, 1, 1);
        IntersectRect(&extent, &extent, &client);
        DrawFocusRect(dc, &extent);
    }
    (void)client;
}

}  // namespace

ButtonGeometry ButtonLayout(HWND hwnd) {
    ButtonGeometry g;
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    if (!IsCheckType(style & BS_TYPEMASK) || (style & BS_PUSHLIKE)) {
        g.text = client;
        return g;
    }
    int top = (client.bottom - kBoxSize) / 2;
    if ((style & BS_VCENTER) == BS_TOP)
        top = 0;
    else if ((style & BS_VCENTER) == BS_BOTTOM)
        top = client.bottom - kBoxSize;
    if (style & BS_LEFTTEXT) {
        g.box = RECT{client.right - kBoxSize, top, client.right, top + kBoxSize};
        g.text = RECT{0, 0, g.box.left - kBoxGap, client.bottom};
    } else {
        g.box = RECT{0, top, kBoxSize, top + kBoxSize};
        g.text = RECT{kBoxSize + kBoxGap, 0, client.right, client.bottom};
    }
    return g;
}

void PaintButton(HWND hwnd, const ButtonState& b, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD type = StyleOf(hwnd) & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) {
        PaintOwnerDrawn(hwnd, b, dc, client);
        return;
    }
    FontScope font(dc, b.font);
    const std::string text = TextOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    if (type == BS_GROUPBOX)
        PaintGroupBox(hwnd, dc, client, text, enabled);
    else if (IsCheckType(type) && !(StyleOf(hwnd) & BS_PUSHLIKE))
        PaintCheck(hwnd, b, dc, client, text, enabled);
    else
        PaintPushLike(hwnd, b, dc, client, text, enabled);
}

}  // namespace kq::ui::detail
