// What the controls' painting shares: the device context to paint on, the background and
// colours the parent chooses through WM_CTLCOLOR*, the font, and text in the classic look.
#pragma once

#include <functional>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Runs the painting with the DC that WM_PAINT or WM_PRINTCLIENT carries in wParam, or between
// BeginPaint and EndPaint for a WM_PAINT without one.
void PaintWith(HWND hwnd, WPARAM wParam, const std::function<void(HDC)>& paint);

// The colours a parent that does not answer WM_CTLCOLOR* gets: window text on the window
// colour for edits and lists, button text on the button face for the others. Sets the DC's
// text and background colours; returns the system brush.
HBRUSH DefaultControlColor(UINT ctlColorMessage, HDC dc);
// Asks the parent (after setting the default colours in the DC); the system brush when the
// parent leaves it to the system, null when the parent answers with the null brush (the
// control leaves its background alone).
HBRUSH ControlBackground(HWND control, UINT ctlColorMessage, HDC dc);
void FillBackground(HDC dc, const RECT& r, HBRUSH brush);

// Selects the control's font (null: the default GUI font); restores the old one when gone.
class FontScope {
  public:
    FontScope(HDC dc, HFONT font);
    ~FontScope();
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Text in the DC's text colour, or embossed grey when disabled; format as DrawText's.
void DrawControlText(HDC dc, std::string_view text, RECT r, UINT format, bool enabled);

}  // namespace kq::ui::detail
