#include "app/ExportRect.h"

namespace {

constexpr double kReduction = 0.025;
constexpr double kPrintAspect = 1.40625;

}  // namespace

std::optional<CRect> DiagramExportRect(int mode, const CRect& screen, const CRect& workArea) {
    CRect rect;
    const CPoint origin = workArea.TopLeft();
    switch (mode) {
        case kExportScreen:
            rect = screen;
            break;
        case kExportWorkArea:
            rect = workArea;
            break;
        case kExportFixedBitmap:
            if (workArea.Height() <= 0)
                return std::nullopt;
            rect = workArea.Width() / workArea.Height() < 1 ? CRect(origin, CSize(705, 800))
                                                            : CRect(origin, CSize(800, 705));
            break;
        case kExportPrint:
            rect = CRect(
                origin, CSize(workArea.Width(), static_cast<int>(workArea.Width() / kPrintAspect)));
            break;
        default:
            return std::nullopt;
    }
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return std::nullopt;
    rect.right -= static_cast<int>(rect.Width() * kReduction);
    rect.bottom -= static_cast<int>(rect.Height() * kReduction);
    return rect;
}
