// Dialogs from templates and the dialog manager.
//
// A dialog is a window of the dialog class (or of a template's own class whose procedure
// calls DefDlgProc) built from a kq::DialogTemplate: its size and its controls' rectangles are
// in dialog units of the template's font (see MapDialogRect), each control gets the dialog's
// font with WM_SETFONT, then the dialog procedure gets WM_INITDIALOG; when it returns TRUE the
// first tab stop takes the focus.
//
// DialogBox and its relatives run a modal loop: the owner is disabled, messages keep flowing
// (posted, sent and input messages, timers), each one passes the message filter hooks
// (MSGF_DIALOGBOX) and IsDialogMessage, and whenever the queue is empty the owner gets
// WM_ENTERIDLE (unless DS_NOIDLEMSG). EndDialog ends the loop with its result: the owner is
// enabled again before the dialog is hidden and destroyed. A WM_QUIT met in the loop ends the
// dialog with 0 and stays posted for the outer loop.
//
// IsDialogMessage gives a dialog its keyboard interface: Tab and Shift+Tab move through the
// WS_TABSTOP controls; the arrow keys move within a WS_GROUP group and click the radio button
// they land on; Enter clicks the focused push button or the default button (DM_GETDEFID, else
// IDOK); Escape sends IDCANCEL; a letter (Alt+letter, or a letter a control does not take)
// activates the control whose text underlines it with '&' (a label passes the focus to the
// control after it). Controls claim keys through WM_GETDLGCODE.
#pragma once

#include "platform/base/ResourceTemplates.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/dialog/DialogCodes.h"

using LPCDLGTEMPLATE = const kq::DialogTemplate*;

// Modeless dialogs. The name finds the template among the installed resources.
HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam);
HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                               DLGPROC proc, LPARAM initParam);
inline HWND CreateDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return CreateDialogParam(instance, templateName, parent, proc, 0);
}
inline HWND CreateDialogIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                 DLGPROC proc) {
    return CreateDialogIndirectParam(instance, dialogTemplate, parent, proc, 0);
}

// Modal dialogs: the EndDialog result, or -1 when the dialog could not be created.
INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                               DLGPROC proc, LPARAM initParam);
inline INT_PTR DialogBox(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return DialogBoxParam(instance, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                 DLGPROC proc) {
    return DialogBoxIndirectParam(instance, dialogTemplate, parent, proc, 0);
}
BOOL EndDialog(HWND dialog, INT_PTR result);

// The window procedure of dialogs: calls the dialog procedure (DWLP_DLGPROC) and, when it
// returns FALSE, does the default handling. A dialog procedure that handles a message
// returns TRUE and leaves its result in DWLP_MSGRESULT; WM_INITDIALOG, WM_CTLCOLOR*,
// WM_COMPAREITEM, WM_VKEYTOITEM and WM_CHARTOITEM return their result directly.
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// TRUE when the message belonged to the dialog (or one of its controls) and was handled;
// such a message must not be dispatched again.
BOOL IsDialogMessage(HWND dialog, LPMSG msg);

// Dialog units: horizontal units are a quarter of the font's average character width,
// vertical ones an eighth of its height.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// Base units of the default GUI font: average width in the low word, height in the high one.
LONG GetDialogBaseUnits();

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
// A decimal number, blanks around it allowed, independent of the locale. *translated is FALSE
// (and 0 returned) for anything else, or for a value out of range.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks the other buttons with ids first..last.
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

namespace kq::ui {

// The focus moves to a control as the dialog manager moves it: an edit gets its text
// selected, and the default push button follows the focus.
void SetDialogFocus(HWND dialog, HWND control);

}  // namespace kq::ui
