// The state of a list box, the geometry of its items and what a combo box needs of its list.
#pragma once

#include <memory>

#include "platform/ui/UiTypes.h"
#include "platform/ui/controls/ListModel.h"

namespace kq::ui::detail {

struct ListBoxState {
    ListModel model;
    int curSel = -1;  // single selection
    int caret = 0;    // the item with the focus rectangle
    int anchor = -1;  // where a Shift selection of an extended list starts
    int top = 0;
    int itemHeight = 13;
    int horizontalExtent = 0;
    HFONT font = nullptr;
    // Created with WS_VSCROLL: the bar comes and goes with the need to scroll.
    bool verticalBar = false;
    bool focused = false;
    bool mouseSelecting = false;
    bool doubleClicked = false;  // the press was the second of a double-click
    // A list that belongs to a combo box sends its notifications to the combo box and its
    // owner-draw messages to the combo box's parent.
    HWND combo = nullptr;
    bool dropDown = false;       // the pop-up list of a drop-down combo box
    bool pressedInside = false;  // the mouse went down on an item (on the pop-up list)
};

// Null for windows that are not list boxes.
std::shared_ptr<ListBoxState> ListBoxStateOf(HWND hwnd);
// Makes the list part of a combo box; the combo box measures owner-drawn items itself.
void AttachListToCombo(HWND list, HWND combo, bool dropDown);

bool IsMultipleSelection(HWND hwnd);
bool HasStrings(HWND hwnd);
int VisibleItemCount(HWND hwnd, const ListBoxState& s);
// Client rectangle of an item (it may lie outside the client area).
RECT ItemRect(HWND hwnd, const ListBoxState& s, int index);
// The item at a client point, -1 below the last item or outside the client area.
int ItemAtPoint(HWND hwnd, const ListBoxState& s, POINT pt);
void SetTopIndex(HWND hwnd, ListBoxState& s, int top);
void EnsureItemVisible(HWND hwnd, ListBoxState& s, int index);
void RefreshListScrollBar(HWND hwnd, ListBoxState& s);
// Sends a notification to the parent of an LBS_NOTIFY list (or to the combo box).
void NotifyList(HWND hwnd, ListBoxState& s, WORD code);
// The registered message by which a pop-up list reports to its combo box: wParam
// kComboListChoose with the item in lParam, or kComboListCancel.
UINT ComboListMessage();
constexpr WPARAM kComboListChoose = 1;
constexpr WPARAM kComboListCancel = 2;

void PaintListBox(HWND hwnd, ListBoxState& s, HDC dc);
LRESULT ListKeyDown(HWND hwnd, ListBoxState& s, WPARAM vk);
LRESULT ListChar(HWND hwnd, ListBoxState& s, WPARAM ch);
void ListMouseDown(HWND hwnd, ListBoxState& s, POINT pt, bool doubleClick);
void ListMouseMove(HWND hwnd, ListBoxState& s, POINT pt);
void ListMouseUp(HWND hwnd, ListBoxState& s, POINT pt);

}  // namespace kq::ui::detail
