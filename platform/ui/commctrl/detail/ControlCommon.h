// What the list, header, tree, tool tip and rich edit controls share: their state object kept in
// the window's extra bytes, notifications to the parent, fonts and text measuring, and asking
// for a repaint.
#pragma once

#include <functional>

#include <string>
#include <string_view>

#include "platform/ui/Messages.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/WindowProc.h"
#include "platform/ui/controls/ScrollBar.h"

namespace kq::ui::commctrl {

// Every class of these controls reserves this many extra bytes; the state object's pointer
// sits at offset 0.
constexpr int kExtraBytes = static_cast<int>(sizeof(void*));

void* StateOf(HWND hwnd);
void SetStateOf(HWND hwnd, void* state);

template <typename T>
T* Control(HWND hwnd) {
    return static_cast<T*>(StateOf(hwnd));
}

// The window procedure of a control whose state object lives from WM_NCCREATE to WM_NCDESTROY
// (made from the window handle); every other message goes to handle with the state.
template <typename State, LRESULT (*handle)(State&, UINT, WPARAM, LPARAM)>
LRESULT StatefulControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetStateOf(hwnd, new State(hwnd));
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    auto* state = Control<State>(hwnd);
    if (!state)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetStateOf(hwnd, nullptr);
        delete state;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return handle(*state, message, wParam, lParam);
}

// Fills the header (sender, its id, code) and sends WM_NOTIFY to the parent (the owner of a
// pop-up). Returns the parent's answer, 0 without a parent.
LRESULT SendNotify(HWND from, UINT code, NMHDR* hdr);
// A notification that carries nothing but the header.
LRESULT SendSimpleNotify(HWND from, UINT code);

// The font a control uses when none was set with WM_SETFONT.
HFONT DefaultControlFont();
// Height of a line of text in the font (tmHeight).
int FontHeight(HFONT font);
int TextWidth(HFONT font, std::string_view text);
// The font with the weight changed to bold; the caller deletes it.
HFONT CreateBoldFont(HFONT font);

// Copies text into a caller's buffer of `size` bytes, terminated, never cutting a UTF-8
// character in half. Returns the bytes copied without the terminator.
int CopyText(std::string_view text, LPSTR buffer, int size);
// A text given to a control: empty for null.
inline std::string TextArg(LPCSTR text) {
    return text ? std::string(text) : std::string();
}

// The ranges a control's scroll bars show for its client area; all zero hides a bar.
struct ScrollRanges {
    SCROLLINFO vert{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    SCROLLINFO horz{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
};

// Sets the window's scroll bars to the ranges for its client area. A bar that comes or goes
// changes the client area and so may call for the other bar: after each change `relayout`
// runs and the ranges are asked again, for a few rounds until the area stays.
void FitScrollBars(HWND hwnd, const std::function<ScrollRanges(const RECT& client)>& ranges,
                   const std::function<void()>& relayout);

// Marks the area (client coordinates; null: everything) as needing a repaint.
void Invalidate(HWND hwnd, const RECT* rc = nullptr);

// Runs paint for WM_PAINT or WM_PRINTCLIENT: on the DC supplied in wParam, else on the window's
// own DC between BeginPaint and EndPaint, which validates what was invalid.
void PaintWith(HWND hwnd, WPARAM wParam, const std::function<void(HDC)>& paint);

// A rectangle from its corners.
inline RECT MakeRect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

}  // namespace kq::ui::commctrl
