#include "platform/framework/commdlg/FileDialog.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/base/Paths.h"
#include "platform/ui/commdlg/FileTypes.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

// Room for a multiple selection: a folder and many names.
constexpr size_t kFileBufferSize = 65536;

// A place in the file buffer, kept as its offset + 1 so that offset 0 is not a null POSITION.
POSITION PositionAt(size_t offset) {
    return reinterpret_cast<POSITION>(static_cast<uintptr_t>(offset) + 1);
}
size_t OffsetOf(POSITION pos) {
    return static_cast<size_t>(reinterpret_cast<uintptr_t>(pos)) - 1;
}

CString NameOf(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1);
}

// The position of the extension's dot in a name; -1 when it has none (a leading dot starts a
// hidden name, not an extension).
int ExtensionDot(const CString& name) {
    const int dot = name.ReverseFind('.');
    return dot > 0 ? dot : -1;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd),
      m_ofn{},
      m_bOpenFileDialog(bOpenFileDialog),
      m_fileBuffer(kFileBufferSize, '\0') {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (lpszFileName != nullptr) {
        const std::string_view name(lpszFileName);
        name.copy(m_fileBuffer.data(), std::min(name.size(), m_fileBuffer.size() - 1));
    }
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (lpszFilter != nullptr) {
        m_strFilter = kq::ui::commdlg::FilterFromBars(lpszFilter);
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerWindow();
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    if (m_ofn.lpstrFile == nullptr || m_ofn.nMaxFile == 0)
        return CString();
    return CString(m_ofn.lpstrFile, static_cast<int>(strnlen(m_ofn.lpstrFile, m_ofn.nMaxFile)));
}

CString CFileDialog::GetFileName() const {
    return HoldsSeveral() ? CString() : NameOf(GetPathName());
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = ExtensionDot(name);
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = ExtensionDot(name);
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
    const CString path = GetPathName();
    if (HoldsSeveral())
        return path;
    const int slash = path.ReverseFind('/');
    if (slash < 0)
        return CString();
    return slash == 0 ? CString("/") : path.Left(slash);
}

bool CFileDialog::HoldsSeveral() const {
    // The window system ends the folder with a zero right before the first name.
    const size_t offset = m_ofn.nFileOffset;
    return (m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.lpstrFile != nullptr && offset > 0 &&
           offset < m_ofn.nMaxFile && m_ofn.lpstrFile[offset - 1] == '\0' &&
           m_ofn.lpstrFile[0] != '\0';
}

POSITION CFileDialog::GetStartPosition() const {
    if (m_ofn.lpstrFile == nullptr || m_ofn.nMaxFile == 0 || m_ofn.lpstrFile[0] == '\0')
        return nullptr;
    return PositionAt(0);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    if (pos == nullptr)
        return CString();
    if (!HoldsSeveral()) {
        pos = nullptr;
        return GetPathName();
    }
    size_t at = OffsetOf(pos);
    if (at == 0)
        at = m_ofn.nFileOffset;
    const size_t end = m_ofn.nMaxFile;
    if (at >= end) {
        pos = nullptr;
        return CString();
    }
    const char* name = m_ofn.lpstrFile + at;
    const size_t length = strnlen(name, end - at);
    const size_t next = at + length + 1;
    pos = next < end && m_ofn.lpstrFile[next] != '\0' ? PositionAt(next) : nullptr;
    return CString(kq::JoinPath(GetPathName().Str(), std::string(name, length)));
}
