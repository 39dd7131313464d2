// Rotation by whole degrees about the image centre. Right angles move each source pixel to
// exactly one output pixel (a printed diagram keeps its edge lines); other angles sample the
// source at the rotated position of each output pixel.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "controls/ImageProcessor.h"

namespace {

constexpr double kPi = 3.141592653589793;

int HalfUp(int n) {
    return n / 2 + n % 2;
}

size_t Index(int x, int y, int width) {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
}

// Exact cosine and sine of a right angle.
void RightAngle(int degrees, int& c, int& s) {
    switch (degrees) {
        case 90:
            c = 0, s = 1;
            break;
        case 180:
            c = -1, s = 0;
            break;
        case 270:
            c = 0, s = -1;
            break;
        default:
            c = 1, s = 0;
            break;
    }
}

// The shift that brings [lo, hi] inside [0, size): 0 when it already is.
bool FitShift(int lo, int hi, int size, int& shift) {
    if (hi - lo + 1 > size)
        return false;
    shift = lo < 0 ? -lo : (hi >= size ? size - 1 - hi : 0);
    return true;
}

}  // namespace

CImageRotator::CImageRotator(int degrees, bool weighted) : C32BitImageProcessor(weighted) {
    while (degrees < 0)
        degrees += 360;
    while (degrees >= 360)
        degrees -= 360;
    m_nDegrees = degrees;
    m_dRadians = degrees * kPi / 180;
}

CSize CImageRotator::CalcDestSize(CSize srcSize) {
    if (m_nDegrees == 0 || srcSize.cx <= 0 || srcSize.cy <= 0)
        return srcSize;
    const double c = std::cos(m_dRadians), s = std::sin(m_dRadians);
    const int hw = srcSize.cx / 2, hh = srcSize.cy / 2;
    int maxX = 0, maxY = 0;
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            const double x = sx * hw, y = sy * hh;
            maxX = std::max(maxX, std::abs(static_cast<int>(x * c + y * s)));
            maxY = std::max(maxY, std::abs(static_cast<int>(y * c - x * s)));
        }
    return CSize(2 * maxX + 2, 2 * maxY + 2);
}

bool CImageRotator::ProcessPixels(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst,
                                  int dstWidth, int dstHeight) {
    if (m_nDegrees == 0)
        return C32BitImageProcessor::ProcessPixels(src, srcWidth, srcHeight, dst, dstWidth,
                                                   dstHeight);
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0)
        return true;
    if (m_nDegrees % 90 == 0 &&
        RotateRightAngle(src, srcWidth, srcHeight, dst, dstWidth, dstHeight))
        return true;
    RotateSampled(src, srcWidth, srcHeight, dst, dstWidth, dstHeight);
    return true;
}

bool CImageRotator::RotateRightAngle(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst,
                                     int dstWidth, int dstHeight) const {
    int c = 1, s = 0;
    RightAngle(m_nDegrees, c, s);
    const int hsw = HalfUp(srcWidth), hsh = HalfUp(srcHeight);
    const int hdw = HalfUp(dstWidth), hdh = HalfUp(dstHeight);
    // The sampling places source point (a, b) (centred) at output u = a c - b s, v = a s + b c,
    // x = u + hdw - 1, y = v + hdh; the corners give the occupied range.
    const int a0 = -hsw, a1 = srcWidth - 1 - hsw, b0 = -hsh, b1 = srcHeight - 1 - hsh;
    auto outX = [&](int a, int b) { return a * c - b * s + hdw - 1; };
    auto outY = [&](int a, int b) { return a * s + b * c + hdh; };
    const int xs[] = {outX(a0, b0), outX(a1, b0), outX(a0, b1), outX(a1, b1)};
    const int ys[] = {outY(a0, b0), outY(a1, b0), outY(a0, b1), outY(a1, b1)};
    int shiftX = 0, shiftY = 0;
    if (!FitShift(*std::min_element(xs, xs + 4), *std::max_element(xs, xs + 4), dstWidth, shiftX) ||
        !FitShift(*std::min_element(ys, ys + 4), *std::max_element(ys, ys + 4), dstHeight, shiftY))
        return false;
    // Along a source row the output moves by (c, s): one fixed step through the buffer. A
    // quarter turn writes down a column, so the image goes in tiles whose source and output
    // lines all stay in the cache.
    const std::ptrdiff_t step = c + static_cast<std::ptrdiff_t>(s) * dstWidth;
    constexpr int kTile = 64;
    for (int top = 0; top < srcHeight; top += kTile) {
        const int bottom = std::min(srcHeight, top + kTile);
        for (int left = 0; left < srcWidth; left += kTile) {
            const int right = std::min(srcWidth, left + kTile);
            for (int py = top; py < bottom; ++py) {
                const int b = py - hsh;
                RGBQUAD* out =
                    dst + Index(outX(a0, b) + shiftX, outY(a0, b) + shiftY, dstWidth) + left * step;
                const RGBQUAD* in = src + Index(0, py, srcWidth);
                for (int px = left; px < right; ++px, out += step)
                    *out = in[px];
            }
        }
    }
    return true;
}

void CImageRotator::RotateSampled(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst,
                                  int dstWidth, int dstHeight) const {
    const double c = std::cos(m_dRadians), s = std::sin(m_dRadians);
    const int hdw = HalfUp(dstWidth), hdh = HalfUp(dstHeight);
    const int hsw = HalfUp(srcWidth), hsh = HalfUp(srcHeight);
    // The valid source rectangle, centred, last column and row included.
    const int minX = -hsw, maxX = srcWidth - 1 - hsw, minY = -hsh, maxY = srcHeight - 1 - hsh;
    for (int y = 0; y < dstHeight; ++y) {
        const double v = y - hdh;
        double u = 1 - hdw;
        double sx = u * c + v * s, sy = v * c - u * s;
        for (int x = 0; x < dstWidth; ++x, sx += c, sy -= s) {
            const int ix = static_cast<int>(sx), iy = static_cast<int>(sy);
            if (ix < minX || ix > maxX || iy < minY || iy > maxY)
                continue;
            dst[Index(x, y, dstWidth)] =
                m_bWeighted ? SampleWeighted(src, srcWidth, srcHeight, sx + hsw, sy + hsh)
                            : src[Index(ix + hsw, iy + hsh, srcWidth)];
        }
    }
}
