#include "platform/ui/commdlg/detail/DialogBuilder.h"

#include "platform/ui/Styles.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialog/DialogCodes.h"

namespace kq::ui::commdlg {

DialogBuilder::DialogBuilder(const std::string& caption, short cx, short cy) {
    template_.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    template_.cx = cx;
    template_.cy = cy;
    template_.caption = Keep(caption);
    template_.font.pointSize = 8;
    template_.font.face = "MS Shell Dlg";
}

std::string_view DialogBuilder::Keep(const std::string& text) {
    strings_.push_back(text);
    return strings_.back();
}

void DialogBuilder::Add(const char* className, const std::string& text, int id, DWORD style,
                        short x, short y, short cx, short cy, DWORD exStyle) {
    kq::ControlTemplate control;
    control.className = className;
    control.text = Keep(text);
    control.id = id;
    control.style = WS_CHILD | WS_VISIBLE | style;
    control.exStyle = exStyle;
    control.x = x;
    control.y = y;
    control.cx = cx;
    control.cy = cy;
    controls_.push_back(control);
}

void DialogBuilder::Label(const std::string& text, short x, short y, short cx, short cy, int id) {
    Add("STATIC", text, id, SS_LEFT, x, y, cx, cy);
}

void DialogBuilder::Button(const std::string& text, int id, short x, short y, short cx, short cy,
                           bool isDefault) {
    Add("BUTTON", text, id, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y, cx,
        cy);
}

void DialogBuilder::Check(const std::string& text, int id, short x, short y, short cx, short cy) {
    Add("BUTTON", text, id, BS_AUTOCHECKBOX | WS_TABSTOP, x, y, cx, cy);
}

void DialogBuilder::Radio(const std::string& text, int id, short x, short y, short cx, short cy,
                          bool first) {
    Add("BUTTON", text, id, BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0), x, y, cx, cy);
}

void DialogBuilder::Group(const std::string& text, short x, short y, short cx, short cy) {
    Add("BUTTON", text, -1, BS_GROUPBOX, x, y, cx, cy);
}

void DialogBuilder::Edit(int id, short x, short y, short cx, short cy, DWORD extraStyle) {
    Add("EDIT", "", id, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | extraStyle, x, y, cx, cy,
        WS_EX_CLIENTEDGE);
}

void DialogBuilder::List(int id, short x, short y, short cx, short cy, DWORD extraStyle) {
    Add("LISTBOX", "", id,
        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP | extraStyle, x, y,
        cx, cy, WS_EX_CLIENTEDGE);
}

void DialogBuilder::DropList(int id, short x, short y, short cx, short cy) {
    Add("COMBOBOX", "", id, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, x, y, cx, cy);
}

const kq::DialogTemplate& DialogBuilder::Template() {
    template_.controls = controls_;
    return template_;
}

}  // namespace kq::ui::commdlg
