// The wide-character text measurement, over the UTF-8 one.
#include <string>

#include "platform/base/WideText.h"
#include "platform/gfx/WinGdi.h"

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, LPSIZE size) {
    if (length < 0 || (!text && length > 0))
        return FALSE;
    const std::string utf8 =
        length > 0 ? kq::WideToUtf8(std::u16string_view(text, static_cast<size_t>(length)))
                   : std::string();
    return GetTextExtentPoint32(hdc, utf8.data(), static_cast<int>(utf8.size()), size);
}
