#include "platform/gfx/ImageLoad.h"

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/base/Resource.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/ImageOps.h"
#include "platform/gfx/StandardIcons.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/gfx/codec/FileBytes.h"
#include "platform/gfx/codec/Ico.h"

namespace {

using kq::gfx::Image;

constexpr UINT kSupportedFlags =
    LR_DEFAULTCOLOR | LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_VGACOLOR | LR_SHARED;

HANDLE Fail(DWORD code) {
    ::SetLastError(code);
    return nullptr;
}

// What a request asks for, as the shared images are keyed.
struct Request {
    UINT type = IMAGE_BITMAP;
    int cx = 0;
    int cy = 0;
    bool defaultSize = false;
    int standardId = 0;           // a standard icon, or 0
    std::span<const BYTE> bytes;  // a resource's data
    std::string path;             // or the file's path

    auto Key() const {
        return std::make_tuple(type, cx, cy, defaultSize, standardId, bytes.data(), bytes.size(),
                               std::cref(path));
    }
    bool operator<(const Request& o) const { return Key() < o.Key(); }
};

// Handles loaded with LR_SHARED (and by LoadIcon). A handle destroyed against the rules is
// noticed and loaded again.
class SharedImages {
  public:
    static SharedImages& Instance() {
        static SharedImages images;
        return images;
    }
    HANDLE Find(const Request& r) {
        std::lock_guard lock(mutex_);
        const auto it = handles_.find(r);
        if (it == handles_.end()) {
            return nullptr;
        }
        if (!kq::gfx::HandleTable::Instance().Get(it->second)) {
            handles_.erase(it);
            return nullptr;
        }
        return it->second;
    }
    // The handle to use: the one stored meanwhile by another thread, else h.
    HANDLE Store(const Request& r, HANDLE h) {
        std::lock_guard lock(mutex_);
        auto [it, added] = handles_.emplace(r, h);
        if (!added && kq::gfx::HandleTable::Instance().Get(it->second)) {
            kq::gfx::HandleTable::Instance().Remove(h);
            return it->second;
        }
        it->second = h;
        return h;
    }

  private:
    std::mutex mutex_;
    std::map<Request, HANDLE> handles_;
};

kq::BinaryKind KindOf(UINT type) {
    return type == IMAGE_BITMAP ? kq::BinaryKind::Bitmap
           : type == IMAGE_ICON ? kq::BinaryKind::Icon
                                : kq::BinaryKind::Cursor;
}

HANDLE MakeBitmap(std::span<const uint8_t> bytes, const Request& r) {
    kq::gfx::ImageResult decoded = kq::gfx::DecodeBmp(bytes);
    if (!decoded) {
        return Fail(ERROR_INVALID_DATA);
    }
    Image image = std::move(decoded.image);
    if (r.cx > 0 && r.cy > 0) {
        image = kq::gfx::ScaleImage(image, r.cx, r.cy);
    }
    HBITMAP bitmap = kq::gfx::BitmapFromImage(image);
    return bitmap ? bitmap : Fail(ERROR_NOT_ENOUGH_MEMORY);
}

// The size an icon is made at: asked, default, or its own.
int IconSide(int asked, bool defaultSize, int natural) {
    return asked > 0 ? asked : defaultSize ? kq::gfx::kIconSize : natural;
}

HANDLE MakeIcon(std::span<const uint8_t> bytes, const Request& r) {
    kq::gfx::IconResult decoded = kq::gfx::DecodeIcon(bytes, r.cx, r.cy);
    if (!decoded) {
        return Fail(ERROR_INVALID_DATA);
    }
    const Image& natural = decoded.image;
    const int width = IconSide(r.cx, r.defaultSize, natural.width);
    const int height = IconSide(r.cy, r.defaultSize, natural.height);
    const POINT hotspot{decoded.hotspotX * width / natural.width,
                        decoded.hotspotY * height / natural.height};
    HICON icon = kq::gfx::IconFromImage(kq::gfx::ScaleImage(natural, width, height),
                                        r.type == IMAGE_ICON, hotspot);
    return icon ? icon : Fail(ERROR_NOT_ENOUGH_MEMORY);
}

HANDLE MakeStandardIcon(const Request& r) {
    const int width = IconSide(r.cx, true, 0);
    const int height = IconSide(r.cy, true, 0);
    const Image image = kq::gfx::DrawStandardIcon(r.standardId, width);
    HICON icon = kq::gfx::IconFromImage(kq::gfx::ScaleImage(image, width, height));
    return icon ? icon : Fail(ERROR_INVALID_PARAMETER);
}

HANDLE Make(const Request& r) {
    if (r.standardId != 0) {
        return MakeStandardIcon(r);
    }
    std::vector<uint8_t> fileBytes;
    std::span<const uint8_t> bytes;
    if (!r.path.empty()) {
        std::string error;
        if (!kq::gfx::ReadFileBytes(r.path, fileBytes, error)) {
            return Fail(ERROR_FILE_NOT_FOUND);
        }
        bytes = fileBytes;
    } else {
        bytes = r.bytes;
    }
    return r.type == IMAGE_BITMAP ? MakeBitmap(bytes, r) : MakeIcon(bytes, r);
}

}  // namespace

HANDLE LoadImage(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (!name || type > IMAGE_CURSOR || (flags & ~kSupportedFlags) != 0 || cx < 0 || cy < 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    Request r;
    r.type = type;
    r.cx = cx;
    r.cy = cy;
    r.defaultSize = (flags & LR_DEFAULTSIZE) != 0;
    if (flags & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name) || *name == '\0') {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        r.path = name;
    } else {
        const int id =
            IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : 0;
        if (!module && type == IMAGE_ICON && kq::gfx::IsStandardIconId(id)) {
            r.standardId = id;
        } else {
            const kq::BinaryResource* resource =
                kq::FindBinaryResource(KindOf(type), kq::ResourceName(name));
            if (!resource) {
                return Fail(ERROR_FILE_NOT_FOUND);
            }
            r.bytes = resource->bytes;
        }
    }
    if (!(flags & LR_SHARED)) {
        return Make(r);
    }
    if (HANDLE h = SharedImages::Instance().Find(r)) {
        return h;
    }
    HANDLE h = Make(r);
    return h ? SharedImages::Instance().Store(r, h) : nullptr;
}

HBITMAP LoadBitmap(HINSTANCE module, LPCSTR name) {
    return static_cast<HBITMAP>(LoadImage(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HICON LoadIcon(HINSTANCE module, LPCSTR name) {
    return static_cast<HICON>(
        LoadImage(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HIMAGELIST ImageList_LoadImage(HINSTANCE module, LPCSTR name, int cx, int grow, COLORREF mask,
                               UINT type, UINT flags) {
    if (type != IMAGE_BITMAP || cx <= 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The bitmap is only read into the list, so it is never a shared one.
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImage(module, name, type, 0, 0, flags & ~LR_SHARED));
    BITMAP bm{};
    if (!bitmap || ::GetObject(bitmap, sizeof bm, &bm) == 0) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    const bool masked = mask != CLR_NONE;
    HIMAGELIST list = ImageList_Create(cx, bm.bmHeight, ILC_COLOR24 | (masked ? ILC_MASK : 0),
                                       std::max<int>(1, bm.bmWidth / cx), grow);
    const int added = !list    ? -1
                      : masked ? ImageList_AddMasked(list, bitmap, mask)
                               : ImageList_Add(list, bitmap, nullptr);
    ::DeleteObject(bitmap);
    if (added < 0) {
        ImageList_Destroy(list);
        ::SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return list;
}
