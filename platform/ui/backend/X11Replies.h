// What the program takes from the X server's replies, bounded before use: a window property of
// any type, format and length comes as the server sent it (XGetWindowProperty's outputs) and
// only what the reader asked for and can use leaves these functions; a resource such as Xft.dpi
// is read as a number only where it is a finite one in range.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UiTypes.h"

struct _XDisplay;

namespace kq::ui::detail {

// A property as Xlib hands it over: `count` items of `format` bits (8: chars, 16: shorts,
// 32: longs, whatever their size), `after` bytes left on the server.
struct PropertyReply {
    unsigned long type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    const unsigned char* data = nullptr;
};

// The 32-bit items (windows, atoms, cardinals) of the reply, at most `most`, each cut to 32
// bits; none unless its format is 32.
std::vector<unsigned long> Items32(const PropertyReply& reply, size_t most);
// The bytes of a reply of format 8 that the server sent whole, at most `most` of them.
std::optional<std::string> Bytes8(const PropertyReply& reply, size_t most);

// A property of the window read from the server, at most `most` 32-bit items of the type (or of
// any type: 0); empty where it has none.
std::vector<unsigned long> ReadItems32(_XDisplay* display, unsigned long window,
                                       unsigned long property, unsigned long type, size_t most);
// A property of format 8 read whole, deleted as it is read, with its type in *type; none where it
// is missing, of another format or longer than `most` bytes.
std::optional<std::string> TakeBytes8(_XDisplay* display, unsigned long window,
                                      unsigned long property, size_t most, unsigned long* type);

// The number of desktops a work area is looked up for; a current desktop beyond it has none.
constexpr unsigned long kMostDesktops = 64;
// The current desktop as _NET_CURRENT_DESKTOP names it, when there is one to look up.
std::optional<unsigned long> CurrentDesktop(const std::vector<unsigned long>& items);
// That desktop's rectangle of _NET_WORKAREA (x, y, width, height per desktop), where it is a
// rectangle of the X coordinate space that is not empty.
std::optional<RECT> WorkAreaOf(const std::vector<unsigned long>& areas, unsigned long desktop);

// The scale Xft.dpi asks for: dpi / 96 rounded from 144 dpi on, no more than 8; 1 where the
// text is no finite number of dots per inch.
int ScaleForDpi(const char* text);
// The same from the display's resources (RESOURCE_MANAGER), where they name Xft.dpi.
int ScaleFromResources(const char* resources);

}  // namespace kq::ui::detail
