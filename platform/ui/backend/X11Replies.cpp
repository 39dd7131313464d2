#include "platform/ui/backend/X11Replies.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <X11/Xlib.h>
#include <X11/Xresource.h>

namespace kq::ui::detail {
namespace {

// X coordinates and sizes are 16-bit quantities.
constexpr long kMostCoordinate = 32767;
constexpr double kMostDpi = 9600;
constexpr int kMostScale = 8;

}  // namespace

std::vector<unsigned long> Items32(const PropertyReply& reply, size_t most) {
    std::vector<unsigned long> items;
    if (!reply.data || reply.format != 32)
        return items;
    const size_t count = std::min<size_t>(reply.count, most);
    // Format 32 is a C long per item, whatever its size; the server's 32 bits are the low ones.
    const auto* longs = reinterpret_cast<const unsigned long*>(reply.data);
    items.reserve(count);
    for (size_t i = 0; i < count; ++i)
        items.push_back(longs[i] & 0xFFFFFFFFul);
    return items;
}

std::optional<std::string> Bytes8(const PropertyReply& reply, size_t most) {
    if (!reply.data || reply.format != 8 || reply.after != 0 || reply.count > most)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(reply.data), reply.count);
}

std::vector<unsigned long> ReadItems32(Display* display, unsigned long window,
                                       unsigned long property, unsigned long type, size_t most) {
    PropertyReply reply;
    unsigned char* data = nullptr;
    const long length = static_cast<long>(std::min<size_t>(most, 1 << 20));
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, length, False,
                           type ? type : AnyPropertyType, &reply.type, &reply.format, &reply.count,
                           &reply.after, &data) == Success) {
        reply.data = data;
        items = Items32(reply, most);
    }
    if (data)
        XFree(data);
    return items;
}

std::optional<std::string> TakeBytes8(Display* display, unsigned long window,
                                      unsigned long property, size_t most, unsigned long* type) {
    PropertyReply reply;
    unsigned char* data = nullptr;
    // Asked in 32-bit units: one more than the most taken tells a longer property.
    const long length = static_cast<long>(std::min<size_t>(most / 4 + 1, 1 << 24));
    std::optional<std::string> bytes;
    if (XGetWindowProperty(display, window, property, 0, length, True, AnyPropertyType, &reply.type,
                           &reply.format, &reply.count, &reply.after, &data) == Success) {
        reply.data = data;
        bytes = Bytes8(reply, most);
        if (type)
            *type = reply.type;
    }
    if (data)
        XFree(data);
    return bytes;
}

std::optional<unsigned long> CurrentDesktop(const std::vector<unsigned long>& items) {
    if (items.empty())
        return 0ul;
    if (items.front() >= kMostDesktops)
        return std::nullopt;
    return items.front();
}

std::optional<RECT> WorkAreaOf(const std::vector<unsigned long>& areas, unsigned long desktop) {
    if (desktop >= kMostDesktops || areas.size() / 4 <= desktop)
        return std::nullopt;
    const unsigned long* a = &areas[4 * desktop];
    // Positions are signed 32-bit quantities, sizes unsigned ones.
    const auto x = static_cast<long>(static_cast<int32_t>(a[0]));
    const auto y = static_cast<long>(static_cast<int32_t>(a[1]));
    const auto width = static_cast<long>(std::min<unsigned long>(a[2], kMostCoordinate));
    const auto height = static_cast<long>(std::min<unsigned long>(a[3], kMostCoordinate));
    if (x < -kMostCoordinate || y < -kMostCoordinate || x > kMostCoordinate ||
        y > kMostCoordinate || width <= 0 || height <= 0)
        return std::nullopt;
    return RECT{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + width),
                static_cast<LONG>(y + height)};
}

int ScaleForDpi(const char* text) {
    if (!text)
        return 1;
    char* end = nullptr;
    const double dpi = std::strtod(text, &end);
    if (end == text || !std::isfinite(dpi) || dpi < 144 || dpi > kMostDpi)
        return 1;
    return std::min(kMostScale, static_cast<int>((dpi + 48) / 96));
}

int ScaleFromResources(const char* resources) {
    if (!resources)
        return 1;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database)
        return 1;
    char* type = nullptr;
    XrmValue value{};
    int scale = 1;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
        scale = ScaleForDpi(std::string(value.addr, strnlen(value.addr, value.size)).c_str());
    XrmDestroyDatabase(database);
    return scale;
}

}  // namespace kq::ui::detail
