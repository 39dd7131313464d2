// PageSetupDlg: the printer, the orientation and the margins of an A4 sheet, in millimetres
// (hundredths in the structure) or inches (thousandths), as the flags say.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui/WinUser.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/PrintChoice.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

namespace {

// An A4 sheet and the border a printer cannot reach (a sixth of an inch), in the structure's
// units.
struct Units {
    bool inches;
    LONG paperWidth, paperHeight, minMargin, margin;
    double perShown;  // structure units per unit shown (mm or inch)
};

Units UnitsFor(DWORD flags) {
    if (flags & PSD_INTHOUSANDTHSOFINCHES)
        return Units{true, 8268, 11693, 167, 1000, 1000.0};
    return Units{false, 21000, 29700, 423, 2500, 100.0};
}

std::string Shown(LONG value, const Units& u) {
    char text[32];
    std::snprintf(text, sizeof text, u.inches ? "%.2f" : "%.1f", value / u.perShown);
    std::string s = text;
    // Trailing zeros say nothing.
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
        const bool dot = s.back() == '.';
        s.pop_back();
        if (dot)
            break;
    }
    return s;
}

// A number typed with '.' or ',' as decimal mark, independent of the locale.
bool ParseShown(std::string text, const Units& u, LONG& value) {
    std::replace(text.begin(), text.end(), ',', '.');
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos)
        return false;
    double whole = 0, fraction = 0, scale = 1;
    bool digits = false, dot = false;
    for (size_t i = b; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (dot)
                fraction += (c - '0') * (scale /= 10);
            else
                whole = whole * 10 + (c - '0');
        } else if (c == '.' && !dot) {
            dot = true;
        } else if (c != ' ') {
            return false;
        }
    }
    if (!digits || whole > 100000)
        return false;
    value = static_cast<LONG>(std::lround((whole + fraction) * u.perShown));
    return true;
}

void Finish(PAGESETUPDLG& psd, const PrintChoice& choice, const Units& u) {
    psd.Flags &= ~(PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS);
    psd.Flags |= u.inches ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS;
    psd.ptPaperSize =
        choice.landscape ? POINT{u.paperHeight, u.paperWidth} : POINT{u.paperWidth, u.paperHeight};
    StoreDevMode(psd.hDevMode, choice);
    StoreDevNames(psd.hDevNames, choice);
}

class PageSetupDialog final : public CommonDialog {
  public:
    PageSetupDialog(PAGESETUPDLG& psd, std::vector<PrinterEntry> printers, const Units& u)
        : psd_(psd), printers_(std::move(printers)), units_(u) {
        caption_ = Tr(Text::PageSetupCaption);
        choice_ = InitialPrintChoice(psd.hDevMode, psd.hDevNames, printers_);
    }

  private:
    BOOL OnInit() override {
        SetWindowText(hwnd_, caption_.c_str());
        int selected = 0;
        for (size_t i = 0; i < printers_.size(); ++i) {
            SendItem(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(printers_[i].display.c_str()));
            if (printers_[i].pdf == choice_.printer.pdf &&
                printers_[i].name == choice_.printer.name)
                selected = static_cast<int>(i);
        }
        SendItem(cmb1, CB_SETCURSEL, static_cast<WPARAM>(selected));
        CheckRadioButton(hwnd_, rad1, rad2, choice_.landscape ? rad2 : rad1);
        SetItemText(edt4, Shown(psd_.rtMargin.left, units_));
        SetItemText(edt5, Shown(psd_.rtMargin.top, units_));
        SetItemText(edt6, Shown(psd_.rtMargin.right, units_));
        SetItemText(edt7, Shown(psd_.rtMargin.bottom, units_));
        for (int id : {edt4, edt5, edt6, edt7})
            Enable(id, !(psd_.Flags & PSD_DISABLEMARGINS));
        Enable(rad1, !(psd_.Flags & PSD_DISABLEORIENTATION));
        Enable(rad2, !(psd_.Flags & PSD_DISABLEORIENTATION));
        Enable(cmb1, !(psd_.Flags & PSD_DISABLEPRINTER));
        kq::ui::SetDialogFocus(hwnd_, Item(edt4));
        return FALSE;
    }

    bool Margin(int id, LONG minimum, LONG& value) {
        if (ParseShown(ItemText(id), units_, value) && value >= minimum)
            return true;
        Inform(TrWith(Text::NumberRange, static_cast<int>(std::ceil(minimum / units_.perShown)),
                      static_cast<int>(units_.paperHeight / units_.perShown)));
        kq::ui::SetDialogFocus(hwnd_, Item(id));
        return false;
    }

