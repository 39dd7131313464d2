#include "platform/ui/commctrl/Trackbar.h"

#include "platform/ui/commctrl/TrackbarApi.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commctrl {

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

bool IsStepKey(UINT vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            return true;
        default:
            return false;
    }
}
}  // namespace

Trackbar::Trackbar(HWND hwnd, const CREATESTRUCT& create) : ControlWindow(hwnd) {
    if (create.style & TBS_AUTOTICKS)
        model_.SetAutoTics(true, 1);
}

ATOM Trackbar::Register() {
    return RegisterControlClass(TRACKBAR_CLASS, &ControlWindowProc<Trackbar>);
}

TrackbarGeometry Trackbar::Geometry() const {
    const DWORD style = Style();
    return TrackbarGeometry(style, ClientRect(), (style & TBS_FIXEDLENGTH) ? fixedThumbLength_ : 0);
}

void Trackbar::Changed(bool redraw) const {
    if (redraw)
        Invalidate();
}

void Trackbar::SetPos(LONG pos, bool redraw) {
    if (model_.SetPos(pos))
        Changed(redraw);
}

void Trackbar::Notify(WORD code) const {
    const bool withPos = code == TB_THUMBTRACK || code == TB_THUMBPOSITION;
    SendScroll((Style() & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL, code,
               withPos ? static_cast<WORD>(model_.Pos()) : 0);
}

bool Trackbar::Step(WORD code) {
    if (!model_.SetPos(model_.StepTarget(code)))
        return false;
    Invalidate();
    Notify(code);
    return true;
}

LRESULT Trackbar::HandleTrackbarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const bool redraw = wParam != 0;
    switch (message) {
        case TBM_GETPOS:
            return model_.Pos();
        case TBM_GETRANGEMIN:
            return model_.Min();
        case TBM_GETRANGEMAX:
            return model_.Max();
        case TBM_SETPOS:
            SetPos(static_cast<LONG>(lParam), redraw);
            return 0;
        case TBM_SETRANGE:
            model_.SetRange(LOWORD(lParam), HIWORD(lParam));
            Changed(redraw);
            return 0;
        case TBM_SETRANGEMIN:
            model_.SetMin(static_cast<LONG>(lParam));
            Changed(redraw);
            return 0;
        case TBM_SETRANGEMAX:
            model_.SetMax(static_cast<LONG>(lParam));
            Changed(redraw);
            return 0;
        case TBM_SETPAGESIZE:
            return model_.SetPageSize(static_cast<LONG>(lParam));
        case TBM_GETPAGESIZE:
            return model_.PageSize();
        case TBM_SETLINESIZE:
            return model_.SetLineSize(static_cast<LONG>(lParam));
        case TBM_GETLINESIZE:
            return model_.LineSize();
        case TBM_SETTIC:
            if (!model_.AddTic(static_cast<LONG>(lParam)))
                return FALSE;
            Invalidate();
            return TRUE;
        case TBM_GETTIC: {
            const auto& tics = model_.Tics();
            return wParam < tics.size() ? tics[wParam] : -1;
        }
        case TBM_GETTICPOS: {
            const auto& tics = model_.Tics();
            return wParam < tics.size() ? Geometry().PixelOf(model_, tics[wParam]) : -1;
        }
        case TBM_GETNUMTICS:
            return (Style() & TBS_NOTICKS) ? 0 : static_cast<LRESULT>(model_.Tics().size()) + 2;
        case TBM_GETPTICS:
            return model_.Tics().empty()
                       ? 0
                       : reinterpret_cast<LRESULT>(const_cast<LONG*>(model_.Tics().data()));
        case TBM_CLEARTICS:
            model_.ClearTics();
            Changed(redraw);
            return 0;
        case TBM_SETTICFREQ:
            if (Style() & TBS_AUTOTICKS) {
                model_.SetAutoTics(true, static_cast<LONG>(wParam));
                Invalidate();
            }
            return 0;
        case TBM_SETSEL:
            model_.SetSelStart(LOWORD(lParam));
            model_.SetSelEnd(HIWORD(lParam));
            Changed(redraw);
            return 0;
        case TBM_SETSELSTART:
            model_.SetSelStart(static_cast<LONG>(lParam));
            Changed(redraw);
            return 0;
        case TBM_SETSELEND:
            model_.SetSelEnd(static_cast<LONG>(lParam));
            Changed(redraw);
            return 0;
        case TBM_GETSELSTART:
            return model_.SelStart();
        case TBM_GETSELEND:
            return model_.SelEnd();
        case TBM_CLEARSEL:
            model_.ClearSel();
            Changed(redraw);
            return 0;
        case TBM_GETTHUMBRECT:
            if (auto* rc = reinterpret_cast<RECT*>(lParam))
                *rc = Geometry().Thumb(model_);
            return 0;
        case TBM_GETCHANNELRECT:
            if (auto* rc = reinterpret_cast<RECT*>(lParam))
                *rc = Geometry().Channel();
            return 0;
        case TBM_SETTHUMBLENGTH:
            if (Style() & TBS_FIXEDLENGTH) {
                fixedThumbLength_ = static_cast<int>(wParam);
                Invalidate();
            }
            return 0;
        case TBM_GETTHUMBLENGTH:
            return Geometry().ThumbLength();
        default:
            handled = false;
            return 0;
    }
}

