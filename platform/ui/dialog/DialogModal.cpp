// Modal dialogs: the owner disabled, a message loop of their own, EndDialog.
#include "platform/base/Resource.h"
#include "platform/ui/ModalLoops.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/detail/DialogState.h"

using namespace kq::ui::detail;

namespace {

bool Done(HWND dialog, const DialogState& state) {
    return state.ended || !IsWindow(dialog) || kq::ui::ModalLoopsEnding();
}

// Takes and handles messages until the dialog has ended, the thread's modal loops are ended or
// WM_QUIT comes.
void RunModalLoop(HWND dialog, HWND owner, DialogState& state) {
    const bool idleMessages = !(GetWindowLong(dialog, GWL_STYLE) & DS_NOIDLEMSG);
    MSG msg;
    while (!Done(dialog, state)) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (idleMessages && owner && IsWindow(owner))
                SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (Done(dialog, state))
                break;
        }
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop must see the quit request too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0)
            return;
        if (CallMsgFilter(&msg, MSGF_DIALOGBOX))
            continue;
        if (!IsWindow(dialog) || !IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void ReenableOwner(DialogState& state) {
    if (state.disabledOwner && IsWindow(state.disabledOwner))
        EnableWindow(state.disabledOwner, TRUE);
    state.disabledOwner = nullptr;
}

}  // namespace

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE t, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    if (!t)
        return -1;
    HWND owner = kq::ui::ModalOwnerOf(parent);
    HWND dialog = CreateDialogIndirectParam(instance, t, owner, proc, initParam);
    if (!dialog)
        return -1;
    auto state = DialogStateOf(dialog);
    if (!state)
        return -1;
    state->modal = true;
    if (owner && IsWindowEnabled(owner) && !state->ended) {
        EnableWindow(owner, FALSE);
        state->disabledOwner = owner;
    }
    if (!state->ended && IsWindow(dialog) && !IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    const kq::ui::ModalLoopScope counted;
    RunModalLoop(dialog, owner, *state);
    // Ended with the thread's modal loops: as cancelled.
    const INT_PTR result =
        state->ended ? state->result : (kq::ui::ModalLoopsEnding() ? IDCANCEL : 0);
    // The owner is enabled before the dialog goes, so that it becomes active again.
    ReenableOwner(*state);
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return result;
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    const kq::DialogTemplate* t = kq::FindDialogTemplate(kq::ResourceName(templateName));
    if (!t)
        return -1;
    return DialogBoxIndirectParam(instance, t, parent, proc, initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    auto state = DialogStateOf(dialog);
    if (!state)
        return FALSE;
    state->ended = true;
    state->result = result;
    ReenableOwner(*state);
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}
