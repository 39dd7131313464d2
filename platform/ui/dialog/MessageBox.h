// Message boxes: a modal dialog built at run time with the text, an icon and a set of buttons
// whose texts follow the language the application has chosen. Tests (and tools running
// without a user) answer them through a hook instead.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/UiTypes.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_CANCELTRYCONTINUE = 0x00000006;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_USERICON = 0x00000080;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFBUTTON4 = 0x00000300;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_HELP = 0x00004000;
constexpr UINT MB_NOFOCUS = 0x00008000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_DEFAULT_DESKTOP_ONLY = 0x00020000;
constexpr UINT MB_TOPMOST = 0x00040000;
constexpr UINT MB_RIGHT = 0x00080000;
constexpr UINT MB_RTLREADING = 0x00100000;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_MODEMASK = 0x00003000;
constexpr UINT MB_MISCMASK = 0x0000C000;

// Shows the box modally (the owner, or with MB_TASKMODAL and no owner every top-level window
// of the thread, is disabled meanwhile) and returns the id of the button chosen: IDOK,
// IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN or IDCONTINUE. Escape and the
// close box answer IDCANCEL where there is a Cancel button, IDOK in an MB_OK box, and do
// nothing otherwise. A null caption reads "Error" in the chosen language. 0 on failure.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace kq::ui {

enum class MessageBoxLanguage { German, English, French };

// The language of the buttons' texts (default English); the application sets it whenever its
// own language changes.
void SetMessageBoxLanguage(MessageBoxLanguage language);

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};

// Called for every message box before it is shown; a nonzero result is the answer and no box
// appears, 0 lets the box show. Null removes the hook.
using MessageBoxHook = std::function<int(const MessageBoxRequest& request)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace kq::ui
