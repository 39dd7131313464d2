// Text conversions of the menu record.
#include "controls/menu/BCMenuData.h"

#include "platform/base/WideText.h"

void BCMenuData::SetWideString(const char16_t* text) {
    m_szMenuText = text ? std::u16string(text) : std::u16string();
}

void BCMenuData::SetAnsiString(LPCSTR text) {
    m_szMenuText = text ? kq::Utf8ToWide(text) : std::u16string();
}

CString BCMenuData::GetString() const {
    return CString(kq::WideToUtf8(m_szMenuText).c_str());
}
