#include "platform/ui/commctrl/InitCommonControls.h"

#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/DateTimePicker.h"
#include "platform/ui/commctrl/ProgressBar.h"
#include "platform/ui/commctrl/TabControl.h"
#include "platform/ui/commctrl/Trackbar.h"
#include "platform/ui/commctrl/UpDown.h"

using namespace kq::ui::commctrl;

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init)
        return FALSE;
    const DWORD icc = init->dwICC;
    if (icc & (ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES))
        kq::ui::RegisterListTreeControlClasses();
    if (icc & ICC_BAR_CLASSES)
        Trackbar::Register();
    if (icc & ICC_PROGRESS_CLASS)
        ProgressBar::Register();
    if (icc & ICC_TAB_CLASSES)
        TabControl::Register();
    if (icc & ICC_UPDOWN_CLASS)
        UpDown::Register();
    if (icc & ICC_DATE_CLASSES)
        DateTimePicker::Register();
    return TRUE;
}

void InitCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0xFFFFFFFFu};
    InitCommonControlsEx(&init);
}
