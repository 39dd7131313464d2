#include "platform/framework/RecentFileList.h"

#include <filesystem>

#include "platform/framework/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0)) {}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (m_arrNames.empty() || lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(lpszPathName, error);
    const CString path = error ? CString(lpszPathName) : CString(full.lexically_normal().string());
    size_t index = 0;
    while (index + 1 < m_arrNames.size() && m_arrNames[index] != path)
        ++index;
    for (; index > 0; --index)
        m_arrNames[index] = m_arrNames[index - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < GetSize(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        if (m_arrNames[static_cast<size_t>(i)].IsEmpty())
            continue;
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[static_cast<size_t>(i)]);
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    strName.Empty();
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty())
        return FALSE;
    CString path = m_arrNames[static_cast<size_t>(nIndex)];
    // Files of the current folder show without it.
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir + 1 &&
        path.Left(nCurDir) == CString(lpszCurDir, nCurDir) && path[nCurDir] == '/')
        path = path.Mid(nCurDir + 1);
    if (m_nMaxDisplayLength > 0 && path.GetLength() > m_nMaxDisplayLength) {
        const int slash = path.ReverseFind('/');
        const CString name = slash >= 0 ? path.Mid(slash + 1) : path;
        path = bAtLeastName || name.GetLength() <= m_nMaxDisplayLength
                   ? "..." + CString("/") + name
                   : name.Left(m_nMaxDisplayLength);
    }
    strName = path;
    return TRUE;
}
