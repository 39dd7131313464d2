// The framework's common dialog objects over the window system's dialogs: what they put into
// the structures (filters, flags, owner, start values), what they read back (paths, colours,
// fonts, printers, copies, margins), and that a cancel changes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "framework/FrameworkTest.h"
#include "platform/framework/Print.h"
#include "platform/framework/commdlg/ColorDialog.h"
#include "platform/framework/commdlg/FileDialog.h"
#include "platform/framework/commdlg/FontDialog.h"
#include "platform/framework/commdlg/PageSetupDialog.h"
#include "platform/framework/commdlg/PrintDialog.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/commdlg/FontChoice.h"
#include "platform/ui/dialog/MessageBox.h"

namespace {

using kq::fw::test::FrameworkTest;
using kq::ui::CommonDialogAnswer;
using kq::ui::CommonDialogKind;
using kq::ui::CommonDialogRequest;

constexpr int kAddCustomColor = 712;  // the colour dialog's "Add to Custom Colors"

class CommonDialogWrappers : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        for (const char* name : {"run1.csv", "run2.csv", "notes.txt"})
            kq::test::WriteFileBytes(dir_ / name, "x");
        ASSERT_TRUE(owner_.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                    nullptr, nullptr));
        kq::ui::SetMessageBoxHook([this](const kq::ui::MessageBoxRequest& r) {
            prompts_.push_back(r.text);
            return promptAnswer_;
        });
    }
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        kq::ui::SetMessageBoxHook(nullptr);
        owner_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    // The hook gives the answers in turn (nothing after the last) and keeps the requests.
    void Answer(std::vector<CommonDialogAnswer> answers) {
        requests_.clear();
        kq::ui::SetCommonDialogHook(
            [this, answers](const CommonDialogRequest& r) -> std::optional<CommonDialogAnswer> {
                requests_.push_back(r);
                const size_t i = requests_.size() - 1;
                return i < answers.size() ? std::optional(answers[i]) : std::nullopt;
            });
    }
    static CommonDialogAnswer Typed(const std::string& text) {
        CommonDialogAnswer a;
        a.text = text;
        return a;
    }
    static CommonDialogAnswer Cancel() {
        CommonDialogAnswer a;
        a.ok = false;
        return a;
    }

    kq::test::ScopedTempFolder dir_;
    CWnd owner_;
    std::vector<CommonDialogRequest> requests_;
    std::vector<std::string> prompts_;
    int promptAnswer_ = IDYES;
};

std::vector<std::string> Paths(const CFileDialog& dlg) {
    std::vector<std::string> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos != nullptr;)
        paths.push_back(dlg.GetNextPathName(pos).GetString());
    return paths;
}

TEST_F(CommonDialogWrappers, FileDialogConvertsTheFilterAndAddsTheTypesExtension) {
    CFileDialog dlg(FALSE, "csv", "*.csv", OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                    "CSV (*.csv)|*.csv|Text (*.txt)|*.txt;*.log||", &owner_);
    const std::string zeroSeparated("CSV (*.csv)\0*.csv\0Text (*.txt)\0*.txt;*.log\0\0", 44);
    EXPECT_EQ(std::string(dlg.m_ofn.lpstrFilter, zeroSeparated.size()), zeroSeparated);
    dlg.m_ofn.lpstrInitialDir = dir_.Path().c_str();
    dlg.m_ofn.lpstrTitle = "Messwerte speichern";

    CommonDialogAnswer text = Typed("protokoll");
    text.filterIndex = 2;
    Answer({Typed("messung"), text});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].kind, CommonDialogKind::SaveFile);
    EXPECT_EQ(requests_[0].owner, owner_.GetSafeHwnd());
    EXPECT_EQ(requests_[0].title, "Messwerte speichern");
    EXPECT_EQ(std::string(dlg.GetPathName()), dir_ / "messung.csv");
    EXPECT_EQ(std::string(dlg.GetFileName()), "messung.csv");
    EXPECT_EQ(std::string(dlg.GetFileExt()), "csv");
    EXPECT_EQ(std::string(dlg.GetFileTitle()), "messung");
    EXPECT_EQ(std::string(dlg.GetFolderPath()), dir_.Path());
    EXPECT_EQ(Paths(dlg), std::vector<std::string>{dir_ / "messung.csv"});

    // The second pair of the filter gives the second type its own extension.
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::string(dlg.GetPathName()), dir_ / "protokoll.txt");
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);

    // The application's own form, ended by a single bar, is one type; an opening dialog of a
    // child window is owned by the child's top-level window.
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                               owner_.GetSafeHwnd(), nullptr));
    CFileDialog open(TRUE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, "(*.bmp)|*.bmp|",
                     &child);
    EXPECT_EQ(kq::ui::commdlg::ParseFilter(open.m_ofn.lpstrFilter).size(), 1u);
    Answer({Cancel()});
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(requests_.at(0).kind, CommonDialogKind::OpenFile);
    EXPECT_EQ(requests_.at(0).owner, owner_.GetSafeHwnd());
    EXPECT_TRUE(open.GetPathName().IsEmpty());
    EXPECT_EQ(open.GetStartPosition(), nullptr);
}

