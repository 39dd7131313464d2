// The list view in report mode: columns (kept with the header control that shows them), items
// with their sub-item texts, item states, scrolling, geometry and hit tests. Input and painting
// live in ListViewInput.cpp and ListViewPaint.cpp.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/commctrl/CommCtrl.h"

namespace kq::ui::commctrl {

class HeaderState;

class ListViewState {
  public:
    // Text inset of the first column (after its image) and of the other columns.
    static constexpr int kFirstTextInset = 2;
    static constexpr int kTextInset = 6;

    struct Column {
        int fmt = LVCFMT_LEFT;
        int subItem = 0;
        int image = -1;
    };
    struct Item {
        std::vector<std::string> texts;  // by sub-item number
        std::vector<bool> textCallback;
        int image = -1;
        LPARAM lParam = 0;
        UINT state = 0;
        int indent = 0;
    };

    explicit ListViewState(HWND hwnd);
    HWND hwnd() const { return hwnd_; }
    HWND header() const { return header_; }
    bool CreateHeader();

    // Columns.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const Column& ColumnAt(int c) const { return columns_[static_cast<size_t>(c)]; }
    int InsertColumn(int index, const LVCOLUMN& col);
    bool DeleteColumn(int index);
    bool GetColumn(int index, LVCOLUMN* col) const;
    bool SetColumn(int index, const LVCOLUMN& col);
    int ColumnWidth(int index) const;
    bool SetColumnWidth(int index, int width);
    // Column left/right in client coordinates (after horizontal scrolling).
    RECT ColumnSpan(int index) const;
    int ColumnsWidth() const;

    // Items.
    int Count() const { return static_cast<int>(items_.size()); }
    const Item& ItemAt(int i) const { return items_[static_cast<size_t>(i)]; }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    int InsertItem(const LVITEM& item);
    bool DeleteItem(int i);
    bool DeleteAllItems();
    bool GetItem(LVITEM* item) const;
    bool SetItem(const LVITEM& item);
    std::string Text(int i, int subItem) const;
    int GetItemText(int i, LVITEM* item) const;
    bool SetItemText(int i, int subItem, LPCSTR text);
    // Changes state bits of one item (i >= 0) or of all (-1) with LVN_ITEMCHANGING/CHANGED;
    // keeps one focused item and, with LVS_SINGLESEL, one selected item.
    bool SetItemState(int i, UINT state, UINT mask);
    UINT GetItemState(int i, UINT mask) const;
    int GetNextItem(int start, UINT flags) const;
    int SelectedCount() const;
    int FocusedItem() const;
    // Selects exactly the items first..last (either order), deselecting the rest.
    void SelectRange(int first, int last);
    bool Sort(PFNLVCOMPARE compare, LPARAM data);

    // Geometry.
    int ItemHeight() const;
    int HeaderHeight() const;
    RECT Client() const;
    int CountPerPage() const;
    int TopIndex() const { return top_; }
    int ScrollX() const { return scrollX_; }
    // Row rectangle of item i (whether visible or not).
    RECT RowRect(int i) const;
    bool GetItemRect(int i, int code, RECT* rc) const;
    // LVM_GETSUBITEMRECT: sub-item 0 with LVIR_BOUNDS is the whole row.
    bool GetSubItemRect(int i, int column, int code, RECT* rc) const;
    // The cell of column `column` in row i (its full width).
    RECT CellRect(int i, int column) const;
    int HitTest(LVHITTESTINFO* info, bool subItems) const;
    bool EnsureVisible(int i, bool partialOk);
    // Scrolls by rows and pixels, keeping within the content.
    void ScrollBy(int rows, int dx);
    void SetTop(int top);
    void SetScrollX(int x);
    // Places the header, keeps the scroll positions within range and shows the scroll bars
    // the content needs (none under LVS_NOSCROLL).
    void Layout();
    int IdealColumnWidth(int column, bool useHeader) const;

    HFONT Font() const;
    HeaderState* Header() const;

    DWORD exStyle = 0;
    COLORREF bkColor;
    COLORREF textColor;
    COLORREF textBkColor;
    HIMAGELIST normalImages = nullptr;
    HIMAGELIST smallImages = nullptr;
    HIMAGELIST stateImages = nullptr;
    HFONT font = nullptr;
    int selectionMark = -1;
    bool hasFocus = false;
    // Mouse presses whose release sends NM_CLICK / NM_RCLICK.
    bool leftPressed = false;
    bool rightPressed = false;

  private:
    bool ChangeOne(int i, UINT state, UINT mask);
    LRESULT NotifyChange(UINT code, int i, UINT newState, UINT oldState, UINT changed) const;
    DWORD Style() const;
    void UpdateScrollBars();

    HWND hwnd_;
    HWND header_ = nullptr;
    std::vector<Column> columns_;
    std::vector<Item> items_;
    int top_ = 0;
    int scrollX_ = 0;
    // Showing or hiding a bar resizes the client area, which lays the list out again.
    bool updatingBars_ = false;
};

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PaintListView(ListViewState& state, HDC hdc, const RECT& clip);
// Input handlers; true when the message was handled.
bool HandleListViewInput(ListViewState& state, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result);

}  // namespace kq::ui::commctrl
