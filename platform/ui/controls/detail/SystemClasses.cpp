#include "platform/ui/controls/detail/SystemClasses.h"

#include <strings.h>
#include <cstring>

#include "platform/base/ResourceName.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Styles.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::detail {
namespace {

struct SystemClass {
    const char* name;
    WNDPROC proc;
    UINT style;
    int extra;
    LPCSTR cursor;
};

const SystemClass kClasses[] = {
    {"Button", ButtonWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW,
     kControlExtraBytes, IDC_ARROW},
    {"Static", StaticWindowProc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes, IDC_ARROW},
    {"Edit", EditWindowProc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes, IDC_IBEAM},
    {"ListBox", ListBoxWindowProc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes, IDC_ARROW},
    {kComboListClass, ListBoxWindowProc, CS_DBLCLKS | CS_SAVEBITS, kControlExtraBytes, IDC_ARROW},
    {"ComboBox", ComboBoxWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW,
     kControlExtraBytes, IDC_ARROW},
    {"ScrollBar", ScrollBarWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW,
     kControlExtraBytes, IDC_ARROW},
    {kScrollTrackerClass, ScrollTrackerWindowProc, 0, kControlExtraBytes, IDC_ARROW},
    {WC_DIALOG, DialogWindowProc, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA, IDC_ARROW},
};

}  // namespace

bool DescribeSystemClass(LPCSTR name, WNDCLASSEX* wc) {
    if (!name || IS_INTRESOURCE(name))
        return false;
    for (const SystemClass& c : kClasses) {
        if (strcasecmp(c.name, name) != 0)
            continue;
        *wc = WNDCLASSEX{};
        wc->cbSize = sizeof(WNDCLASSEX);
        wc->style = c.style;
        wc->lpfnWndProc = c.proc;
        wc->cbWndExtra = c.extra;
        wc->hCursor = LoadCursor(nullptr, c.cursor);
        wc->lpszClassName = c.name;
        return true;
    }
    return false;
}

}  // namespace kq::ui::detail
