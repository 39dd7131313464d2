// The items of a list box (and of a combo box's list): texts, item data and selection marks,
// with sorted insertion and the prefix and exact searches of LB_FINDSTRING(EXACT). Without
// any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace kq::ui {

struct ListItem {
    std::u32string text;
    ULONG_PTR data = 0;
    bool selected = false;
};

class ListModel {
  public:
    // Orders two items for sorted insertion (<0, 0, >0); by default by text without regard to
    // case.
    using Compare = std::function<int(const ListItem&, const ListItem&)>;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return items_[static_cast<size_t>(index)]; }
    const ListItem& At(int index) const { return items_[static_cast<size_t>(index)]; }

    // Where a sorted list takes the item: after the items that compare equal to it.
    int SortedPosition(const ListItem& item, const Compare& compare) const;
    // index -1 appends; false when the index lies beyond the end.
    bool Insert(int index, ListItem item);
    void Erase(int index);
    void Clear() { items_.clear(); }

    // First item after `start` (wrapping round; -1 searches from the top) whose text starts
    // with `prefix`, or equals `text` when exact, without regard to case. -1 when none.
    int Find(int start, std::u32string_view text, bool exact) const;
    // Same, comparing item data (lists without strings).
    int FindData(int start, ULONG_PTR data) const;

  private:
    std::vector<ListItem> items_;
};

}  // namespace kq::ui
