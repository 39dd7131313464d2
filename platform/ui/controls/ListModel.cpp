#include "platform/ui/controls/ListModel.h"

#include "platform/ui/controls/Utf8Text.h"

namespace kq::ui {

int ListModel::SortedPosition(const ListItem& item, const Compare& compare) const {
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = (low + high) / 2;
        const int order = compare ? compare(At(mid), item) : CompareNoCase(At(mid).text, item.text);
        if (order <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

bool ListModel::Insert(int index, ListItem item) {
    if (index < 0)
        index = Count();
    if (index > Count())
        return false;
    items_.insert(items_.begin() + index, std::move(item));
    return true;
}

void ListModel::Erase(int index) {
    if (Valid(index))
        items_.erase(items_.begin() + index);
}

int ListModel::Find(int start, std::u32string_view text, bool exact) const {
    const int n = Count();
    if (n == 0)
        return -1;
    const int first = start < 0 || start >= n ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const std::u32string& t = At(i).text;
        if (exact ? CompareNoCase(t, text) == 0 : StartsWithNoCase(t, text))
            return i;
    }
    return -1;
}

int ListModel::FindData(int start, ULONG_PTR data) const {
    const int n = Count();
    const int first = start < 0 || start >= n ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        if (At(i).data == data)
            return i;
    }
    return -1;
}

}  // namespace kq::ui
