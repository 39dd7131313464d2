#include "platform/ui/commctrl/UpDown.h"

#include <algorithm>
#include <string>

#include "platform/base/Clock.h"
#include "platform/gfx/UserDraw.h"
#include "platform/ui/commctrl/detail/BuddySubclass.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
constexpr WORD kThumbPosition = 4;  // SB_THUMBPOSITION
constexpr WORD kEndScroll = 8;      // SB_ENDSCROLL

RECT RectInParent(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
}  // namespace

UpDown::UpDown(HWND hwnd, const CREATESTRUCT&) : ControlWindow(hwnd) {}

UpDown::~UpDown() {
    if (buddy_)
        UnhookBuddy(buddy_, hwnd_);
}

ATOM UpDown::Register() {
    return RegisterControlClass(UPDOWN_CLASS, &ControlWindowProc<UpDown>);
}

HWND UpDown::SetBuddy(HWND buddy) {
    const HWND old = buddy_;
    if (old)
        UnhookBuddy(old, hwnd_);
    buddy_ = IsWindow(buddy) ? buddy : nullptr;
    if (buddy_ && (Style() & UDS_ARROWKEYS))
        HookBuddy(buddy_, hwnd_);
    AlignToBuddy();
    return old;
}

void UpDown::AlignToBuddy() {
    const DWORD style = Style();
    if (!buddy_ || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) ||
        GetParent(buddy_) != GetParent(hwnd_))
        return;
    // The arrows keep their width and take the buddy's height; the buddy gives up the room.
    RECT buddy = RectInParent(buddy_);
    const RECT self = RectInParent(hwnd_);
    const int width = std::min<int>(self.right - self.left, buddy.right - buddy.left);
    const int height = buddy.bottom - buddy.top;
    int x = 0;
    if (style & UDS_ALIGNRIGHT) {
        buddy.right -= width;
        x = buddy.right;
    } else {
        x = buddy.left;
        buddy.left += width;
    }
    MoveWindow(buddy_, buddy.left, buddy.top, buddy.right - buddy.left, height, TRUE);
    MoveWindow(hwnd_, x, buddy.top, width, height, TRUE);
}

bool UpDown::ReadBuddy() {
    if (!buddy_ || !(Style() & UDS_SETBUDDYINT))
        return false;
    const int length = GetWindowTextLength(buddy_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(buddy_, text.data(), length + 1)));
    const std::optional<int> value = model_.Parse(text);
    if (!value || model_.Clamp(*value) != *value)
        return false;
    model_.SetPos(*value);
    return true;
}

void UpDown::WriteBuddy() const {
    if (buddy_ && (Style() & UDS_SETBUDDYINT))
        SetWindowText(buddy_,
                      model_.Format(model_.Pos(), (Style() & UDS_NOTHOUSANDS) != 0).c_str());
}

