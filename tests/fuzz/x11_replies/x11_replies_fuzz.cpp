// What the X server and the desktop's resources tell the program, as a server would send it: a
// window property of any type, format and length (the root window's current desktop and work
// areas, a window's state, a selection's text), and the text of the Xft.dpi resource. The
// readers take no more than they asked for, give a work area only inside the X coordinate space
// and a scale only from 1 to 8.
//
// The input: a byte choosing the format (8, 16, 32 or another), a byte of bytes left on the
// server, a byte splitting the rest into two replies (the current desktop and the work areas), and
// the replies' bytes; the whole input is also read as the resource's text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/backend/X11Replies.h"

using namespace kq::ui::detail;

namespace {

// Xlib hands items over as chars, shorts or longs, whatever the format's size on the wire.
struct Reply {
    std::vector<unsigned char> bytes8;
    std::vector<short> shorts;
    std::vector<unsigned long> longs;
    PropertyReply reply;
};

void Fill(Reply& r, int format, unsigned long after, const uint8_t* data, size_t size) {
    r.reply.format = format;
    r.reply.after = after;
    if (format == 32) {
        for (size_t i = 0; i + sizeof(unsigned long) <= size; i += sizeof(unsigned long)) {
            unsigned long v = 0;
            std::memcpy(&v, data + i, sizeof v);
            r.longs.push_back(v);
        }
        r.reply.count = r.longs.size();
        r.reply.data = reinterpret_cast<const unsigned char*>(r.longs.data());
    } else if (format == 16) {
        for (size_t i = 0; i + 2 <= size; i += 2) {
            short v = 0;
            std::memcpy(&v, data + i, sizeof v);
            r.shorts.push_back(v);
        }
        r.reply.count = r.shorts.size();
        r.reply.data = reinterpret_cast<const unsigned char*>(r.shorts.data());
    } else {
        // Xlib ends every reply with a NUL it does not count.
        r.bytes8.assign(data, data + size);
        r.bytes8.push_back(0);
        r.reply.count = size;
        r.reply.data = r.bytes8.data();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int scale = ScaleForDpi(text.c_str());
    if (scale < 1 || scale > 8)
        std::abort();
    if (size < 3)
        return 0;
    static constexpr int kFormats[] = {8, 16, 32, 7};
    const int format = kFormats[data[0] % 4];
    const unsigned long after = data[1] % 3;
    const size_t split = std::min<size_t>(data[2], size - 3);
    Reply desktopReply;
    Reply areasReply;
    Fill(desktopReply, format, after, data + 3, split);
    Fill(areasReply, format, after, data + 3 + split, size - 3 - split);

    const std::vector<unsigned long> current = Items32(desktopReply.reply, 1);
    if (current.size() > 1)
        std::abort();
    if (const std::optional<unsigned long> desktop = CurrentDesktop(current)) {
        const size_t most = 4 * (*desktop + 1);
        const std::vector<unsigned long> areas = Items32(areasReply.reply, most);
        if (areas.size() > most)
            std::abort();
        if (const std::optional<RECT> work = WorkAreaOf(areas, *desktop)) {
            if (work->right <= work->left || work->bottom <= work->top || work->left < -32767 ||
                work->right > 65534 || work->bottom > 65534)
                std::abort();
        }
    }
    for (size_t most : {size_t{0}, size_t{16}, size_t{1} << 24}) {
        const std::optional<std::string> bytes = Bytes8(areasReply.reply, most);
        if (bytes && bytes->size() > most)
            std::abort();
    }
    return 0;
}
