// Tool tips over cells: the hit code names the cell (row * 1000 + column + 1) and the text comes
// by callback from the cell's record, cut to the notification's buffer on a character boundary.
#include <cstring>
#include <string_view>

#include "controls/list/CXListCtrl.h"
#include "platform/base/Utf8.h"

namespace {

// The longest whole-character prefix of text that fits in size - 1 bytes.
size_t FittingPrefix(std::string_view text, size_t size) {
    size_t end = 0;
    while (end < text.size()) {
        const kq::CodePoint cp = kq::DecodeUtf8At(text, end);
        if (end + static_cast<size_t>(cp.length) > size - 1)
            break;
        end += static_cast<size_t>(cp.length);
    }
    return end;
}

}  // namespace

INT_PTR CXListCtrl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const_cast<CXListCtrl*>(this)->SubItemHitTest(&hit);
    if (hit.iItem < 0 || !(hit.flags & LVHT_ONITEMLABEL))
        return -1;
    const INT_PTR code = hit.iItem * 1000 + hit.iSubItem + 1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(code);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        GetClientRect(&pTI->rect);
    }
    return code;
}

BOOL CXListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->code == TTN_NEEDTEXT &&
        OnToolTipText(static_cast<UINT>(header->idFrom), header, pResult))
        return TRUE;
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

BOOL CXListCtrl::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    if (pNMHDR->idFrom == 0)
        return TRUE;  // the tool tip's own window: nothing to say
    *pResult = 0;
    const MSG* msg = GetCurrentMessage();
    if (msg == nullptr)
        return FALSE;
    CPoint point(msg->pt);
    ScreenToClient(&point);
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    const XListCellData* cell = Cell(hit.iItem, hit.iSubItem);
    if (cell == nullptr || cell->strToolTip.IsEmpty())
        return FALSE;
    auto* info = reinterpret_cast<NMTTDISPINFO*>(pNMHDR);
    const std::string_view text(cell->strToolTip.GetString(),
                                static_cast<size_t>(cell->strToolTip.GetLength()));
    const size_t length = FittingPrefix(text, sizeof info->szText);
    std::memcpy(info->szText, text.data(), length);
    info->szText[length] = '\0';
    info->lpszText = info->szText;
    return FALSE;  // routing goes on
}
