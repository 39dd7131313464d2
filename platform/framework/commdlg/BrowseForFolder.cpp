#include "platform/framework/commdlg/BrowseForFolder.h"

#include "platform/framework/WinApp.h"

namespace kq::fw {

namespace {

int Preselect(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    const auto* folder = reinterpret_cast<const CString*>(data);
    if (message == BFFM_INITIALIZED && folder && !folder->IsEmpty())
        ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(folder->GetString()));
    return 0;
}

}  // namespace

BOOL BrowseForFolder(CWnd* pParentWnd, LPCTSTR lpszTitle, CString& folder, UINT nFlags) {
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    char name[MAX_PATH] = {};
    BROWSEINFO bi{};
    bi.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    bi.pszDisplayName = name;
    bi.lpszTitle = lpszTitle;
    bi.ulFlags = nFlags;
    bi.lpfn = &Preselect;
    bi.lParam = reinterpret_cast<LPARAM>(&folder);
    LPITEMIDLIST pidl = ::SHBrowseForFolder(&bi);
    if (!pidl)
        return FALSE;
    char path[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDList(pidl, path);
    ::CoTaskMemFree(pidl);
    if (ok)
        folder = path;
    return ok;
}

}  // namespace kq::fw
