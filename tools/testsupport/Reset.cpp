#include "tools/testsupport/Reset.h"

#include "platform/ui/Caret.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/detail/ThreadReset.h"
#include "platform/ui/paint/PaintReset.h"

namespace kq::ui {

void ResetWindowSystem() {
    detail::ResetThreadState();
    DestroyCaret();
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SetScreenSize(1920, 1080);
    SetControlLanguage(ControlLanguage::English);
    detail::ResetPainting();
}

}  // namespace kq::ui
