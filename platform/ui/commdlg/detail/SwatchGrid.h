// A grid of colour swatches for the colour dialog: one is selected (by click or arrow keys),
// a double-click or Enter on it activates it. The parent hears both through WM_COMMAND.
#pragma once

#include <vector>

#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commdlg {

inline constexpr const char* kSwatchGridClass = "KqSwatchGrid";
constexpr WORD kSwatchSelected = 1;  // WM_COMMAND notification codes
constexpr WORD kSwatchActivated = 2;

class SwatchGrid final : public kq::ui::commctrl::ControlWindow {
  public:
    SwatchGrid(HWND hwnd, const CREATESTRUCT& create);

    static ATOM Register();
    static SwatchGrid* Of(HWND hwnd);

    void SetColors(std::vector<COLORREF> colors, int columns);
    const std::vector<COLORREF>& Colors() const { return colors_; }
    void SetColor(int index, COLORREF color);
    // -1 for none.
    int Selected() const { return selected_; }
    void Select(int index);
    RECT CellRect(int index) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

  private:
    int Rows() const;
    int IndexAt(POINT pt) const;
    void Choose(int index, WORD code);

    std::vector<COLORREF> colors_;
    int columns_ = 1;
    int selected_ = -1;
};

}  // namespace kq::ui::commdlg
