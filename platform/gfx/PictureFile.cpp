#include "platform/gfx/PictureFile.h"

#include <span>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/ImageOps.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/gfx/codec/FileBytes.h"
#include "platform/gfx/codec/Gif.h"
#include "platform/gfx/codec/Ico.h"
#include "platform/gfx/codec/Jpeg.h"

namespace kq::gfx {

namespace {

bool StartsWith(std::span<const uint8_t> data, std::initializer_list<uint8_t> magic) {
    if (data.size() < magic.size()) {
        return false;
    }
    size_t i = 0;
    for (uint8_t b : magic) {
        if (data[i++] != b) {
            return false;
        }
    }
    return true;
}

}  // namespace

ImageResult DecodePicture(std::span<const uint8_t> data) {
    if (StartsWith(data, {'B', 'M'})) {
        return DecodeBmp(data);
    }
    if (StartsWith(data, {0xFF, 0xD8, 0xFF})) {
        return DecodeJpeg(data);
    }
    if (StartsWith(data, {'G', 'I', 'F', '8'})) {
        return DecodeGif(data);
    }
    if (StartsWith(data, {0, 0, 1, 0})) {
        IconResult icon = DecodeIcon(data);
        if (!icon) {
            return ImageResult::Failure(icon.error);
        }
        ImageResult result;
        result.image = std::move(icon.image);
        return result;
    }
    return ImageResult::Failure("not a BMP, JPEG, GIF or icon file");
}

ImageResult LoadPictureFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        return ImageResult::Failure(error);
    }
    return DecodePicture(bytes);
}

HBITMAP LoadPictureBitmap(const std::string& path, COLORREF background) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    ImageResult picture = DecodePicture(bytes);
    if (!picture) {
        ::SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const uint32_t under = background == CLR_NONE ? kBlackPixel : PixelFromColorRef(background);
    if (!picture.image.HasMask()) {
        return BitmapFromImage(FlattenImage(picture.image, under));
    }
    // An icon is drawn as icons are, so that its mask can also invert what lies below.
    Image sheet(picture.image.width, picture.image.height, 0xFF000000u | under);
    HBITMAP bitmap = BitmapFromImage(sheet);
    HICON icon = IconFromImage(picture.image);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = bitmap ? ::SelectObject(dc, bitmap) : nullptr;
    const bool drawn =
        bitmap && icon && old && ::DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL) != FALSE;
    if (old) {
        ::SelectObject(dc, old);
    }
    ::DeleteDC(dc);
    ::DestroyIcon(icon);
    if (!drawn) {
        ::DeleteObject(bitmap);
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return bitmap;
}

}  // namespace kq::gfx
