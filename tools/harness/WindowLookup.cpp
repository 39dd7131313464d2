// Finding windows and reading them as an operator sees them: by control id, title or class, the
// texts of lists cell by cell.
#include <algorithm>
#include <vector>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "tools/harness/AppDriver.h"

namespace e2e {

namespace {

struct Search {
    int id;
    HWND found;
};

// The first match that shows wins over one that does not (pages that are hidden hold controls
// of the same ids).
BOOL CALLBACK MatchId(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (::GetDlgCtrlID(hwnd) != search->id)
        return TRUE;
    if (::IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    if (search->found == nullptr)
        search->found = hwnd;
    return TRUE;
}

struct TopSearch {
    const char* text;
    const char* cls;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    if (!::IsWindowVisible(hwnd))
        return TRUE;
    if (search->text != nullptr && WindowText(hwnd).find(search->text) != std::string::npos) {
        search->found = hwnd;
        return FALSE;
    }
    if (search->cls != nullptr) {
        char name[128] = {};
        ::GetClassName(hwnd, name, sizeof name);
        if (std::string(name) == search->cls) {
            search->found = hwnd;
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

HWND FindControl(HWND parent, int id) {
    if (parent == nullptr)
        return nullptr;
    Search search{id, nullptr};
    ::EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(const char* text, const char* cls) {
    TopSearch search{text, cls, nullptr};
    ::EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowText(window, text, sizeof text);
    return text;
}

std::vector<std::vector<std::string>> ListRows(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows;
    const int count = static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            char text[512] = {};
            LVITEM item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&item));
            cells.emplace_back(text);
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

POINT Centre(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace e2e

namespace e2e {

POINT ListCell(HWND list, int row, int column) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    int x = rect.left;
    for (int c = 0; c < column; ++c)
        x += static_cast<int>(::SendMessage(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    const int width =
        static_cast<int>(::SendMessage(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    POINT at{x + std::min(width / 2, 20), (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list, &at);
    return at;
}

}  // namespace e2e
