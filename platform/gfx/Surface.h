// A rectangle of 32-bit pixels: the memory every device context draws into. A pixel is
// 0xXXRRGGBB, which is the byte order blue, green, red, reserved of a 32-bit DIB; drawing leaves
// the top byte 0 except where a copy carries it (alpha of icons and DIB sections).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kq::gfx {

// The largest surface the library allocates (a hostile or mistaken size never exhausts memory).
constexpr int64_t kMaxSurfacePixels = 256LL * 1024 * 1024;

class Surface {
  public:
    // An owned surface, cleared to 0. Sizes that are not positive or exceed kMaxSurfacePixels
    // give an empty surface (Valid() false).
    Surface(int width, int height);
    // A surface over memory that someone else owns (a DIB section, a window system buffer). The
    // stride is in bytes and may be negative (a bottom-up DIB).
    Surface(int width, int height, uint32_t* firstRow, ptrdiff_t strideBytes);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    static std::shared_ptr<Surface> Create(int width, int height) {
        auto s = std::make_shared<Surface>(width, height);
        return s->Valid() ? s : nullptr;
    }
    static bool SizeAllowed(int64_t width, int64_t height);

    bool Valid() const { return base_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    ptrdiff_t StrideBytes() const { return stride_; }
    uint32_t* Row(int y) {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(base_) + y * stride_);
    }
    const uint32_t* Row(int y) const {
        return reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(base_) +
                                                 y * stride_);
    }
    uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t p) { Row(y)[x] = p; }

    // A monochrome surface holds only 0x000000 and 0xFFFFFF; drawing maps colours to one of them.
    bool IsMonochrome() const { return monochrome_; }
    void SetMonochrome(bool mono) { monochrome_ = mono; }

    void Fill(uint32_t pixel);
    // Copies the pixels of another surface of the same size.
    void CopyFrom(const Surface& other);
    // Copies the pixels out as top-down rows without gaps (what an image writer takes).
    std::vector<uint32_t> TopDownPixels() const;

  private:
    std::vector<uint32_t> storage_;
    uint32_t* base_ = nullptr;
    ptrdiff_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool monochrome_ = false;
};

}  // namespace kq::gfx
