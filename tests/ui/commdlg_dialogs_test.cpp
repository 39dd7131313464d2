// The common dialogs as the user meets them: shown modally, worked with keyboard and mouse, and
// answered through the hook. Prompts go to message boxes, which the message box hook answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/ScopedTempFolder.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/DialogIds.h"
#include "platform/ui/commdlg/FileTypes.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/MessageBox.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

// Runs a script once a modal dialog is up (from inside its loop), then lets the loop go on.
class WhenDialogShows {
  public:
    explicit WhenDialogShows(std::function<void(HWND)> script) : script_(std::move(script)) {
        id_ = AddMessageFilterHook([this](int code, MSG&) -> BOOL {
            HWND dialog = GetActiveWindow();
            if (done_ || code != MSGF_DIALOGBOX || !dialog)
                return FALSE;
            done_ = true;
            script_(dialog);
            return FALSE;
        });
    }
    ~WhenDialogShows() { RemoveMessageFilterHook(id_); }
    bool Ran() const { return done_; }

  private:
    std::function<void(HWND)> script_;
    int id_ = 0;
    bool done_ = false;
};

std::string Text(HWND hwnd) {
    char buffer[512] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

Names ListItems(HWND list) {
    Names items;
    const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        items.push_back(buffer);
    }
    return items;
}

POINT Centre(HWND control) {
    RECT rc{};
    GetWindowRect(control, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

class CommonDialogs : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        owner_ = CreateTopLevel({100, 100, 700, 500});
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes_.push_back(r.text);
            return boxAnswer_;
        });
        std::filesystem::create_directory(dir_ / "Messungen");
        for (const char* name : {"run1.csv", "run2.csv", "notes.txt"})
            kq::test::WriteFileBytes(dir_ / name, "x");
        filter_ = commdlg::FilterFromBars("CSV (*.csv)|*.csv|Text (*.txt)|*.txt||");
        ofn_.lStructSize = sizeof ofn_;
        ofn_.hwndOwner = owner_;
        ofn_.lpstrFilter = filter_.c_str();
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = sizeof file_;
        ofn_.lpstrInitialDir = dir_.Path().c_str();
        ofn_.Flags = OFN_NOCHANGEDIR;
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        SetCommonDialogHook(nullptr);
        SetControlLanguage(ControlLanguage::English);
        UiTest::TearDown();
    }
    // The hook answers with the given answers in turn, counting the requests.
    void Answer(std::vector<CommonDialogAnswer> answers) {
        requests_.clear();
        SetCommonDialogHook(
            [this, answers](const CommonDialogRequest& r) -> std::optional<CommonDialogAnswer> {
                requests_.push_back(r.kind);
                const size_t i = requests_.size() - 1;
                if (i >= answers.size())
                    return std::nullopt;
                return answers[i];
            });
    }
    static CommonDialogAnswer Typed(const std::string& text) {
        CommonDialogAnswer a;
        a.text = text;
        return a;
    }

    HWND owner_ = nullptr;
    kq::test::ScopedTempFolder dir_;
    std::string filter_;
    char file_[1024] = {};
    OPENFILENAME ofn_{};
    Names boxes_;
    int boxAnswer_ = IDYES;
    std::vector<CommonDialogKind> requests_;
};

