#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {

TreeState::TreeState(HWND hwnd) : hwnd_(hwnd) {
    root_.state = TVIS_EXPANDED;
}

TreeState::~TreeState() {
    for (Node* n : alive_)
        delete n;
    if (boldFont_)
        DeleteObject(boldFont_);
}

DWORD TreeState::Style() const {
    return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
}

HFONT TreeState::Font() const {
    return font ? font : DefaultControlFont();
}

HFONT TreeState::BoldFont() const {
    if (!boldFont_ || boldFrom_ != Font()) {
        if (boldFont_)
            DeleteObject(boldFont_);
        boldFrom_ = Font();
        boldFont_ = CreateBoldFont(boldFrom_);
    }
    return boldFont_;
}

TreeState::Node* TreeState::NodeOf(HTREEITEM item) const {
    auto* node = reinterpret_cast<Node*>(item);
    return alive_.count(node) ? node : nullptr;
}

bool TreeState::HasChildren(const Node* node) const {
    return node->children >= 0 ? node->children > 0 : node->first != nullptr;
}

int TreeState::Level(const Node* node) const {
    int level = 0;
    for (const Node* p = node->parent; p && p != &root_; p = p->parent)
        ++level;
    return level;
}

std::string TreeState::Text(const Node* node) const {
    if (!node->textCallback)
        return node->text;
    char buffer[260] = {};
    NMTVDISPINFO info{};
    info.item.mask = TVIF_TEXT;
    info.item.hItem = HandleOf(node);
    info.item.lParam = node->lParam;
    info.item.pszText = buffer;
    info.item.cchTextMax = sizeof buffer;
    SendNotify(hwnd_, TVN_GETDISPINFO, &info.hdr);
    return info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK
               ? std::string(info.item.pszText)
               : std::string();
}

namespace {

template <typename Item>
void ApplyFields(TreeState::Node& node, const Item& in) {
    if (in.mask & TVIF_TEXT) {
        node.textCallback = in.pszText == LPSTR_TEXTCALLBACK;
        node.text = node.textCallback ? std::string() : TextArg(in.pszText);
    }
    if (in.mask & TVIF_IMAGE)
        node.image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE)
        node.selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_CHILDREN)
        node.children = in.cChildren;
    if (in.mask & TVIF_PARAM)
        node.lParam = in.lParam;
}

}  // namespace

HTREEITEM TreeState::Insert(const TVINSERTSTRUCT& in) {
    Node* parent = (in.hParent == nullptr || in.hParent == TVI_ROOT) ? &root_ : NodeOf(in.hParent);
    if (!parent)
        return nullptr;
    auto node = std::make_unique<Node>();
    ApplyFields(*node, in.itemex);
    if (in.itemex.mask & TVIF_STATE) {
        // Selection and expansion come through their own paths.
        const UINT mask = in.itemex.stateMask & ~(TVIS_SELECTED);
        node->state = in.itemex.state & mask;
    }
    Node* after = nullptr;  // insert after this sibling; null: first
    if (in.hInsertAfter == TVI_FIRST) {
        after = nullptr;
    } else if (in.hInsertAfter == TVI_SORT) {
        const std::string key = node->text;
        for (Node* c = parent->first; c && c->text.compare(key) <= 0; c = c->next)
            after = c;
    } else {
        Node* last = parent->first;
        while (last && last->next)
            last = last->next;
        after = last;
        if (in.hInsertAfter != TVI_LAST && in.hInsertAfter != nullptr) {
            Node* given = NodeOf(in.hInsertAfter);
            if (given && given->parent == parent)
                after = given;
        }
    }
    Node* n = node.release();
    n->parent = parent;
    n->prev = after;
    n->next = after ? after->next : parent->first;
    if (n->next)
        n->next->prev = n;
    if (after)
        after->next = n;
    else
        parent->first = n;
    alive_.insert(n);
    Changed();
    return HandleOf(n);
}

void TreeState::Unlink(Node* node) {
    if (node->prev)
        node->prev->next = node->next;
    else if (node->parent)
        node->parent->first = node->next;
    if (node->next)
        node->next->prev = node->prev;
    node->prev = node->next = nullptr;
}

void TreeState::DeleteTree(Node* node) {
    while (node->first) {
        Node* child = node->first;
        Unlink(child);
        DeleteTree(child);
    }
    if (node == &root_)
        return;
    Notify(TVN_DELETEITEM, 0, node, nullptr);
    if (selected_ == node)
        selected_ = nullptr;
    if (dropHilite == node)
        dropHilite = nullptr;
    if (hot == node)
        hot = nullptr;
    if (pressed == node)
        pressed = nullptr;
    alive_.erase(node);
    delete node;
}

