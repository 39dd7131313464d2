// The tab control (class "SysTabControl32"): one row of tabs above a display area. Each tab has
// a text and a value for the program; one tab is selected. The user changes the selection with
// a click, the arrow keys or Ctrl+Tab; the parent may refuse a change (TCN_SELCHANGING) and
// learns of each accepted one (TCN_SELCHANGE).
#pragma once

#include <string>
#include <vector>

#include "platform/ui/commctrl/TabControlApi.h"
#include "platform/ui/commctrl/detail/ControlWindow.h"

namespace kq::ui::commctrl {

class TabControl final : public ControlWindow {
  public:
    TabControl(HWND hwnd, const CREATESTRUCT& create);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hdc, const RECT& update) override;

    static ATOM Register();

  private:
    struct Item {
        std::string text;
        LPARAM data = 0;
        int image = -1;
        DWORD state = 0;
    };

    LRESULT HandleTabMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    int InsertItem(int index, const TCITEM& item);
    bool SetItem(int index, const TCITEM& item);
    bool GetItem(int index, TCITEM& item) const;
    bool DeleteItem(int index);
    int HitTest(POINT pt, UINT* flags) const;
    void AdjustRect(bool larger, RECT& rc) const;
    // Asks the parent, then selects and reports; false when refused or already selected.
    bool ChangeSelection(int index);
    void OnKeyDown(UINT vk, LPARAM lParam);

    // Item rectangles (unselected size) and the bottom of the tab row, measured with the font.
    void Layout() const;
    void Changed();
    void PaintTab(HDC hdc, int index, const RECT& rc, bool selected) const;

    std::vector<Item> items_;
    int selected_ = -1;
    SIZE fixedSize_{0, 0};
    SIZE padding_{6, 3};
    mutable bool layoutValid_ = false;
    mutable std::vector<RECT> rects_;
    mutable int rowBottom_ = 0;
};

}  // namespace kq::ui::commctrl
