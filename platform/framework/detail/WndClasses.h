// The window classes the framework creates its windows with. A class of the framework calls
// AfxWndProc; for any other class the framework registers a derived class once ("Afx:" and the
// original name) whose procedure is AfxWndProc and which keeps the original procedure as the
// one AfxWndProc passes unhandled messages to.
#pragma once

#include <string>

#include "platform/ui/WinUser.h"

namespace kq::fw::detail {

struct CreationClass {
    std::string name;         // the class to create the window with; empty when unknown
    WNDPROC super = nullptr;  // the procedure the window's CWnd passes unhandled messages to
};

CreationClass ClassForCreation(LPCSTR className);
// The procedure a window of an AfxWndProc class uses when it has no CWnd.
WNDPROC ClassProcedureOf(HWND hWnd);
// Keeps a class name alive for the life of the process and returns it.
LPCSTR KeepClassName(const std::string& name);

}  // namespace kq::fw::detail
