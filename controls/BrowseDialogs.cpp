// The browse control's choices: the folder and file dialogs, the result buffer of chosen
// paths, the path set by the program, and the notification of the parent.
#include <algorithm>
#include <cstring>

#include "controls/BrowseCtrl.h"
#include "foundation/CTraceString.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/commdlg/FileDialog.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/controls/Edit.h"

namespace {
constexpr size_t kFolderBuffer = 262;
constexpr size_t kFileBuffer = 65536;
// How much of a refused path the message shows.
constexpr int kShownPathPart = 122;
}  // namespace

int CBrowseCtrl::DoBrowse() {
    if (m_bDlgPopped)
        return 2;
    m_bDlgPopped = true;
    const int result = (m_dwStyle & BC_CTL_FOLDERSONLY) ? BrowseForFolder() : BrowseForFile();
    // Ids below WM_USER are system messages: they only key the change handler.
    if (m_nNotifyMsg >= WM_USER)
        if (CWnd* parent = GetParent())
            parent->SendMessage(m_nNotifyMsg, static_cast<WPARAM>(result),
                                reinterpret_cast<LPARAM>(this));
    m_bDlgPopped = false;
    return result;
}

void CBrowseCtrl::Activate() {
    DoBrowse();
    if (CWnd* parent = GetParent(); parent && ::IsWindow(parent->m_hWnd))
        parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), 0);
}

int CBrowseCtrl::FolderCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message != BFFM_INITIALIZED)
        return 0;
    auto* self = reinterpret_cast<CBrowseCtrl*>(data);
    if (!self->m_sFileTitle.IsEmpty())
        ::SetWindowText(hwnd, self->m_sFileTitle);
    const CString path = self->GetPathName();
    if (!path.IsEmpty())
        ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(path.GetString()));
    return 0;
}

int CBrowseCtrl::BrowseForFolder() {
    ::OleInitialize(nullptr);
    char displayName[MAX_PATH] = {};
    BROWSEINFO info{};
    info.hwndOwner = GetParent() ? GetParent()->m_hWnd : nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = m_sFolderTitle;
    info.ulFlags = m_nFolderFlags;
    info.lpfn = &CBrowseCtrl::FolderCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST chosen = ::SHBrowseForFolder(&info);
    if (!chosen)
        return 2;
    char path[kFolderBuffer] = {};
    const BOOL havePath = ::SHGetPathFromIDList(chosen, path);
    LPMALLOC shellMalloc = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(chosen);
        shellMalloc->Release();
    }
    // A folder without a path (too long for the buffer) is no choice: the old one stays.
    if (!havePath)
        return 2;
    SetResult({CString(path)});
    m_bReadOnlyRef = FALSE;
    ShowResultInEdit();
    return 1;
}

int CBrowseCtrl::BrowseForFile() {
    CFileDialog dialog(m_bOpenFileDialog, m_sDefExt.IsEmpty() ? nullptr : m_sDefExt.GetString(),
                       GetPathName(), m_dwFileFlags, m_sFilter, GetParent());
    dialog.m_ofn.lpstrTitle = m_sFileTitle;
    std::vector<char> buffer(kFileBuffer, '\0');
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(kFileBuffer - 1);
    if (dialog.DoModal() != IDOK)
        return 2;
    std::vector<CString> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        paths.push_back(dialog.GetNextPathName(pos));
    SetResult(paths);
    m_bReadOnlyRef = (dialog.m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE;
    ShowResultInEdit();
    return 1;
}

void CBrowseCtrl::SetResult(const std::vector<CString>& paths) {
    m_pszResult.clear();
    for (const CString& p : paths) {
        m_pszResult.insert(m_pszResult.end(), p.GetString(), p.GetString() + p.GetLength());
        m_pszResult.push_back('\0');
    }
    m_pszResult.push_back('\0');
    m_nPathCount = static_cast<int>(paths.size());
    m_nResultLength = static_cast<int>(m_pszResult.size()) - 1;
    if (paths.size() == 1)
        m_nResultLength = paths[0].GetLength();
}

void CBrowseCtrl::ShowResultInEdit() {
    const CString first = m_pszResult.empty() ? CString() : CString(m_pszResult.data());
    if (m_wndEdit.m_hWnd) {
        m_wndEdit.SetWindowText(first);
        m_wndEdit.SendMessage(EM_SETSEL, 0, -1);
        m_wndEdit.SendMessage(EM_SCROLLCARET);
    }
    m_bEditChanged = false;
    m_sPathName = first;
}

void CBrowseCtrl::SetPathName(LPCTSTR path) {
    if (!path)
        return;
    const CString text(path);
    if (text.GetLength() > kMaxPathLength) {
        // Refused: the previous path and edit text stay.
        const CString shortened = text.Left(kShownPathPart) + "{...}";
        CTraceString trace(shortened.GetString());
        AfxMessageBox("The path is too long (at most 1023 characters):\n" + shortened,
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CTraceString trace(text);
    if (m_wndEdit.m_hWnd)
        m_wndEdit.SetWindowText(text);
    SetResult({text});
}

CString CBrowseCtrl::GetPathName() const {
    const CString first = m_pszResult.empty() ? CString() : CString(m_pszResult.data());
    // Paths are compared exactly: on this system case tells folders apart.
    if (m_bEditChanged && m_sPathName != first)
        return m_sPathName;
    return first;
}

std::vector<CString> CBrowseCtrl::GetPathNames() const {
    std::vector<CString> paths;
    for (size_t at = 0; at < m_pszResult.size() && m_pszResult[at] != '\0';) {
        paths.emplace_back(m_pszResult.data() + at);
        at += std::strlen(m_pszResult.data() + at) + 1;
    }
    return paths;
}
