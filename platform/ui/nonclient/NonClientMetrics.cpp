#include "platform/ui/nonclient/NonClientMetrics.h"

#include <cstddef>
#include <cstring>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/SystemMetrics.h"

namespace kq::ui {
namespace {

// 8 points at 96 dots per inch.
constexpr LONG kEightPoint = -11;

LOGFONT Font(LONG weight) {
    LOGFONT lf{};
    lf.lfHeight = kEightPoint;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    return lf;
}

NONCLIENTMETRICS Classic() {
    NONCLIENTMETRICS m{};
    m.cbSize = sizeof m;
    m.iBorderWidth = GetSystemMetrics(SM_CXBORDER);
    m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
    m.iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
    m.lfCaptionFont = Font(FW_BOLD);
    m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
    m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
    m.lfSmCaptionFont = Font(FW_BOLD);
    m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
    m.iMenuHeight = GetSystemMetrics(SM_CYMENU) - 1;
    m.lfMenuFont = Font(FW_NORMAL);
    m.lfStatusFont = Font(FW_NORMAL);
    m.lfMessageFont = Font(FW_NORMAL);
    m.iPaddedBorderWidth = 0;
    return m;
}

}  // namespace

bool GetNonClientMetrics(NONCLIENTMETRICS* metrics) {
    constexpr UINT kWithoutPadding = offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);
    if (!metrics || metrics->cbSize < kWithoutPadding)
        return false;
    const UINT size =
        metrics->cbSize < sizeof(NONCLIENTMETRICS) ? kWithoutPadding : sizeof(NONCLIENTMETRICS);
    NONCLIENTMETRICS m = Classic();
    std::memcpy(metrics, &m, size);
    metrics->cbSize = size;
    return true;
}

HFONT CaptionFont() {
    static HFONT font = [] {
        LOGFONT lf = Classic().lfCaptionFont;
        return CreateFontIndirect(&lf);
    }();
    return font;
}

HFONT SmallCaptionFont() {
    static HFONT font = [] {
        LOGFONT lf = Classic().lfSmCaptionFont;
        return CreateFontIndirect(&lf);
    }();
    return font;
}

}  // namespace kq::ui
