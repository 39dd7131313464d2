// PrintDlg: the printers CUPS knows and a PDF file, the pages to print, copies and collation,
// and the orientation. The result comes back the Windows way: flags, copies, DEVMODE and
// DEVNAMES blocks and, with PD_RETURNDC, a printer DC of the graphics library.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/UpDown.h"
#include "platform/ui/commctrl/UpDownApi.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/DialogTexts.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/commdlg/PrintChoice.h"
#include "platform/ui/commdlg/detail/CommonDialog.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/dialog/Dialog.h"

namespace kq::ui::commdlg {

constexpr int kPortrait = 0x0426;
constexpr int kLandscape = 0x0427;
constexpr int kCopiesSpin = 0x0428;

namespace {

constexpr int kMaxCopies = 9999;

// Asks for the PDF file's name with the save dialog; empty when cancelled.
std::string AskPdfFile(HWND owner, const std::string& current) {
    char path[MAX_PATH] = {};
    current.copy(path, std::min<size_t>(current.size(), MAX_PATH - 1));
    const std::string filter = FilterFromBars(Tr(Text::PdfFilter));
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = "pdf";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetSaveFileName(&ofn) ? std::string(path) : std::string();
}

// Writes a finished choice into the caller's structure.
bool Store(PRINTDLG& pd, PrintChoice choice, DWORD range, WORD from, WORD to) {
    pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE);
    pd.Flags |= range;
    if (range == PD_PAGENUMS) {
        pd.nFromPage = from;
        pd.nToPage = to;
    }
    const int copies = choice.copies;
    const bool collate = choice.collate;
    if (pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) {
        pd.nCopies = 1;
    } else {
        // The program makes the copies itself: the device is asked for one.
        pd.nCopies = static_cast<WORD>(copies);
        if (collate)
            pd.Flags |= PD_COLLATE;
        choice.copies = 1;
        choice.collate = false;
    }
    StoreDevMode(pd.hDevMode, choice);
    StoreDevNames(pd.hDevNames, choice);
    pd.hDC = nullptr;
    if (pd.Flags & (PD_RETURNDC | PD_RETURNIC)) {
        pd.hDC = kq::gfx::CreatePrinterOutputDC(SettingsFor(choice));
        if (!pd.hDC) {
            SetExtendedError(PDERR_CREATEICFAILURE);
            return false;
        }
    }
    return true;
}

class PrintDialog final : public CommonDialog {
  public:
    PrintDialog(PRINTDLG& pd, std::vector<PrinterEntry> printers)
        : pd_(pd), printers_(std::move(printers)) {
        caption_ = Tr(Text::PrintCaption);
        choice_ = InitialPrintChoice(pd.hDevMode, pd.hDevNames, printers_);
        if (!(pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) && pd.nCopies > 0) {
            choice_.copies = pd.nCopies;
            choice_.collate = (pd.Flags & PD_COLLATE) != 0;
        }
    }

    bool stored = false;

  private:
    bool Setup() const { return (pd_.Flags & PD_PRINTSETUP) != 0; }

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
        SetItemText(edt1, choice_.file);
        CheckRadioButton(hwnd_, kPortrait, kLandscape, choice_.landscape ? kLandscape : kPortrait);
        if (!Setup()) {
            SendItem(kCopiesSpin, UDM_SETRANGE32, 1, kMaxCopies);
            SendItem(kCopiesSpin, UDM_SETPOS32, 0, choice_.copies);
            CheckDlgButton(hwnd_, chx2, choice_.collate ? BST_CHECKED : BST_UNCHECKED);
            const int range = (pd_.Flags & PD_PAGENUMS)    ? rad3
                              : (pd_.Flags & PD_SELECTION) ? rad2
                                                           : rad1;
            CheckRadioButton(hwnd_, rad1, rad3, range);
            Enable(rad2, !(pd_.Flags & PD_NOSELECTION));
            const bool pages = !(pd_.Flags & PD_NOPAGENUMS);
            for (int id : {rad3, edt2, edt3, stc3, stc4})
                Enable(id, pages);
            if (pages) {
                SetDlgItemInt(hwnd_, edt2, pd_.nFromPage, FALSE);
                SetDlgItemInt(hwnd_, edt3, pd_.nToPage, FALSE);
            }
        }
        PrinterChanged();
        kq::ui::SetDialogFocus(hwnd_, Item(cmb1));
        return FALSE;
    }

