#include <algorithm>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"
#include "platform/ui/controls/ScrollBar.h"

namespace kq::ui::commctrl {

bool TreeState::Expand(Node* node, UINT code, bool byUser, UINT action) {
    if (!node || node == &root_)
        return false;
    const UINT op = code & TVE_TOGGLE;
    const bool expanded = node->state & TVIS_EXPANDED;
    const bool expand = op == TVE_EXPAND ? true : op == TVE_COLLAPSE ? false : !expanded;
    if (op == 0)
        return false;
    if (expand && !HasChildren(node))
        return false;
    if (expand == expanded && !(code & TVE_COLLAPSERESET))
        return true;
    const bool notify = byUser || !(node->state & TVIS_EXPANDEDONCE);
    const UINT act = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (notify && Notify(TVN_ITEMEXPANDING, act, nullptr, node) != 0)
        return false;
    if (!alive_.count(node))
        return false;
    (void)action;
    if (expand) {
        node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        node->state &= ~TVIS_EXPANDED;
        // A selection hidden by the collapse moves up to the collapsed item.
        for (Node* p = selected_ ? selected_->parent : nullptr; p; p = p->parent) {
            if (p == node) {
                if (!Select(node, TVC_UNKNOWN))
                    selected_ = nullptr;  // refused: nothing stays selected out of sight
                break;
            }
        }
        if (code & TVE_COLLAPSERESET) {
            while (node->first) {
                Node* child = node->first;
                Unlink(child);
                DeleteTree(child);
            }
            node->state &= ~TVIS_EXPANDEDONCE;
        }
    }
    Changed();
    if (notify && alive_.count(node))
        Notify(TVN_ITEMEXPANDED, act, nullptr, node);
    return true;
}

bool TreeState::Select(Node* node, UINT action) {
    if (node == selected_)
        return true;
    Node* old = selected_;
    if (Notify(TVN_SELCHANGING, action, old, node) != 0)
        return false;
    if (node && !alive_.count(node))
        return false;
    if (selected_)
        selected_->state &= ~TVIS_SELECTED;
    selected_ = node;
    if (node) {
        node->state |= TVIS_SELECTED;
        EnsureVisible(node);
    }
    Invalidate(hwnd_);
    Notify(TVN_SELCHANGED, action, old && alive_.count(old) ? old : nullptr, selected_);
    return true;
}

const std::vector<TreeState::Node*>& TreeState::Visible() const {
    if (visibleDirty_) {
        visible_.clear();
        // Depth first, children of expanded items right after their parent.
        auto walk = [this](auto&& self, const Node* parent) -> void {
            for (const Node* c = parent->first; c; c = c->next) {
                visible_.push_back(const_cast<Node*>(c));
                if (c->state & TVIS_EXPANDED)
                    self(self, c);
            }
        };
        walk(walk, &root_);
        visibleDirty_ = false;
    }
    return visible_;
}

int TreeState::RowOf(const Node* node) const {
    const auto& rows = Visible();
    auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

RECT TreeState::Client() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return rc;
}

int TreeState::ItemHeight() const {
    if (itemHeight > 0)
        return itemHeight;
    if (widthsFont_ != Font())
        FontChanged();
    if (fontHeight_ < 0)
        fontHeight_ = FontHeight(Font());
    int h = fontHeight_ + 3;
    int cx = 0, cy = 0;
    if (images && ImageList_GetIconSize(images, &cx, &cy))
        h = std::max(h, cy + 1);
    return h;
}

int TreeState::VisibleCount() const {
    return std::max(0, static_cast<int>(Client().bottom) / ItemHeight());
}

void TreeState::SetTop(int top) {
    const int rows = static_cast<int>(Visible().size());
    top = std::clamp(top, 0, std::max(0, rows - VisibleCount()));
    if (top != top_) {
        top_ = top;
        UpdateScrollBars();
        Invalidate(hwnd_);
    }
}

int TreeState::ContentWidth() const {
    int widest = 0;
    const auto& rows = Visible();
    for (size_t row = 0; row < rows.size(); ++row)
        widest =
            std::max<int>(widest, TextRectInRow(rows[row], static_cast<int>(row)).right + scrollX_);
    return widest;
}

void TreeState::SetScrollX(int x) {
    x = std::clamp(x, 0, std::max(0, ContentWidth() - static_cast<int>(Client().right)));
    if (x != scrollX_) {
        scrollX_ = x;
        UpdateScrollBars();
        Invalidate(hwnd_);
    }
}

void TreeState::UpdateScrollBars() {
    if (updatingBars_)
        return;
    updatingBars_ = true;
    FitScrollBars(
        hwnd_,
        [this](const RECT& client) {
            ScrollRanges r;
            if (Style() & TVS_NOSCROLL)
                return r;
            r.vert.nMax = std::max(0, static_cast<int>(Visible().size()) - 1);
            r.vert.nPage = static_cast<UINT>(std::max(1, VisibleCount()));
            r.vert.nPos = top_;
            if (!(Style() & TVS_NOHSCROLL)) {
                r.horz.nMax = std::max(0, ContentWidth() - 1);
                r.horz.nPage = static_cast<UINT>(std::max<LONG>(1, client.right));
                r.horz.nPos = scrollX_;
            }
            return r;
        },
        [this] {
            SetTop(top_);
            SetScrollX(scrollX_);
        });
    updatingBars_ = false;
}

bool TreeState::EnsureVisible(Node* node) {
    if (!node)
        return false;
    for (Node* p = node->parent; p && p != &root_; p = p->parent)
        if (!(p->state & TVIS_EXPANDED))
            Expand(p, TVE_EXPAND, false);
    const int row = RowOf(node);
    if (row < 0)
        return false;
    const int count = std::max(1, VisibleCount());
    if (row < top_)
        SetTop(row);
    else if (row >= top_ + count)
        SetTop(row - count + 1);
    return true;
}

int TreeState::ContentLeft(const Node* node) const {
    const DWORD style = Style();
    const bool rootColumn = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    return (Level(node) + (rootColumn ? 1 : 0)) * indent - scrollX_;
}

int TreeState::ImageWidth() const {
    int cx = 0, cy = 0;
    return images && ImageList_GetIconSize(images, &cx, &cy) ? cx + 3 : 0;
}

RECT TreeState::TextRect(const Node* node) const {
    return TextRectInRow(node, RowOf(node));
}

RECT TreeState::TextRectInRow(const Node* node, int row) const {
    const int h = ItemHeight();
    const int top = (row - top_) * h;
    const int left = ContentLeft(node) + ImageWidth();
    return RECT{left, top, left + TextWidthOf((node->state & TVIS_BOLD) != 0, Text(node)) + 4,
                top + h};
}

int TreeState::TextWidthOf(bool bold, const std::string& text) const {
    // A tree whose texts keep changing must not grow the cache without end.
    constexpr size_t kMostTexts = 4096;
    if (widthsFont_ != Font() || widths_[0].size() + widths_[1].size() > kMostTexts)
        FontChanged();
    auto& widths = widths_[bold ? 1 : 0];
    const auto known = widths.find(text);
    if (known != widths.end())
        return known->second;
    const int width = TextWidth(bold ? BoldFont() : Font(), text);
    widths.emplace(text, width);
    return width;
}

void TreeState::FontChanged() const {
    widths_[0].clear();
    widths_[1].clear();
    fontHeight_ = -1;
    widthsFont_ = Font();
}

bool TreeState::GetItemRect(Node* node, bool textOnly, RECT* rc) const {
    if (!node || !rc || RowOf(node) < 0)
        return false;
    const RECT text = TextRect(node);
    *rc = textOnly ? text : RECT{0, text.top, Client().right, text.bottom};
    return true;
}

HTREEITEM TreeState::HitTest(TVHITTESTINFO* info) const {
    if (!info)
        return nullptr;
    info->hItem = nullptr;
    const RECT client = Client();
    const POINT pt = info->pt;
    UINT flags = 0;
    if (pt.y < 0)
        flags |= TVHT_ABOVE;
    if (pt.y >= client.bottom)
        flags |= TVHT_BELOW;
    if (pt.x < 0)
        flags |= TVHT_TOLEFT;
    if (pt.x >= client.right)
        flags |= TVHT_TORIGHT;
    if (flags) {
        info->flags = flags;
        return nullptr;
    }
    const auto& rows = Visible();
    const int row = top_ + pt.y / ItemHeight();
    if (row >= static_cast<int>(rows.size())) {
        info->flags = TVHT_NOWHERE;
        return nullptr;
    }
    const Node* node = rows[static_cast<size_t>(row)];
    const int content = ContentLeft(node);
    const DWORD style = Style();
    const bool hasButton = (style & TVS_HASBUTTONS) && HasChildren(node) &&
                           (Level(node) > 0 || (style & TVS_LINESATROOT));
    const RECT text = TextRect(node);
    if (pt.x < content)
        flags = (hasButton && pt.x >= content - indent) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (pt.x < text.left)
        flags = TVHT_ONITEMICON;
    else if (pt.x < text.right)
        flags = TVHT_ONITEMLABEL;
    else
        flags = TVHT_ONITEMRIGHT;
    info->flags = flags;
    info->hItem = HandleOf(node);
    return info->hItem;
}

void TreeState::Changed() {
    visibleDirty_ = true;
    SetTop(top_);
    SetScrollX(scrollX_);
    UpdateScrollBars();
    Invalidate(hwnd_);
}

}  // namespace kq::ui::commctrl