TEST_F(CommonDialogWrappers, OverwritePromptDecidesWhetherTheChoiceStands) {
    CFileDialog dlg(FALSE, "csv", "*.csv", OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOCHANGEDIR,
                    "(*.csv)|*.csv|", &owner_);
    dlg.m_ofn.lpstrInitialDir = dir_.Path().c_str();
    const OPENFILENAME before = dlg.m_ofn;

    // "No" to replacing run1.csv: the dialog stays, and here the user then cancels.
    promptAnswer_ = IDNO;
    Answer({Typed("run1")});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(prompts_.size(), 1u);
    EXPECT_NE(prompts_[0].find("run1.csv"), std::string::npos) << prompts_[0];
    EXPECT_EQ(std::string(dlg.GetPathName()), "*.csv");
    EXPECT_EQ(dlg.m_ofn.nFileOffset, before.nFileOffset);
    EXPECT_EQ(dlg.m_ofn.Flags, before.Flags);

    promptAnswer_ = IDYES;
    Answer({Typed("run1")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::string(dlg.GetPathName()), dir_ / "run1.csv");
    EXPECT_EQ(prompts_.size(), 2u);

    // A file that is not there yet asks whether to create it.
    Answer({Typed("neu")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::string(dlg.GetPathName()), dir_ / "neu.csv");
    EXPECT_EQ(prompts_.size(), 3u);
}

TEST_F(CommonDialogWrappers, MultipleSelectionIsWalkedPathByPath) {
    const DWORD flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    CFileDialog dlg(TRUE, nullptr, nullptr, flags, "CSV|*.csv||", &owner_);
    dlg.m_ofn.lpstrInitialDir = dir_.Path().c_str();
    Answer({Typed("\"run1.csv\" \"run2.csv\" \"notes.txt\"")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Paths(dlg),
              (std::vector<std::string>{dir_ / "run1.csv", dir_ / "run2.csv", dir_ / "notes.txt"}));
    EXPECT_EQ(std::string(dlg.GetFolderPath()), dir_.Path());
    EXPECT_EQ(std::string(dlg.GetPathName()), dir_.Path());  // the folder of several files
    EXPECT_TRUE(dlg.GetFileName().IsEmpty());

    // One file of a multiple selection is a plain path.
    CFileDialog one(TRUE, nullptr, nullptr, flags, "CSV|*.csv||", &owner_);
    one.m_ofn.lpstrInitialDir = dir_.Path().c_str();
    Answer({Typed("run2.csv")});
    ASSERT_EQ(one.DoModal(), IDOK);
    EXPECT_EQ(Paths(one), std::vector<std::string>{dir_ / "run2.csv"});
    EXPECT_EQ(std::string(one.GetFileName()), "run2.csv");

    // A buffer of the caller's own, as controls that browse for files give it.
    std::vector<char> own(65536, '\0');
    dlg.m_ofn.lpstrFile = own.data();
    dlg.m_ofn.nMaxFile = 65535;
    Answer({Typed("\"notes.txt\" \"run1.csv\"")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::string(own.data()), dir_.Path());
    EXPECT_EQ(Paths(dlg), (std::vector<std::string>{dir_ / "notes.txt", dir_ / "run1.csv"}));

    // A cancel keeps the previous result.
    Answer({Cancel()});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Paths(dlg), (std::vector<std::string>{dir_ / "notes.txt", dir_ / "run1.csv"}));
}

TEST_F(CommonDialogWrappers, ColorDialogReturnsTheChoiceAndKeepsTheCustomColors) {
    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN | CC_ANYCOLOR, &owner_);
    EXPECT_EQ(dlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
    COLORREF started = 0;
    DWORD flags = 0;
    kq::ui::SetCommonDialogHook([&](const CommonDialogRequest& r) {
        const auto* cc = static_cast<const CHOOSECOLOR*>(r.data);
        started = cc->rgbResult;
        flags = cc->Flags;
        CommonDialogAnswer a;
        a.color = RGB(200, 100, 50);
        return std::optional(a);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(started, RGB(10, 20, 30));
    EXPECT_EQ(flags & (CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR),
              CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR);
    EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 50));

    Answer({Cancel()});
    dlg.SetCurrentColor(RGB(1, 2, 3));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));

    // A custom colour defined in one dialog is there for the next one.
    kq::ui::SetCommonDialogHook(nullptr);
    bool ran = false;
    const int filter = kq::ui::AddMessageFilterHook([&](int code, MSG&) -> BOOL {
        HWND shown = ::GetActiveWindow();
        if (ran || code != MSGF_DIALOGBOX || shown == nullptr || shown == owner_.GetSafeHwnd())
            return FALSE;
        ran = true;
        ::SendMessage(shown, WM_COMMAND, MAKEWPARAM(kAddCustomColor, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(shown, kAddCustomColor)));
        ::SendMessage(shown, WM_COMMAND, IDOK, 0);
        return FALSE;
    });
    CColorDialog first(RGB(7, 8, 9), CC_FULLOPEN);
    EXPECT_EQ(first.DoModal(), IDOK);
    kq::ui::RemoveMessageFilterHook(filter);
    ASSERT_TRUE(ran);
    CColorDialog next;
    EXPECT_EQ(next.m_cc.lpCustColors[0], RGB(7, 8, 9));
    EXPECT_EQ(next.m_cc.lpCustColors[1], RGB(255, 255, 255));
    CColorDialog::GetSavedCustomColors()[0] = RGB(255, 255, 255);
}

TEST_F(CommonDialogWrappers, FontDialogReturnsTheChosenFont) {
    const std::vector<std::string> families = kq::ui::commdlg::FontFamilies();
    ASSERT_FALSE(families.empty());
    // A family whose name fits a LOGFONT.
    const auto fits = std::find_if(families.rbegin(), families.rend(),
                                   [](const std::string& f) { return f.size() < LF_FACESIZE; });
    ASSERT_NE(fits, families.rend());
    const std::string face = *fits;

    CFontDialog dlg;
    CommonDialogAnswer a;
    a.face = face;
    a.pointSize = 14;
    a.bold = true;
    a.italic = true;
    a.underline = true;
    a.color = RGB(0, 0, 255);
    Answer({a});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const auto* cf = static_cast<const CHOOSEFONT*>(requests_.at(0).data);
    EXPECT_EQ(cf->Flags & (CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT),
              CF_SCREENFONTS | CF_EFFECTS);
    EXPECT_EQ(std::string(dlg.GetFaceName()), face);
    EXPECT_EQ(dlg.GetSize(), 140);
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_EQ(dlg.GetWeight(), FW_BOLD);
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_TRUE(dlg.IsUnderline());
    EXPECT_FALSE(dlg.IsStrikeOut());
    EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(std::string(dlg.GetStyleName()), "Bold Italic");
    LOGFONT lf{};
    dlg.GetCurrentFont(&lf);
    EXPECT_EQ(std::string(lf.lfFaceName), face);
    EXPECT_LT(lf.lfHeight, 0);

    // Started on a given font; a cancel leaves the font alone.
    LOGFONT initial{};
    initial.lfHeight = -20;
    initial.lfWeight = FW_NORMAL;
    std::strcpy(initial.lfFaceName, families.front().c_str());
    CFontDialog started(&initial, CF_SCREENFONTS);
    std::string startFace;
    kq::ui::SetCommonDialogHook([&](const CommonDialogRequest& r) {
        const auto* f = static_cast<const CHOOSEFONT*>(r.data);
        if (f->Flags & CF_INITTOLOGFONTSTRUCT)
            startFace = f->lpLogFont->lfFaceName;
        return std::optional(Cancel());
    });
    EXPECT_EQ(started.DoModal(), IDCANCEL);
    EXPECT_EQ(startFace, families.front());
    EXPECT_EQ(std::memcmp(&started.m_lf, &initial, sizeof initial), 0);
    EXPECT_EQ(std::string(started.GetStyleName()), "Regular");
}

// PATH holds only fake CUPS programs: one queue "Lab", and an lp that records its arguments.
class PrintWrappers : public CommonDialogWrappers {
  protected:
    void SetUp() override {
        CommonDialogWrappers::SetUp();
        Write("lpstat",
              "#!/bin/sh\ncase \"$1\" in\n"
              "-a) echo 'Lab accepting requests since Mon' ;;\n"
              "-d) echo 'system default destination: Lab' ;;\nesac\n");
        Write("lp", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + (bin_ / "args") + "'\n");
        const char* path = std::getenv("PATH");
        oldPath_ = path ? path : "";
        ::setenv("PATH", bin_.Path().c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        CommonDialogWrappers::TearDown();
    }
    void Write(const std::string& name, const std::string& script) {
        kq::test::WriteFileBytes(bin_ / name, script);
        ::chmod((bin_ / name).c_str(), 0755);
    }
    // Prints one empty page on the DC (deleted here) and returns lp's arguments.
    std::string PrintOnePage(HDC hdc) {
        std::filesystem::remove(bin_ / "args");
        DOCINFO doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = "Graph";
        const bool printed = ::StartDoc(hdc, &doc) > 0 && ::StartPage(hdc) > 0 &&
                             ::EndPage(hdc) > 0 && ::EndDoc(hdc) > 0;
        EXPECT_TRUE(printed) << kq::gfx::PrinterOutputError(hdc);
        ::DeleteDC(hdc);
        return kq::test::ReadFileBytes(bin_ / "args");
    }
    static CommonDialogAnswer Printer(const std::string& name, int copies) {
        CommonDialogAnswer a = Typed(name);
        a.copies = copies;
        return a;
    }

    kq::test::ScopedTempFolder bin_;
    std::string oldPath_;
};

TEST_F(PrintWrappers, ThePrinterMakesTheCopiesChosenWhenTheDeviceModeCarriesThem) {
    // As the chart prints: no selection, no pages, the device's copies.
    CPrintDialog dlg(
        FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE,
        &owner_);
    Answer({Printer("Lab", 3)});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(requests_.at(0).owner, owner_.GetSafeHwnd());
    ASSERT_NE(dlg.GetPrinterDC(), nullptr);
    EXPECT_EQ(std::string(dlg.GetDeviceName()), "Lab");
    EXPECT_EQ(std::string(dlg.GetDriverName()), "cups");
    EXPECT_EQ(std::string(dlg.GetPortName()), "Lab");
    EXPECT_EQ(dlg.GetCopies(), 3);
    ASSERT_NE(dlg.GetDevMode(), nullptr);
    EXPECT_EQ(dlg.GetDevMode()->dmPrintQuality, 300);
    EXPECT_TRUE(dlg.PrintAll());
    EXPECT_EQ(dlg.GetFromPage(), -1);
    const std::string args = PrintOnePage(dlg.GetPrinterDC());
    EXPECT_NE(args.find("-d\nLab\n"), std::string::npos) << args;
    EXPECT_NE(args.find("-n\n3\n"), std::string::npos) << args;

    // Without the device's copies the program makes them: the printer is asked for one.
    CPrintDialog own(FALSE, PD_ALLPAGES | PD_NOSELECTION);
    Answer({Printer("Lab", 2)});
    ASSERT_EQ(own.DoModal(), IDOK);
    EXPECT_EQ(own.GetCopies(), 2);
    EXPECT_EQ(own.GetDevMode()->dmCopies, 1);
    EXPECT_EQ(PrintOnePage(own.GetPrinterDC()).find("\n-n\n"), std::string::npos);
}

TEST_F(PrintWrappers, PagesDefaultsSetupAndCancel) {
    CPrintDialog dlg(FALSE, PD_PAGENUMS | PD_NOSELECTION);
    dlg.m_pd.nMinPage = 1;
    dlg.m_pd.nMaxPage = 9;
    dlg.m_pd.nFromPage = 2;
    dlg.m_pd.nToPage = 4;
    Answer({Cancel()});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
    EXPECT_EQ(dlg.GetDevMode(), nullptr);
    EXPECT_TRUE(dlg.GetDeviceName().IsEmpty());
    EXPECT_EQ(dlg.CreatePrinterDC(), nullptr);

    Answer({Typed("")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.PrintRange());
    EXPECT_FALSE(dlg.PrintAll());
    EXPECT_EQ(dlg.GetFromPage(), 2);
    EXPECT_EQ(dlg.GetToPage(), 4);
    EXPECT_EQ(std::string(dlg.GetDeviceName()), "Lab");  // the default printer
    ::DeleteDC(dlg.GetPrinterDC());

    // The defaults replace an earlier choice without a dialog.
    requests_.clear();
    ASSERT_TRUE(dlg.GetDefaults());
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(dlg.m_pd.Flags & PD_RETURNDEFAULT, 0u);
    EXPECT_EQ(std::string(dlg.GetDeviceName()), "Lab");
    ::DeleteDC(dlg.GetPrinterDC());

    // A set-up dialog gives no DC; one is made for the choice on request.
    CPrintDialog setup(TRUE);
    CommonDialogAnswer pdf = Typed("PDF");
    pdf.landscape = true;
    pdf.file = dir_ / "out.pdf";
    Answer({pdf});
    ASSERT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(setup.GetPrinterDC(), nullptr);
    EXPECT_EQ(std::string(setup.GetPortName()), dir_ / "out.pdf");
    HDC hdc = setup.CreatePrinterDC();
    ASSERT_NE(hdc, nullptr);
    EXPECT_GT(::GetDeviceCaps(hdc, HORZRES), ::GetDeviceCaps(hdc, VERTRES));
    ::DeleteDC(hdc);
}

TEST_F(PrintWrappers, TheViewsPrintDialogStartsOnTheGivenPrinterAndKeepsTheChoice) {
    CPrintInfo info;
    info.m_printer.file = dir_ / "start.pdf";
    std::string startedOn;
    kq::ui::SetCommonDialogHook([&](const CommonDialogRequest& r) {
        const auto* pd = static_cast<const PRINTDLG*>(r.data);
        const auto* names = static_cast<const char*>(::GlobalLock(pd->hDevNames));
        if (names != nullptr)
            startedOn = names + reinterpret_cast<const DEVNAMES*>(names)->wOutputOffset;
        return std::optional(Printer("Lab", 2));
    });
    ASSERT_EQ(kq::fw::DoPrintDialog(info), IDOK);
    EXPECT_EQ(startedOn, dir_ / "start.pdf");
    EXPECT_EQ(info.m_printer.printer, "Lab");
    EXPECT_EQ(info.m_printer.copies, 2);
    ASSERT_NE(info.m_hPrinterDC, nullptr);
    EXPECT_NE(PrintOnePage(info.DetachPrinterDC()).find("-n\n2\n"), std::string::npos);
}

TEST_F(PrintWrappers, PageSetupGivesPaperAndMarginsAndACancelChangesNothing) {
    CPageSetupDialog dlg;
    Answer({Cancel()});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    RECT margins{1, 1, 1, 1}, minimum{};
    dlg.GetMargins(&margins, &minimum);
    EXPECT_EQ(margins.left + margins.top + margins.right + margins.bottom, 0);
    EXPECT_EQ(dlg.GetPaperSize(), CSize(0, 0));
    EXPECT_EQ(dlg.m_psd.hDevNames, nullptr);

    // Never set: the dialog starts on its own margins, which then stand.
    CommonDialogAnswer landscape = Typed("Lab");
    landscape.landscape = true;
    Answer({landscape, Typed("")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPaperSize(), CSize(29700, 21000));  // hundredths of a millimetre
    dlg.GetMargins(&margins, &minimum);
    EXPECT_GT(margins.left, 0);
    EXPECT_GE(margins.left, minimum.left);
    EXPECT_EQ(std::string(dlg.GetDeviceName()), "Lab");
    EXPECT_NE(dlg.m_psd.Flags & PSD_MARGINS, 0u);
    HDC hdc = dlg.CreatePrinterDC();
    ASSERT_NE(hdc, nullptr);
    EXPECT_GT(::GetDeviceCaps(hdc, HORZRES), ::GetDeviceCaps(hdc, VERTRES));
    ::DeleteDC(hdc);

    // Margins set by the program are where the next dialog starts.
    dlg.m_psd.rtMargin = RECT{1000, 1200, 1400, 1600};
    ASSERT_EQ(dlg.DoModal(), IDOK);
    dlg.GetMargins(&margins, nullptr);
    EXPECT_EQ(margins.top, 1200);
    EXPECT_EQ(margins.bottom, 1600);
}

}  // namespace
