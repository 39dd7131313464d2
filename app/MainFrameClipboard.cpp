// Ctrl+C and Ctrl+X copy the selection of the focused edit control to the clipboard as text.
#include <algorithm>

#include "app/MainFrame.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/commdlg/GlobalMemory.h"
#include "platform/ui/controls/Edit.h"

namespace {

bool IsEditClass(HWND hwnd) {
    char name[64] = {};
    ::GetClassName(hwnd, name, sizeof(name));
    // Edit and rich edit classes, also as the framework's subclassed forms ("Afx:EDIT").
    CString cls(name);
    cls.MakeUpper();
    return cls.Find("EDIT") >= 0;
}

// The byte offset of the character with the index, clamped to the text's end.
size_t ByteOffsetOfCharacter(std::string_view text, DWORD index) {
    size_t offset = 0;
    for (DWORD i = 0; i < index && offset < text.size(); ++i)
        offset += static_cast<size_t>(::kq::DecodeUtf8At(text, offset).length);
    return std::min(offset, text.size());
}

}  // namespace

void CMainFrame::CopySelectionToClipboard(MSG* pMsg) {
    HWND target = pMsg->hwnd;
    if (target == nullptr || !IsEditClass(target))
        return;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessage(target, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    CString text;
    CWnd::FromHandle(target)->GetWindowText(text);
    // The selection counts characters; the text is UTF-8.
    const std::string_view bytes(text.GetString(), static_cast<size_t>(text.GetLength()));
    const size_t from = ByteOffsetOfCharacter(bytes, start);
    const size_t to = ByteOffsetOfCharacter(bytes, end);
    if (to <= from)
        return;
    const size_t length = to - from;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    auto* data = static_cast<char*>(GlobalLock(block));
    if (data == nullptr)
        return;
    std::copy_n(bytes.data() + from, length, data);
    data[length] = '\0';
    GlobalUnlock(block);
    if (!::OpenClipboard(m_hWnd)) {
        GlobalFree(block);
        return;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_TEXT, block) == nullptr)
        GlobalFree(block);
    ::CloseClipboard();
}
