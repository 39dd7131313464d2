// The record an owner-drawn menu keeps for each of its items: the text (UTF-16, converted from
// and to the UTF-8 the menu functions take), the MF_ flags, the command id (the sub-menu
// handle for a pop-up item, 0 for a separator) and the image index in the class-wide list.
#pragma once

#include <string>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class BCMenuData {
  public:
    void SetWideString(const char16_t* text);
    void SetWideString(const std::u16string& text) { m_szMenuText = text; }
    void SetAnsiString(LPCSTR text);
    const std::u16string& GetWideString() const { return m_szMenuText; }
    // The text in the menu functions' narrow form (UTF-8).
    CString GetString() const;

    std::u16string m_szMenuText;
    UINT nFlags = 0;
    UINT_PTR nID = 0;
    int nImageIndex = -1;  // in the class-wide image list; -1 for none
    UINT nSyncFlag = 0;    // set while the menu is re-synchronised
};
