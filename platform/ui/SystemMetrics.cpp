#include "platform/ui/SystemMetrics.h"

#include <atomic>

#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// The platform draws window contents while dragging and paints captions as gradients; a
// program may switch either off for the process.
std::atomic<bool> g_dragFullWindows{true};
std::atomic<bool> g_gradientCaptions{true};

BOOL SendSettingChange(HWND hwnd, LPARAM action) {
    ::SendMessage(hwnd, WM_SETTINGCHANGE, static_cast<WPARAM>(action), 0);
    return TRUE;
}

BOOL SetSetting(std::atomic<bool>& setting, bool on, UINT action, UINT winIni) {
    setting = on;
    if (winIni & SPIF_SENDCHANGE)
        ::EnumWindows(&SendSettingChange, static_cast<LPARAM>(action));
    return TRUE;
}

}  // namespace

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return Width(kq::ui::PrimaryMonitorRect());
        case SM_CYSCREEN:
            return Height(kq::ui::PrimaryMonitorRect());
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 16;
        case SM_CYCAPTION:
            return 19;
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return 19;
        case SM_CXFULLSCREEN:
            return Width(kq::ui::PrimaryWorkArea());
        case SM_CYFULLSCREEN:
            return Height(kq::ui::PrimaryWorkArea()) - 19;
        case SM_MOUSEPRESENT:
        case SM_MOUSEWHEELPRESENT:
        case SM_SAMEDISPLAYFORMAT:
            return 1;
        case SM_SWAPBUTTON:
        case SM_MENUDROPALIGNMENT:
        case SM_REMOTESESSION:
            return 0;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 112;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return 27;
        case SM_CXSIZE:
        case SM_CYSIZE:
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE:
            return 18;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_CXICONSPACING:
        case SM_CYICONSPACING:
            return 75;
        case SM_CMOUSEBUTTONS:
            return 3;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYSMCAPTION:
            return 15;
        case SM_CXSMSIZE:
        case SM_CYSMSIZE:
            return 12;
        case SM_CXMINIMIZED:
            return 160;
        case SM_CYMINIMIZED:
            return 24;
        case SM_CXMAXTRACK:
            return Width(kq::ui::VirtualScreenRect()) + 12;
        case SM_CYMAXTRACK:
            return Height(kq::ui::VirtualScreenRect()) + 12;
        case SM_CXMAXIMIZED:
            return Width(kq::ui::PrimaryWorkArea()) + 8;
        case SM_CYMAXIMIZED:
            return Height(kq::ui::PrimaryWorkArea()) + 8;
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK:
            return 13;
        case SM_XVIRTUALSCREEN:
            return kq::ui::VirtualScreenRect().left;
        case SM_YVIRTUALSCREEN:
            return kq::ui::VirtualScreenRect().top;
        case SM_CXVIRTUALSCREEN:
            return Width(kq::ui::VirtualScreenRect());
        case SM_CYVIRTUALSCREEN:
            return Height(kq::ui::VirtualScreenRect());
        case SM_CMONITORS:
            return static_cast<int>(kq::ui::GetMonitors().size());
        default:
            return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    if (action == SPI_SETDRAGFULLWINDOWS)
        return SetSetting(g_dragFullWindows, uiParam != 0, action, winIni);
    if (action == SPI_SETGRADIENTCAPTIONS)
        return SetSetting(g_gradientCaptions, pvParam != nullptr, action, winIni);
    if (!pvParam)
        return FALSE;
    switch (action) {
        case SPI_GETWORKAREA:
            *static_cast<RECT*>(pvParam) = kq::ui::PrimaryWorkArea();
            return TRUE;
        case SPI_GETDRAGFULLWINDOWS:
            *static_cast<BOOL*>(pvParam) = g_dragFullWindows ? TRUE : FALSE;
            return TRUE;
        case SPI_GETGRADIENTCAPTIONS:
            *static_cast<BOOL*>(pvParam) = g_gradientCaptions ? TRUE : FALSE;
            return TRUE;
        case SPI_GETWHEELSCROLLLINES:
            *static_cast<UINT*>(pvParam) = 3;
            return TRUE;
        case SPI_GETNONCLIENTMETRICS:
            return kq::ui::GetNonClientMetrics(static_cast<NONCLIENTMETRICS*>(pvParam)) ? TRUE
                                                                                        : FALSE;
        default:
            return FALSE;
    }
}

UINT GetDoubleClickTime() {
    auto& input = kq::ui::detail::Input();
    std::lock_guard lock(input.mutex);
    return input.doubleClickTime;
}