bool TreeState::Delete(HTREEITEM item) {
    Node* node = (item == nullptr || item == TVI_ROOT) ? &root_ : NodeOf(item);
    if (!node)
        return false;
    if (node != &root_)
        Unlink(node);
    DeleteTree(node);
    Changed();
    return true;
}

bool TreeState::GetItem(TVITEMEX* out) const {
    if (!out)
        return false;
    const Node* node = NodeOf(out->hItem);
    if (!node)
        return false;
    if (out->mask & TVIF_TEXT)
        CopyText(Text(node), out->pszText, out->cchTextMax);
    if (out->mask & TVIF_IMAGE)
        out->iImage = node->image;
    if (out->mask & TVIF_SELECTEDIMAGE)
        out->iSelectedImage = node->selectedImage;
    if (out->mask & TVIF_CHILDREN)
        out->cChildren = HasChildren(node) ? 1 : 0;
    if (out->mask & TVIF_PARAM)
        out->lParam = node->lParam;
    if (out->mask & TVIF_STATE)
        out->state = node->state & out->stateMask;
    return true;
}

bool TreeState::SetItem(const TVITEMEX& in) {
    Node* node = NodeOf(in.hItem);
    if (!node)
        return false;
    ApplyFields(*node, in);
    if (in.mask & TVIF_STATE) {
        // TVIS_SELECTED is the caret's and changes through TVM_SELECTITEM only.
        const UINT mask = in.stateMask & ~TVIS_SELECTED;
        node->state = (node->state & ~mask) | (in.state & mask);
    }
    // An item's images and data leave the rows and their widths as they are: only the item is
    // drawn again, and a tree whose images follow a state does no layout for each.
    constexpr UINT kLayoutFree = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    if ((in.mask & ~kLayoutFree) == 0) {
        Invalidate(hwnd_);
        return true;
    }
    Changed();
    return true;
}

HTREEITEM TreeState::GetNext(HTREEITEM item, UINT code) const {
    const Node* node = NodeOf(item);
    const auto& rows = Visible();
    switch (code) {
        case TVGN_ROOT:
            return HandleOf(root_.first);
        case TVGN_CARET:
            return HandleOf(selected_);
        case TVGN_DROPHILITE:
            return HandleOf(dropHilite);
        case TVGN_FIRSTVISIBLE:
            return rows.empty() ? nullptr : HandleOf(rows[static_cast<size_t>(top_)]);
        case TVGN_LASTVISIBLE:
            return rows.empty() ? nullptr : HandleOf(rows.back());
        case TVGN_CHILD:
            if (item == nullptr || item == TVI_ROOT)
                return HandleOf(root_.first);
            return node ? HandleOf(node->first) : nullptr;
        default:
            break;
    }
    if (!node)
        return nullptr;
    switch (code) {
        case TVGN_NEXT:
            return HandleOf(node->next);
        case TVGN_PREVIOUS:
            return HandleOf(node->prev);
        case TVGN_PARENT:
            return node->parent == &root_ ? nullptr : HandleOf(node->parent);
        case TVGN_NEXTVISIBLE: {
            const int row = RowOf(node);
            return row >= 0 && row + 1 < static_cast<int>(rows.size())
                       ? HandleOf(rows[static_cast<size_t>(row + 1)])
                       : nullptr;
        }
        case TVGN_PREVIOUSVISIBLE: {
            const int row = RowOf(node);
            return row > 0 ? HandleOf(rows[static_cast<size_t>(row - 1)]) : nullptr;
        }
        default:
            return nullptr;
    }
}

LRESULT TreeState::Notify(UINT code, UINT action, Node* oldNode, Node* newNode) const {
    NMTREEVIEW nm{};
    nm.action = action;
    auto fill = [this](TVITEM& item, const Node* node) {
        if (!node)
            return;
        item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = HandleOf(node);
        item.state = node->state;
        item.stateMask = 0xFFFF;
        item.lParam = node->lParam;
        item.iImage = node->image;
        item.iSelectedImage = node->selectedImage;
        item.cChildren = HasChildren(node) ? 1 : 0;
    };
    fill(nm.itemOld, oldNode);
    fill(nm.itemNew, newNode);
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    nm.ptDrag = pt;
    return SendNotify(hwnd_, code, &nm.hdr);
}

}  // namespace kq::ui::commctrl
