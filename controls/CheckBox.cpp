// The check box wrapper.
#include "controls/CheckBox.h"

#include "platform/ui/controls/Button.h"

IMPLEMENT_DYNAMIC(CCheckBox, CButton)

bool CCheckBox::SetChecked(bool check) {
    const LRESULT state = SendMessage(BM_GETCHECK);
    if (check && state == BST_UNCHECKED)
        SendMessage(BM_SETCHECK, BST_CHECKED);
    else if (!check && state == BST_CHECKED)
        SendMessage(BM_SETCHECK, BST_UNCHECKED);
    return IsChecked();
}

bool CCheckBox::IsChecked() const {
    return SendMessage(BM_GETCHECK) == BST_CHECKED;
}

bool CCheckBox::SetEnabled(bool enable) {
    EnableWindow(enable ? TRUE : FALSE);
    return enable;
}

bool CCheckBox::SetVisible(bool visible) {
    ShowWindow(visible ? SW_SHOW : SW_HIDE);
    return visible;
}
