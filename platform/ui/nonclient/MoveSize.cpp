#include "platform/ui/nonclient/MoveSize.h"

#include <algorithm>
#include <memory>

#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Styles.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/nonclient/InputTracker.h"

namespace kq::ui::detail {
namespace {

struct Edges {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
};

Edges EdgesOf(WPARAM wmsz) {
    switch (wmsz) {
        case WMSZ_LEFT:
            return {true, false, false, false};
        case WMSZ_RIGHT:
            return {false, true, false, false};
        case WMSZ_TOP:
            return {false, false, true, false};
        case WMSZ_TOPLEFT:
            return {true, false, true, false};
        case WMSZ_TOPRIGHT:
            return {false, true, true, false};
        case WMSZ_BOTTOM:
            return {false, false, false, true};
        case WMSZ_BOTTOMLEFT:
            return {true, false, false, true};
        case WMSZ_BOTTOMRIGHT:
            return {false, true, false, true};
        default:
            return {};
    }
}

// The dragged edges follow the mouse; the size stays within the limits with the opposite edges
// fixed.
RECT SizedRect(RECT r, Edges e, int dx, int dy, const MINMAXINFO& mmi) {
    if (e.left)
        r.left += dx;
    if (e.right)
        r.right += dx;
    if (e.top)
        r.top += dy;
    if (e.bottom)
        r.bottom += dy;
    const int minW = mmi.ptMinTrackSize.x;
    const int maxW = std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
    const int minH = mmi.ptMinTrackSize.y;
    const int maxH = std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
    const int w = std::clamp<int>(r.right - r.left, minW, maxW);
    const int h = std::clamp<int>(r.bottom - r.top, minH, maxH);
    if (e.left)
        r.left = r.right - w;
    else
        r.right = r.left + w;
    if (e.top)
        r.top = r.bottom - h;
    else
        r.bottom = r.top + h;
    return r;
}

// Places the window at a screen rectangle.
void Place(HWND hwnd, const RECT& screen, bool sizing) {
    POINT pt{screen.left, screen.top};
    ScreenToClient(GetAncestor(hwnd, GA_PARENT), &pt);
    SetWindowPos(hwnd, nullptr, pt.x, pt.y, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (sizing ? 0 : SWP_NOSIZE));
}

struct MoveSize {
    HWND hwnd = nullptr;
    bool sizing = false;
    Edges edges;
    WPARAM edgeCode = 0;
    POINT start{};
    RECT original{};
    RECT last{};
    MINMAXINFO limits{};
};

// Follows one mouse move; the window may change the rectangle through WM_SIZING/WM_MOVING.
void Follow(MoveSize& m, POINT pt) {
    const int dx = pt.x - m.start.x;
    const int dy = pt.y - m.start.y;
    RECT r = m.original;
    if (m.sizing) {
        r = SizedRect(m.original, m.edges, dx, dy, m.limits);
        SendMessage(m.hwnd, WM_SIZING, m.edgeCode, reinterpret_cast<LPARAM>(&r));
    } else {
        OffsetRect(&r, dx, dy);
        SendMessage(m.hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    }
    if (!EqualRect(&r, &m.last) && IsWindow(m.hwnd)) {
        Place(m.hwnd, r, m.sizing);
        m.last = r;
    }
}

bool OnInput(MoveSize& m, const MSG& msg) {
    switch (msg.message) {
        case WM_MOUSEMOVE:
            Follow(m, msg.pt);
            return true;
        case WM_LBUTTONUP:
            return false;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                Place(m.hwnd, m.original, m.sizing);
                return false;
            }
            return msg.wParam != VK_RETURN;
        default:
            return true;  // the tracking owns the input
    }
}

}  // namespace

void StartMoveSize(HWND hwnd, WPARAM command, POINT start) {
    if (!IsWindow(hwnd) || IsZoomed(hwnd) || IsIconic(hwnd) || !(GetKeyState(VK_LBUTTON) & 0x8000))
        return;
    auto m = std::make_shared<MoveSize>();
    m->hwnd = hwnd;
    m->sizing = (command & 0xFFF0) == SC_SIZE;
    m->edgeCode = command & 0x000F;
    m->edges = EdgesOf(m->edgeCode);
    if (m->sizing && !m->edges.left && !m->edges.right && !m->edges.top && !m->edges.bottom)
        return;
    m->start = start;
    GetWindowRect(hwnd, &m->original);
    m->last = m->original;
    m->limits = QueryMinMaxInfo(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    InputTracker tracker;
    tracker.hwnd = hwnd;
    tracker.onInput = [m](const MSG& msg) { return OnInput(*m, msg); };
    tracker.onEnd = [hwnd] {
        if (IsWindow(hwnd))
            SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
    };
    StartInputTracker(std::move(tracker));
}

}  // namespace kq::ui::detail
