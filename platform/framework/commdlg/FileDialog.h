// Opening and saving files through the window system's file dialogs.
//
// The object owns a file buffer large enough for a multiple selection; a caller may point
// m_ofn.lpstrFile at a buffer of its own instead (the accessors read whichever m_ofn names).
// m_ofn.lpstrInitialDir, lpstrTitle and nFilterIndex may be set before DoModal. A cancelled
// dialog leaves m_ofn and the buffer as they were.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/CollectionHelpers.h"
#include "platform/framework/commdlg/CommonDialog.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
  public:
    // lpszDefExt without the dot ("csv"); lpszFileName the initial name or path; lpszFilter in
    // the framework's form "text|pattern;pattern|text|pattern||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    // The text at the start of the file buffer: the chosen path; with several files chosen,
    // their folder (walk them with GetStartPosition / GetNextPathName).
    CString GetPathName() const;
    CString GetFileName() const;   // "run1.csv"
    CString GetFileExt() const;    // "csv"
    CString GetFileTitle() const;  // "run1"
    // The folder of the chosen file(s).
    CString GetFolderPath() const;

    // Null when the buffer is empty.
    POSITION GetStartPosition() const;
    // The full path at pos; pos moves on to the next one, null after the last.
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

  private:
    // The buffer holds a folder followed by several names (a multiple selection's result).
    bool HoldsSeveral() const;

    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFilter;  // zero-separated
    std::vector<char> m_fileBuffer;
};
