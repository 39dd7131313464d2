#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

using Node = TreeState::Node;

COLORREF Or(COLORREF c, int sysColor) {
    return (c == CLR_NONE || c == CLR_DEFAULT) ? GetSysColor(sysColor) : c;
}

void FillSolid(HDC hdc, const RECT& rc, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rc, brush);
    DeleteObject(brush);
}

// Dotted lines, every other pixel, aligned to even coordinates so that segments join.
void DottedV(HDC hdc, int x, int y0, int y1, COLORREF c) {
    for (int y = y0 + ((y0 + x) & 1); y < y1; y += 2)
        SetPixelV(hdc, x, y, c);
}
void DottedH(HDC hdc, int y, int x0, int x1, COLORREF c) {
    for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2)
        SetPixelV(hdc, x, y, c);
}

void DrawButton(HDC hdc, int cx, int cy, bool expanded) {
    RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
    FillSolid(hdc, box, GetSysColor(COLOR_WINDOW));
    FrameRect(hdc, &box, GetSysColorBrush(COLOR_GRAYTEXT));
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    for (int x = cx - 2; x <= cx + 2; ++x)
        SetPixelV(hdc, x, cy, sign);
    if (!expanded)
        for (int y = cy - 2; y <= cy + 2; ++y)
            SetPixelV(hdc, cx, y, sign);
}

void DrawLinesAndButton(const TreeState& s, HDC hdc, const Node* node, const RECT& row) {
    const DWORD style = s.Style();
    const bool lines = style & TVS_HASLINES;
    const bool buttons = style & TVS_HASBUTTONS;
    const int content = s.ContentLeft(node);
    const int level = s.Level(node);
    const bool rootColumn = (style & TVS_LINESATROOT) && (lines || buttons);
    if (level == 0 && !rootColumn)
        return;
    const int cx = content - s.indent / 2;
    const int cy = (row.top + row.bottom) / 2;
    const COLORREF c = Or(s.lineColor, COLOR_GRAYTEXT);
    if (lines) {
        DottedH(hdc, cy, cx, content, c);
        // Up to the previous sibling or the parent, down to the next sibling.
        const bool above = node->prev || node->parent != nullptr;
        if (above && (node->prev || level > 0))
            DottedV(hdc, cx, row.top, cy, c);
        if (node->next)
            DottedV(hdc, cx, cy, row.bottom, c);
        // Lines of the ancestors that continue below this row.
        int x = cx - s.indent;
        for (const Node* p = node->parent; p && p->parent && x >= -s.indent; p = p->parent) {
            if (p->next && (s.Level(p) > 0 || rootColumn))
                DottedV(hdc, x, row.top, row.bottom, c);
            x -= s.indent;
        }
    }
    if (buttons && s.HasChildren(node))
        DrawButton(hdc, cx, cy, node->state & TVIS_EXPANDED);
}

LRESULT SendCustomDraw(const TreeState& s, HDC hdc, DWORD stage, const RECT& rc, const Node* node,
                       UINT itemState, NMTVCUSTOMDRAW* nm) {
    *nm = NMTVCUSTOMDRAW{};
    nm->nmcd.dwDrawStage = stage;
    nm->nmcd.hdc = hdc;
    nm->nmcd.rc = rc;
    nm->nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(node);
    nm->nmcd.uItemState = itemState;
    nm->nmcd.lItemlParam = node ? node->lParam : 0;
    nm->clrText = Or(s.textColor, COLOR_WINDOWTEXT);
    nm->clrTextBk = Or(s.bkColor, COLOR_WINDOW);
    nm->iLevel = node ? s.Level(node) : 0;
    return SendNotify(s.hwnd(), NM_CUSTOMDRAW, &nm->nmcd.hdr);
}

