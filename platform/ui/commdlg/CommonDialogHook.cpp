#include "platform/ui/commdlg/CommonDialogHook.h"

#include <mutex>

#include "platform/ui/commdlg/CommDlg.h"

namespace kq::ui {

namespace {
std::mutex g_hookMutex;
CommonDialogHook g_hook;
thread_local DWORD t_lastError = 0;
}  // namespace

void SetCommonDialogHook(CommonDialogHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}

std::optional<CommonDialogAnswer> AskCommonDialogHook(const CommonDialogRequest& request) {
    CommonDialogHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    if (!hook)
        return std::nullopt;
    return hook(request);
}

}  // namespace kq::ui

namespace kq::ui::commdlg {

void SetExtendedError(DWORD error) {
    t_lastError = error;
}

}  // namespace kq::ui::commdlg

DWORD CommDlgExtendedError() {
    return kq::ui::t_lastError;
}
