// A clipboard for text, shared by the windows of this program. The Windows-shaped calls keep
// their rules: the clipboard is opened by one thread at a time, EmptyClipboard makes the opener
// the owner (the previous owner gets WM_DESTROYCLIPBOARD), data goes in and out only while it
// is open.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;

// FALSE while another thread has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();

// CF_TEXT only. SetClipboardData takes over a GlobalAlloc block holding NUL-terminated UTF-8 (the
// clipboard frees it; the caller must not use it afterwards) and returns it, or null when the
// clipboard is not open by the caller, the format is not CF_TEXT or the handle is no live block.
// GetClipboardData returns a block the clipboard owns, valid until the clipboard is closed,
// emptied or given new data; null without text.
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);

namespace kq::ui {

// CF_TEXT data (UTF-8). The clipboard must be open by the calling thread.
bool SetClipboardText(std::string_view text);
bool GetClipboardText(std::string& text);

}  // namespace kq::ui
