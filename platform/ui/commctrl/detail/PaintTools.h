// Small drawing steps the common controls share.
#pragma once

#include "platform/base/WinTypes.h"

namespace kq::ui::commctrl {

void FillColor(HDC hdc, const RECT& rc, COLORREF color);
// A one-pixel line including both end points.
void DrawLine(HDC hdc, POINT from, POINT to, COLORREF color);
void FillPolygon(HDC hdc, const POINT* points, int count, COLORREF color);
// The brush the parent gives for the control's background through WM_CTLCOLORSTATIC (or the
// message given); the 3D face colour's brush when the parent gives none.
HBRUSH ParentBackground(HWND control, HDC hdc, UINT ctlColorMessage);
// Selects a GDI object for the lifetime of the guard.
class SelectGuard {
  public:
    SelectGuard(HDC hdc, void* object);
    ~SelectGuard();
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC hdc_;
    void* old_;
};

}  // namespace kq::ui::commctrl
