// The base processor (a plain copy) and the bilinear sampler the weighted processors share.
#include "controls/ImageProcessor.h"

#include <algorithm>
#include <cstring>

CSize C32BitImageProcessor::CalcDestSize(CSize srcSize) {
    return srcSize;
}

bool C32BitImageProcessor::ProcessPixels(const RGBQUAD* src, int srcWidth, int srcHeight,
                                         RGBQUAD* dst, int, int) {
    std::memcpy(dst, src,
                static_cast<size_t>(srcWidth) * static_cast<size_t>(srcHeight) * sizeof(RGBQUAD));
    return true;
}

RGBQUAD C32BitImageProcessor::SampleWeighted(const RGBQUAD* src, int width, int height, double fx,
                                             double fy) {
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    auto at = [&](int x, int y) -> const RGBQUAD& {
        return src[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    };
    if (fx < 0 || fy < 0) {
        RGBQUAD p = at(std::clamp(ix, 0, width - 1), std::clamp(iy, 0, height - 1));
        p.rgbReserved = 0;
        return p;
    }
    const int x0 = std::min(ix, width - 1), y0 = std::min(iy, height - 1);
    const int x1 = x0 < width - 1 ? x0 + 1 : width - 1;
    const int y1 = y0 < height - 1 ? y0 + 1 : height - 1;
    const double dx = fx - ix, dy = fy - iy;
    const double w00 = (1 - dx) * (1 - dy), w10 = dx * (1 - dy), w01 = (1 - dx) * dy, w11 = dx * dy;
    const RGBQUAD &p00 = at(x0, y0), &p10 = at(x1, y0), &p01 = at(x0, y1), &p11 = at(x1, y1);
    auto mix = [&](BYTE RGBQUAD::*channel) {
        return static_cast<BYTE>(w00 * (p00.*channel) + w10 * (p10.*channel) +
                                 w01 * (p01.*channel) + w11 * (p11.*channel));
    };
    return RGBQUAD{mix(&RGBQUAD::rgbBlue), mix(&RGBQUAD::rgbGreen), mix(&RGBQUAD::rgbRed), 0};
}
