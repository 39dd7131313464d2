#include "platform/ui/commdlg/detail/CommonDialog.h"

#include "platform/ui/WinUser.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/MessageBox.h"

namespace kq::ui::commdlg {

bool ConfirmBox(HWND owner, const std::string& caption, const std::string& question) {
    return MessageBox(owner, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

void InformBox(HWND owner, const std::string& caption, const std::string& complaint) {
    MessageBox(owner, complaint.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

INT_PTR CommonDialog::Run(HWND owner, DialogBuilder& builder) {
    return DialogBoxIndirectParam(nullptr, &builder.Template(), owner, &CommonDialog::Proc,
                                  reinterpret_cast<LPARAM>(this));
}

INT_PTR CommonDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CommonDialog*>(lParam);
        SetWindowLongPtr(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInit();
    }
    auto* self = reinterpret_cast<CommonDialog*>(GetWindowLongPtr(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND) {
        if (self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (LOWORD(wParam) == IDCANCEL) {
            self->End(IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    bool handled = false;
    const INT_PTR result = self->OnMessage(message, wParam, lParam, handled);
    if (!handled)
        return FALSE;
    SetWindowLongPtr(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CommonDialog::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

HWND CommonDialog::Item(int id) const {
    return GetDlgItem(hwnd_, id);
}

std::string CommonDialog::ItemText(int id) const {
    HWND item = Item(id);
    const int length = item ? GetWindowTextLength(item) : 0;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(item, text.data(), length + 1)));
    return text;
}

void CommonDialog::SetItemText(int id, const std::string& text) {
    SetDlgItemText(hwnd_, id, text.c_str());
}

int CommonDialog::ItemInt(int id, bool* ok) const {
    BOOL translated = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(hwnd_, id, &translated, TRUE));
    if (ok)
        *ok = translated != FALSE;
    return value;
}

LRESULT CommonDialog::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessage(hwnd_, id, message, wParam, lParam);
}

void CommonDialog::Enable(int id, bool enable) {
    if (HWND item = Item(id))
        EnableWindow(item, enable ? TRUE : FALSE);
}

void CommonDialog::End(INT_PTR result) {
    EndDialog(hwnd_, result);
}

void CommonDialog::Inform(const std::string& complaint) const {
    InformBox(hwnd_, caption_, complaint);
}

}  // namespace kq::ui::commdlg
