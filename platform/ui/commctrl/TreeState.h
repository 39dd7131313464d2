// The tree view: items in a tree of nodes (handed out as HTREEITEM), expansion, selection,
// the list of visible rows, scrolling, geometry and hit tests. Input and painting live in
// TreeInput.cpp and TreePaint.cpp.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/ui/commctrl/CommCtrl.h"

namespace kq::ui::commctrl {

class TreeState {
  public:
    struct Node {
        std::string text;
        bool textCallback = false;
        int image = 0;
        int selectedImage = 0;
        int children = -1;  // cChildren as set; -1: count the real children
        LPARAM lParam = 0;
        UINT state = 0;
        Node* parent = nullptr;
        Node* first = nullptr;
        Node* next = nullptr;
        Node* prev = nullptr;
    };

    explicit TreeState(HWND hwnd);
    ~TreeState();
    TreeState(const TreeState&) = delete;
    TreeState& operator=(const TreeState&) = delete;

    HWND hwnd() const { return hwnd_; }
    DWORD Style() const;

    // Handles. Null, TVI_ROOT and handles of deleted items give null.
    Node* NodeOf(HTREEITEM item) const;
    static HTREEITEM HandleOf(const Node* node) {
        return reinterpret_cast<HTREEITEM>(const_cast<Node*>(node));
    }
    Node* Root() { return &root_; }
    bool HasChildren(const Node* node) const;
    int Level(const Node* node) const;
    int Count() const { return static_cast<int>(alive_.size()); }

    HTREEITEM Insert(const TVINSERTSTRUCT& in);
    bool Delete(HTREEITEM item);
    bool GetItem(TVITEMEX* item) const;
    bool SetItem(const TVITEMEX& item);
    std::string Text(const Node* node) const;
    HTREEITEM GetNext(HTREEITEM item, UINT code) const;

    // Expansion with TVN_ITEMEXPANDING/EXPANDED. By the user the notifications always come;
    // by TVM_EXPAND only until the item has been expanded once.
    bool Expand(Node* node, UINT code, bool byUser, UINT action = TVC_UNKNOWN);
    // Selection with TVN_SELCHANGING/CHANGED; the parent may refuse.
    bool Select(Node* node, UINT action);
    Node* Selected() const { return selected_; }
    Node* dropHilite = nullptr;
    Node* hot = nullptr;

    // Rows currently shown (expanded chains) in order.
    const std::vector<Node*>& Visible() const;
    int RowOf(const Node* node) const;
    int ItemHeight() const;
    int VisibleCount() const;  // whole rows that fit
    int Top() const { return top_; }
    int ScrollX() const { return scrollX_; }
    void SetTop(int top);
    void SetScrollX(int x);
    bool EnsureVisible(Node* node);
    // Content left of the node (image, or text without images), in client coordinates.
    int ContentLeft(const Node* node) const;
    int ImageWidth() const;
    RECT TextRect(const Node* node) const;
    // The same, for the node shown in the given visible row.
    RECT TextRectInRow(const Node* node, int row) const;
    // A new font (perhaps under the handle of an old one): texts are measured afresh.
    void FontChanged() const;
    bool GetItemRect(Node* node, bool textOnly, RECT* rc) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const;
    // The rows may have changed: clamp scrolling, show the scroll bars the rows need and
    // repaint.
    void Changed();

    HFONT Font() const;
    HFONT BoldFont() const;
    RECT Client() const;

    HFONT font = nullptr;
    HIMAGELIST images = nullptr;
    HIMAGELIST stateImages = nullptr;
    COLORREF bkColor = CLR_NONE;  // CLR_NONE: the system colours
    COLORREF textColor = CLR_NONE;
    COLORREF lineColor = CLR_DEFAULT;
    int indent = 19;
    int itemHeight = -1;  // -1: from the font
    HWND toolTip = nullptr;
    bool hasFocus = false;
    Node* pressed = nullptr;  // item under a left press, clicked on release
    bool leftPressed = false;
    bool rightPressed = false;

  private:
    void Unlink(Node* node);
    void DeleteTree(Node* node);
    LRESULT Notify(UINT code, UINT action, Node* oldNode, Node* newNode) const;
    int ContentWidth() const;  // of the visible rows, unscrolled
    // The width of the text in the normal or bold font, measured once per text and font: a
    // layout asks for every visible row at each change.
    int TextWidthOf(bool bold, const std::string& text) const;
    void UpdateScrollBars();

    HWND hwnd_;
    Node root_;
    std::unordered_set<Node*> alive_;
    Node* selected_ = nullptr;
    int top_ = 0;
    int scrollX_ = 0;
    // Showing or hiding a bar resizes the client area, which clamps the scrolling again.
    bool updatingBars_ = false;
    mutable std::vector<Node*> visible_;
    mutable bool visibleDirty_ = true;
    mutable HFONT boldFont_ = nullptr;
    mutable HFONT boldFrom_ = nullptr;
    mutable std::unordered_map<std::string, int> widths_[2];  // normal, bold
    mutable HFONT widthsFont_ = nullptr;
    mutable int fontHeight_ = -1;  // of the normal font, measured once
};

LRESULT TreeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PaintTree(TreeState& state, HDC hdc, const RECT& clip);
bool HandleTreeInput(TreeState& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace kq::ui::commctrl