    void PrinterChanged() {
        const int index = static_cast<int>(SendItem(cmb1, CB_GETCURSEL));
        const bool pdf = index >= 0 && printers_[static_cast<size_t>(index)].pdf;
        for (int id : {stc2, edt1, psh1})
            Enable(id, pdf);
    }

    bool Number(int id, int low, int high, int& value) {
        bool ok = false;
        value = ItemInt(id, &ok);
        if (ok && value >= low && value <= high)
            return true;
        Inform(TrWith(Text::NumberRange, low, high));
        kq::ui::SetDialogFocus(hwnd_, Item(id));
        return false;
    }

    void Accept() {
        const int index = static_cast<int>(SendItem(cmb1, CB_GETCURSEL));
        if (index < 0)
            return;
        choice_.printer = printers_[static_cast<size_t>(index)];
        choice_.landscape = IsDlgButtonChecked(hwnd_, kLandscape) == BST_CHECKED;
        DWORD range = PD_ALLPAGES;
        int from = 0, to = 0;
        if (!Setup()) {
            if (!Number(edt4, 1, kMaxCopies, choice_.copies))
                return;
            choice_.collate = IsDlgButtonChecked(hwnd_, chx2) == BST_CHECKED;
            if (IsDlgButtonChecked(hwnd_, rad2) == BST_CHECKED) {
                range = PD_SELECTION;
            } else if (IsDlgButtonChecked(hwnd_, rad3) == BST_CHECKED) {
                range = PD_PAGENUMS;
                const int low = pd_.nMinPage ? pd_.nMinPage : 1;
                const int high = pd_.nMaxPage ? pd_.nMaxPage : 0xFFFF;
                if (!Number(edt2, low, high, from) || !Number(edt3, from, high, to))
                    return;
            }
        }
        if (choice_.printer.pdf) {
            choice_.file = ItemText(edt1);
            if (choice_.file.empty())
                choice_.file = AskPdfFile(hwnd_, "");
            if (choice_.file.empty())
                return;
            SetItemText(edt1, choice_.file);
        }
        stored = Store(pd_, choice_, range, static_cast<WORD>(from), static_cast<WORD>(to));
        End(stored ? IDOK : IDCANCEL);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDOK:
                Accept();
                return true;
            case cmb1:
                if (code == CBN_SELCHANGE)
                    PrinterChanged();
                return true;
            case psh1:
                if (code == BN_CLICKED) {
                    const std::string file = AskPdfFile(hwnd_, ItemText(edt1));
                    if (!file.empty())
                        SetItemText(edt1, file);
                }
                return true;
            case edt2:
            case edt3:
                if (code == EN_CHANGE && GetFocus() == Item(id))
                    CheckRadioButton(hwnd_, rad1, rad3, rad3);
                return true;
            default:
                return false;
        }
    }

    PRINTDLG& pd_;
    std::vector<PrinterEntry> printers_;
    PrintChoice choice_;
};

void Layout(DialogBuilder& b, bool setup) {
    b.Group(Tr(Text::Printer), 7, 5, 246, 50);
    b.Label(Tr(Text::PrinterName), 14, 19, 40, 8, stc1);
    b.DropList(cmb1, 56, 17, 190, 100);
    b.Label(Tr(Text::PdfFile), 14, 37, 40, 8, stc2);
    b.Edit(edt1, 56, 35, 164, 12);
    b.Button("...", psh1, 224, 34, 22, 14);
    short y = 60;
    if (!setup) {
        b.Group(Tr(Text::PrintRange), 7, y, 120, 62);
        b.Radio(Tr(Text::RangeAll), rad1, 14, static_cast<short>(y + 12), 100, 10, true);
        b.Radio(Tr(Text::RangeSelection), rad2, 14, static_cast<short>(y + 26), 100, 10, false);
        b.Radio(Tr(Text::RangePages), rad3, 14, static_cast<short>(y + 40), 44, 10, false);
        b.Label(Tr(Text::PagesFrom), 14, static_cast<short>(y + 52), 20, 8, stc3);
        b.Edit(edt2, 36, static_cast<short>(y + 50), 26, 12, ES_NUMBER);
        b.Label(Tr(Text::PagesTo), 66, static_cast<short>(y + 52), 16, 8, stc4);
        b.Edit(edt3, 84, static_cast<short>(y + 50), 26, 12, ES_NUMBER);
        b.Group(Tr(Text::CopiesGroup), 133, y, 120, 62);
        b.Label(Tr(Text::Copies), 140, static_cast<short>(y + 14), 64, 8, stc5);
        b.Edit(edt4, 206, static_cast<short>(y + 12), 36, 12, ES_NUMBER);
        b.Add(UPDOWN_CLASS, "", kCopiesSpin,
              UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
              0, 10, 12);
        b.Check(Tr(Text::Collate), chx2, 140, static_cast<short>(y + 32), 100, 10);
        y = static_cast<short>(y + 66);
    }
    b.Group(Tr(Text::Orientation), 7, y, 246, 26);
    b.Radio(Tr(Text::Portrait), kPortrait, 14, static_cast<short>(y + 12), 100, 10, true);
    b.Radio(Tr(Text::Landscape), kLandscape, 130, static_cast<short>(y + 12), 100, 10, false);
    y = static_cast<short>(y + 32);
    b.Button(Tr(Text::Ok), IDOK, 149, y, 50, 14, true);
    b.Button(Tr(Text::Cancel), IDCANCEL, 203, y, 50, 14);
}

