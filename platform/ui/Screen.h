// The virtual screen and its monitors. All top-level windows live on this one screen; the back
// end shows it (x11) or keeps it in memory (headless). Tests and back ends configure it.
#pragma once

#include <vector>

#include "platform/ui/UiTypes.h"

constexpr DWORD MONITOR_DEFAULTTONULL = 0x00000000;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 0x00000001;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 0x00000002;
constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;
constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;

struct MONITORINFOEX : MONITORINFO {
    CHAR szDevice[CCHDEVICENAME];
};
using LPMONITORINFOEX = MONITORINFOEX*;

using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, LPRECT, LPARAM);

HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromRect(LPCRECT rc, DWORD flags);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
// Fills a MONITORINFO, or a MONITORINFOEX when cbSize says so; FALSE for a stale handle.
BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info);
// Calls back for every monitor meeting the clip rectangle (the device context is not used to
// clip; pass nullptr).
BOOL EnumDisplayMonitors(HDC hdc, LPCRECT clip, MONITORENUMPROC proc, LPARAM data);

namespace kq::ui {

struct MonitorConfig {
    RECT monitor;  // in virtual-screen coordinates
    RECT work;     // the part not covered by docked bars; clipped to the monitor, never empty
};

// One monitor of the given size at (0,0) whose work area is all of it. Default 1920x1080.
void SetScreenSize(int cx, int cy);
// Replaces the monitors; the first one is the primary. Monitors without area are ignored;
// with none left the default screen is used. Handles of earlier monitors become stale.
void SetMonitors(const std::vector<MonitorConfig>& monitors);
std::vector<MonitorConfig> GetMonitors();
RECT VirtualScreenRect();
RECT PrimaryMonitorRect();
RECT PrimaryWorkArea();

}  // namespace kq::ui
