// The state of a combo box, its geometry and what its edit and list tell it.
#pragma once

#include <memory>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct ComboState {
    HWND edit = nullptr;  // CBS_DROPDOWN and CBS_SIMPLE
    HWND list = nullptr;  // the pop-up list, or the child list of CBS_SIMPLE
    int curSel = -1;
    bool dropped = false;
    bool extendedUI = false;
    bool focused = false;      // CBN_SETFOCUS sent, CBN_KILLFOCUS not yet
    bool settingText = false;  // the combo box itself is changing its edit's text
    int fieldItemHeight = 15;  // CB_GETITEMHEIGHT(-1)
    int fieldHeight = 21;      // height of the closed combo box
    int droppedHeight = 100;   // height of the list when dropped
    int droppedWidth = 0;      // 0: as wide as the combo box
    HFONT font = nullptr;
    DWORD listScrollBars = 0;  // WS_VSCROLL, WS_HSCROLL given to the combo box for its list
};

std::shared_ptr<ComboState> ComboStateOf(HWND hwnd);

// Geometry in the combo box's client coordinates.
RECT ComboFieldRect(HWND hwnd, const ComboState& c);   // the edit or selection field
RECT ComboButtonRect(HWND hwnd, const ComboState& c);  // empty for CBS_SIMPLE
RECT ComboEditRect(HWND hwnd, const ComboState& c);
// Where the list shows when dropped, in screen coordinates.
RECT ComboDroppedRect(HWND hwnd, const ComboState& c);

// Called by the edit of a combo box for its keys first; true when the combo box took the key.
bool ComboHandleKey(HWND combo, UINT message, WPARAM wParam);
bool ComboIsDropped(HWND combo);
// Makes an edit the combo box's own (its keys go to the combo box first).
void AttachEditToCombo(HWND edit, HWND combo);

// What the drop-down does.
void OpenDropDown(HWND hwnd, ComboState& c);
void ChooseFromDropDown(HWND hwnd, ComboState& c, int index);
void CancelDropDown(HWND hwnd, ComboState& c);
// Closes without choosing or cancelling (CB_SHOWDROPDOWN FALSE): only CBN_CLOSEUP.
void CloseDropDown(HWND hwnd, ComboState& c, bool notify);
// Makes index the selection and shows its text; false when it already was.
bool SetComboSelection(HWND hwnd, ComboState& c, int index);
void SetComboEditText(ComboState& c, const char* text);
void PaintComboBox(HWND hwnd, ComboState& c, HDC dc);

}  // namespace kq::ui::detail
