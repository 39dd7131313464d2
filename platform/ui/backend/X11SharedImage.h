// An image of the screen's size in memory the X server reads itself (the MIT-SHM extension):
// putting part of it costs the server one copy and the connection a few bytes, where an
// ordinary image goes through the socket pixel by pixel. Only a server on this machine, in
// this machine's shared memory, can take it; elsewhere Create gives nothing and the back end
// sends its pixels the ordinary way.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/UiTypes.h"

struct _XDisplay;
struct _XImage;

namespace kq::ui::detail {

class X11SharedImage {
  public:
    // Null when the display cannot share memory with this program or does not take the
    // surface's pixel format.
    static std::unique_ptr<X11SharedImage> Create(_XDisplay* display, int width, int height);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage&) = delete;
    X11SharedImage& operator=(const X11SharedImage&) = delete;

    // Row y of the image, as wide as the screen, in the surface's format.
    uint32_t* Row(int y);
    // The image's rectangle into the drawable with its top left at `x`, `y`. The server reads the
    // memory when it comes to the request: pixels written into the rectangle before that show
    // earlier, which is harmless as long as every changed pixel is put again after it was written.
    void Put(unsigned long drawable, void* gc, const RECT& rect, int x, int y);
    // The connection is gone: the memory is released without telling the server.
    void Abandon() { display_ = nullptr; }

  private:
    struct Segment;
    X11SharedImage() = default;

    _XDisplay* display_ = nullptr;
    _XImage* image_ = nullptr;
    std::unique_ptr<Segment> info_;  // the memory, as Xlib and the server name it
};

}  // namespace kq::ui::detail