TEST_F(CommonDialogs, FileDialogListsTheChosenTypeAndOpensByKeyboard) {
    Names files, folders, afterType;
    WhenDialogShows script([&](HWND dialog) {
        folders = ListItems(GetDlgItem(dialog, lst2));
        files = ListItems(GetDlgItem(dialog, lst1));
        EXPECT_EQ(Text(dialog), "Open");
        InjectText("run2");
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    ofn_.Flags |= OFN_FILEMUSTEXIST;
    ofn_.lpstrDefExt = "csv";
    ASSERT_TRUE(GetOpenFileName(&ofn_));
    EXPECT_TRUE(script.Ran());
    EXPECT_EQ(folders, (Names{"..", "Messungen"}));
    EXPECT_EQ(files, (Names{"run1.csv", "run2.csv"}));
    EXPECT_EQ(std::string(file_), dir_ / "run2.csv");
    EXPECT_FALSE(IsWindowEnabled(owner_) == FALSE);
}

TEST_F(CommonDialogs, FileTypeChangesTheListAndADoubleClickChoosesAFile) {
    Names afterType;
    WhenDialogShows script([&](HWND dialog) {
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessage(types, CB_SETCURSEL, 1, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(types));
        afterType = ListItems(GetDlgItem(dialog, lst1));
        const POINT at = Centre(GetDlgItem(dialog, lst1));
        RECT item{};
        SendMessage(GetDlgItem(dialog, lst1), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        POINT pt{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(GetDlgItem(dialog, lst1), &pt);
        (void)at;
        for (int i = 0; i < 2; ++i) {
            InjectMouseButton(pt, VK_LBUTTON, true);
            InjectMouseButton(pt, VK_LBUTTON, false);
        }
    });
    ASSERT_TRUE(GetOpenFileName(&ofn_));
    EXPECT_EQ(afterType, (Names{"notes.txt"}));
    EXPECT_EQ(std::string(file_), dir_ / "notes.txt");
    EXPECT_EQ(ofn_.nFilterIndex, 2u);
}

TEST_F(CommonDialogs, SaveAsksBeforeReplacingThroughTheMessageBoxHook) {
    ofn_.Flags |= OFN_OVERWRITEPROMPT;
    ofn_.lpstrDefExt = "csv";
    boxAnswer_ = IDNO;
    Answer({Typed("run1"), Typed("run3")});
    ASSERT_TRUE(GetSaveFileName(&ofn_));
    EXPECT_EQ(requests_.size(), 2u);  // asked again after the refusal
    EXPECT_EQ(boxes_, (Names{"run1.csv already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(std::string(file_), dir_ / "run3.csv");

    SetControlLanguage(ControlLanguage::German);
    boxes_.clear();
    boxAnswer_ = IDYES;
    Answer({Typed("run1.csv")});
    ASSERT_TRUE(GetSaveFileName(&ofn_));
    EXPECT_EQ(boxes_, (Names{"run1.csv ist bereits vorhanden.\nM\xC3\xB6"
                             "chten Sie die Datei ersetzen?"}));
    CommonDialogAnswer cancel;
    cancel.ok = false;
    Answer({cancel});
    EXPECT_FALSE(GetSaveFileName(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(CommonDialogs, ColourDialogReturnsTheColourPickedOrTyped) {
    COLORREF custom[16] = {};
    CHOOSECOLOR cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.lpCustColors = custom;
    cc.rgbResult = RGB(255, 0, 0);
    cc.Flags = CC_RGBINIT;
    {
        // Red is the ninth basic colour; one step right is yellow.
        WhenDialogShows script([](HWND) {
            InjectKey(VK_RIGHT, true);
            InjectKey(VK_RIGHT, false);
            InjectKey(VK_RETURN, true);
            InjectKey(VK_RETURN, false);
        });
        ASSERT_TRUE(ChooseColor(&cc));
        EXPECT_EQ(cc.rgbResult, RGB(255, 255, 0));
    }
    {
        cc.Flags = CC_FULLOPEN;
        WhenDialogShows script([](HWND dialog) {
            SetDlgItemText(dialog, 706, "12");
            SetDlgItemText(dialog, 707, "34");
            SetDlgItemText(dialog, 708, "300");  // more than a colour part can be
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(712, BN_CLICKED),
                        0);  // to the custom colours
            InjectKey(VK_RETURN, true);
            InjectKey(VK_RETURN, false);
        });
        ASSERT_TRUE(ChooseColor(&cc));
        EXPECT_EQ(cc.rgbResult, RGB(12, 34, 255));
        EXPECT_EQ(custom[0], RGB(12, 34, 255));
    }
    CommonDialogAnswer pick;
    pick.color = RGB(1, 2, 3);
    Answer({pick});
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
}

TEST_F(CommonDialogs, FontDialogReturnsFamilySizeStyleEffectsAndColour) {
    LOGFONT lf{};
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS;
    std::string firstFamily;
    WhenDialogShows script([&](HWND dialog) {
        char face[LF_FACESIZE] = {};
        SendDlgItemMessage(dialog, lst1, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(face));
        firstFamily = face;
        SetDlgItemText(dialog, edt1, face);
        SendDlgItemMessage(dialog, lst2, LB_SETCURSEL, 3, 0);  // bold italic
        SetDlgItemText(dialog, edt3, "14");
        CheckDlgButton(dialog, chx2, BST_CHECKED);             // underline
        SendDlgItemMessage(dialog, cmb1, CB_SETCURSEL, 9, 0);  // red
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_STREQ(lf.lfFaceName, firstFamily.c_str());
    EXPECT_EQ(cf.iPointSize, 140);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(cf.rgbColors, RGB(255, 0, 0));

    CommonDialogAnswer tooBig;
    tooBig.face = firstFamily;
    tooBig.pointSize = 30;
    CommonDialogAnswer fine = tooBig;
    fine.pointSize = 9;
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = 6;
    cf.nSizeMax = 24;
    Answer({tooBig, fine});
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_EQ(boxes_, (Names{"Size must be between 6 and 24 points."}));
    EXPECT_EQ(cf.iPointSize, 90);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
}

TEST_F(CommonDialogs, PrintDialogReturnsAPrinterDcForThePdfFile) {
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
               PD_USEDEVMODECOPIESANDCOLLATE;
    CommonDialogAnswer answer;
    answer.text = "PDF";
    answer.copies = 2;
    answer.landscape = true;
    answer.file = dir_ / "diagram.pdf";
    Answer({answer});
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, nullptr);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, LOGPIXELSX), 300);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES));
    const auto* mode = static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->dmCopies, 2);
    EXPECT_EQ(mode->dmPrintQuality, 300);
    EXPECT_EQ(pd.nCopies, 1);
    DOCINFO doc{sizeof(DOCINFO), "Graph", nullptr, nullptr, 0};
    EXPECT_GT(StartDoc(pd.hDC, &doc), 0);
    EXPECT_GT(StartPage(pd.hDC), 0);
    EXPECT_GT(EndPage(pd.hDC), 0);
    EXPECT_GT(EndDoc(pd.hDC), 0);
    DeleteDC(pd.hDC);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "diagram.pdf"));
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

TEST_F(CommonDialogs, PrintDialogByKeyboardAsksForThePdfFile) {
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    const std::string target = dir_ / "out.pdf";
    WhenDialogShows script([&](HWND dialog) {
        // Without CUPS the PDF entry is the only printer; its file goes into the field.
        SetDlgItemText(dialog, edt1, target.c_str());
        SetDlgItemText(dialog, edt4, "3");
        CheckRadioButton(dialog, 0x0426, 0x0427, 0x0427);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    const char* path = std::getenv("PATH");
    const std::string saved = path ? path : "";
    setenv("PATH", dir_.Path().c_str(), 1);  // no lpstat here
    const BOOL ok = PrintDlg(&pd);
    setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(ok);
    EXPECT_EQ(pd.nCopies, 3);
    ASSERT_NE(pd.hDC, nullptr);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES));
    DeleteDC(pd.hDC);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

int PreselectCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        SendMessage(hwnd, BFFM_SETSELECTION, TRUE, data);
    return 0;
}

TEST_F(CommonDialogs, FolderPickerPreselectsMakesAFolderAndReturnsIt) {
    char name[MAX_PATH] = {};
    const std::string start = dir_.Path();
    BROWSEINFO bi{};
    bi.hwndOwner = owner_;
    bi.pszDisplayName = name;
    bi.lpszTitle = "Zielordner";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = &PreselectCallback;
    bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
    std::string shown;
    Names listed;
    WhenDialogShows script([&](HWND dialog) {
        shown = Text(GetDlgItem(dialog, edt1));
        listed = ListItems(GetDlgItem(dialog, lst1));
        SetDlgItemText(dialog, edt1, "Neu/Tiefer");
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(psh1, BN_CLICKED), 0);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
    });
    LPITEMIDLIST pidl = SHBrowseForFolder(&bi);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(shown, start);
    EXPECT_EQ(listed, (Names{"..", "Messungen"}));
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_EQ(std::string(path), dir_ / "Neu/Tiefer");
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Neu/Tiefer"));
    EXPECT_STREQ(name, "Tiefer");
    CoTaskMemFree(pidl);

    Answer({Typed(dir_ / "run1.csv"), Typed(dir_ / "Messungen")});
    pidl = SHBrowseForFolder(&bi);
    ASSERT_NE(pidl, nullptr);
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_EQ(std::string(path), dir_ / "Messungen");
    EXPECT_EQ(boxes_.size(), 1u);  // a file is no folder
    ILFree(pidl);
}

}  // namespace
}  // namespace kq::ui::test
