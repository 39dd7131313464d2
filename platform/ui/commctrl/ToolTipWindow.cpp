#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/ToolTipState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {
namespace {

LRESULT HandleToolTipMessage(ToolTipState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s.hwnd();
    auto* info = reinterpret_cast<TOOLINFO*>(lParam);
    switch (message) {
        case WM_CREATE: {
            // A tip is always a top-most pop-up that never takes the activation.
            SetWindowLong(
                hwnd, GWL_STYLE,
                (GetWindowLong(hwnd, GWL_STYLE) & ~WS_CHILD) | static_cast<LONG>(WS_POPUP));
            SetWindowLong(hwnd, GWL_EXSTYLE,
                          GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            s.OnTimer(wParam);
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { s.Paint(dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_DESTROY:
            s.Activate(false);
            s.UnsubclassAll();
            return 0;

        case TTM_ACTIVATE:
            s.Activate(wParam != 0);
            return 0;
        case TTM_SETDELAYTIME:
            s.SetDelay(wParam, static_cast<SHORT>(LOWORD(lParam)));
            return 0;
        case TTM_GETDELAYTIME:
            return s.Delay(wParam);
        case TTM_ADDTOOL:
            return info && s.Add(*info);
        case TTM_DELTOOL:
            if (info)
                s.Delete(*info);
            return 0;
        case TTM_NEWTOOLRECT:
            if (info)
                if (ToolTipState::Tool* tool = s.Find(*info))
                    tool->rect = info->rect;
            return 0;
        case TTM_RELAYEVENT:
            if (lParam)
                s.Relay(*reinterpret_cast<const MSG*>(lParam));
            return 0;
        case TTM_GETTOOLINFO: {
            ToolTipState::Tool* tool = info ? s.Find(*info) : nullptr;
            if (!tool)
                return FALSE;
            s.Describe(*tool, info);
            if (info->lpszText && info->lpszText != LPSTR_TEXTCALLBACK)
                CopyText(tool->text, info->lpszText, 80);
            return TRUE;
        }
        case TTM_SETTOOLINFO: {
            ToolTipState::Tool* tool = info ? s.Find(*info) : nullptr;
            if (tool) {
                tool->flags = info->uFlags;
                tool->rect = info->rect;
                tool->lParam = info->lParam;
                s.SetText(*tool, info->lpszText, info->hinst);
            }
            return 0;
        }
        case TTM_HITTEST: {
            auto* hit = reinterpret_cast<TTHITTESTINFO*>(lParam);
            ToolTipState::Tool* tool = hit ? s.ToolAt(hit->hwnd, hit->pt) : nullptr;
            if (!tool)
                return FALSE;
            s.Describe(*tool, &hit->ti);
            return TRUE;
        }
        case TTM_GETTEXT: {
            ToolTipState::Tool* tool = info ? s.Find(*info) : nullptr;
            if (tool && info->lpszText) {
                const int size = wParam ? static_cast<int>(wParam) : 80;
                CopyText(s.TextOf(*tool), info->lpszText, size);
            }
            return 0;
        }
        case TTM_UPDATETIPTEXT: {
            ToolTipState::Tool* tool = info ? s.Find(*info) : nullptr;
            if (tool) {
                s.SetText(*tool, info->lpszText, info->hinst);
                if (s.Showing() && s.Current() == tool)
                    s.Show();
            }
            return 0;
        }
        case TTM_GETTOOLCOUNT:
            return s.Count();
        case TTM_ENUMTOOLS:
            if (!info || static_cast<int>(wParam) >= s.Count())
                return FALSE;
            s.Describe(s.ToolAt(static_cast<int>(wParam)), info);
            return TRUE;
        case TTM_GETCURRENTTOOL:
            if (!s.Current())
                return FALSE;
            if (info)
                s.Describe(*s.Current(), info);
            return TRUE;
        case TTM_SETTIPBKCOLOR:
            s.bkColor = static_cast<COLORREF>(wParam);
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            s.textColor = static_cast<COLORREF>(wParam);
            return 0;
        case TTM_GETTIPBKCOLOR:
            return static_cast<LRESULT>(s.bkColor);
        case TTM_GETTIPTEXTCOLOR:
            return static_cast<LRESULT>(s.textColor);
        case TTM_SETMAXTIPWIDTH: {
            const int old = s.maxWidth;
            s.maxWidth = static_cast<int>(lParam);
            return old;
        }
        case TTM_GETMAXTIPWIDTH:
            return s.maxWidth;
        case TTM_SETMARGIN:
            if (lParam)
                s.margin = *reinterpret_cast<const RECT*>(lParam);
            return 0;
        case TTM_GETMARGIN:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = s.margin;
            return 0;
        case TTM_POP:
            s.Pop();
            return 0;
        case TTM_UPDATE:
            if (s.Showing())
                s.Show();
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return StatefulControlProc<ToolTipState, &HandleToolTipMessage>(hwnd, message, wParam, lParam);
}

}  // namespace kq::ui::commctrl
