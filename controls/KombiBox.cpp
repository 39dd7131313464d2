// The counting combo box.
#include "controls/KombiBox.h"

#include <algorithm>

#include "platform/ui/controls/ComboBox.h"

IMPLEMENT_DYNAMIC(CKombiBox, CComboBox)

void CKombiBox::ResetItems() {
    m_nItemCount = 0;
    SendMessage(CB_RESETCONTENT);
}

int CKombiBox::AddItem(CString text, DWORD data) {
    const LRESULT index = SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    if (index < 0)
        return static_cast<int>(CB_ERR);
    ++m_nItemCount;
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), data));
}

int CKombiBox::FindItemByData(DWORD data) {
    const int count = std::min<int>(static_cast<int>(m_nItemCount), GetCount());
    int found = -1, matches = 0;
    for (int i = 0; i < count; ++i) {
        const LRESULT value = SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i));
        if (value == CB_ERR)
            break;  // a read error; item data of 0xFFFFFFFF reads back as itself
        if (static_cast<DWORD>(value) == data) {
            found = i;
            ++matches;
        }
    }
    return matches == 1 ? found : -1;
}
