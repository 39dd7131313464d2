// What a desktop reads of a program's top-level X window: its class ("kq7b", "KQ7-B") and
// title (UTF-8), the process and machine that own it (so that the desktop can offer to end a
// hung program), its icon, its minimum size and its place.
#pragma once

#include "platform/ui/UiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace kq::ui::detail {

void SetProgramProperties(_XDisplay* display, unsigned long window, const std::string& title);
// The program's icon at every size it has (_NET_WM_ICON); false while it has none.
bool SetProgramIcons(_XDisplay* display, unsigned long window);
void SetMinimumSize(_XDisplay* display, unsigned long window, int width, int height);
// The window asks to stay where the program put it (root coordinates).
void SetPosition(_XDisplay* display, unsigned long window, int x, int y);
// The window asks to stay where the program put it, its decoration laid around it (root
// coordinates), and to be no smaller than the minimum size; with `fixed` no larger either.
void SetPlacement(_XDisplay* display, unsigned long window, POINT at, SIZE minimum, bool fixed);
void SetTitle(_XDisplay* display, unsigned long window, const std::string& title);

// What the window manager offers for the window (_MOTIF_WM_HINTS): moving and closing, sizing,
// minimising and maximising where the window can; without `decorated` no caption or frame around
// it (it draws its own).
struct WindowAbilities {
    bool sizable = false;
    bool minimizable = false;
    bool maximizable = false;
    bool decorated = true;
};
void SetAbilities(_XDisplay* display, unsigned long window, const WindowAbilities& can);
// The window takes the keyboard focus from the window manager, belongs to the program's group
// (WM_HINTS, WM_CLIENT_LEADER: the leader window) and, while `urgent`, asks for the operator.
void SetWindowHints(_XDisplay* display, unsigned long window, unsigned long leader, bool urgent);

// What the window manager is to make of a window of the program.
enum class WindowKind { Normal, Dialog, Utility };
// Its kind, the window it belongs to (stays above it; 0: none) and whether it is modal for it.
void SetRole(_XDisplay* display, unsigned long window, WindowKind kind, unsigned long owner,
             bool modal);

}  // namespace kq::ui::detail