void PaintNode(TreeState& s, HDC hdc, const Node* node, LRESULT prepaint) {
    RECT row{};
    s.GetItemRect(const_cast<Node*>(node), false, &row);
    const bool selected = node->state & TVIS_SELECTED;
    const bool showSel = s.hasFocus || (s.Style() & TVS_SHOWSELALWAYS);
    UINT itemState = 0;
    if (selected)
        itemState |= CDIS_SELECTED;
    if (selected && s.hasFocus)
        itemState |= CDIS_FOCUS;
    if (node == s.hot)
        itemState |= CDIS_HOT;
    COLORREF text = Or(s.textColor, COLOR_WINDOWTEXT);
    COLORREF textBk = Or(s.bkColor, COLOR_WINDOW);
    LRESULT answer = CDRF_DODEFAULT;
    HFONT font = (node->state & TVIS_BOLD) ? s.BoldFont() : s.Font();
    SelectObject(hdc, font);
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        NMTVCUSTOMDRAW nm{};
        answer = SendCustomDraw(s, hdc, CDDS_ITEMPREPAINT, row, node, itemState, &nm);
        if (answer & CDRF_SKIPDEFAULT)
            return;
        if (!(answer & CDRF_NEWFONT))
            SelectObject(hdc, font);
        text = nm.clrText;
        textBk = nm.clrTextBk;
        itemState = nm.nmcd.uItemState;
    }
    DrawLinesAndButton(s, hdc, node, row);
    const RECT label = s.TextRect(node);
    if (s.images) {
        const int image = selected ? node->selectedImage : node->image;
        int cx = 0, cy = 0;
        ImageList_GetIconSize(s.images, &cx, &cy);
        if (image >= 0)
            ImageList_Draw(s.images, image, hdc, s.ContentLeft(node),
                           row.top + (row.bottom - row.top - cy) / 2, ILD_TRANSPARENT);
    }
    const bool highlight = ((itemState & CDIS_SELECTED) && showSel) || node == s.dropHilite;
    if (highlight && (s.hasFocus || node == s.dropHilite)) {
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        textBk = GetSysColor(COLOR_HIGHLIGHT);
    } else if (highlight) {
        text = GetSysColor(COLOR_WINDOWTEXT);
        textBk = GetSysColor(COLOR_BTNFACE);
    } else if (itemState & CDIS_HOT) {
        text = GetSysColor(COLOR_HOTLIGHT);
    }
    if (highlight || textBk != Or(s.bkColor, COLOR_WINDOW))
        FillSolid(hdc, label, textBk);
    const std::string caption = s.Text(node);
    RECT textRect{label.left + 2, label.top, label.right - 2, label.bottom};
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, text);
    DrawText(hdc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (itemState & CDIS_HOT) {
        SIZE size{};
        GetTextExtentPoint32(hdc, caption.c_str(), static_cast<int>(caption.size()), &size);
        const int y = (textRect.top + textRect.bottom + size.cy) / 2 - 1;
        RECT underline{textRect.left, y, textRect.left + size.cx, y + 1};
        FillSolid(hdc, underline, text);
    }
    if (selected && s.hasFocus)
        DrawFocusRect(hdc, &label);
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        NMTVCUSTOMDRAW nm{};
        SendCustomDraw(s, hdc, CDDS_ITEMPOSTPAINT, row, node, itemState, &nm);
    }
}

}  // namespace

void PaintTree(TreeState& s, HDC hdc, const RECT& clip) {
    const RECT client = s.Client();
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    FillSolid(hdc, client, Or(s.bkColor, COLOR_WINDOW));
    SelectObject(hdc, s.Font());
    NMTVCUSTOMDRAW nm{};
    const LRESULT prepaint = SendCustomDraw(s, hdc, CDDS_PREPAINT, client, nullptr, 0, &nm);
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        const auto rows = s.Visible();  // a copy: custom draw may change the tree
        const int last = std::min(static_cast<int>(rows.size()), s.Top() + s.VisibleCount() + 1);
        for (int r = s.Top(); r < last; ++r) {
            Node* node = rows[static_cast<size_t>(r)];
            if (s.NodeOf(TreeState::HandleOf(node)))
                PaintNode(s, hdc, node, prepaint);
        }
    }
    if (prepaint & CDRF_NOTIFYPOSTPAINT)
        SendCustomDraw(s, hdc, CDDS_POSTPAINT, client, nullptr, 0, &nm);
    RestoreDC(hdc, saved);
}

}  // namespace kq::ui::commctrl
