#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

class CustomDraw {
  public:
    CustomDraw(ListViewState& s, HDC hdc) : s_(s), hdc_(hdc) {}

    LRESULT Send(DWORD stage, const RECT& rc, int item, int subItem, UINT itemState,
                 NMLVCUSTOMDRAW* nm) {
        *nm = NMLVCUSTOMDRAW{};
        nm->nmcd.dwDrawStage = stage;
        nm->nmcd.hdc = hdc_;
        nm->nmcd.rc = rc;
        nm->nmcd.dwItemSpec = static_cast<DWORD_PTR>(item < 0 ? 0 : item);
        nm->nmcd.uItemState = itemState;
        nm->nmcd.lItemlParam = s_.Valid(item) ? s_.ItemAt(item).lParam : 0;
        nm->clrText = s_.textColor;
        nm->clrTextBk = s_.textBkColor;
        nm->iSubItem = subItem;
        return SendNotify(s_.hwnd(), NM_CUSTOMDRAW, &nm->nmcd.hdr);
    }

  private:
    ListViewState& s_;
    HDC hdc_;
};

UINT ItemDrawState(const ListViewState& s, int i) {
    UINT state = 0;
    const UINT st = s.ItemAt(i).state;
    if (st & LVIS_SELECTED)
        state |= CDIS_SELECTED;
    if ((st & LVIS_FOCUSED) && s.hasFocus)
        state |= CDIS_FOCUS;
    return state;
}

void FillSolidRect(HDC hdc, const RECT& rc, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rc, brush);
    DeleteObject(brush);
}

// Draws one cell with the colours the custom-draw answer left.
void DrawCell(const ListViewState& s, HDC hdc, int i, int column, UINT drawState, COLORREF text,
              COLORREF textBk) {
    const bool first = column == 0;
    const bool fullRow = (s.exStyle & LVS_EX_FULLROWSELECT) != 0;
    RECT cell{};
    s.GetSubItemRect(i, column, first ? LVIR_LABEL : LVIR_BOUNDS, &cell);
    if (first) {
        RECT bounds = s.CellRect(i, 0);
        cell.left = std::max(cell.left, bounds.left);
    }
    // Selection colours: with the focus, or kept without it under LVS_SHOWSELALWAYS.
    const bool selected = (drawState & CDIS_SELECTED) && (fullRow || first);
    const bool showAlways = (GetWindowLong(s.hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    if (selected && s.hasFocus) {
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        textBk = GetSysColor(COLOR_HIGHLIGHT);
    } else if (selected && showAlways) {
        text = GetSysColor(COLOR_WINDOWTEXT);
        textBk = GetSysColor(COLOR_BTNFACE);
    }
    if (first) {
        // The image part keeps the list's background; only the label shows the selection.
        RECT icon{};
        s.GetItemRect(i, LVIR_ICON, &icon);
        const RECT bounds = s.CellRect(i, 0);
        RECT lead{bounds.left, bounds.top, icon.right, bounds.bottom};
        if (s.textBkColor != CLR_NONE && lead.right > lead.left)
            FillSolidRect(hdc, lead, s.textBkColor);
        const int image = s.ItemAt(i).image;
        if (s.smallImages && image >= 0 && icon.right > icon.left) {
            const int h = icon.bottom - icon.top;
            int cx = 0, cy = 0;
            ImageList_GetIconSize(s.smallImages, &cx, &cy);
            ImageList_DrawEx(s.smallImages, image, hdc, icon.left, icon.top + (h - cy) / 2,
                             icon.right - icon.left, cy, CLR_NONE, CLR_DEFAULT,
                             (selected && s.hasFocus) ? ILD_SELECTED : ILD_TRANSPARENT);
        }
        const UINT stateImage = (s.ItemAt(i).state & LVIS_STATEIMAGEMASK) >> 12;
        if (s.stateImages && stateImage > 0) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(s.stateImages, &cx, &cy);
            ImageList_Draw(s.stateImages, static_cast<int>(stateImage) - 1, hdc, bounds.left,
                           bounds.top + (bounds.bottom - bounds.top - cy) / 2, ILD_TRANSPARENT);
        }
    }
    if (textBk != CLR_NONE && textBk != CLR_DEFAULT)
        FillSolidRect(hdc, cell, textBk);
    const std::string label = s.Text(i, s.ColumnCount() > 0 ? s.ColumnAt(column).subItem : 0);
    if (label.empty())
        return;
    const int inset = first ? ListViewState::kFirstTextInset : ListViewState::kTextInset;
    RECT textRect{cell.left + inset, cell.top, cell.right - inset, cell.bottom};
    if (textRect.right <= textRect.left)
        return;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    const int fmt = s.ColumnCount() > 0 ? s.ColumnAt(column).fmt & LVCFMT_JUSTIFYMASK : 0;
    if (fmt == LVCFMT_RIGHT)
        format |= DT_RIGHT;
    else if (fmt == LVCFMT_CENTER)
        format |= DT_CENTER;
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, text == CLR_DEFAULT ? s.textColor : text);
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &textRect, format);
}