// The printer a hook names: its queue, "PDF", or its display text; empty keeps the default.
const PrinterEntry* Named(const std::vector<PrinterEntry>& printers, const std::string& name) {
    for (const PrinterEntry& p : printers) {
        if ((p.pdf && (name == "PDF" || name == p.display)) ||
            (!p.pdf && (name == p.name || name == p.display)))
            return &p;
    }
    return nullptr;
}

}  // namespace

}  // namespace kq::ui::commdlg

BOOL PrintDlg(LPPRINTDLG pd) {
    using namespace kq::ui::commdlg;
    SetExtendedError(0);
    if (!pd || pd->lStructSize != sizeof(PRINTDLG)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    const std::vector<PrinterEntry> printers = AvailablePrinters();
    if (pd->Flags & PD_RETURNDEFAULT) {
        // The default printer's blocks, without a dialog; the caller's blocks must be empty.
        if (pd->hDevMode || pd->hDevNames) {
            SetExtendedError(PDERR_RETDEFFAILURE);
            return FALSE;
        }
        PrintChoice choice = InitialPrintChoice(nullptr, nullptr, printers);
        return Store(*pd, choice, pd->Flags & (PD_PAGENUMS | PD_SELECTION), pd->nFromPage,
                     pd->nToPage)
                   ? TRUE
                   : FALSE;
    }
    const std::string caption = Tr(Text::PrintCaption);
    const kq::ui::CommonDialogRequest request{kq::ui::CommonDialogKind::Print, pd->hwndOwner,
                                              caption, pd};
    if (const std::optional<kq::ui::CommonDialogAnswer> answer =
            kq::ui::AskCommonDialogHook(request)) {
        if (!answer->ok)
            return FALSE;
        PrintChoice choice = InitialPrintChoice(pd->hDevMode, pd->hDevNames, printers);
        if (!answer->text.empty()) {
            const PrinterEntry* printer = Named(printers, answer->text);
            if (!printer) {
                SetExtendedError(PDERR_PRINTERNOTFOUND);
                return FALSE;
            }
            choice.printer = *printer;
        }
        if (answer->copies > 0)
            choice.copies = std::min(answer->copies, kMaxCopies);
        choice.landscape = answer->landscape;
        if (choice.printer.pdf) {
            choice.file = answer->file.empty() ? AskPdfFile(pd->hwndOwner, "") : answer->file;
            if (choice.file.empty())
                return FALSE;
        }
        return Store(*pd, choice, pd->Flags & (PD_PAGENUMS | PD_SELECTION), pd->nFromPage,
                     pd->nToPage)
                   ? TRUE
                   : FALSE;
    }
    kq::ui::commctrl::UpDown::Register();
    DialogBuilder builder(caption, 260, (pd->Flags & PD_PRINTSETUP) ? 112 : 180);
    Layout(builder, (pd->Flags & PD_PRINTSETUP) != 0);
    PrintDialog dialog(*pd, printers);
    const INT_PTR result = dialog.Run(pd->hwndOwner, builder);
    if (result < 0) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK && dialog.stored ? TRUE : FALSE;
}
