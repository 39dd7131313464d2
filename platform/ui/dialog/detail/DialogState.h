// What the dialog manager keeps for each dialog window. Dialogs of an application's own class
// only reserve DLGWINDOWEXTRA bytes, so this lives beside the window, by handle.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;    // created from the template; released with the dialog
    HMENU ownMenu = nullptr;  // loaded for the template's MENU; destroyed with the dialog
    SIZE baseUnits{6, 13};
    int defId = 0;  // DM_SETDEFID; 0: none
    HWND savedFocus = nullptr;
    bool modal = false;
    HWND disabledOwner = nullptr;  // the owner a modal loop disabled
    bool ended = false;
    INT_PTR result = 0;
};

// The state of a dialog window; created on first use. Null for windows that are not
// dialogs (no dialog state was ever made for them) when `create` is false.
std::shared_ptr<DialogState> DialogStateOf(HWND dialog, bool create = false);
void ForgetDialogState(HWND dialog);
bool IsDialogWindow(HWND hwnd);

// Base units of a font: the average width of the Latin letters (rounded up half a unit) and
// the font's height.
SIZE BaseUnitsOf(HFONT font);

// The controls of a dialog in tab order: its children in z-order, with the controls of a
// WS_EX_CONTROLPARENT child (a child dialog) in place of the child itself. `usable` keeps
// only visible and enabled ones.
std::vector<HWND> DialogControls(HWND dialog, bool usable);
// The focus went to a control of the dialog: the default push button follows.
void UpdateDefaultButton(HWND dialog, HWND focus);

}  // namespace kq::ui::detail