void UpDown::EndScroll() const {
    SendScroll((Style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, kEndScroll, 0);
}

bool UpDown::Step(bool up, int increment) {
    ReadBuddy();
    NMUPDOWN change{};
    change.iPos = model_.Pos();
    change.iDelta = model_.DeltaFor(up, increment);
    if (Notify(UDN_DELTAPOS, &change.hdr))
        return false;
    const int target = model_.Target(change.iDelta, (Style() & UDS_WRAP) != 0);
    if (target == model_.Pos())
        return false;
    model_.SetPos(target);
    WriteBuddy();
    Invalidate();
    SendScroll((Style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, kThumbPosition,
               static_cast<WORD>(target));
    return true;
}

LRESULT UpDown::HandleUpDownMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case UDM_SETRANGE:
            model_.SetRange(static_cast<SHORT>(HIWORD(lParam)), static_cast<SHORT>(LOWORD(lParam)));
            return 0;
        case UDM_GETRANGE:
            return MAKELRESULT(static_cast<WORD>(model_.Upper()),
                               static_cast<WORD>(model_.Lower()));
        case UDM_SETRANGE32:
            model_.SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case UDM_GETRANGE32:
            if (auto* lower = reinterpret_cast<int*>(wParam))
                *lower = model_.Lower();
            if (auto* upper = reinterpret_cast<int*>(lParam))
                *upper = model_.Upper();
            return 0;
        case UDM_SETPOS:
        case UDM_SETPOS32: {
            const int pos = message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(lParam))
                                                  : static_cast<int>(lParam);
            const int old = model_.SetPos(pos);
            WriteBuddy();
            Invalidate();
            return message == UDM_SETPOS ? static_cast<SHORT>(old) : old;
        }
        case UDM_GETPOS: {
            const bool error = buddy_ && (Style() & UDS_SETBUDDYINT) && !ReadBuddy();
            return MAKELRESULT(static_cast<WORD>(model_.Pos()), error ? 1 : 0);
        }
        case UDM_GETPOS32: {
            const bool error = buddy_ && (Style() & UDS_SETBUDDYINT) && !ReadBuddy();
            if (auto* flag = reinterpret_cast<BOOL*>(lParam))
                *flag = error ? TRUE : FALSE;
            return model_.Pos();
        }
        case UDM_SETBUDDY:
            return reinterpret_cast<LRESULT>(SetBuddy(reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(buddy_);
        case UDM_SETACCEL:
            if (!lParam && wParam)
                return FALSE;
            model_.SetAccel(reinterpret_cast<const UDACCEL*>(lParam), static_cast<int>(wParam));
            return TRUE;
        case UDM_GETACCEL: {
            const auto& accels = model_.Accel();
            if (auto* out = reinterpret_cast<UDACCEL*>(lParam))
                std::copy_n(accels.begin(), std::min<size_t>(wParam, accels.size()), out);
            return static_cast<LRESULT>(accels.size());
        }
        case UDM_SETBASE:
            return model_.SetBase(static_cast<int>(wParam));
        case UDM_GETBASE:
            return model_.Base();
        default:
            handled = false;
            return 0;
    }
}

UpDown::Part UpDown::PartAt(POINT pt) const {
    const RECT client = ClientRect();
    if (!PtInRect(&client, pt))
        return Part::None;
    if (Style() & UDS_HORZ)
        return pt.x >= (client.left + client.right) / 2 ? Part::Up : Part::Down;
    return pt.y < (client.top + client.bottom) / 2 ? Part::Up : Part::Down;
}

RECT UpDown::PartRect(Part part) const {
    RECT rc = ClientRect();
    if (Style() & UDS_HORZ) {
        const int middle = (rc.left + rc.right) / 2;
        (part == Part::Up ? rc.left : rc.right) = middle;
    } else {
        const int middle = (rc.top + rc.bottom) / 2;
        (part == Part::Up ? rc.bottom : rc.top) = middle;
    }
    return rc;
}

void UpDown::OnButtonDown(POINT pt) {
    const Part part = PartAt(pt);
    if (part == Part::None)
        return;
    if (buddy_)
        SetFocus(buddy_);
    pressed_ = part;
    mouseOnPart_ = true;
    pressStart_ = MonotonicMillis();
    SetCapture(hwnd_);
    Invalidate();
    Step(part == Part::Up, model_.IncrementAfter(0));
    SetTimer(hwnd_, kRepeatTimer, kFirstRepeatMs, nullptr);
}

void UpDown::OnTimer() {
    if (pressed_ == Part::None) {
        KillTimer(hwnd_, kRepeatTimer);
        return;
    }
    if (mouseOnPart_)
        Step(pressed_ == Part::Up, model_.IncrementAfter(MonotonicMillis() - pressStart_));
    SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
}

bool UpDown::IsUpKey(UINT vk) const {
    return vk == VK_UP || ((Style() & UDS_HORZ) && vk == VK_RIGHT);
}

bool UpDown::IsDownKey(UINT vk) const {
    return vk == VK_DOWN || ((Style() & UDS_HORZ) && vk == VK_LEFT);
}

bool UpDown::OnKeyDown(UINT vk, LPARAM lParam) {
    if (!IsUpKey(vk) && !IsDownKey(vk))
        return false;
    // A key held down repeats (bit 30: it was down before) and speeds up like a held arrow.
    const int64_t now = MonotonicMillis();
    if (!(lParam & (1 << 30)))
        keyStart_ = now;
    Step(IsUpKey(vk), model_.IncrementAfter(now - keyStart_));
    return true;
}

bool UpDown::OnBuddyKey(UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT vk = static_cast<UINT>(wParam);
    if (vk != VK_UP && vk != VK_DOWN)
        return false;
    if (message == WM_KEYDOWN)
        return OnKeyDown(vk, lParam);
    EndScroll();
    return true;
}

LRESULT UpDown::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    bool handled = false;
    result = HandleUpDownMessage(message, wParam, lParam, handled);
    if (handled)
        return result;
    switch (message) {
        case WM_CREATE:
            if (Style() & UDS_AUTOBUDDY)
                SetBuddy(GetWindow(hwnd_, GW_HWNDPREV));
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            if (pressed_ != Part::None) {
                const bool on =
                    PartAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == pressed_;
                if (on != mouseOnPart_) {
                    mouseOnPart_ = on;
                    Invalidate();
                }
            }
            return 0;
        case WM_LBUTTONUP:
            if (pressed_ != Part::None) {
                pressed_ = Part::None;
                KillTimer(hwnd_, kRepeatTimer);
                if (GetCapture() == hwnd_)
                    ReleaseCapture();
                Invalidate();
                EndScroll();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (pressed_ != Part::None && reinterpret_cast<HWND>(lParam) != hwnd_) {
                pressed_ = Part::None;
                KillTimer(hwnd_, kRepeatTimer);
                Invalidate();
                EndScroll();
            }
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer)
                OnTimer();
            return 0;
        case WM_KEYDOWN:
            if ((Style() & UDS_ARROWKEYS) && OnKeyDown(static_cast<UINT>(wParam), lParam))
                return 0;
            break;
        case WM_KEYUP:
            if ((Style() & UDS_ARROWKEYS) &&
                (IsUpKey(static_cast<UINT>(wParam)) || IsDownKey(static_cast<UINT>(wParam)))) {
                EndScroll();
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_ENABLE:
        case WM_SIZE:
            Invalidate();
            return 0;
        case WM_DESTROY:
            if (buddy_)
                UnhookBuddy(buddy_, hwnd_);
            buddy_ = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void UpDown::Paint(HDC hdc, const RECT&) {
    const bool horizontal = (Style() & UDS_HORZ) != 0;
    const UINT inactive = IsEnabled() ? 0 : DFCS_INACTIVE;
    for (Part part : {Part::Up, Part::Down}) {
        RECT rc = PartRect(part);
        UINT state = part == Part::Up ? (horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLUP)
                                      : (horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLDOWN);
        if (pressed_ == part && mouseOnPart_)
            state |= DFCS_PUSHED;
        DrawFrameControl(hdc, &rc, DFC_SCROLL, state | inactive);
    }
}

}  // namespace kq::ui::commctrl
