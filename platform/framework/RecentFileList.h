// CRecentFileList: the most-recently-used file list, kept in the profile as one text entry per
// file ("File1", "File2", ... in the section "Recent File List" for the application's list).
#pragma once

#include <vector>

#include "platform/base/CString.h"

class CRecentFileList {
  public:
    // nStart: the index of the first list command relative to ID_FILE_MRU_FILE1.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    // Puts the file (made an absolute path) first; an entry for the same file moves up.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    // Rewrites the section: only the non-empty entries are stored.
    virtual void WriteList();
    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }
    // The file name shown in a menu: the path, shortened to its last parts when longer than the
    // display length; FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strSectionName;
    CString m_strEntryFormat;

  protected:
    std::vector<CString> m_arrNames;
};
