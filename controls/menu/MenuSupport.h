// Small helpers of the menu code: the menu font of the non-client metrics and the device
// context of the main window (the desktop's when there is none) that measuring uses.
#pragma once

#include <string>

#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"

namespace kq::controls::menu {

// Creates the menu font described by the non-client metrics.
bool CreateMenuFont(CFont& font);

class MainWindowDC : public CDC {
  public:
    MainWindowDC();
    ~MainWindowDC() override;
    MainWindowDC(const MainWindowDC&) = delete;
    MainWindowDC& operator=(const MainWindowDC&) = delete;

  private:
    HWND window_;
};

// Width of a UTF-16 text measured as the narrow (UTF-8) text it converts to.
int NarrowTextWidth(CDC& dc, const std::u16string& text);

}  // namespace kq::controls::menu
