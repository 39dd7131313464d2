#include "platform/ui/commdlg/detail/FontSample.h"

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commdlg {

FontSample::FontSample(HWND hwnd, const CREATESTRUCT&) : ControlWindow(hwnd) {}

FontSample::~FontSample() {
    if (sample_)
        DeleteObject(sample_);
}

ATOM FontSample::Register() {
    return kq::ui::commctrl::RegisterControlClass(kFontSampleClass,
                                                  &kq::ui::commctrl::ControlWindowProc<FontSample>);
}

FontSample* FontSample::Of(HWND hwnd) {
    return static_cast<FontSample*>(static_cast<ControlWindow*>(kq::ui::commctrl::StateOf(hwnd)));
}

void FontSample::Show(const LOGFONT& font, COLORREF color) {
    if (sample_)
        DeleteObject(sample_);
    sample_ = CreateFontIndirect(&font);
    color_ = color;
    Invalidate();
}

LRESULT FontSample::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void FontSample::Paint(HDC hdc, const RECT&) {
    RECT rc = ClientRect();
    kq::ui::commctrl::FillColor(hdc, rc, GetSysColor(COLOR_BTNFACE));
    DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    kq::ui::commctrl::SelectGuard font(hdc, sample_ ? sample_ : Font());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, color_);
    DrawText(hdc, "AaBbYyZz", -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace kq::ui::commdlg
