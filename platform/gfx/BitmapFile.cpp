#include "platform/gfx/BitmapFile.h"

#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/codec/Bmp.h"

namespace kq::gfx {

bool SaveBitmapAsBmp(HBITMAP bitmap, const std::string& path, std::string& error) {
    const Image image = ImageFromBitmap(bitmap);
    if (image.Empty()) {
        error = "not a bitmap";
        return false;
    }
    error.clear();
    return SaveBmpFile(path, image, 24, &error);
}

}  // namespace kq::gfx
