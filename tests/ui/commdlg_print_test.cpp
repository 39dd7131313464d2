// The print and page set-up dialogs: defaults without a dialog, the checks on what was typed,
// and where copies, orientation and paper size end up.
#include <cstdlib>

#include "platform/gfx/WinGdi.h"
#include "ui/commdlg_fixture.h"

namespace kq::ui::test {
namespace {

// Hides CUPS so that the PDF entry is the only printer.
class WithoutCups {
  public:
    explicit WithoutCups(const std::string& emptyFolder) {
        const char* path = std::getenv("PATH");
        saved_ = path ? path : "";
        setenv("PATH", emptyFolder.c_str(), 1);
    }
    ~WithoutCups() { setenv("PATH", saved_.c_str(), 1); }

  private:
    std::string saved_;
};

class PrintDialogs : public CommonDialogs {
  protected:
    PRINTDLG Print(DWORD flags) {
        PRINTDLG pd{};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = owner_;
        pd.Flags = flags;
        return pd;
    }
    static void Release(PRINTDLG& pd) {
        if (pd.hDC)
            DeleteDC(pd.hDC);
        GlobalFree(pd.hDevMode);
        GlobalFree(pd.hDevNames);
    }
};

TEST_F(PrintDialogs, DefaultsComeWithoutADialogAndCopiesGoWhereTheFlagsSay) {
    WithoutCups cups(dir_ / "Messungen");
    PRINTDLG pd = Print(PD_RETURNDEFAULT);
    ASSERT_TRUE(PrintDlg(&pd));
    const auto* names = static_cast<const char*>(GlobalLock(pd.hDevNames));
    ASSERT_NE(names, nullptr);
    EXPECT_STREQ(names + reinterpret_cast<const DEVNAMES*>(names)->wDeviceOffset, "PDF");
    PRINTDLG again = pd;
    EXPECT_FALSE(PrintDlg(&again));  // defaults are only given into empty blocks
    EXPECT_EQ(CommDlgExtendedError(), PDERR_RETDEFFAILURE);
    Release(pd);

    CommonDialogAnswer answer;
    answer.copies = 4;
    answer.file = dir_ / "x.pdf";
    Answer({answer});
    pd = Print(PD_COLLATE);
    pd.nCopies = 1;
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.nCopies, 4);  // the program makes the copies; the device is asked for one
    EXPECT_EQ(static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode))->dmCopies, 1);
    EXPECT_EQ(pd.hDC, nullptr);  // no DC unless asked
    Release(pd);

    answer.text = "NoSuchQueue";
    Answer({answer});
    pd = Print(PD_RETURNDC);
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), PDERR_PRINTERNOTFOUND);
}

TEST_F(PrintDialogs, PageRangesAreCheckedAgainstTheDocument) {
    WithoutCups cups(dir_ / "Messungen");
    PRINTDLG pd = Print(PD_NOSELECTION);
    pd.nMinPage = 1;
    pd.nMaxPage = 5;
    pd.nFromPage = 1;
    pd.nToPage = 5;
    const std::string file = dir_ / "pages.pdf";
    bool selectionEnabled = true;
    WhenDialogShows script([&](HWND dialog) {
        selectionEnabled = IsWindowEnabled(GetDlgItem(dialog, rad2)) != FALSE;
        SetDlgItemText(dialog, edt1, file.c_str());
        CheckRadioButton(dialog, rad1, rad3, rad3);
        SetDlgItemText(dialog, edt2, "2");
        SetDlgItemText(dialog, edt3, "9");  // past the last page
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        // After the complaint the field is corrected and the dialog confirmed again.
        SetDlgItemText(dialog, edt3, "4");
        PostMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_FALSE(selectionEnabled);
    EXPECT_EQ(boxes_, (Names{"Enter a number between 2 and 5."}));
    EXPECT_TRUE(pd.Flags & PD_PAGENUMS);
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 4);
    Release(pd);
}

TEST_F(PrintDialogs, PageSetupGivesPaperAndMarginsInTheUnitsAsked) {
    WithoutCups cups(dir_ / "Messungen");
    PAGESETUPDLG psd{};
    psd.lStructSize = sizeof psd;
    psd.hwndOwner = owner_;
    psd.Flags = PSD_INTHOUSANDTHSOFINCHES;
    CommonDialogAnswer landscape;
    landscape.landscape = true;
    Answer({landscape});
    ASSERT_TRUE(PageSetupDlg(&psd));
    EXPECT_EQ(psd.ptPaperSize.x, 11693);  // A4 across, in thousandths of an inch
    EXPECT_EQ(psd.ptPaperSize.y, 8268);
    EXPECT_EQ(psd.rtMargin.left, 1000);
    EXPECT_EQ(psd.rtMinMargin.top, 167);
    EXPECT_EQ(static_cast<const DEVMODE*>(GlobalLock(psd.hDevMode))->dmOrientation,
              DMORIENT_LANDSCAPE);

    SetCommonDialogHook(nullptr);
    SetControlLanguage(ControlLanguage::French);
    PAGESETUPDLG mm{};
    mm.lStructSize = sizeof mm;
    mm.hwndOwner = owner_;
    std::string caption;
    WhenDialogShows script([&](HWND dialog) {
        caption = Text(dialog);
        SetDlgItemText(dialog, edt4, "120");
        SetDlgItemText(dialog, edt6, "100,5");  // with a decimal comma
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
        SetDlgItemText(dialog, edt4, "12.5");
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    ASSERT_TRUE(PageSetupDlg(&mm));
    EXPECT_EQ(caption, "Mise en page");
    EXPECT_EQ(boxes_, (Names{"Les marges ne laissent aucune place sur le papier."}));
    EXPECT_TRUE(mm.Flags & PSD_INHUNDREDTHSOFMILLIMETERS);
    EXPECT_EQ(mm.rtMargin.left, 1250);
    EXPECT_EQ(mm.rtMargin.right, 10050);
    EXPECT_EQ(mm.ptPaperSize.x, 21000);
    GlobalFree(psd.hDevMode);
    GlobalFree(psd.hDevNames);
    GlobalFree(mm.hDevMode);
    GlobalFree(mm.hDevNames);
}

}  // namespace
}  // namespace kq::ui::test