void Trackbar::OnButtonDown(POINT pt) {
    SetFocus(hwnd_);
    mouse_ = pt;
    const TrackbarGeometry g = Geometry();
    const RECT thumb = g.Thumb(model_);
    const int axis = g.AxisOf(pt);
    if (!(Style() & TBS_NOTHUMB) && PtInRect(&thumb, pt)) {
        tracking_ = Tracking::Thumb;
        dragOffset_ = axis - g.PixelOf(model_, model_.Pos());
        SetCapture(hwnd_);
        Invalidate();
        return;
    }
    const int thumbFirst = g.Vertical() ? thumb.top : thumb.left;
    tracking_ = axis < thumbFirst ? Tracking::PageUp : Tracking::PageDown;
    SetCapture(hwnd_);
    Step(tracking_ == Tracking::PageUp ? TB_PAGEUP : TB_PAGEDOWN);
    SetTimer(hwnd_, kRepeatTimer, kFirstRepeatMs, nullptr);
}

void Trackbar::OnMouseMove(POINT pt) {
    mouse_ = pt;
    if (tracking_ != Tracking::Thumb)
        return;
    const TrackbarGeometry g = Geometry();
    if (model_.SetPos(g.PosAt(model_, g.AxisOf(pt) - dragOffset_))) {
        Invalidate();
        Notify(TB_THUMBTRACK);
    }
}

bool Trackbar::PageShouldContinue() const {
    // Paging stops once the thumb has reached the point under the mouse.
    const TrackbarGeometry g = Geometry();
    const RECT thumb = g.Thumb(model_);
    const int axis = g.AxisOf(mouse_);
    if (tracking_ == Tracking::PageUp)
        return axis < (g.Vertical() ? thumb.top : thumb.left);
    return axis >= (g.Vertical() ? thumb.bottom : thumb.right);
}

void Trackbar::OnRepeatTimer() {
    if (tracking_ != Tracking::PageUp && tracking_ != Tracking::PageDown) {
        KillTimer(hwnd_, kRepeatTimer);
        return;
    }
    if (PageShouldContinue())
        Step(tracking_ == Tracking::PageUp ? TB_PAGEUP : TB_PAGEDOWN);
    SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
}

void Trackbar::EndTracking(bool notifyPosition) {
    const Tracking was = tracking_;
    tracking_ = Tracking::None;
    KillTimer(hwnd_, kRepeatTimer);
    if (was == Tracking::None)
        return;
    if (was == Tracking::Thumb && notifyPosition)
        Notify(TB_THUMBPOSITION);
    Notify(TB_ENDTRACK);
    Invalidate();
}

void Trackbar::OnButtonUp() {
    if (tracking_ == Tracking::None)
        return;
    EndTracking(true);
    if (GetCapture() == hwnd_)
        ReleaseCapture();
}

bool Trackbar::OnKeyDown(UINT vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_UP:
            Step(TB_LINEUP);
            return true;
        case VK_RIGHT:
        case VK_DOWN:
            Step(TB_LINEDOWN);
            return true;
        case VK_PRIOR:
            Step(TB_PAGEUP);
            return true;
        case VK_NEXT:
            Step(TB_PAGEDOWN);
            return true;
        case VK_HOME:
            Step(TB_TOP);
            return true;
        case VK_END:
            Step(TB_BOTTOM);
            return true;
        default:
            return false;
    }
}

LRESULT Trackbar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleCommon(message, wParam, lParam, result))
        return result;
    bool handled = false;
    result = HandleTrackbarMessage(message, wParam, lParam, handled);
    if (handled)
        return result;
    switch (message) {
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
                model_.SetAutoTics((change->styleNew & TBS_AUTOTICKS) != 0, model_.TicFreq());
                Invalidate();
            }
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_)
                EndTracking(false);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer)
                OnRepeatTimer();
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(static_cast<UINT>(wParam)))
                return 0;
            break;
        case WM_KEYUP:
            if (IsStepKey(static_cast<UINT>(wParam))) {
                Notify(TB_ENDTRACK);
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SIZE:
            Invalidate();
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
