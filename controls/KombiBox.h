// A combo box that counts the items it added and finds an item by its item data.
#pragma once

#include "platform/framework/Controls.h"

class CKombiBox : public CComboBox {
    DECLARE_DYNAMIC(CKombiBox)
  public:
    void ResetItems();
    // The CB_SETITEMDATA answer, or CB_ERR when the item could not be added.
    int AddItem(CString text, DWORD data);
    // The index of the one item carrying the data; -1 when none or several do.
    int FindItemByData(DWORD data);

    unsigned m_nItemCount = 0;
};
