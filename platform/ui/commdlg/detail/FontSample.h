// The sample of the font dialog: a few letters in the chosen font and colour.
#pragma once

#include "platform/gfx/GdiStructs.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commdlg {

inline constexpr const char* kFontSampleClass = "KqFontSample";

class FontSample final : public kq::ui::commctrl::ControlWindow {
  public:
    FontSample(HWND hwnd, const CREATESTRUCT& create);
    ~FontSample() override;

    static ATOM Register();
    static FontSample* Of(HWND hwnd);

    void Show(const LOGFONT& font, COLORREF color);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

  private:
    HFONT sample_ = nullptr;
    COLORREF color_ = 0;
};

}  // namespace kq::ui::commdlg