void DrawGridLines(const ListViewState& s, HDC hdc, const RECT& client) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(hdc, pen);
    const int h = s.ItemHeight();
    const int top = s.HeaderHeight();
    for (int y = top + h - 1; y < client.bottom; y += h) {
        MoveToEx(hdc, client.left, y, nullptr);
        LineTo(hdc, client.right, y);
    }
    for (int c = 0; c < s.ColumnCount(); ++c) {
        const RECT span = s.ColumnSpan(c);
        MoveToEx(hdc, span.right - 1, top, nullptr);
        LineTo(hdc, span.right - 1, client.bottom);
    }
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void PaintItem(ListViewState& s, HDC hdc, CustomDraw& cd, int i, LRESULT prepaint) {
    RECT bounds{};
    s.GetItemRect(i, LVIR_BOUNDS, &bounds);
    const UINT drawState = ItemDrawState(s, i);
    NMLVCUSTOMDRAW nm{};
    LRESULT itemAnswer = CDRF_DODEFAULT;
    COLORREF text = s.textColor;
    COLORREF textBk = s.textBkColor;
    UINT itemState = drawState;
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        SelectObject(hdc, s.Font());
        itemAnswer = cd.Send(CDDS_ITEMPREPAINT, bounds, i, 0, drawState, &nm);
        if (!(itemAnswer & CDRF_NEWFONT))
            SelectObject(hdc, s.Font());
        if (itemAnswer & CDRF_SKIPDEFAULT)
            return;
        text = nm.clrText;
        textBk = nm.clrTextBk;
        itemState = nm.nmcd.uItemState;
    }
    if (!s.Valid(i))
        return;
    const HGDIOBJ itemFont = GetCurrentObject(hdc, OBJ_FONT);
    const int columns = std::max(1, s.ColumnCount());
    for (int position = 0; position < columns; ++position) {
        const HeaderState* header = s.Header();
        const int column =
            s.ColumnCount() > 0 && header ? header->OrderToIndex(position) : position;
        COLORREF cellText = text;
        COLORREF cellBk = textBk;
        UINT cellState = itemState;
        LRESULT subAnswer = CDRF_DODEFAULT;
        if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) {
            RECT cell = s.CellRect(i, column);
            subAnswer = cd.Send(CDDS_ITEMPREPAINT | CDDS_SUBITEM, cell, i, column, itemState, &nm);
            if (!(subAnswer & CDRF_NEWFONT))
                SelectObject(hdc, itemFont);
            cellText = nm.clrText;
            cellBk = nm.clrTextBk;
            cellState = nm.nmcd.uItemState;
        }
        if (!s.Valid(i))
            return;
        if (!(subAnswer & CDRF_SKIPDEFAULT))
            DrawCell(s, hdc, i, column, cellState, cellText, cellBk);
        if (subAnswer & CDRF_NOTIFYPOSTPAINT) {
            RECT cell = s.CellRect(i, column);
            cd.Send(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, cell, i, column, itemState, &nm);
        }
    }
    if (s.Valid(i) && (s.ItemAt(i).state & LVIS_FOCUSED) && s.hasFocus) {
        RECT focus{};
        s.GetItemRect(i, LVIR_SELECTBOUNDS, &focus);
        if (s.exStyle & LVS_EX_GRIDLINES)
            --focus.bottom;
        DrawFocusRect(hdc, &focus);
    }
    if (itemAnswer & CDRF_NOTIFYPOSTPAINT)
        cd.Send(CDDS_ITEMPOSTPAINT, bounds, i, 0, itemState, &nm);
}

}  // namespace

void PaintListView(ListViewState& s, HDC hdc, const RECT& clip) {
    const RECT client = s.Client();
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    IntersectClipRect(hdc, 0, s.HeaderHeight(), client.right, client.bottom);
    if (s.bkColor != CLR_NONE)
        FillSolidRect(hdc, client, s.bkColor);
    SelectObject(hdc, s.Font());

    CustomDraw cd(s, hdc);
    NMLVCUSTOMDRAW nm{};
    const LRESULT prepaint = cd.Send(CDDS_PREPAINT, client, -1, 0, 0, &nm);
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        // Only the rows that meet the clip: found from the row height, not row by row.
        const int rowHeight = std::max(1, s.ItemHeight());
        const int rowsTop = s.HeaderHeight();
        const int perPage = std::max(0, (static_cast<int>(client.bottom) - rowsTop) / rowHeight);
        const int first =
            s.TopIndex() + std::max(0, (static_cast<int>(clip.top) - rowsTop) / rowHeight);
        int last = std::min(s.Count(), s.TopIndex() + perPage + 1);
        if (clip.bottom <= clip.top || clip.right <= clip.left)
            last = first;
        else
            last = std::min(
                last, s.TopIndex() +
                          (static_cast<int>(clip.bottom) - rowsTop + rowHeight - 1) / rowHeight);
        for (int i = first; i < last; ++i)
            PaintItem(s, hdc, cd, i, prepaint);
        if (s.exStyle & LVS_EX_GRIDLINES)
            DrawGridLines(s, hdc, client);
    }
    if (prepaint & CDRF_NOTIFYPOSTPAINT)
        cd.Send(CDDS_POSTPAINT, client, -1, 0, 0, &nm);
    RestoreDC(hdc, saved);
}

}  // namespace kq::ui::commctrl
