// A memory DC with the menu font selected, for measuring item texts.
#pragma once

#include <string>

#include "platform/gfx/StockObjects.h"
#include "platform/gfx/WinGdi.h"

namespace kq::ui::menu {

class MeasureDC {
  public:
    MeasureDC() : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_)
            old_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasureDC() {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    SIZE Extent(const std::string& s) const {
        SIZE size{};
        if (dc_)
            GetTextExtentPoint32(dc_, s.c_str(), static_cast<int>(s.size()), &size);
        return size;
    }
    int LineHeight() const {
        TEXTMETRIC tm{};
        return dc_ && GetTextMetrics(dc_, &tm) ? tm.tmHeight : 13;
    }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace kq::ui::menu
