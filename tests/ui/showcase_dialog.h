// A dialog made from a template that holds every control of the window system, each filled with
// content, shown on the screen with a tool tip over one of them; and ways to read the screen in
// a control's rectangle that do not depend on how the font renders (ink counts, known colours).
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/commctrl/ProgressBarApi.h"
#include "platform/ui/commctrl/TabControlApi.h"
#include "platform/ui/commctrl/TrackbarApi.h"
#include "platform/ui/commctrl/UpDownApi.h"
#include "platform/ui/commdlg/detail/DialogBuilder.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
inline namespace showcase {

enum ShowcaseId : int {
    kApply = 100,
    kCheck,
    kThreeState,
    kRadioNm,
    kRadioLbf,
    kGroup,
    kLabel,
    kEtched,
    kIcon,
    kEdit,
    kBuddy,
    kSpin,
    kMultiLine,
    kListBox,
    kCombo,
    kDropList,
    kScroll,
    kDate,
    kListView,
    kTree,
    kTrack,
    kProgress,
    kTabs,
    kRich,
};

class ShowcaseDialogTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        InitCommonControls();
    }
    void TearDown() override {
        if (tip_)
            DestroyWindow(tip_);
        if (dialog_)
            DestroyWindow(dialog_);
        Pump();
        UiTest::TearDown();
    }

    // Makes the dialog, fills its controls, shows it with the focus in the list view and lets
    // the tool tip of the progress bar come up.
    void Show() {
        commdlg::DialogBuilder b("Every control", 330, 236);
        b.Button("Apply", kApply, 7, 7, 50, 14);
        b.Button("OK", IDOK, 62, 7, 50, 14, true);
        b.Add("BUTTON", "Options", kGroup, BS_GROUPBOX, 7, 25, 130, 46);
        b.Check("Log values", kCheck, 14, 36, 60, 10);
        b.Add("BUTTON", "Zero first", kThreeState, BS_AUTO3STATE | WS_TABSTOP, 14, 54, 60, 10);
        b.Radio("Nm", kRadioNm, 80, 36, 50, 10, true);
        b.Radio("lbf ft", kRadioLbf, 80, 54, 50, 10, false);
        b.Label("Channel A", 7, 80, 44, 8, kLabel);
        b.Add("STATIC", "", kEtched, SS_ETCHEDFRAME, 56, 76, 44, 20);
        b.Add("STATIC", "", kIcon, SS_ICON, 112, 76, 20, 20);
        b.Edit(kEdit, 7, 100, 60, 12);
        b.Edit(kBuddy, 72, 100, 45, 12, ES_NUMBER);
        b.Add(UPDOWN_CLASS, "", kSpin,
              UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 10, 12);
        b.Edit(kMultiLine, 7, 116, 130, 30, ES_MULTILINE | ES_AUTOVSCROLL);
        b.List(kListBox, 7, 150, 60, 40);
        b.Add("COMBOBOX", "", kCombo, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 72, 150, 65, 60);
        b.DropList(kDropList, 72, 170, 65, 60);
        b.Add("SCROLLBAR", "", kScroll, SBS_HORZ, 7, 196, 130, 10);
        b.Add(DATETIMEPICK_CLASS, "", kDate, WS_TABSTOP, 7, 212, 100, 14);
        b.Add(WC_LISTVIEW, "", kListView, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
              145, 7, 178, 70);
        b.Add(WC_TREEVIEW, "", kTree,
              TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER |
                  WS_TABSTOP,
              145, 82, 85, 70);
        b.Add(TRACKBAR_CLASS, "", kTrack, TBS_AUTOTICKS | WS_TABSTOP, 235, 82, 88, 22);
        b.Add(PROGRESS_CLASS, "", kProgress, PBS_SMOOTH, 235, 110, 88, 10);
        b.Add(WC_TABCONTROL, "", kTabs, WS_TABSTOP, 145, 156, 178, 36);
        b.Add(RICHEDIT_CLASS10A, "", kRich, ES_MULTILINE | ES_READONLY | WS_BORDER, 145, 196, 178,
              30);
        dialog_ = CreateDialogIndirectParam(nullptr, &b.Template(), nullptr, &Proc, 0);
        ASSERT_NE(dialog_, nullptr);
        Fill();
        ShowWindow(dialog_, SW_SHOW);
        // Through the dialog, so that the default button is the dialog's own again.
        SetDialogFocus(dialog_, Item(kListView));
        Pump();
        AddTip();
    }

    // The tool tip of the progress bar, shown as the mouse rests on it.
    void ShowTip() {
        MouseMove(TipPoint());
        Advance(600, 100);
    }
    POINT TipPoint() const {
        const RECT r = ScreenRect(kProgress);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    RECT ScreenRect(int id) const { return WindowRect(Item(id)); }
    RECT ClientScreenRect(int id) const {
        RECT r{};
        GetClientRect(Item(id), &r);
        return ToScreen(Item(id), r);
    }
    static RECT WindowRect(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }
    // A rectangle in a control's client coordinates, on the screen.
    static RECT ToScreen(HWND hwnd, RECT r) {
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // How many pixels of the screen rectangle have the colour, or differ from it.
    static int Count(const RECT& r, COLORREF color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += GetScreenPixel(x, y) == color;
        return n;
    }
    static int Ink(const RECT& r, COLORREF background) {
        return (r.right - r.left) * (r.bottom - r.top) - Count(r, background);
    }
    // Pixels dark enough to be text drawn in a dark colour, however it is smoothed.
    static int Dark(const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetScreenPixel(x, y);
                n += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
            }
        }
        return n;
    }
    static RECT Inset(RECT r, int dx, int dy) {
        InflateRect(&r, -dx, -dy);
        return r;
    }

    HWND dialog_ = nullptr;
    HWND tip_ = nullptr;
    static constexpr int kProgressPercent = 60;
    static constexpr int kTrackPos = 7;

  private:
    static INT_PTR Proc(HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    void Text(int id, const char* text) const { SetWindowText(Item(id), text); }
    void Fill() {
        CheckDlgButton(dialog_, kCheck, BST_CHECKED);
        CheckDlgButton(dialog_, kThreeState, BST_INDETERMINATE);
        CheckRadioButton(dialog_, kRadioNm, kRadioLbf, kRadioNm);
        SendMessage(Item(kIcon), STM_SETICON,
                    reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_INFORMATION)), 0);
        Text(kEdit, "12.5");
        SendMessage(Item(kSpin), UDM_SETRANGE32, 0, 100);
        SendMessage(Item(kSpin), UDM_SETPOS32, 0, 42);
        Text(kMultiLine, "First line\r\nSecond line\r\nThird line");
        for (const char* s : {"Torque", "Speed", "Power", "Angle"}) {
            SendMessage(Item(kListBox), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendMessage(Item(kCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendMessage(Item(kDropList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        SendMessage(Item(kListBox), LB_SETCURSEL, 1, 0);
        Text(kCombo, "Speed");
        SendMessage(Item(kDropList), CB_SETCURSEL, 2, 0);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 100, 10, 30, 0};
        SendMessage(Item(kScroll), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
        SYSTEMTIME date{2026, 3, 0, 15, 0, 0, 0, 0};
        SendMessage(Item(kDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
        FillListView();
        FillTree();
        SendMessage(Item(kTrack), TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SendMessage(Item(kTrack), TBM_SETTICFREQ, 1, 0);
        SendMessage(Item(kTrack), TBM_SETPOS, TRUE, kTrackPos);
        SendMessage(Item(kProgress), PBM_SETPOS, kProgressPercent, 0);
        for (int i = 0; const char* s : {"Torque", "Speed", "Power"}) {
            TCITEM tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = const_cast<char*>(s);
            SendMessage(Item(kTabs), TCM_INSERTITEM, i++, reinterpret_cast<LPARAM>(&tab));
        }
        SendMessage(Item(kTabs), TCM_SETCURSEL, 1, 0);
        FillRichEdit();
    }
    void FillListView() {
        HWND list = Item(kListView);
        SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        for (int i = 0; const char* s : {"Channel", "Value", "Unit"}) {
            LVCOLUMN c{};
            c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            c.cx = i == 0 ? 90 : 80;
            c.pszText = const_cast<char*>(s);
            c.iSubItem = i;
            SendMessage(list, LVM_INSERTCOLUMN, i++, reinterpret_cast<LPARAM>(&c));
        }
        const char* rows[][3] = {
            {"Torque", "12.5", "Nm"}, {"Speed", "1500", "rpm"}, {"Power", "1.96", "kW"}};
        for (int r = 0; r < 3; ++r) {
            LVITEM item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.pszText = const_cast<char*>(rows[r][0]);
            SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
            for (int c = 1; c < 3; ++c) {
                item.iSubItem = c;
                item.pszText = const_cast<char*>(rows[r][c]);
                SendMessage(list, LVM_SETITEMTEXT, r, reinterpret_cast<LPARAM>(&item));
            }
        }
        LVITEM state{};
        state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    }
    HTREEITEM Insert(HTREEITEM parent, const char* text) const {
        TVINSERTSTRUCT in{};
        in.hParent = parent;
        in.hInsertAfter = TVI_LAST;
        in.item.mask = TVIF_TEXT;
        in.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessage(Item(kTree), TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&in)));
    }
    void FillTree() {
        HTREEITEM sensors = Insert(TVI_ROOT, "Sensors");
        Insert(sensors, "Torque");
        speed_ = Insert(sensors, "Speed");
        HTREEITEM logs = Insert(TVI_ROOT, "Logs");
        Insert(logs, "Today");
        SendMessage(Item(kTree), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(sensors));
        SendMessage(Item(kTree), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(speed_));
    }
    // A plain line, a red line and a bold line of the same word.
    void FillRichEdit() {
        HWND rich = Item(kRich);
        const auto append = [rich](const char* text, DWORD mask, DWORD effects, COLORREF color) {
            CHARRANGE end{-1, -1};
            SendMessage(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
            CHARFORMAT cf{};
            cf.cbSize = sizeof cf;
            cf.dwMask = mask;
            cf.dwEffects = effects;
            cf.crTextColor = color;
            SendMessage(rich, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
            SendMessage(rich, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
        };
        append("Overload\r\n", CFM_COLOR | CFM_BOLD, CFE_AUTOCOLOR, 0);
        append("Overload\r\n", CFM_COLOR | CFM_BOLD, 0, RGB(255, 0, 0));
        append("Overload", CFM_COLOR | CFM_BOLD, CFE_AUTOCOLOR | CFE_BOLD, 0);
    }
    void AddTip() {
        tip_ = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, dialog_,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(tip_, nullptr);
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = dialog_;
        ti.uId = reinterpret_cast<UINT_PTR>(Item(kProgress));
        ti.lpszText = const_cast<char*>("60 % of the run");
        SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }

  protected:
    HTREEITEM speed_ = nullptr;
};

}  // namespace showcase
}  // namespace kq::ui::test
