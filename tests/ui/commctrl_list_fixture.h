// A parent window that records the notifications of the list, header, tree, tool tip and rich
// edit controls, and a canvas to paint them on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gfx/GfxTestUtil.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {

struct Notice {
    UINT code;
    HWND from;
    int item = -1;     // iItem of list, header and tree notifications when known
    int subItem = -1;  // list iSubItem
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0;
    int width = -1;     // header pitem->cxy when HDI_WIDTH
    DWORD stage = 0;    // custom draw
    LPARAM lParam = 0;  // item data when known
    POINT pt{};         // ptAction / ptDrag
};

class CommCtrlTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterListTreeControlClasses();
        parent_ = CreateTopLevel({0, 0, 500, 400}, WS_POPUP | WS_VISIBLE);
        OnMessage(parent_, [this](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
            if (m != WM_NOTIFY)
                return std::nullopt;
            auto* hdr = reinterpret_cast<NMHDR*>(l);
            notices_.push_back(Describe(hdr));
            if (answer_)
                return answer_(hdr);
            return 0;
        });
    }

    HWND Create(const char* cls, DWORD style, RECT r, DWORD exStyle = 0, int id = 7) {
        return CreateWindowEx(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parent_,
                              reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    }

    static Notice Describe(NMHDR* hdr) {
        Notice n{hdr->code, hdr->hwndFrom};
        const UINT c = hdr->code;
        if (c == HDN_ITEMCHANGING || c == HDN_ITEMCHANGED || c == HDN_ITEMCLICK ||
            c == HDN_BEGINTRACK || c == HDN_TRACK || c == HDN_ENDTRACK ||
            c == HDN_DIVIDERDBLCLICK || c == HDN_ITEMDBLCLICK) {
            auto* nm = reinterpret_cast<NMHEADER*>(hdr);
            n.item = nm->iItem;
            if (nm->pitem && (nm->pitem->mask & HDI_WIDTH))
                n.width = nm->pitem->cxy;
        } else if (c == LVN_ITEMCHANGING || c == LVN_ITEMCHANGED || c == LVN_COLUMNCLICK ||
                   c == LVN_DELETEITEM) {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
            n.item = nm->iItem;
            n.subItem = nm->iSubItem;
            n.newState = nm->uNewState;
            n.oldState = nm->uOldState;
            n.changed = nm->uChanged;
            n.lParam = nm->lParam;
            n.pt = nm->ptAction;
        } else if (c == TVN_SELCHANGING || c == TVN_SELCHANGED || c == TVN_ITEMEXPANDING ||
                   c == TVN_ITEMEXPANDED || c == TVN_DELETEITEM) {
            auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
            n.item = static_cast<int>(nm->action);
            const TVITEM& tv =
                c == TVN_DELETEITEM || c == TVN_SELCHANGING ? nm->itemOld : nm->itemNew;
            n.lParam = tv.lParam;
            n.newState = nm->itemNew.state;
            n.oldState = nm->itemOld.state;
        } else if (c == NM_CUSTOMDRAW) {
            auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
            n.stage = nm->dwDrawStage;
            n.item = static_cast<int>(nm->dwItemSpec);
        }
        return n;
    }

    std::vector<Notice> NoticesOf(UINT code) const {
        std::vector<Notice> out;
        for (const Notice& n : notices_)
            if (n.code == code)
                out.push_back(n);
        return out;
    }
    std::vector<UINT> Codes(std::vector<UINT> only = {}) const {
        std::vector<UINT> out;
        for (const Notice& n : notices_)
            if (only.empty() || std::find(only.begin(), only.end(), n.code) != only.end())
                out.push_back(n.code);
        return out;
    }

    // Screen point of a client point of a window.
    static POINT At(HWND hwnd, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(hwnd, &pt);
        return pt;
    }
    // Paints the control through WM_PRINTCLIENT on a canvas of its client size.
    static std::unique_ptr<gfx::test::Canvas> Render(HWND hwnd) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        auto canvas = std::make_unique<gfx::test::Canvas>(rc.right, rc.bottom, RGB(1, 2, 3));
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->hdc), 0);
        return canvas;
    }

    HWND parent_ = nullptr;
    std::vector<Notice> notices_;
    std::function<std::optional<LRESULT>(NMHDR*)> answer_;
};

}  // namespace kq::ui::test
