#include <algorithm>

#include "foundation/Environment.h"
#include "foundation/FailureMessages.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "res/TextIds.h"

namespace {

const char* const kWindowPosSection = "AllViewState\\Configs\\WindowPos";
const char* const kSystemInfoSection = "SystemInfo";
constexpr int kNotStored = -32768;

CString MonitorText() {
    CString text;
    const auto monitors = kq::ui::GetMonitors();
    for (size_t i = 0; i < monitors.size(); ++i) {
        const RECT& m = monitors[i].monitor;
        const RECT& w = monitors[i].work;
        text.AppendFormat(
            "Monitor %d: %ld,%ld-%ld,%ld (work area %ld,%ld-%ld,%ld)\n", static_cast<int>(i) + 1,
            static_cast<long>(m.left), static_cast<long>(m.top), static_cast<long>(m.right),
            static_cast<long>(m.bottom), static_cast<long>(w.left), static_cast<long>(w.top),
            static_cast<long>(w.right), static_cast<long>(w.bottom));
    }
    return text;
}

// Moves and shrinks the rectangle so that it lies in the work area of the monitor it overlaps
// most (the primary one when it overlaps none).
CRect FitToMonitors(CRect rect) {
    int monitor = CEnvironment::GetMonitorOverlapping(rect);
    CRect work;
    if (!CEnvironment::GetMonitorWorkArea(std::max(monitor, 0), work))
        return rect;
    rect.right = rect.left + std::min(rect.Width(), work.Width());
    rect.bottom = rect.top + std::min(rect.Height(), work.Height());
    if (rect.right > work.right)
        rect.OffsetRect(work.right - rect.right, 0);
    if (rect.bottom > work.bottom)
        rect.OffsetRect(0, work.bottom - rect.bottom);
    if (rect.left < work.left)
        rect.OffsetRect(work.left - rect.left, 0);
    if (rect.top < work.top)
        rect.OffsetRect(0, work.top - rect.top);
    return rect;
}

}  // namespace

bool CEnvironment::CollectSystemInfo(CWinApp* app, CWnd* /*window*/) {
    ReadSystemFacts();
    m_strSystemInfo = BuildSystemInfoText() + MonitorText();
    m_bFirstStart = false;
    if (app) {
        const CString marker = app->GetProfileString("Language", "IsFirstTimeOfApp", "");
        m_bFirstStart = marker.IsEmpty();
        if (m_bFirstStart)
            app->WriteProfileString("Language", "IsFirstTimeOfApp", "No");
    }
    return m_bFirstStart;
}

void CEnvironment::SaveSystemInfo(CWinApp* app, CWnd* /*window*/) {
    if (!app)
        return;
    app->WriteProfileString(kSystemInfoSection, "UserName", m_strUserName);
    app->WriteProfileString(kSystemInfoSection, "ComputerName", m_strComputerName);
    app->WriteProfileString(kSystemInfoSection, "DomainName", m_strDomainName);
    app->WriteProfileString(kSystemInfoSection, "LogonServer", m_strLogonServer);
    app->WriteProfileString(kSystemInfoSection, "HomePath", m_strHomePath);
    app->WriteProfileInt(kSystemInfoSection, "Processors", m_iProcessors);
    app->WriteProfileString(kSystemInfoSection, "OperatingSystem", m_strOsVersion);
    app->WriteProfileString(kSystemInfoSection, "SystemLanguage", m_strSystemLanguage);
    app->WriteProfileString(kSystemInfoSection, "ApplicationPath", m_strApplicationPath);
    app->WriteProfileString(kSystemInfoSection, "LocalAppData", m_strLocalAppDataPath);
    app->WriteProfileInt(kSystemInfoSection, "Monitors",
                         static_cast<int>(kq::ui::GetMonitors().size()));
}

bool CEnvironment::RestoreWindowPosition(CWnd* window, CWinApp* app) {
    if (!window || !app || !window->GetSafeHwnd())
        return false;
    const int x = static_cast<int>(app->GetProfileInt(kWindowPosSection, "X", kNotStored));
    const int y = static_cast<int>(app->GetProfileInt(kWindowPosSection, "Y", kNotStored));
    const int cx = static_cast<int>(app->GetProfileInt(kWindowPosSection, "CX", kNotStored));
    const int cy = static_cast<int>(app->GetProfileInt(kWindowPosSection, "CY", kNotStored));
    if (x == kNotStored || y == kNotStored || cx <= 0 || cy <= 0)
        return false;
    const CRect rect = FitToMonitors(CRect(x, y, x + cx, y + cy));
    return MoveWindow(window->GetSafeHwnd(), rect.left, rect.top, rect.Width(), rect.Height(),
                      TRUE) != FALSE;
}

void CEnvironment::SaveWindowPosition(CWinApp* app, CWnd* window) {
    if (!window || !app || !window->GetSafeHwnd())
        return;
    WINDOWPLACEMENT placement{};
    if (!GetWindowPlacement(window->GetSafeHwnd(), &placement))
        return;
    const CRect rect(placement.rcNormalPosition);
    app->WriteProfileInt(kWindowPosSection, "X", rect.left);
    app->WriteProfileInt(kWindowPosSection, "Y", rect.top);
    app->WriteProfileInt(kWindowPosSection, "CX", rect.Width());
    app->WriteProfileInt(kWindowPosSection, "CY", rect.Height());
    app->WriteProfileInt(kWindowPosSection, "IsMaximized",
                         placement.showCmd == static_cast<UINT>(SW_SHOWMAXIMIZED) ? 1 : 0);
}

bool CEnvironment::CreateLocalAppDataFolder(CWnd* /*window*/, const char* folderName,
                                            CString& path) {
    CString base;
    if (!GetLocalAppDataPath(base) || !folderName || !*folderName) {
        path.Empty();
        ReportFolderFailure(folderName ? folderName : "");
        return false;
    }
    path = base + "/" + folderName;
    if (!kq::CreateDirectories(path.GetString())) {
        ReportFolderFailure(path);
        return false;
    }
    return true;
}
