#include <mutex>

#include "platform/ui/Cursor.h"
#include "platform/ui/Styles.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/HeaderState.h"
#include "platform/ui/commctrl/ListViewState.h"
#include "platform/ui/commctrl/RichEditState.h"
#include "platform/ui/commctrl/ToolTipState.h"
#include "platform/ui/commctrl/TreeState.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui {

void RegisterListTreeControlClasses() {
    using namespace kq::ui::commctrl;
    struct Entry {
        const char* name;
        WNDPROC proc;
        UINT style;
    };
    const Entry entries[] = {
        {WC_HEADER, HeaderWindowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
        {WC_LISTVIEW, ListViewWindowProc, CS_DBLCLKS},
        {WC_TREEVIEW, TreeWindowProc, CS_DBLCLKS},
        {TOOLTIPS_CLASS, ToolTipWindowProc, CS_SAVEBITS},
        {RICHEDIT_CLASS10A, RichEditWindowProc, CS_DBLCLKS},
        {RICHEDIT_CLASSA, RichEditWindowProc, CS_DBLCLKS},
    };
    for (const Entry& e : entries) {
        WNDCLASS probe{};
        if (GetClassInfo(nullptr, e.name, &probe))
            continue;
        WNDCLASS wc{};
        wc.style = e.style | CS_GLOBALCLASS;
        wc.lpfnWndProc = e.proc;
        wc.cbWndExtra = kExtraBytes;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = e.name;
        RegisterClass(&wc);
    }
}

}  // namespace kq::ui
