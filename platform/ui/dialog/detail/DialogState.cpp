#include "platform/ui/dialog/detail/DialogState.h"

#include <map>
#include <mutex>

#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::detail {
namespace {

struct Table {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<DialogState>> dialogs;
};

Table& TheTable() {
    static auto* table = new Table;
    return *table;
}

}  // namespace

std::shared_ptr<DialogState> DialogStateOf(HWND dialog, bool create) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.dialogs.find(dialog);
    if (it != t.dialogs.end())
        return it->second;
    if (!create || !IsWindow(dialog))
        return nullptr;
    auto state = std::make_shared<DialogState>();
    state->baseUnits = BaseUnitsOf(nullptr);
    t.dialogs.emplace(dialog, state);
    return state;
}

void ForgetDialogState(HWND dialog) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    t.dialogs.erase(dialog);
}

bool IsDialogWindow(HWND hwnd) {
    return hwnd && DialogStateOf(hwnd) != nullptr;
}

SIZE BaseUnitsOf(HFONT font) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int width = MeasureText(font, kLetters);
    const int height = MeasureFont(font).height;
    return SIZE{(width / 26 + 1) / 2, height};
}

std::vector<HWND> DialogControls(HWND dialog, bool usable) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const bool ok = IsWindowVisible(c) && IsWindowEnabled(c);
        if (usable && !ok)
            continue;
        if ((GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && ok) {
            std::vector<HWND> inner = DialogControls(c, usable);
            out.insert(out.end(), inner.begin(), inner.end());
            continue;
        }
        out.push_back(c);
    }
    return out;
}

void UpdateDefaultButton(HWND dialog, HWND focus) {
    auto state = DialogStateOf(dialog);
    if (!state)
        return;
    const LRESULT focusCode = focus ? SendMessage(focus, WM_GETDLGCODE, 0, 0) : 0;
    HWND wanted = nullptr;
    if (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        wanted = focus;
    else if (state->defId)
        wanted = GetDlgItem(dialog, state->defId);
    for (HWND c : DialogControls(dialog, false)) {
        if (c == wanted)
            continue;
        if (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            SendMessage(c, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (wanted && (SendMessage(wanted, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        SendMessage(wanted, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

}  // namespace kq::ui::detail