    void Accept() {
        const bool landscape = IsDlgButtonChecked(hwnd_, rad2) == BST_CHECKED;
        RECT m{};
        const RECT& low = psd_.rtMinMargin;
        if (!Margin(edt4, low.left, m.left) || !Margin(edt5, low.top, m.top) ||
            !Margin(edt6, low.right, m.right) || !Margin(edt7, low.bottom, m.bottom))
            return;
        const LONG width = landscape ? units_.paperHeight : units_.paperWidth;
        const LONG height = landscape ? units_.paperWidth : units_.paperHeight;
        if (m.left + m.right >= width || m.top + m.bottom >= height) {
            Inform(Tr(Text::MarginTooLarge));
            return;
        }
        const int index = static_cast<int>(SendItem(cmb1, CB_GETCURSEL));
        if (index >= 0)
            choice_.printer = printers_[static_cast<size_t>(index)];
        choice_.landscape = landscape;
        psd_.rtMargin = m;
        Finish(psd_, choice_, units_);
        End(IDOK);
    }

    bool OnCommand(int id, int, HWND) override {
        if (id != IDOK)
            return false;
        Accept();
        return true;
    }

    PAGESETUPDLG& psd_;
    std::vector<PrinterEntry> printers_;
    Units units_;
    PrintChoice choice_;
};

void Layout(DialogBuilder& b, const Units& u) {
    b.Group(Tr(Text::Paper), 7, 5, 236, 26);
    b.Label(Tr(Text::PaperA4), 14, 16, 200, 8, stc2);
    b.Group(Tr(Text::Orientation), 7, 36, 90, 50);
    b.Radio(Tr(Text::Portrait), rad1, 14, 50, 78, 10, true);
    b.Radio(Tr(Text::Landscape), rad2, 14, 66, 78, 10, false);
    b.Group(Tr(u.inches ? Text::MarginsInches : Text::Margins), 103, 36, 140, 50);
    b.Label(Tr(Text::MarginLeft), 110, 50, 30, 8);
    b.Edit(edt4, 142, 48, 28, 12);
    b.Label(Tr(Text::MarginRight), 176, 50, 30, 8);
    b.Edit(edt6, 208, 48, 28, 12);
    b.Label(Tr(Text::MarginTop), 110, 68, 30, 8);
    b.Edit(edt5, 142, 66, 28, 12);
    b.Label(Tr(Text::MarginBottom), 176, 68, 30, 8);
    b.Edit(edt7, 208, 66, 28, 12);
    b.Label(Tr(Text::Printer), 7, 95, 40, 8, stc1);
    b.DropList(cmb1, 50, 93, 193, 100);
    b.Button(Tr(Text::Ok), IDOK, 139, 114, 50, 14, true);
    b.Button(Tr(Text::Cancel), IDCANCEL, 193, 114, 50, 14);
}

}  // namespace

}  // namespace kq::ui::commdlg

BOOL PageSetupDlg(LPPAGESETUPDLG psd) {
    using namespace kq::ui::commdlg;
    SetExtendedError(0);
    if (!psd || psd->lStructSize != sizeof(PAGESETUPDLG)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    const Units units = UnitsFor(psd->Flags);
    if (!(psd->Flags & PSD_MINMARGINS))
        psd->rtMinMargin = RECT{units.minMargin, units.minMargin, units.minMargin, units.minMargin};
    if (!(psd->Flags & PSD_MARGINS))
        psd->rtMargin = RECT{units.margin, units.margin, units.margin, units.margin};
    const std::vector<PrinterEntry> printers = AvailablePrinters();
    PrintChoice choice = InitialPrintChoice(psd->hDevMode, psd->hDevNames, printers);
    if (psd->Flags & PSD_RETURNDEFAULT) {
        Finish(*psd, choice, units);
        return TRUE;
    }
    const std::string caption = Tr(Text::PageSetupCaption);
    const kq::ui::CommonDialogRequest request{kq::ui::CommonDialogKind::PageSetup, psd->hwndOwner,
                                              caption, psd};
    if (const std::optional<kq::ui::CommonDialogAnswer> answer =
            kq::ui::AskCommonDialogHook(request)) {
        if (!answer->ok)
            return FALSE;
        for (const PrinterEntry& p : printers) {
            if (!answer->text.empty() &&
                ((p.pdf && answer->text == "PDF") || (!p.pdf && answer->text == p.name)))
                choice.printer = p;
        }
        choice.landscape = answer->landscape;
        Finish(*psd, choice, units);
        return TRUE;
    }
    DialogBuilder builder(caption, 250, 135);
    Layout(builder, units);
    PageSetupDialog dialog(*psd, printers, units);
    const INT_PTR result = dialog.Run(psd->hwndOwner, builder);
    if (result < 0) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK ? TRUE : FALSE;
}
