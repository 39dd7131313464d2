// Measuring an owner-drawn item: the icon strip, the text in the menu font and a margin; at
// least the system menu height.
#include <algorithm>

#include "controls/menu/BCMenu.h"
#include "controls/menu/BCMenuClassState.h"
#include "controls/menu/MenuSupport.h"
#include "platform/base/WideText.h"
#include "platform/gfx/UserDraw.h"
#include "platform/ui/SystemMetrics.h"

namespace {
constexpr int kTextMargin = 8;
}

void BCMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    using kq::controls::menu::kImageSize;
    using kq::controls::menu::kStripWidth;
    const auto* record = reinterpret_cast<const BCMenuData*>(lpMIS->itemData);
    if (record && (record->nFlags & MF_SEPARATOR)) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = 3;
        return;
    }
    // A request without a record measures as an empty text.
    const std::u16string text = record ? record->GetWideString() : std::u16string();
    CFont font;
    kq::controls::menu::CreateMenuFont(font);
    kq::controls::menu::MainWindowDC dc;
    // Items are drawn in the menu font, so every class measures in it.
    CFont* old = font.GetSafeHandle() ? dc.SelectObject(&font) : nullptr;
    int width = 0;
    if (GetOsClass() == 0) {
        const std::string narrow = kq::WideToUtf8(text);
        CRect rc(0, 0, 0, 0);
        ::DrawTextA(dc.m_hDC, narrow.c_str(), static_cast<int>(narrow.size()), &rc,
                    DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        width = rc.Width() + 3;
        if (!text.empty())
            width += (width / static_cast<int>(text.size())) * 3;
    } else {
        SIZE size{};
        ::GetTextExtentPoint32W(dc.m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
        width = size.cx;
    }
    if (old)
        dc.SelectObject(old);
    lpMIS->itemWidth = static_cast<UINT>(kImageSize + 7 + width + kTextMargin);
    lpMIS->itemHeight = static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYMENU), kStripWidth));
}
