#include "platform/gfx/SysColors.h"

#include <array>
#include <memory>
#include <mutex>

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/HandleTable.h"

namespace {

constexpr int kColorCount = 31;

struct SysColorTable {
    std::mutex mutex;
    std::array<COLORREF, kColorCount> colors{};
    std::array<std::shared_ptr<kq::gfx::BrushObject>, kColorCount> brushes;
    std::array<HBRUSH, kColorCount> handles{};

    SysColorTable() {
        colors = {
            RGB(192, 192, 192),  // COLOR_SCROLLBAR
            RGB(0, 128, 128),    // COLOR_BACKGROUND
            RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
            RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
            RGB(192, 192, 192),  // COLOR_MENU
            RGB(255, 255, 255),  // COLOR_WINDOW
            RGB(0, 0, 0),        // COLOR_WINDOWFRAME
            RGB(0, 0, 0),        // COLOR_MENUTEXT
            RGB(0, 0, 0),        // COLOR_WINDOWTEXT
            RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
            RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
            RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
            RGB(128, 128, 128),  // COLOR_APPWORKSPACE
            RGB(0, 0, 128),      // COLOR_HIGHLIGHT
            RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
            RGB(192, 192, 192),  // COLOR_BTNFACE
            RGB(128, 128, 128),  // COLOR_BTNSHADOW
            RGB(128, 128, 128),  // COLOR_GRAYTEXT
            RGB(0, 0, 0),        // COLOR_BTNTEXT
            RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
            RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
            RGB(0, 0, 0),        // COLOR_3DDKSHADOW
            RGB(223, 223, 223),  // COLOR_3DLIGHT
            RGB(0, 0, 0),        // COLOR_INFOTEXT
            RGB(255, 255, 225),  // COLOR_INFOBK
            RGB(180, 180, 180),  // 25, unused
            RGB(0, 0, 255),      // COLOR_HOTLIGHT
            RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
            RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
            RGB(0, 0, 128),      // COLOR_MENUHILIGHT
            RGB(192, 192, 192),  // COLOR_MENUBAR
        };
        for (int i = 0; i < kColorCount; ++i) {
            auto b = std::make_shared<kq::gfx::BrushObject>();
            b->style = BS_SOLID;
            b->color = colors[static_cast<size_t>(i)];
            b->sysColorIndex = i;
            b->stock = true;
            brushes[static_cast<size_t>(i)] = b;
            handles[static_cast<size_t>(i)] = kq::gfx::AddObject<HBRUSH>(b);
        }
    }
};

SysColorTable& Table() {
    static SysColorTable* table = new SysColorTable();  // lives for the whole process
    return *table;
}

}  // namespace

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kColorCount)
        return 0;
    SysColorTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.colors[static_cast<size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorCount)
        return nullptr;
    return Table().handles[static_cast<size_t>(index)];
}

BOOL SetSysColors(int count, const INT* indices, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (!indices || !colors)))
        return FALSE;
    SysColorTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (int i = 0; i < count; ++i) {
        const int index = indices[i];
        if (index < 0 || index >= kColorCount)
            continue;
        t.colors[static_cast<size_t>(index)] = colors[i] & 0xFFFFFF;
        t.brushes[static_cast<size_t>(index)]->color = colors[i] & 0xFFFFFF;
    }
    return TRUE;
}
