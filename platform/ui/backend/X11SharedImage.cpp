#include "platform/ui/backend/X11SharedImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>

// Xlib last: its macros (None, Bool, Status...) must not reach the headers above.
#include "platform/ui/backend/X11Pixels.h"

#include <X11/extensions/XShm.h>

namespace kq::ui::detail {

struct X11SharedImage::Segment : XShmSegmentInfo {};

namespace {

// Set by the error handler while the server attaches the memory: it could not.
bool g_attachFailed = false;

int NoteAttachError(Display*, XErrorEvent*) {
    g_attachFailed = true;
    return 0;
}

// The server attaches the segment; false when it cannot (a server on another machine, or in
// other shared memory, answers with an error).
bool AttachOnServer(Display* display, XShmSegmentInfo& info) {
    XSync(display, False);  // earlier errors go to the usual handler
    g_attachFailed = false;
    XErrorHandler previous = XSetErrorHandler(&NoteAttachError);
    const Status sent = XShmAttach(display, &info);
    XSync(display, False);
    XSetErrorHandler(previous);
    return sent != 0 && !g_attachFailed;
}

// Frees the image's record; its pixels are the shared memory, which is not Xlib's to free.
void FreeRecordOnly(XImage* image) {
    image->data = nullptr;
    image->obdata = nullptr;
    XDestroyImage(image);
}

}  // namespace

std::unique_ptr<X11SharedImage> X11SharedImage::Create(Display* display, int width, int height) {
    if (!display || width <= 0 || height <= 0 || !XShmQueryExtension(display))
        return nullptr;
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    auto info = std::make_unique<Segment>();
    XImage* image = XShmCreateImage(
        display, visual, static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, nullptr,
        info.get(), static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return nullptr;
    if (!IsDirect(*image, *visual, static_cast<unsigned>(width))) {
        FreeRecordOnly(image);
        return nullptr;
    }
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height);
    info->shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info->shmid < 0) {
        FreeRecordOnly(image);
        return nullptr;
    }
    void* address = shmat(info->shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(info->shmid, IPC_RMID, nullptr);
        FreeRecordOnly(image);
        return nullptr;
    }
    info->shmaddr = static_cast<char*>(address);
    info->readOnly = True;
    image->data = info->shmaddr;
    const bool attached = AttachOnServer(display, *info);
    // The segment goes away with the last of the two attachments, however the program ends.
    shmctl(info->shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(address);
        FreeRecordOnly(image);
        return nullptr;
    }
    std::unique_ptr<X11SharedImage> shared(new X11SharedImage);
    shared->display_ = display;
    shared->image_ = image;
    shared->info_ = std::move(info);
    return shared;
}

X11SharedImage::~X11SharedImage() {
    if (!image_)
        return;
    if (display_)
        XShmDetach(display_, info_.get());
    FreeRecordOnly(image_);
    shmdt(info_->shmaddr);
}

uint32_t* X11SharedImage::Row(int y) {
    return reinterpret_cast<uint32_t*>(image_->data +
                                       static_cast<ptrdiff_t>(y) * image_->bytes_per_line);
}

void X11SharedImage::Put(unsigned long drawable, void* gc, const RECT& rect, int x, int y) {
    if (!display_ || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    XShmPutImage(display_, drawable, static_cast<GC>(gc), image_, rect.left, rect.top, x, y,
                 static_cast<unsigned>(rect.right - rect.left),
                 static_cast<unsigned>(rect.bottom - rect.top), False);
}

}  // namespace kq::ui::detail
