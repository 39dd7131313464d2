#include "platform/gfx/DibSampling.h"

#include <algorithm>

namespace kq::gfx {

namespace {

// Pixels are decoded in windows of eight, which start on a byte at every depth.
constexpr int kWindow = 8;

// The k-th of n points spread evenly over [first, first + length).
int64_t SamplePoint(int64_t k, int64_t n, int64_t first, int64_t length) {
    return first + static_cast<int64_t>((static_cast<__int128>(2 * k + 1) * length) / (2 * n));
}

// One scan line decoded a window at a time, each window only once in a row.
class ScanWindow {
  public:
    explicit ScanWindow(const DibLayout& dib) : dib_(dib), piece_(dib) {
        piece_.height = 1;
        piece_.topDown = true;
    }
    void Start(const uint8_t* scan) {
        scan_ = scan;
        base_ = -1;
    }
    uint32_t Pixel(int64_t x) {
        const int64_t base = x - x % kWindow;
        if (base != base_) {
            piece_.width = static_cast<int>(std::min<int64_t>(kWindow, dib_.width - base));
            if (!window_ || window_->Width() != piece_.width)
                window_ = std::make_unique<Surface>(piece_.width, 1);
            DibToSurface(piece_, scan_ + base / kWindow * dib_.bitCount, *window_, 0, 1);
            base_ = base;
        }
        return window_->Row(0)[x - base];
    }

  private:
    const DibLayout& dib_;
    DibLayout piece_;
    std::unique_ptr<Surface> window_;
    const uint8_t* scan_ = nullptr;
    int64_t base_ = -1;
};

}  // namespace

std::unique_ptr<Surface> SampleDib(const DibLayout& dib, const void* bits, int64_t left,
                                   int64_t top, int64_t width, int64_t height, int64_t columns,
                                   int64_t rows) {
    if (!bits || (dib.compression != BI_RGB && dib.compression != BI_BITFIELDS) || columns <= 0 ||
        rows <= 0 || columns > width || rows > height || left < 0 || top < 0 ||
        left + width > dib.width || top + height > dib.height)
        return nullptr;
    auto out = std::make_unique<Surface>(static_cast<int>(columns), static_cast<int>(rows));
    if (!out->Valid())
        return nullptr;
    ScanWindow window(dib);
    for (int64_t k = 0; k < rows; ++k) {
        const int64_t row = SamplePoint(k, rows, top, height);
        const int64_t scan = dib.topDown ? row : dib.height - 1 - row;
        window.Start(static_cast<const uint8_t*>(bits) + static_cast<size_t>(scan) * dib.stride);
        uint32_t* target = out->Row(static_cast<int>(k));
        for (int64_t j = 0; j < columns; ++j)
            target[j] = window.Pixel(SamplePoint(j, columns, left, width));
    }
    return out;
}

}  // namespace kq::gfx
