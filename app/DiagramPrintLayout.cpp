// The printed diagram page in centimetres: frame 2.5..19.2 x 1.7..27.7, a header band down to
// 4.2 with separators at 5.0 and 16.7, the picture below. A position of x cm lands at
// (x - (21.0 - printable width) / 2) / 2.54 x resolution pixels, and likewise vertically.
#include "app/DiagramPrintLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSheetWidth = 21.0;
constexpr double kSheetHeight = 29.7;
constexpr double kCmPerInch = 2.54;
constexpr double kLeft = 2.5, kRight = 19.2, kTop = 1.7, kBottom = 27.7;
constexpr double kBand = 4.2, kSeparatorLeft = 5.0, kSeparatorRight = 16.7;
// Texts and the picture keep this distance from the lines around them.
constexpr double kInset = 0.15;

}  // namespace

DiagramPrintLayout::DiagramPrintLayout(int printableWidth, int printableHeight, int dpiX, int dpiY)
    : m_dpiX(std::max(dpiX, 1)), m_dpiY(std::max(dpiY, 1)) {
    m_offsetX = (kSheetWidth - printableWidth * kCmPerInch / m_dpiX) / 2.0;
    m_offsetY = (kSheetHeight - printableHeight * kCmPerInch / m_dpiY) / 2.0;
    frame = CRect(X(kLeft), Y(kTop), X(kRight), Y(kBottom));
    bandBottom = Y(kBand);
    separatorLeft = X(kSeparatorLeft);
    separatorRight = X(kSeparatorRight);
    const int top = Y(kTop + kInset), bottom = Y(kBand - kInset);
    addressCell = CRect(X(kLeft + kInset), top, X(kSeparatorLeft - kInset), bottom);
    middleCell = CRect(X(kSeparatorLeft + kInset), top, X(kSeparatorRight - kInset), bottom);
    dateCell = CRect(X(kSeparatorRight + kInset), top, X(kRight - kInset), bottom);
    diagramArea =
        CRect(X(kLeft + kInset), Y(kBand + kInset), X(kRight - kInset), Y(kBottom - kInset));
}

int DiagramPrintLayout::X(double cm) const {
    return static_cast<int>(std::lround((cm - m_offsetX) / kCmPerInch * m_dpiX));
}

int DiagramPrintLayout::Y(double cm) const {
    return static_cast<int>(std::lround((cm - m_offsetY) / kCmPerInch * m_dpiY));
}

DiagramPrintFont DiagramPrintFontFor(int font, int dpi) {
    static constexpr DiagramPrintFont kAt600[] = {{1700, 700}, {600, 380}, {500, 315}};
    const DiagramPrintFont& base = kAt600[std::clamp(font, 0, 2)];
    const long long r = dpi;
    return {static_cast<int>(std::max(1LL, r * base.height / 600)),
            static_cast<int>(std::clamp(r * base.weight / 600, 1LL, 1000LL))};
}
