// The frame every common dialog's window is built on: a modal dialog from a DialogBuilder whose
// procedure hands the messages to one object, with helpers for the controls and for the
// questions and complaints the dialogs put to the user in message boxes.
#pragma once

#include <string>

#include "platform/ui/UiTypes.h"
#include "platform/ui/commdlg/detail/DialogBuilder.h"

namespace kq::ui::commdlg {

// A Yes/No question (true: Yes) and a complaint, in message boxes over `owner`.
bool ConfirmBox(HWND owner, const std::string& caption, const std::string& question);
void InformBox(HWND owner, const std::string& caption, const std::string& complaint);

class CommonDialog {
  public:
    virtual ~CommonDialog() = default;

    // IDOK, IDCANCEL, or -1 when the dialog could not be made.
    INT_PTR Run(HWND owner, DialogBuilder& builder);

  protected:
    // WM_INITDIALOG: fill the controls; TRUE lets the dialog manager place the focus.
    virtual BOOL OnInit() = 0;
    // WM_COMMAND; true when handled.
    virtual bool OnCommand(int id, int code, HWND control) = 0;
    // Any other message; set handled to answer it.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    HWND Item(int id) const;
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    int ItemInt(int id, bool* ok) const;
    LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Enable(int id, bool enable);
    void End(INT_PTR result);
    void Inform(const std::string& complaint) const;

    HWND hwnd_ = nullptr;
    std::string caption_;

  private:
    static INT_PTR Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace kq::ui::commdlg
