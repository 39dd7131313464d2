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
// Pixels 0xAARRGGBB, row by row.
void SetIcon(_XDisplay* display, unsigned long window, const std::vector<uint32_t>& pixels,
             int width, int height);
void SetMinimumSize(_XDisplay* display, unsigned long window, int width, int height);
// The window asks to stay where the program put it (root coordinates).
void SetPosition(_XDisplay* display, unsigned long window, int x, int y);
// The window asks to stay where the program put it, its decoration laid around it (root
// coordinates), and to be no smaller than the minimum size; with `fixed` no larger either.
void SetPlacement(_XDisplay* display, unsigned long window, POINT at, SIZE minimum, bool fixed);
void SetTitle(_XDisplay* display, unsigned long window, const std::string& title);

// The window manager draws no caption or frame around the window: it draws its own.
void SetUndecorated(_XDisplay* display, unsigned long window);

// What the window manager is to make of a window of the program.
enum class WindowKind { Normal, Dialog, Utility };
// Its kind, the window it belongs to (stays above it; 0: none) and whether it is modal for it.
void SetRole(_XDisplay* display, unsigned long window, WindowKind kind, unsigned long owner,
             bool modal);

}  // namespace kq::ui::detail
